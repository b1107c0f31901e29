#include "tests/engine/CommittedMesh.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace vexil::test {

namespace {

std::vector<uint8_t> ReadCommittedMesh() {
  const std::string path = VEXIL_COMMITTED_CUBE_MESH;
  std::ifstream file(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  // An empty file is as useless to the tests as a missing one.
  if (!file || bytes.empty()) {
    throw std::runtime_error("Cannot read the committed cube mesh \"" + path + "\"");
  }
  return bytes;
}

} // namespace

const std::vector<uint8_t>& CommittedCubeMesh() {
  static const std::vector<uint8_t> bytes = ReadCommittedMesh();
  return bytes;
}

} // namespace vexil::test
