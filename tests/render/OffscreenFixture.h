// A headless OpenGL context with a framebuffer of the game window's client size, shared by the
// pixel tests. Tests skip when the machine offers no EGL context at all.
#pragma once

#include "render/GLIncludes.h"
#include "render/OffscreenContext.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace vexil {

class TOffscreenTest : public ::testing::Test {
protected:
  static constexpr int kWidth = 716;
  static constexpr int kHeight = 466;

  void SetUp() override {
    FContext = TOffscreenContext::TryCreate();
    if (FContext == nullptr) {
      GTEST_SKIP() << "no headless OpenGL context";
    }
    FFramebuffer = std::make_unique<TOffscreenFramebuffer>(kWidth, kHeight, 0);
  }

  void TearDown() override {
    FFramebuffer.reset();
    FContext.reset();
  }

  // RGBA of pixel (X, Y) counted from the top-left corner of APixels.
  static std::array<int, 4> PixelAt(const std::vector<uint8_t>& APixels, int X, int Y) {
    const size_t Offset = (static_cast<size_t>(Y) * kWidth + X) * 4;
    return {APixels[Offset], APixels[Offset + 1], APixels[Offset + 2], APixels[Offset + 3]};
  }

  std::unique_ptr<TOffscreenContext> FContext;
  std::unique_ptr<TOffscreenFramebuffer> FFramebuffer;
};

} // namespace vexil
