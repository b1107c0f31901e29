#include "render/ClockGlyphs.h"

#include "support/AnsiCodePage.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QTransform>

#include "render/GLIncludes.h"

#include <array>
#include <cmath>
#include <deque>
#include <memory>

namespace vexil {

namespace {

// Outlines are taken at this size and scaled down, so curves are flattened finely enough.
constexpr int kOutlinePixelSize = 256;

QString CharacterOf(uint8_t ACode) {
  if (ACode < 0x80) {
    return QString(QChar(ACode));
  }
  const std::string ansi(1, static_cast<char>(ACode));
  return QString::fromStdString(AnsiToUtf8(ansi));
}

// Holds what the tessellator needs while one glyph face is built: the vertices it reads and
// the ones it makes where contours cross.
struct TTessellation {
  std::deque<std::array<GLdouble, 3>> Vertices;
};

#ifndef CALLBACK
#define CALLBACK
#endif
using TGluCallback = void(CALLBACK*)();

void CALLBACK TessBegin(GLenum AType) {
  glBegin(AType);
}

void CALLBACK TessVertex(void* AVertex) {
  glVertex3dv(static_cast<const GLdouble*>(AVertex));
}

void CALLBACK TessEnd() {
  glEnd();
}

void CALLBACK TessCombine(GLdouble ACoords[3], void* /*AVertexData*/[4], GLfloat /*AWeight*/[4],
                          void** AOut, void* AUserData) {
  auto* tessellation = static_cast<TTessellation*>(AUserData);
  tessellation->Vertices.push_back({ACoords[0], ACoords[1], ACoords[2]});
  *AOut = tessellation->Vertices.back().data();
}

void CALLBACK TessError(GLenum /*AError*/) {
  // A malformed contour leaves a gap in one glyph's face; there is nothing better to do.
}

struct TTessDeleter {
  void operator()(GLUtesselator* ATess) const { gluDeleteTess(ATess); }
};

// One flat face of the glyph at depth AZ, facing +z (ANormalZ 1) or -z (ANormalZ -1).
void DrawFace(GLUtesselator* ATess, const TGlyphOutline& AGlyph, double AZ, double ANormalZ) {
  TTessellation tessellation;
  glNormal3d(0.0, 0.0, ANormalZ);
  gluTessNormal(ATess, 0.0, 0.0, ANormalZ);
  gluTessBeginPolygon(ATess, &tessellation);
  for (const QPolygonF& contour : AGlyph.Contours) {
    gluTessBeginContour(ATess);
    for (const QPointF& point : contour) {
      tessellation.Vertices.push_back({point.x(), point.y(), AZ});
      gluTessVertex(ATess, tessellation.Vertices.back().data(),
                    tessellation.Vertices.back().data());
    }
    gluTessEndContour(ATess);
  }
  gluTessEndPolygon(ATess);
}

// The walls joining the front and back faces along every contour.
void DrawSides(const TGlyphOutline& AGlyph) {
  glBegin(GL_QUADS);
  for (const QPolygonF& contour : AGlyph.Contours) {
    for (int i = 0; i < contour.size(); ++i) {
      const QPointF& a = contour[i];
      const QPointF& b = contour[(i + 1) % contour.size()];
      const double dx = b.x() - a.x();
      const double dy = b.y() - a.y();
      const double length = std::hypot(dx, dy);
      if (length > 0.0) {
        glNormal3d(dy / length, -dx / length, 0.0);
      }
      glVertex3d(a.x(), a.y(), 0.0);
      glVertex3d(a.x(), a.y(), -kClockGlyphDepth);
      glVertex3d(b.x(), b.y(), -kClockGlyphDepth);
      glVertex3d(b.x(), b.y(), 0.0);
    }
  }
  glEnd();
}

void CompileGlyph(GLUtesselator* ATess, const TGlyphOutline& AGlyph) {
  if (!AGlyph.Contours.empty()) {
    DrawFace(ATess, AGlyph, 0.0, 1.0);
    DrawFace(ATess, AGlyph, -kClockGlyphDepth, -1.0);
    DrawSides(AGlyph);
  }
  glTranslated(AGlyph.Advance, 0.0, 0.0);
}

std::unique_ptr<GLUtesselator, TTessDeleter> MakeTessellator() {
  std::unique_ptr<GLUtesselator, TTessDeleter> tess(gluNewTess());
  if (!tess) {
    return tess;
  }
  // Font outlines wind their holes against their outer contours.
  gluTessProperty(tess.get(), GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
  gluTessCallback(tess.get(), GLU_TESS_BEGIN, reinterpret_cast<TGluCallback>(TessBegin));
  gluTessCallback(tess.get(), GLU_TESS_VERTEX, reinterpret_cast<TGluCallback>(TessVertex));
  gluTessCallback(tess.get(), GLU_TESS_END, reinterpret_cast<TGluCallback>(TessEnd));
  gluTessCallback(tess.get(), GLU_TESS_COMBINE_DATA, reinterpret_cast<TGluCallback>(TessCombine));
  gluTessCallback(tess.get(), GLU_TESS_ERROR, reinterpret_cast<TGluCallback>(TessError));
  return tess;
}

} // namespace

QFont ClockFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(kOutlinePixelSize);
  font.setStyleHint(QFont::SansSerif);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::ForceOutline);
  font.setKerning(false);
  return font;
}

