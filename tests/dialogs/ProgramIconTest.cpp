#include "dialogs/ProgramIcon.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace vexil;

namespace {

constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

// The hue family of a colour: the strongest of its components, or "white" / "none".
enum class TTint { kNone, kWhite, kRed, kGreen, kBlue, kOther };

TTint TintAt(const QImage& AImage, double AX, double AY) {
  const QColor color = AImage.pixelColor(static_cast<int>(AX * AImage.width()),
                                         static_cast<int>(AY * AImage.height()));
  if (color.alpha() < 128) {
    return TTint::kNone;
  }
  const int r = color.red();
  const int g = color.green();
  const int b = color.blue();
  if (r > 200 && g > 200 && b > 200) {
    return TTint::kWhite;
  }
  if (r > 2 * g && r > 2 * b) {
    return TTint::kRed;
  }
  if (g > 2 * r && g > 2 * b) {
    return TTint::kGreen;
  }
  if (b > 2 * r && b > 2 * g) {
    return TTint::kBlue;
  }
  return TTint::kOther;
}

} // namespace

TEST(ProgramIcon, EveryDrawnSizeIsCarriedAndUsedUnscaled) {
  const QIcon icon = ProgramIcon();
  for (const int size : kSizes) {
    const QPixmap image = ProgramIconImage(size);
    ASSERT_FALSE(image.isNull()) << size;
    EXPECT_EQ(image.size(), QSize(size, size));
    EXPECT_TRUE(image.hasAlphaChannel()) << size;
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    EXPECT_EQ(icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32),
              image.toImage().convertToFormat(QImage::Format_ARGB32))
        << size;
  }
}

TEST(ProgramIcon, ShowsTheCubeOnACornerInTheDefaultColours) {
  for (const int size : kSizes) {
    const QImage image = ProgramIconImage(size).toImage();
    // Transparent corners around the cube; white on top, green left, red right.
    EXPECT_EQ(TintAt(image, 0.02, 0.02), TTint::kNone) << size;
    EXPECT_EQ(TintAt(image, 0.97, 0.97), TTint::kNone) << size;
    EXPECT_EQ(TintAt(image, 0.5, 0.27), TTint::kWhite) << size;
    EXPECT_EQ(TintAt(image, 0.30, 0.62), TTint::kGreen) << size;
    EXPECT_EQ(TintAt(image, 0.70, 0.62), TTint::kRed) << size;
  }
}
