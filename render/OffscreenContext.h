// An OpenGL context without any window, through EGL: the multisample probe runs on one where no
// Qt GUI application exists, and headless drawing (tests, benchmarks, picture tools) draws
// into a TOffscreenFramebuffer with one current.
#pragma once

#include <EGL/egl.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vexil {

class EOffscreenContextError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TOffscreenContext {
public:
  // An OpenGL 2.1 compatibility context made current on the calling thread. Prefers Mesa's
  // surfaceless platform (no display server needed), then the default display. Raises
  // EOffscreenContextError naming the step that failed.
  TOffscreenContext();
  ~TOffscreenContext();
  TOffscreenContext(const TOffscreenContext&) = delete;
  TOffscreenContext& operator=(const TOffscreenContext&) = delete;

  // nullptr instead of an error.
  static std::unique_ptr<TOffscreenContext> TryCreate();

  void MakeCurrent();

private:
  void OpenDisplay();
  void CreateContext();
  // Destroys the surface and context made so far.
  void Release() noexcept;

  EGLDisplay FDisplay = EGL_NO_DISPLAY;
  EGLContext FContext = EGL_NO_CONTEXT;
  EGLSurface FSurface = EGL_NO_SURFACE; // a 1 x 1 pbuffer where surfaceless contexts are refused
};

// A framebuffer object of AWidth x AHeight RGBA8 colour and 24-bit depth, multisampled with
// ASamples > 0. Needs a current context for its whole life.
class TOffscreenFramebuffer {
public:
  TOffscreenFramebuffer(int AWidth, int AHeight, int ASamples);
  ~TOffscreenFramebuffer();
  TOffscreenFramebuffer(const TOffscreenFramebuffer&) = delete;
  TOffscreenFramebuffer& operator=(const TOffscreenFramebuffer&) = delete;

  void Bind() const;
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Samples the driver actually gave the drawing buffer (GL_SAMPLES while bound).
  int Samples() const;
  // The picture as RGBA bytes, top row first (multisampled buffers are resolved first).
  // Leaves the drawing buffer bound.
  std::vector<uint8_t> ReadPixels() const;

private:
  struct TBuffers {
    uint32_t Framebuffer = 0;
    uint32_t Colour = 0;
    uint32_t Depth = 0;
  };
  static TBuffers CreateBuffers(int AWidth, int AHeight, int ASamples, bool AWithDepth);
  static void DeleteBuffers(const TBuffers& ABuffers);

  int FWidth;
  int FHeight;
  int FSamples;
  TBuffers FDraw;
  TBuffers FResolve; // single-sampled copy for reading; unused without samples
};

} // namespace vexil
