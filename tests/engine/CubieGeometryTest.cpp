// Where the cubies stand: the grid centred on the origin, the surface shell, and the scale that
// makes every size of cube measure the same on the screen.
#include "engine/CubieGeometry.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

using namespace vexil;

TEST(CubieGeometry, TheGridIsCentredOnTheOriginWithOnePitchBetweenNeighbours) {
  for (const int32_t n : {1, 2, 3, 10}) {
    SCOPED_TRACE(n);
    const TCubieGeometry geometry(n);
    EXPECT_EQ(geometry.AxisCentre((1 + n) / 2.0), 0.0);
    std::set<std::tuple<int32_t, int32_t, int32_t>> places;
    for (int32_t i = 0; i < n * n * n; ++i) {
      const TIntVector p = geometry.GridPosition(i);
      places.emplace(p.I, p.J, p.L);
      const TPoint3d centre = geometry.CubieCentre(p);
      const TPoint3d mirrored = geometry.CubieCentre({n + 1 - p.I, n + 1 - p.J, n + 1 - p.L});
      EXPECT_EQ(centre.X, -mirrored.X);
      EXPECT_EQ(centre.Y, -mirrored.Y);
      EXPECT_EQ(centre.Z, -mirrored.Z);
      if (p.L < n) {
        const TPoint3d next = geometry.CubieCentre({p.I, p.J, p.L + 1});
        EXPECT_EQ(next.Z - centre.Z, 0.5);
        EXPECT_EQ(next.X, centre.X);
      }
    }
    EXPECT_EQ(places.size(), static_cast<size_t>(n * n * n)); // one cubie per place
  }
}

TEST(CubieGeometry, TheShellIsEveryCubieWithAFaceOutside) {
  for (const int32_t n : {1, 2, 3, 10}) {
    SCOPED_TRACE(n);
    const TCubieGeometry geometry(n);
    int32_t surface = 0;
    for (int32_t i = 0; i < n * n * n; ++i) {
      surface += geometry.IsSurfaceCubie(geometry.GridPosition(i));
    }
    const int32_t inner = n > 2 ? (n - 2) * (n - 2) * (n - 2) : 0;
    EXPECT_EQ(surface, n * n * n - inner);
  }
  EXPECT_FALSE(TCubieGeometry(3).IsSurfaceCubie({2, 2, 2}));
  EXPECT_TRUE(TCubieGeometry(3).IsSurfaceCubie({2, 2, 3}));
}

TEST(CubieGeometry, EverySizeMeasuresTheSameAndTheZoomScalesIt) {
  for (const int32_t n : {2, 3, 7, 10}) {
    SCOPED_TRACE(n);
    const TCubieGeometry geometry(n);
    // From the centre to the outer plane of the last cubie's sides, on the screen.
    const double extent =
        geometry.Scale() * (geometry.CubieCentre({n, n, n}).X + TCubieGeometry::BodyHalfSize());
    EXPECT_NEAR(extent, 0.75, 0.002);
    const TCubieGeometry zoomed(n, 1.19f);
    EXPECT_EQ(zoomed.Scale(), static_cast<float>(static_cast<double>(1.19f) * 3.0 / n));
    EXPECT_EQ(zoomed.CentreOffset(), geometry.CentreOffset());
  }
  // The body reaches just beyond half a pitch: neighbouring bodies overlap and close the seams.
  EXPECT_GT(TCubieGeometry::BodyHalfSize(), TCubieGeometry::kPitch / 2.0);
  EXPECT_LT(TCubieGeometry::BodyHalfSize(), TCubieGeometry::kPitch / 2.0 * 1.01);
}
