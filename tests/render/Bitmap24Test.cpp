// The sticker pictures as the textures read them: the shipped resources, the colour order and
// row order of the copy, and pictures that cannot be used, which must raise EInvalidGraphic.
#include "render/Bitmap24.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vexil {
namespace {

TEST(Bitmap24Test, ShippedStickerPicturesAreReadFromTheResources) {
  const TBitmap24 first = LoadBitmap24(StickerPictureName(0));
  const TBitmap24 second = LoadBitmap24(StickerPictureName(1));
  EXPECT_EQ(first.Width, 128);
  EXPECT_EQ(first.Height, 128);
  EXPECT_EQ(first.Pixels.size(), 128u * 128u * 3u);
  // Pictures 0 and 1 differ only in two bytes after their pixels.
  EXPECT_EQ(first.Pixels, second.Pixels);
  for (int number = 2; number <= 6; ++number) {
    EXPECT_EQ(LoadBitmap24(StickerPictureName(number)).Width, 128) << number;
  }
}

TEST(Bitmap24Test, CopiesBlueGreenRedWithTheTopRowFirstAndDropsAlpha) {
  QImage image(3, 2, QImage::Format_ARGB32);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      image.setPixel(x, y, qRgba(200, y, x, 7));
    }
  }
  const TBitmap24 bitmap = BitmapFromImage(image);
  ASSERT_EQ(bitmap.Width, 3);
  ASSERT_EQ(bitmap.Height, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const uint8_t* p = bitmap.Pixel(x, y);
      EXPECT_EQ(p[0], x);
      EXPECT_EQ(p[1], y);
      EXPECT_EQ(p[2], 200);
    }
  }
}

TEST(Bitmap24Test, PicturesThatCannotBeUsedRaiseAndNameTheFile) {
  EXPECT_THROW(BitmapFromImage(QImage()), EInvalidGraphic);
  EXPECT_THROW(BitmapFromImage(QImage(kMaxBitmapSide + 1, 1, QImage::Format_RGB888)),
               EInvalidGraphic);
  QTemporaryDir folder;
  const QString cut = folder.filePath(QStringLiteral("cut.bmp"));
  {
    QFile source(StickerPictureName(2));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QFile target(cut);
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    target.write(source.read(40)); // the header cut short
  }
  for (const QString& name : {cut, folder.filePath(QStringLiteral("missing.bmp"))}) {
    try {
      LoadBitmap24(name);
      ADD_FAILURE() << name.toStdString() << " was read";
    } catch (const EInvalidGraphic& error) {
      EXPECT_NE(std::string(error.what()).find(name.toStdString()), std::string::npos);
    }
  }
}

} // namespace
} // namespace vexil
