// Draws the program icon: the cube seen on a corner, its three visible sides in the default
// sticker colours (white on top, green on the left, red on the right) on a dark body. Writes
// program_16.png .. program_256.png (RGBA) and program.svg into the folder it is given:
//   gen_program_icon <repository>/resources/icons
// and commit the result; ctest fails while the committed files differ from this output.
//
// Plain C++ on purpose: the pixels are supersampled here and the PNG files are written by a
// small deflate coder of our own, so the output depends on no library version.
#include "engine/DefaultColors.h"

#include "tools/GeneratedFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

// ---------------------------------------------------------------------------------------------
// The picture, in a unit square with y pointing down.

struct TPoint2 {
  double X;
  double Y;
};

struct TRgb {
  double R;
  double G;
  double B;
};

// One visible side: the points Origin + u * Edge1 + v * Edge2 for u, v in 0..1.
struct TSide {
  TPoint2 Origin;
  TPoint2 Edge1;
  TPoint2 Edge2;
  TRgb Color;
};

constexpr double kMargin = 0.02;
constexpr TRgb kBodyColor = {0.10, 0.10, 0.11};

TRgb PackedColor(int32_t APacked, double ABrightness) {
  return {(APacked & 0xFF) / 255.0 * ABrightness, ((APacked >> 8) & 0xFF) / 255.0 * ABrightness,
          ((APacked >> 16) & 0xFF) / 255.0 * ABrightness};
}

// An isometric cube that fills the square's height: a hexagon of edge S around the centre.
std::array<TSide, 3> Sides() {
  const double edge = (1.0 - 2.0 * kMargin) / 2.0;
  const double halfWidth = edge * std::sqrt(3.0) / 2.0;
  const TPoint2 centre = {0.5, 0.5};
  const TPoint2 top = {0.5, 0.5 - edge};
  const TPoint2 upperLeft = {0.5 - halfWidth, 0.5 - edge / 2.0};
  const TPoint2 upperRight = {0.5 + halfWidth, 0.5 - edge / 2.0};
  const TPoint2 lowerLeft = {0.5 - halfWidth, 0.5 + edge / 2.0};
  const TPoint2 bottom = {0.5, 0.5 + edge};
  const auto minus = [](TPoint2 A, TPoint2 B) { return TPoint2{A.X - B.X, A.Y - B.Y}; };
  const auto& colors = vexil::kDefaultPlaneColors;
  return {{
      {upperLeft, minus(top, upperLeft), minus(centre, upperLeft), PackedColor(colors[0], 1.0)},
      {upperLeft, minus(centre, upperLeft), minus(lowerLeft, upperLeft),
       PackedColor(colors[1], 0.88)},
      {centre, minus(upperRight, centre), minus(bottom, centre), PackedColor(colors[2], 0.76)},
  }};
}

// How the stickers sit on a side at one icon size.
struct TStyle {
  int Grid;      // stickers per row
  double Gap;    // dark border on each side of a sticker, as a part of its cell
  double Radius; // rounding of the sticker corners, as a part of its cell
};

TStyle StyleFor(int ASize) {
  // Below 32 pixels stickers would blur into each other: each side is one plain colour there.
  // Borders stay about half a pixel wide.
  const int grid = ASize < 32 ? 1 : 3;
  const double cellPixels = (1.0 - 2.0 * kMargin) / 2.0 * ASize / grid;
  return {grid, std::clamp(0.55 / cellPixels, 0.06, 0.2), grid == 1 ? 0.1 : 0.2};
}

bool InsideRoundedCell(double AU, double AV, const TStyle& AStyle) {
  const double lo = AStyle.Gap;
  const double hi = 1.0 - AStyle.Gap;
  if (AU < lo || AU > hi || AV < lo || AV > hi) {
    return false;
  }
  const double r = AStyle.Radius;
  const double du = std::max({lo + r - AU, AU - (hi - r), 0.0});
  const double dv = std::max({lo + r - AV, AV - (hi - r), 0.0});
  return du * du + dv * dv <= r * r;
}

