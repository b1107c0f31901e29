#include "render/CubeViewKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace vexil {

namespace {

// Keys whose code means the same key in every layout.
bool FixedKeyOf(int AQtKey, TKey& AKey) {
  switch (AQtKey) {
  case Qt::Key_Control:
    AKey = TKey::kCtrl;
    return true;
  case Qt::Key_Left:
    AKey = TKey::kLeft;
    return true;
  case Qt::Key_Up:
    AKey = TKey::kUp;
    return true;
  case Qt::Key_Right:
    AKey = TKey::kRight;
    return true;
  case Qt::Key_Down:
    AKey = TKey::kDown;
    return true;
  case Qt::Key_Plus:
  case Qt::Key_Equal:
    AKey = TKey::kZoomIn;
    return true;
  case Qt::Key_Minus:
  case Qt::Key_Underscore:
    AKey = TKey::kZoomOut;
    return true;
  default:
    return false;
  }
}

bool LetterKeyOfKeycode(uint32_t AKeycode, TKey& AKey) {
  switch (AKeycode) {
  case kXkbKeycodeW:
    AKey = TKey::kUp;
    return true;
  case kXkbKeycodeA:
    AKey = TKey::kLeft;
    return true;
  case kXkbKeycodeS:
    AKey = TKey::kDown;
    return true;
  case kXkbKeycodeD:
    AKey = TKey::kRight;
    return true;
  default:
    return false;
  }
}

// Qt gives letters as their upper-case code points.
constexpr int kCyrillicTse = 0x0426;  // Ц, on the W key
constexpr int kCyrillicEf = 0x0424;   // Ф, on the A key
constexpr int kCyrillicYeru = 0x042B; // Ы, on the S key
constexpr int kCyrillicVe = 0x0412;   // В, on the D key

bool LetterKeyOfCode(int AQtKey, TKey& AKey) {
  switch (AQtKey) {
  case Qt::Key_W:
  case kCyrillicTse:
    AKey = TKey::kUp;
    return true;
  case Qt::Key_A:
  case kCyrillicEf:
    AKey = TKey::kLeft;
    return true;
  case Qt::Key_S:
  case kCyrillicYeru:
    AKey = TKey::kDown;
    return true;
  case Qt::Key_D:
  case kCyrillicVe:
    AKey = TKey::kRight;
    return true;
  default:
    return false;
  }
}

bool ScanCodesAreXkbKeycodes() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

} // namespace

bool KeyOf(const TKeyStroke& AStroke, TKey& AKey) {
  if (FixedKeyOf(AStroke.QtKey, AKey)) {
    return true;
  }
  // Where the physical key is known only its place counts: under another Latin layout the letter
  // W may sit elsewhere, and the key in the W place is the one meant.
  return AStroke.XkbKeycode != 0 ? LetterKeyOfKeycode(AStroke.XkbKeycode, AKey)
                                 : LetterKeyOfCode(AStroke.QtKey, AKey);
}

bool IsPauseKey(const TKeyStroke& AStroke) {
  constexpr int kCyrillicZe = 0x0417; // З, on the P key
  if (AStroke.QtKey == Qt::Key_Pause) {
    return true;
  }
  return AStroke.XkbKeycode != 0 ? AStroke.XkbKeycode == kXkbKeycodeP
                                 : AStroke.QtKey == Qt::Key_P || AStroke.QtKey == kCyrillicZe;
}

TKeyStroke KeyStrokeOf(const QKeyEvent& AEvent) {
  TKeyStroke stroke;
  stroke.QtKey = AEvent.key();
  if (ScanCodesAreXkbKeycodes()) {
    stroke.XkbKeycode = AEvent.nativeScanCode();
  }
  return stroke;
}

} // namespace vexil
