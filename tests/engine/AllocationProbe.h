// Watches the sizes that operator new is asked for, so a test can show that reading damaged
// input never allocates more than the input could hold.
#pragma once

#include <cstddef>

namespace vexil_test {

class TAllocationProbe {
public:
  TAllocationProbe();
  ~TAllocationProbe();
  TAllocationProbe(const TAllocationProbe&) = delete;
  TAllocationProbe& operator=(const TAllocationProbe&) = delete;

  // The largest single request since the probe was made.
  size_t Largest() const;
};

} // namespace vexil_test
