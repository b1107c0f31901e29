// The cubie body mesh the program ships: resources/mesh/cube.mesh compiled in as the Qt resource
// ":/mesh/cube.mesh" and read as the bytes the cube model is built from. The main window and the
// headless scene both take their meshes here.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace vexil {

// ":/mesh/cube.mesh".
QString CubeMeshResourceName();

// The whole of the resource (or file) AFileName. Raises EStreamError naming it and saying why
// when it cannot be opened or read.
std::vector<uint8_t> ReadResourceBytes(const QString& AFileName);

// ReadResourceBytes(CubeMeshResourceName()): in a build without its resources this raises, and
// the program says so instead of starting without a cube.
std::vector<uint8_t> ReadCubeMesh();

} // namespace vexil
