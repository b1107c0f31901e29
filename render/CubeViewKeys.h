// The navigation keys the cube view tracks while they are held, and which keys they are.
#pragma once

#include <cstdint>

class QKeyEvent;

namespace vexil {

enum class TKey : uint8_t { kLeft, kRight, kUp, kDown, kCtrl, kZoomIn, kZoomOut };

// A set of TKey in one byte, kLeft as bit 0.
class TKeys {
public:
  bool Contains(TKey AKey) const { return (FBits & Bit(AKey)) != 0; }
  bool Empty() const { return FBits == 0; }
  void Include(TKey AKey) { FBits = static_cast<uint8_t>(FBits | Bit(AKey)); }
  void Exclude(TKey AKey) { FBits = static_cast<uint8_t>(FBits & ~Bit(AKey)); }
  void Clear() { FBits = 0; }
  uint8_t Bits() const { return FBits; }

private:
  static uint8_t Bit(TKey AKey) { return static_cast<uint8_t>(1u << static_cast<unsigned>(AKey)); }
  uint8_t FBits = 0;
};

// One key as the window receives it: what the keyboard layout made of it and, where the
// platform tells, which physical key it was.
struct TKeyStroke {
  // The Qt key code: the layout's letter for letter keys.
  int QtKey = 0;
  // The XKB keycode of the physical key (X11 and Wayland), 0 where it is unknown.
  uint32_t XkbKeycode = 0;
};

// The physical keys of the W, A, S and D letters on a US keyboard, as XKB numbers them (the same
// in the evdev and the older xfree86 keycode sets).
constexpr uint32_t kXkbKeycodeW = 25;
constexpr uint32_t kXkbKeycodeA = 38;
constexpr uint32_t kXkbKeycodeS = 39;
constexpr uint32_t kXkbKeycodeD = 40;

// The member a key stands for: Control, the arrows, plus and "=", minus (main keyboard and
// numeric pad alike) by their key codes, and the W/A/S/D keys by their place on the keyboard,
// whatever letters the layout puts there. Where the physical key is unknown the letters stand
// for their places: W/A/S/D, and Ц/Ф/Ы/В of the Russian layout. False for every other key.
bool KeyOf(const TKeyStroke& AStroke, TKey& AKey);
// The physical key of the letter P on a US keyboard, as XKB numbers it.
constexpr uint32_t kXkbKeycodeP = 33;
// The key pauses the game and lets it go on: the Pause key, and the P key by its place on the
// keyboard as W/A/S/D are (З under the Russian layout); where the place is unknown, the letters
// P and З.
bool IsPauseKey(const TKeyStroke& AStroke);

// The key of AEvent; the physical key is read where the platform's native scan code is an XKB
// keycode.
TKeyStroke KeyStrokeOf(const QKeyEvent& AEvent);

} // namespace vexil
