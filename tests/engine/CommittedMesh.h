// The cubie body mesh as committed (resources/mesh/cube.mesh in the source tree), for the tests,
// fuzzers and benchmarks that build cube models: the program itself reads its compiled-in copy.
#pragma once

#include <cstdint>
#include <vector>

namespace vexil::test {

// The file's bytes, read on the first call and kept for the rest of the process. Raises
// std::runtime_error naming the file when it cannot be read.
const std::vector<uint8_t>& CommittedCubeMesh();

} // namespace vexil::test