// The colour at a point, or false where the point lies outside the cube.
bool Sample(const std::array<TSide, 3>& ASides, const TStyle& AStyle, TPoint2 APoint,
            TRgb& AColor) {
  for (const TSide& side : ASides) {
    const double det = side.Edge1.X * side.Edge2.Y - side.Edge1.Y * side.Edge2.X;
    const double dx = APoint.X - side.Origin.X;
    const double dy = APoint.Y - side.Origin.Y;
    const double u = (dx * side.Edge2.Y - dy * side.Edge2.X) / det;
    const double v = (side.Edge1.X * dy - side.Edge1.Y * dx) / det;
    if (u < 0.0 || u > 1.0 || v < 0.0 || v > 1.0) {
      continue;
    }
    const double cu = u * AStyle.Grid;
    const double cv = v * AStyle.Grid;
    const bool sticker = InsideRoundedCell(cu - std::floor(cu), cv - std::floor(cv), AStyle);
    AColor = sticker ? side.Color : kBodyColor;
    return true;
  }
  return false;
}

uint8_t Byte(double AValue) {
  return static_cast<uint8_t>(std::lround(std::clamp(AValue, 0.0, 1.0) * 255.0));
}

// RGBA rows, top first: every pixel averages 8 x 8 samples; the colour is that of the samples
// on the cube, the alpha the share of them.
TBytes RenderPixels(int ASize) {
  constexpr int kSamples = 8;
  const std::array<TSide, 3> sides = Sides();
  const TStyle style = StyleFor(ASize);
  TBytes pixels;
  pixels.reserve(static_cast<size_t>(ASize) * ASize * 4);
  for (int y = 0; y < ASize; ++y) {
    for (int x = 0; x < ASize; ++x) {
      TRgb sum = {0.0, 0.0, 0.0};
      int covered = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const TPoint2 point = {(x + (sx + 0.5) / kSamples) / ASize,
                                 (y + (sy + 0.5) / kSamples) / ASize};
          TRgb color;
          if (Sample(sides, style, point, color)) {
            sum = {sum.R + color.R, sum.G + color.G, sum.B + color.B};
            ++covered;
          }
        }
      }
      const double n = covered > 0 ? covered : 1;
      pixels.insert(pixels.end(), {Byte(sum.R / n), Byte(sum.G / n), Byte(sum.B / n),
                                   Byte(static_cast<double>(covered) / (kSamples * kSamples))});
    }
  }
  return pixels;
}

// ---------------------------------------------------------------------------------------------
// Deflate with the fixed Huffman codes and greedy LZ77 matching (RFC 1951), in a zlib wrapper
// (RFC 1950).

class TBitWriter {
public:
  void Put(uint32_t AValue, int ACount) {
    for (int i = 0; i < ACount; ++i) {
      FCurrent |= ((AValue >> i) & 1u) << FUsed;
      if (++FUsed == 8) {
        Flush();
      }
    }
  }
  // Huffman codes go most significant bit first.
  void PutCode(uint32_t ACode, int ACount) {
    for (int i = ACount - 1; i >= 0; --i) {
      Put((ACode >> i) & 1u, 1);
    }
  }
  TBytes Finish() {
    if (FUsed > 0) {
      Flush();
    }
    return std::move(FBytes);
  }

private:
  void Flush() {
    FBytes.push_back(static_cast<uint8_t>(FCurrent));
    FCurrent = 0;
    FUsed = 0;
  }
  TBytes FBytes;
  uint32_t FCurrent = 0;
  int FUsed = 0;
};

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                             15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                             67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutLiteralOrLength(TBitWriter& AOut, int ASymbol) {
  if (ASymbol <= 143) {
    AOut.PutCode(0x30 + ASymbol, 8);
  } else if (ASymbol <= 255) {
    AOut.PutCode(0x190 + ASymbol - 144, 9);
  } else if (ASymbol <= 279) {
    AOut.PutCode(ASymbol - 256, 7);
  } else {
    AOut.PutCode(0xC0 + ASymbol - 280, 8);
  }
}

