#include "render/Bitmap24.h"

#include <QImage>
#include <QImageReader>

#include <string>

namespace vexil {

TBitmap24 BitmapFromImage(const QImage& AImage) {
  if (AImage.isNull() || AImage.width() > kMaxBitmapSide || AImage.height() > kMaxBitmapSide) {
    throw EInvalidGraphic("Bitmap image is not valid: " + std::to_string(AImage.width()) + " x " +
                          std::to_string(AImage.height()) + " pixels");
  }
  const QImage rgb = AImage.convertToFormat(QImage::Format_RGB888);
  TBitmap24 bitmap;
  bitmap.Width = rgb.width();
  bitmap.Height = rgb.height();
  bitmap.Pixels.resize(static_cast<size_t>(bitmap.Width) * bitmap.Height * 3);
  for (int32_t y = 0; y < bitmap.Height; ++y) {
    const uchar* row = rgb.constScanLine(y);
    uint8_t* out = &bitmap.Pixels[static_cast<size_t>(y) * bitmap.Width * 3];
    for (int32_t x = 0; x < bitmap.Width; ++x) {
      out[3 * x] = row[3 * x + 2];
      out[3 * x + 1] = row[3 * x + 1];
      out[3 * x + 2] = row[3 * x];
    }
  }
  return bitmap;
}

TBitmap24 LoadBitmap24(const QString& AFileName) {
  QImageReader reader(AFileName);
  const QImage image = reader.read();
  if (image.isNull()) {
    throw EInvalidGraphic(AFileName.toStdString() + ": " + reader.errorString().toStdString());
  }
  return BitmapFromImage(image);
}

QString StickerPictureName(int ANumber) {
  return QStringLiteral(":/stickers/plane_%1.bmp").arg(ANumber);
}

} // namespace vexil
