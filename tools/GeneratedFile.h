// Writing a generator's output: the whole file at once, replacing what was there.
#pragma once

#include <fstream>
#include <stdexcept>
#include <string>

namespace vexil {

// Raises std::runtime_error naming the file when it cannot be written whole.
template <typename TBytes> void WriteGeneratedFile(const std::string& APath, const TBytes& ABytes) {
  std::ofstream out(APath, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(ABytes.data()),
            static_cast<std::streamsize>(ABytes.size()));
  out.close();
  if (!out) {
    throw std::runtime_error("cannot write " + APath);
  }
}

} // namespace vexil