void PutMatch(TBitWriter& AOut, int ALength, int ADistance) {
  int code = 28;
  while (kLengthBase[code] > ALength) {
    --code;
  }
  PutLiteralOrLength(AOut, 257 + code);
  AOut.Put(static_cast<uint32_t>(ALength - kLengthBase[code]), kLengthExtra[code]);
  int distanceCode = 29;
  while (kDistanceBase[distanceCode] > ADistance) {
    --distanceCode;
  }
  AOut.PutCode(static_cast<uint32_t>(distanceCode), 5);
  AOut.Put(static_cast<uint32_t>(ADistance - kDistanceBase[distanceCode]),
           kDistanceExtra[distanceCode]);
}

TBytes Deflate(const TBytes& AData) {
  constexpr int kWindow = 32768;
  constexpr int kMinMatch = 3;
  constexpr int kMaxMatch = 258;
  constexpr int kMaxChain = 64;
  constexpr int kHashSize = 1 << 15;
  const int size = static_cast<int>(AData.size());
  std::vector<int> head(kHashSize, -1);
  std::vector<int> previous(AData.size(), -1);
  const auto hash = [&](int APos) {
    return ((AData[APos] << 10) ^ (AData[APos + 1] << 5) ^ AData[APos + 2]) & (kHashSize - 1);
  };
  const auto insert = [&](int APos) {
    if (APos + kMinMatch <= size) {
      const int h = hash(APos);
      previous[APos] = head[h];
      head[h] = APos;
    }
  };

  TBitWriter out;
  out.Put(1, 1); // the final block
  out.Put(1, 2); // fixed Huffman codes
  int pos = 0;
  while (pos < size) {
    int bestLength = 0;
    int bestDistance = 0;
    if (pos + kMinMatch <= size) {
      int candidate = head[hash(pos)];
      for (int chain = 0; candidate >= 0 && pos - candidate <= kWindow && chain < kMaxChain;
           ++chain, candidate = previous[candidate]) {
        const int limit = std::min(kMaxMatch, size - pos);
        int length = 0;
        while (length < limit && AData[candidate + length] == AData[pos + length]) {
          ++length;
        }
        if (length > bestLength) {
          bestLength = length;
          bestDistance = pos - candidate;
        }
      }
    }
    if (bestLength >= kMinMatch) {
      PutMatch(out, bestLength, bestDistance);
      for (int i = 0; i < bestLength; ++i) {
        insert(pos + i);
      }
      pos += bestLength;
    } else {
      PutLiteralOrLength(out, AData[pos]);
      insert(pos);
      ++pos;
    }
  }
  PutLiteralOrLength(out, 256);
  return out.Finish();
}

void AppendBigEndian(TBytes& AOut, uint32_t AValue) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    AOut.push_back(static_cast<uint8_t>(AValue >> shift));
  }
}

uint32_t Adler32(const TBytes& AData) {
  uint32_t a = 1;
  uint32_t b = 0;
  for (const uint8_t byte : AData) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

TBytes ZlibCompress(const TBytes& AData) {
  TBytes out = {0x78, 0x01}; // deflate with a 32 KiB window, no dictionary
  const TBytes deflated = Deflate(AData);
  out.insert(out.end(), deflated.begin(), deflated.end());
  AppendBigEndian(out, Adler32(AData));
  return out;
}

// ---------------------------------------------------------------------------------------------
// PNG (8-bit RGBA, no interlace, filter "none" on every row).

uint32_t Crc32(const TBytes& AData, size_t AFrom) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = AFrom; i < AData.size(); ++i) {
    crc ^= AData[i];
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
  }
  return ~crc;
}

void AppendChunk(TBytes& AOut, const char* AType, const TBytes& AData) {
  AppendBigEndian(AOut, static_cast<uint32_t>(AData.size()));
  const size_t typeStart = AOut.size();
  AOut.insert(AOut.end(), AType, AType + 4);
  AOut.insert(AOut.end(), AData.begin(), AData.end());
  AppendBigEndian(AOut, Crc32(AOut, typeStart));
}

