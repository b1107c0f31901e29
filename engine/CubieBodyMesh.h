// The cubie body mesh (resources/mesh/cube.mesh) in numbers: the rounded box its generator builds,
// in mesh units, and how the cube model fits it to one cubie, in model units. The generator, the
// model, the renderer and the tests all read them here, so none of them can drift from the body the
// others assume.
#pragma once

#include <array>

namespace vexil {

// The rounded box: an inner box grown by a rounding radius to the outer half-size, whose six
// flat squares are left open for the face quads. Its centre lies a little off the origin.
constexpr double kBodyMeshInnerHalfSize = 40.102;
constexpr double kBodyMeshOuterHalfSize = 50.254;
constexpr std::array<double, 3> kBodyMeshCentre = {0.1516, 0.3489, 1.5532};

// Model units per mesh unit: the model scales the mesh by it, then moves it by the offset (in
// model units) so that the body is centred on the cubie's centre.
constexpr double kBodyMeshScale = 0.005;
constexpr std::array<float, 3> kBodyMeshOffset = {-0.0007582456f, -0.0017445013f, -0.007766001f};

// Half-size of the fitted body: the distance from the cubie's centre to the plane of each side's
// face quad (0.25127).
constexpr double kCubieBodyHalfSize = kBodyMeshOuterHalfSize * kBodyMeshScale;

namespace detail {
constexpr double Distance(double A, double B) {
  return A > B ? A - B : B - A;
}
} // namespace detail

// The offset undoes the centre to within 0.0002 mesh units.
static_assert(detail::Distance(kBodyMeshOffset[0], -kBodyMeshCentre[0] * kBodyMeshScale) < 1e-6 &&
              detail::Distance(kBodyMeshOffset[1], -kBodyMeshCentre[1] * kBodyMeshScale) < 1e-6 &&
              detail::Distance(kBodyMeshOffset[2], -kBodyMeshCentre[2] * kBodyMeshScale) < 1e-6);

} // namespace vexil
