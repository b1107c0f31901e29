// Generates the sticker pictures resources/stickers/plane_0.bmp .. plane_6.bmp.
//
//   gen_sticker_bitmaps PATH...     each PATH ends in plane_<0..6>.bmp and gets that picture
//
// plane_0 .. plane_5: a white square filling 128 x 128 pixels with rounded corners on the
// sticker-background grey (76, 76, 76). Each corner is a quarter ellipse of 17.64 x 18.18 pixels
// (slightly out of round so that the counts below come out exactly; the difference does not
// show), anti-aliased by 16 x 16 samples per pixel: a pixel no sample of which falls inside is
// background grey, one all of whose samples fall inside is white, and the rim between takes the
// grey 76 + round(179 x coverage), which is never 76 nor 255. That gives 216 background pixels,
// 128 rim pixels and 16,040 white ones; the generator refuses to write anything else.
// plane_6 is background grey only.
//
// The files are 24-bit BMPs with bottom-up rows. plane_0 carries two zero bytes after its pixels,
// counted by the file-size and image-size header fields, as the shipped picture always has.
// The output is the same bytes on every run.
#include "tools/GeneratedFile.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 128;
constexpr uint8_t kKeyGrey = 76;
constexpr uint8_t kWhite = 255;
constexpr double kCornerRadiusX = 17.64;
constexpr double kCornerRadiusY = 18.18;
constexpr int kSamples = 16;

constexpr int kExpectedKeyPixels = 216;
constexpr int kExpectedRimPixels = 128;
constexpr int kExpectedWhitePixels = 16040;

// One grey per pixel, top row first.
using TGreyPicture = std::vector<uint8_t>;

// Whether the point (X, Y) of the top-left corner's frame lies inside the rounded square. The
// other three corners are mirror images of this one.
bool InsideCorner(double X, double Y) {
  if (X >= kCornerRadiusX || Y >= kCornerRadiusY) {
    return true;
  }
  const double DX = (X - kCornerRadiusX) / kCornerRadiusX;
  const double DY = (Y - kCornerRadiusY) / kCornerRadiusY;
  return DX * DX + DY * DY <= 1.0;
}

uint8_t PixelGrey(int X, int Y) {
  // Fold the pixel into the top-left corner.
  const int CornerX = X < kSize / 2 ? X : kSize - 1 - X;
  const int CornerY = Y < kSize / 2 ? Y : kSize - 1 - Y;
  int Inside = 0;
  for (int SY = 0; SY < kSamples; ++SY) {
    for (int SX = 0; SX < kSamples; ++SX) {
      Inside += InsideCorner(CornerX + (SX + 0.5) / kSamples, CornerY + (SY + 0.5) / kSamples);
    }
  }
  const int All = kSamples * kSamples;
  if (Inside == 0) {
    return kKeyGrey;
  }
  if (Inside == All) {
    return kWhite;
  }
  const double Coverage = static_cast<double>(Inside) / All;
  return static_cast<uint8_t>(kKeyGrey + std::lround((kWhite - kKeyGrey) * Coverage));
}

TGreyPicture StickerPicture() {
  TGreyPicture Picture(kSize * kSize);
  int Key = 0;
  int White = 0;
  int Rim = 0;
  for (int Y = 0; Y < kSize; ++Y) {
    for (int X = 0; X < kSize; ++X) {
      const uint8_t Grey = PixelGrey(X, Y);
      Picture[Y * kSize + X] = Grey;
      Key += Grey == kKeyGrey;
      White += Grey == kWhite;
      Rim += Grey != kKeyGrey && Grey != kWhite;
    }
  }
  if (Key != kExpectedKeyPixels || White != kExpectedWhitePixels || Rim != kExpectedRimPixels) {
    throw std::runtime_error("sticker picture has " + std::to_string(Key) + " background, " +
                             std::to_string(Rim) + " rim and " + std::to_string(White) +
                             " white pixels");
  }
  return Picture;
}

TGreyPicture BackgroundPicture() {
  return TGreyPicture(kSize * kSize, kKeyGrey);
}

class TByteWriter {
public:
  void U16(uint32_t AValue) {
    Bytes.push_back(static_cast<uint8_t>(AValue));
    Bytes.push_back(static_cast<uint8_t>(AValue >> 8));
  }
  void U32(uint32_t AValue) {
    U16(AValue & 0xFFFF);
    U16(AValue >> 16);
  }
  std::vector<uint8_t> Bytes;
};

std::vector<uint8_t> EncodeBmp(const TGreyPicture& APicture, int ATrailingBytes) {
  const uint32_t HeaderBytes = 14 + 40;
  const uint32_t ImageBytes = kSize * kSize * 3 + ATrailingBytes; // rows need no padding
  TByteWriter Writer;
  Writer.Bytes = {'B', 'M'};
  Writer.U32(HeaderBytes + ImageBytes);
  Writer.U32(0); // reserved
  Writer.U32(HeaderBytes);
  Writer.U32(40);
  Writer.U32(kSize);
  Writer.U32(kSize); // positive height: bottom-up rows
  Writer.U16(1);     // planes
  Writer.U16(24);    // bits per pixel
  Writer.U32(0);     // no compression
  Writer.U32(ImageBytes);
  Writer.U32(3780); // 96 pixels per inch, in pixels per metre
  Writer.U32(3780);
  Writer.U32(0); // colours used
  Writer.U32(0); // important colours
  for (int Y = kSize - 1; Y >= 0; --Y) {
    for (int X = 0; X < kSize; ++X) {
      const uint8_t Grey = APicture[Y * kSize + X];
      Writer.Bytes.insert(Writer.Bytes.end(), {Grey, Grey, Grey});
    }
  }
  Writer.Bytes.insert(Writer.Bytes.end(), ATrailingBytes, 0);
  return Writer.Bytes;
}

// The picture number named by a path ending in plane_<N>.bmp, or -1.
int PictureNumber(const std::string& APath) {
  const std::string Suffix = ".bmp";
  const std::string Prefix = "plane_";
  const size_t Slash = APath.find_last_of("/\\");
  const std::string Name = Slash == std::string::npos ? APath : APath.substr(Slash + 1);
  if (Name.size() != Prefix.size() + 1 + Suffix.size() || Name.compare(0, Prefix.size(), Prefix) ||
      Name.compare(Prefix.size() + 1, Suffix.size(), Suffix)) {
    return -1;
  }
  const char Digit = Name[Prefix.size()];
  return Digit >= '0' && Digit <= '6' ? Digit - '0' : -1;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: gen_sticker_bitmaps PATH...  (each ending in plane_<0..6>.bmp)\n");
    return 2;
  }
  try {
    const TGreyPicture Sticker = StickerPicture();
    for (int I = 1; I < argc; ++I) {
      const int Number = PictureNumber(argv[I]);
      if (Number < 0) {
        throw std::runtime_error(std::string("not a plane_<0..6>.bmp path: ") + argv[I]);
      }
      const TGreyPicture& Picture = Number == 6 ? BackgroundPicture() : Sticker;
      vexil::WriteGeneratedFile(argv[I], EncodeBmp(Picture, Number == 0 ? 2 : 0));
    }
  } catch (const std::exception& E) {
    std::fprintf(stderr, "gen_sticker_bitmaps: %s\n", E.what());
    return 1;
  }
  return 0;
}
