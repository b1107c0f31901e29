// Which keys spin and zoom: by key code for the keys every layout agrees on, by place on the
// keyboard for the W/A/S/D letters.
#include "render/CubeViewKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <optional>

using namespace vexil;

namespace {

std::optional<TKey> Key(int AQtKey, uint32_t AKeycode = 0) {
  TKey key;
  if (KeyOf(TKeyStroke{AQtKey, AKeycode}, key)) {
    return key;
  }
  return std::nullopt;
}

// Qt's codes of the Cyrillic capitals the Russian layout puts on W, A, S, D, and on Z.
constexpr int kTse = 0x0426;
constexpr int kEf = 0x0424;
constexpr int kYeru = 0x042B;
constexpr int kVe = 0x0412;
constexpr int kYa = 0x042F;

} // namespace

TEST(MainFormKeys, ArrowsControlAndZoomKeysGoByTheirCodeWhereverThePlatformPutsThem) {
  EXPECT_EQ(Key(Qt::Key_Left), TKey::kLeft);
  EXPECT_EQ(Key(Qt::Key_Right, 114), TKey::kRight);
  EXPECT_EQ(Key(Qt::Key_Up, 111), TKey::kUp);
  EXPECT_EQ(Key(Qt::Key_Down), TKey::kDown);
  EXPECT_EQ(Key(Qt::Key_Control, 37), TKey::kCtrl);
  EXPECT_EQ(Key(Qt::Key_Plus, 86), TKey::kZoomIn); // numeric pad
  EXPECT_EQ(Key(Qt::Key_Equal, 21), TKey::kZoomIn);
  EXPECT_EQ(Key(Qt::Key_Minus, 20), TKey::kZoomOut);
  EXPECT_EQ(Key(Qt::Key_Underscore), TKey::kZoomOut);
}

TEST(MainFormKeys, LettersGoByTheirPlaceWhenThePhysicalKeyIsKnown) {
  // The Russian layout: the W/A/S/D places carry Ц, Ф, Ы, В.
  EXPECT_EQ(Key(kTse, kXkbKeycodeW), TKey::kUp);
  EXPECT_EQ(Key(kEf, kXkbKeycodeA), TKey::kLeft);
  EXPECT_EQ(Key(kYeru, kXkbKeycodeS), TKey::kDown);
  EXPECT_EQ(Key(kVe, kXkbKeycodeD), TKey::kRight);
  // The US layout.
  EXPECT_EQ(Key(Qt::Key_W, kXkbKeycodeW), TKey::kUp);
  EXPECT_EQ(Key(Qt::Key_D, kXkbKeycodeD), TKey::kRight);
  // A French layout puts Z in the W place and W in the Z place (keycode 52): the place counts.
  EXPECT_EQ(Key(Qt::Key_Z, kXkbKeycodeW), TKey::kUp);
  EXPECT_EQ(Key(Qt::Key_W, 52), std::nullopt);
  EXPECT_EQ(Key(Qt::Key_Q, kXkbKeycodeA), TKey::kLeft);
  // Other letters and their places do nothing.
  EXPECT_EQ(Key(kYa, 52), std::nullopt);
  EXPECT_EQ(Key(Qt::Key_E, 26), std::nullopt);
}

TEST(MainFormKeys, WithoutThePhysicalKeyTheLettersOfBothLanguagesStandForTheirPlaces) {
  EXPECT_EQ(Key(Qt::Key_W), TKey::kUp);
  EXPECT_EQ(Key(Qt::Key_A), TKey::kLeft);
  EXPECT_EQ(Key(Qt::Key_S), TKey::kDown);
  EXPECT_EQ(Key(Qt::Key_D), TKey::kRight);
  EXPECT_EQ(Key(kTse), TKey::kUp);
  EXPECT_EQ(Key(kEf), TKey::kLeft);
  EXPECT_EQ(Key(kYeru), TKey::kDown);
  EXPECT_EQ(Key(kVe), TKey::kRight);
  EXPECT_EQ(Key(kYa), std::nullopt);
  EXPECT_EQ(Key(Qt::Key_Z), std::nullopt);
  EXPECT_EQ(Key(0), std::nullopt);
  EXPECT_EQ(Key(Qt::Key_unknown), std::nullopt);
}

TEST(MainFormKeys, TheScanCodeIsReadAsTheKeyPlaceOnlyWhereItIsAnXkbKeycode) {
  const QKeyEvent event(QEvent::KeyPress, kTse, Qt::NoModifier, kXkbKeycodeW, 0x6c3, 0);
  const TKeyStroke stroke = KeyStrokeOf(event);
  EXPECT_EQ(stroke.QtKey, kTse);
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"))) {
    EXPECT_EQ(stroke.XkbKeycode, kXkbKeycodeW);
  } else {
    EXPECT_EQ(stroke.XkbKeycode, 0u) << platform.toStdString();
  }
  TKey key;
  ASSERT_TRUE(KeyOf(stroke, key));
  EXPECT_EQ(key, TKey::kUp);
}