TBytes EncodePng(int ASize, const TBytes& ARgba) {
  TBytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  TBytes header;
  AppendBigEndian(header, static_cast<uint32_t>(ASize));
  AppendBigEndian(header, static_cast<uint32_t>(ASize));
  header.insert(header.end(), {8, 6, 0, 0, 0}); // depth 8, RGBA, deflate, filters, no interlace
  AppendChunk(out, "IHDR", header);
  TBytes rows;
  const size_t stride = static_cast<size_t>(ASize) * 4;
  for (int y = 0; y < ASize; ++y) {
    rows.push_back(0);
    rows.insert(rows.end(), ARgba.begin() + y * stride, ARgba.begin() + (y + 1) * stride);
  }
  AppendChunk(out, "IDAT", ZlibCompress(rows));
  AppendChunk(out, "IEND", {});
  return out;
}

// ---------------------------------------------------------------------------------------------
// SVG: the same sides, each a group of rounded squares under the side's affine map.

std::string Hex(const TRgb& AColor) {
  static const char* const digits = "0123456789abcdef";
  std::string text = "#";
  for (const double component : {AColor.R, AColor.G, AColor.B}) {
    const uint8_t byte = Byte(component);
    text += digits[byte >> 4];
    text += digits[byte & 15];
  }
  return text;
}

std::string Number(double AValue) {
  std::ostringstream text;
  text.precision(6);
  text << std::fixed << AValue;
  std::string result = text.str();
  result.erase(result.find_last_not_of('0') + 1);
  if (result.back() == '.') {
    result.pop_back();
  }
  return result;
}

std::string Svg() {
  constexpr double kScale = 256.0;
  const std::array<TSide, 3> sides = Sides();
  const TStyle style = StyleFor(256);
  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
         "viewBox=\"0 0 256 256\">\n";
  for (const TSide& side : sides) {
    const TPoint2 o = {side.Origin.X * kScale, side.Origin.Y * kScale};
    const TPoint2 a = {side.Edge1.X * kScale, side.Edge1.Y * kScale};
    const TPoint2 b = {side.Edge2.X * kScale, side.Edge2.Y * kScale};
    svg << "  <g transform=\"matrix(" << Number(a.X) << ' ' << Number(a.Y) << ' ' << Number(b.X)
        << ' ' << Number(b.Y) << ' ' << Number(o.X) << ' ' << Number(o.Y) << ")\">\n";
    svg << "    <rect width=\"1\" height=\"1\" fill=\"" << Hex(kBodyColor) << "\"/>\n";
    const double cell = 1.0 / style.Grid;
    for (int row = 0; row < style.Grid; ++row) {
      for (int column = 0; column < style.Grid; ++column) {
        svg << "    <rect x=\"" << Number((column + style.Gap) * cell) << "\" y=\""
            << Number((row + style.Gap) * cell) << "\" width=\""
            << Number((1.0 - 2.0 * style.Gap) * cell) << "\" height=\""
            << Number((1.0 - 2.0 * style.Gap) * cell) << "\" rx=\"" << Number(style.Radius * cell)
            << "\" fill=\"" << Hex(side.Color) << "\"/>\n";
      }
    }
    svg << "  </g>\n";
  }
  svg << "</svg>\n";
  return svg.str();
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: gen_program_icon <output folder>\n";
    return 2;
  }
  try {
    const std::string folder = std::string(argv[1]) + "/";
    for (const int size : {16, 32, 48, 64, 128, 256}) {
      const TBytes png = EncodePng(size, RenderPixels(size));
      vexil::WriteGeneratedFile(folder + "program_" + std::to_string(size) + ".png",
                                std::string(png.begin(), png.end()));
    }
    vexil::WriteGeneratedFile(folder + "program.svg", Svg());
  } catch (const std::exception& error) {
    std::cerr << "gen_program_icon: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
