#include "tests/engine/AllocationProbe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> gWatching{false};
std::atomic<size_t> gLargest{0};

void Note(size_t ASize) {
  if (!gWatching.load(std::memory_order_relaxed)) {
    return;
  }
  size_t seen = gLargest.load(std::memory_order_relaxed);
  while (ASize > seen && !gLargest.compare_exchange_weak(seen, ASize)) {
  }
}

} // namespace

namespace vexil_test {

TAllocationProbe::TAllocationProbe() {
  gLargest = 0;
  gWatching = true;
}

TAllocationProbe::~TAllocationProbe() {
  gWatching = false;
}

size_t TAllocationProbe::Largest() const {
  return gLargest.load();
}

} // namespace vexil_test

// The test program's allocator: malloc underneath, with every request size noted while a probe
// is watching. The array and nothrow forms fall back to these by the language rules.
void* operator new(size_t ASize) {
  Note(ASize);
  if (void* block = std::malloc(ASize == 0 ? 1 : ASize)) {
    return block;
  }
  throw std::bad_alloc();
}

void operator delete(void* ABlock) noexcept {
  std::free(ABlock);
}

void operator delete(void* ABlock, size_t) noexcept {
  std::free(ABlock);
}
