// Which face quads of each cubie a frame draws, and which cubie bodies are closed towards the
// eye so that their triangles facing away may be culled.
//
// A face quad lies 0.0025 cubie pitches inside the body of the neighbour across it. When that
// neighbour is drawn and moves with the cubie (both rest, or both turn with the layer), every
// ray to the quad first enters the neighbour's body through a drawn surface, so the quad is
// never seen: the inner faces between cubies of one resting block or of the turning slice are
// left out, and only those next to the gap, or with nothing drawn behind them, stay.
//
// A body is closed when every open square of it that may face the eye holds a drawn face quad
// or lies inside such a neighbour. A ray then meets the front of the body (or of the
// neighbour) before any triangle facing away, so culling those changes no pixel. A body with a
// square that faces the eye, holds no quad and has nothing drawn over it is open: the triangles
// behind it are seen through the square, so it is drawn without culling.
// Quads facing away from the eye lie behind their own body and are left out as well. A quad
// seen nearly edge-on is drawn whichever way it faces, and its body is not culled: where the
// quad's rim meets the body's the rasteriser may leave single pixels that only the body's
// triangles behind fill.
// Between the cubies of a block whose shafts a ray may run down (seen nearly square-on) the
// corners of the inner quads stand in the shafts, so there they stay: without them light would
// show through at every junction of four cubies.
#pragma once

#include "engine/CubeFrame.h"
#include "engine/VexilCube.h"
#include "render/HiddenBodyParts.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vexil {

class TCubieFaces {
public:
  // AProjection: the projection matrix the frame is drawn with (column-major); AHidden: what of
  // the bodies the frame leaves out.
  TCubieFaces(const TVexilCube& ACube, const TCubeFrame& AFrame,
              const std::array<double, 16>& AProjection, const THiddenBodyParts& AHidden);

  // Bit face - 1 set for each face quad of the cubie that is drawn. The queries answer 0 or
  // false for an index out of the cube's range.
  uint8_t FacesOf(int32_t ACubeIndex) const {
    return InRange(ACubeIndex) ? FFaces[Slot(ACubeIndex)] : 0;
  }
  bool DrawsFace(int32_t ACubeIndex, int AFace) const {
    return (FacesOf(ACubeIndex) >> (AFace - 1) & 1) != 0;
  }
  // The body may be drawn with the triangles facing away culled.
  bool Closed(int32_t ACubeIndex) const {
    return InRange(ACubeIndex) && FClosed[Slot(ACubeIndex)] != 0;
  }
  // Whether the body of the cubie is drawn at all (not hidden whole).
  bool Drawn(int32_t ACubeIndex) const {
    return InRange(ACubeIndex) && FMotion[Slot(ACubeIndex)] != kNotDrawn;
  }

private:
  static constexpr int8_t kNotDrawn = 0;
  static constexpr int8_t kResting = 1;
  static constexpr int8_t kTurning = 2;

  bool InRange(int32_t ACubeIndex) const {
    return ACubeIndex >= 0 && static_cast<size_t>(ACubeIndex) < FMotion.size();
  }
  static size_t Slot(int32_t ACubeIndex) { return static_cast<size_t>(ACubeIndex); }
  // The cube index of the neighbour across AFace, or -1 outside the cube.
  int32_t NeighbourAcross(int32_t ACubeIndex, int AFace) const;
  // The faces and closedness of ACubie, with AEye (eye space) when the projection has a centre.
  void Decide(const TVexilCube& ACube, const TCubeFrame& AFrame, const THiddenBodyParts& AHidden,
              const TCubieDraw& ACubie, const std::array<double, 3>* AEye);

  TCubieGeometry FGeometry;
  std::vector<int8_t> FMotion; // per cube index: kNotDrawn, kResting, kTurning
  std::vector<uint8_t> FFaces;
  std::vector<uint8_t> FClosed;
};

} // namespace vexil