double LineHeightScale(const QFont& AFont) {
  const QFontMetricsF metrics(AFont);
  const double lineHeight = metrics.ascent() + metrics.descent();
  const double em = QFontInfo(AFont).pixelSize();
  return lineHeight > 0.0 && em > 0.0 ? em / lineHeight : 1.0;
}

TGlyphOutline GlyphOutline(const QFont& AFont, uint8_t ACode) {
  TGlyphOutline glyph;
  const QString character = CharacterOf(ACode);
  const QFontMetricsF metrics(AFont);
  const double em = QFontInfo(AFont).pixelSize();
  if (ACode < 0x20 || character.isEmpty() || em <= 0.0) {
    return glyph;
  }
  glyph.Advance = metrics.horizontalAdvance(character) / em;
  QPainterPath path;
  path.addText(0.0, 0.0, AFont, character);
  // Curves are flattened in pixels at the outline size (flattening after scaling to em units
  // would cut each curve into a few chords); then screen y, growing downwards, becomes glyph
  // units growing upwards.
  const QTransform toEm = QTransform::fromScale(1.0 / em, -1.0 / em);
  for (QPolygonF contour : path.toSubpathPolygons()) {
    contour = toEm.map(contour);
    if (contour.size() > 1 && contour.first() == contour.last()) {
      contour.removeLast();
    }
    if (contour.size() >= 3) {
      glyph.Contours.push_back(contour);
    }
  }
  return glyph;
}

TClockGlyphs::TClockGlyphs(const QFont& AFont) {
  const auto tess = MakeTessellator();
  if (!tess || glGetString(GL_VERSION) == nullptr) {
    return; // no current context, or no tessellator: the clock is not drawn
  }
  // Errors left by earlier work must not count against the glyphs.
  for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
  }
  for (int code = 0; code < kClockGlyphCount; ++code) {
    const TGlyphOutline glyph = GlyphOutline(AFont, static_cast<uint8_t>(code));
    FAdvances[static_cast<size_t>(code)] = glyph.Advance;
    glNewList(kClockGlyphListBase + static_cast<GLuint>(code), GL_COMPILE);
    CompileGlyph(tess.get(), glyph);
    glEndList();
  }
  FBuilt = glGetError() == GL_NO_ERROR && glIsList(kClockGlyphListBase) == GL_TRUE;
}

void TClockGlyphs::DrawText(const std::string& AAnsiText) const {
  if (!FBuilt || AAnsiText.empty()) {
    return;
  }
  glListBase(kClockGlyphListBase);
  glCallLists(static_cast<GLsizei>(AAnsiText.size()), GL_UNSIGNED_BYTE, AAnsiText.data());
}

double TClockGlyphs::TextWidth(const std::string& AAnsiText) const {
  double width = 0.0;
  for (const char c : AAnsiText) {
    width += FAdvances[static_cast<unsigned char>(c)];
  }
  return width;
}

} // namespace vexil
