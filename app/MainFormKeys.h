// The navigation keys the main window tracks while they are held, and which keys they are.
#pragma once

#include <cstdint>

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

// The member a Qt key code stands for: Control, the arrows and W/A/S/D, plus and "=", minus
// (main keyboard and numeric pad alike). False for every other key.
bool KeyOf(int AQtKey, TKey& AKey);

} // namespace vexil
