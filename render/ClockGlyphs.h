// Extruded outline glyphs for the game clock: one OpenGL display list per 8-bit character code
// (Windows-1251), from list 1000 on. Each list draws its character and then moves the current
// position right by the glyph's width. Glyph units make the font's em square 1.0; the glyphs
// stand on the baseline y = 0 and are 0.15 deep, from z = 0 back to z = -0.15.
#pragma once

#include <QFont>
#include <QPolygonF>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vexil {

constexpr uint32_t kClockGlyphListBase = 1000;
constexpr int kClockGlyphCount = 255;
constexpr double kClockGlyphDepth = 0.15;

// The clock's typeface, "Arial" (a metric-compatible substitute where the system has no Arial).
QFont ClockFont();

struct TGlyphOutline {
  std::vector<QPolygonF> Contours; // closed contours in em units, y up
  double Advance = 0.0;            // in em units
};

// The font's em over its line height (ascent + descent): the size at which a line of its text
// is one unit tall.
double LineHeightScale(const QFont& AFont);

// The outline of character ACode (an 8-bit Windows-1251 code) in AFont. Control characters
// have no outline.
TGlyphOutline GlyphOutline(const QFont& AFont, uint8_t ACode);

class TClockGlyphs {
public:
  // Builds the lists in the OpenGL context current now; Built() tells whether that worked.
  explicit TClockGlyphs(const QFont& AFont);
  // The lists belong to the context and go with it.
  bool Built() const { return FBuilt; }
  // Draws AAnsiText (8-bit codes) with one list per character.
  void DrawText(const std::string& AAnsiText) const;
  // How far DrawText(AAnsiText) moves the pen, in em units.
  double TextWidth(const std::string& AAnsiText) const;

private:
  bool FBuilt = false;
  std::array<double, 256> FAdvances{};
};

} // namespace vexil
