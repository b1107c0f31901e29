// The game clock over the scene: two lines of extruded text ("Time: hh:mm:ss", "Days: n"), and
// the move counter ("Moves: n") as a third when it is shown, in the
// top right corner, in the clock's colour. The glyphs are built the first time the clock is
// drawn, so a start without a game pays nothing for them.
#pragma once

#include "engine/GameClock.h"
#include "engine/VectorTypes.h"
#include "render/ClockGlyphs.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vexil {

class TClockDrawing {
public:
  TClockDrawing();
  ~TClockDrawing();
  TClockDrawing(const TClockDrawing&) = delete;
  TClockDrawing& operator=(const TClockDrawing&) = delete;

  // Draws the clock in the current frame of a view AWidth x AHeight pixels (depth test on, any
  // modelview matrix), with a third line "Moves: n" when AMoves is 0 or more. The first call
  // builds the glyphs in the context current then.
  void Draw(const TGameClock& AClock, const TVertex3f& AColor, int AWidth, int AHeight,
            int32_t AMoves = -1);
  // Draws AUtf8Word large in the middle of the view, in the clock's colour and glyphs: the word
  // that stands where a paused game's cube was. Characters outside the glyphs' code page are
  // left out.
  void DrawWord(const std::string& AUtf8Word, const TVertex3f& AColor, int AWidth, int AHeight);
  // The glyphs have been built and work.
  bool GlyphsBuilt() const { return FGlyphs && FGlyphs->Built(); }

private:
  // Builds the glyphs in the current context the first time; whether they work.
  bool EnsureGlyphs();
  // Sets an orthographic projection of the clock's box, current, and the identity modelview,
  // for Draw and DrawWord; RestoreBox puts both matrices back.
  static void LoadBox(int AWidth, int AHeight);
  static void RestoreBox();
  void DrawScaled(const std::string& AText) const;

  std::unique_ptr<TClockGlyphs> FGlyphs;
  double FTextScale = 1.0;
};

// The ortho box (left, right, bottom, top) in which the clock is laid out for a view of AWidth x
// AHeight pixels. Its units are those of a box from -10 to 10 on both axes over the game's
// opening window, whose shape sets the glyphs' proportions; other shapes keep those proportions
// and the top right corner, and a window too small for the clock shrinks it to fit.
struct TClockBox {
  double Left;
  double Right;
  double Bottom;
  double Top;
};
TClockBox ClockBox(int AWidth, int AHeight);

} // namespace vexil
