#include "render/OffscreenContext.h"

#include "render/GLIncludes.h"

#include <EGL/eglext.h>

#include <cstring>

namespace vexil {

namespace {

bool HasExtension(const char* AExtensions, const char* AName) {
  if (AExtensions == nullptr) {
    return false;
  }
  const size_t length = std::strlen(AName);
  for (const char* P = std::strstr(AExtensions, AName); P != nullptr;
       P = std::strstr(P + length, AName)) {
    const bool startsWord = P == AExtensions || P[-1] == ' ';
    const bool endsWord = P[length] == '\0' || P[length] == ' ';
    if (startsWord && endsWord) {
      return true;
    }
  }
  return false;
}

EGLDisplay SurfacelessDisplay() {
  const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
  if (!HasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
    return EGL_NO_DISPLAY;
  }
  const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay == nullptr) {
    return EGL_NO_DISPLAY;
  }
  return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

bool Initialize(EGLDisplay ADisplay) {
  EGLint major = 0;
  EGLint minor = 0;
  return ADisplay != EGL_NO_DISPLAY && eglInitialize(ADisplay, &major, &minor) == EGL_TRUE;
}

void CheckFramebuffer() {
  const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
  if (status != GL_FRAMEBUFFER_COMPLETE) {
    throw EOffscreenContextError("the offscreen framebuffer is incomplete (status " +
                                 std::to_string(status) + ")");
  }
}

} // namespace

TOffscreenContext::TOffscreenContext() {
  OpenDisplay();
  try {
    CreateContext();
  } catch (...) {
    // No destructor runs for a constructor that throws: a context made before the failing step
    // would stay behind, once for every probe that fails.
    Release();
    throw;
  }
}

TOffscreenContext::~TOffscreenContext() {
  Release();
}

void TOffscreenContext::Release() noexcept {
  // The display stays initialised: EGL displays are shared by the whole process.
  if (FDisplay == EGL_NO_DISPLAY) {
    return;
  }
  eglMakeCurrent(FDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (FSurface != EGL_NO_SURFACE) {
    eglDestroySurface(FDisplay, FSurface);
    FSurface = EGL_NO_SURFACE;
  }
  if (FContext != EGL_NO_CONTEXT) {
    eglDestroyContext(FDisplay, FContext);
    FContext = EGL_NO_CONTEXT;
  }
}

std::unique_ptr<TOffscreenContext> TOffscreenContext::TryCreate() {
  try {
    return std::make_unique<TOffscreenContext>();
  } catch (const EOffscreenContextError&) {
    return nullptr;
  }
}

void TOffscreenContext::OpenDisplay() {
  FDisplay = SurfacelessDisplay();
  if (!Initialize(FDisplay)) {
    FDisplay = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (!Initialize(FDisplay)) {
      throw EOffscreenContextError("no EGL display could be initialised");
    }
  }
  if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
    throw EOffscreenContextError("the EGL display offers no desktop OpenGL");
  }
}

void TOffscreenContext::CreateContext() {
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                     EGL_PBUFFER_BIT,
                                     EGL_RENDERABLE_TYPE,
                                     EGL_OPENGL_BIT,
                                     EGL_RED_SIZE,
                                     8,
                                     EGL_GREEN_SIZE,
                                     8,
                                     EGL_BLUE_SIZE,
                                     8,
                                     EGL_DEPTH_SIZE,
                                     24,
                                     EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  const bool hasConfig =
      eglChooseConfig(FDisplay, configAttributes, &config, 1, &count) == EGL_TRUE && count > 0;
  const bool configless =
      HasExtension(eglQueryString(FDisplay, EGL_EXTENSIONS), "EGL_KHR_no_config_context");
  if (!hasConfig && !configless) {
    throw EOffscreenContextError("the EGL display offers no OpenGL configuration");
  }
  const EGLint contextAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1,
                                      EGL_NONE};
  FContext = eglCreateContext(FDisplay, hasConfig ? config : EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT,
                              contextAttributes);
  if (FContext == EGL_NO_CONTEXT) {
    throw EOffscreenContextError("no OpenGL 2.1 context could be created");
  }
  if (eglMakeCurrent(FDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, FContext) == EGL_TRUE) {
    return;
  }
  const EGLint pbufferAttributes[] = {EGL_WIDTH, 1, EGL_HEIGHT, 1, EGL_NONE};
  if (hasConfig) {
    FSurface = eglCreatePbufferSurface(FDisplay, config, pbufferAttributes);
  }
  if (FSurface == EGL_NO_SURFACE) {
    throw EOffscreenContextError("the OpenGL context could not be made current");
  }
  MakeCurrent();
}

void TOffscreenContext::MakeCurrent() {
  if (eglMakeCurrent(FDisplay, FSurface, FSurface, FContext) != EGL_TRUE) {
    throw EOffscreenContextError("the OpenGL context could not be made current");
  }
}

TOffscreenFramebuffer::TOffscreenFramebuffer(int AWidth, int AHeight, int ASamples)
    : FWidth(AWidth), FHeight(AHeight), FSamples(ASamples) {
  FDraw = CreateBuffers(AWidth, AHeight, ASamples, true);
  if (ASamples > 0) {
    try {
      FResolve = CreateBuffers(AWidth, AHeight, 0, false);
    } catch (...) {
      DeleteBuffers(FDraw);
      throw;
    }
  }
  Bind();
}

TOffscreenFramebuffer::~TOffscreenFramebuffer() {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  DeleteBuffers(FResolve);
  DeleteBuffers(FDraw);
}

TOffscreenFramebuffer::TBuffers
TOffscreenFramebuffer::CreateBuffers(int AWidth, int AHeight, int ASamples, bool AWithDepth) {
  TBuffers buffers;
  glGenFramebuffers(1, &buffers.Framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, buffers.Framebuffer);
  glGenRenderbuffers(1, &buffers.Colour);
  glBindRenderbuffer(GL_RENDERBUFFER, buffers.Colour);
  glRenderbufferStorageMultisample(GL_RENDERBUFFER, ASamples, GL_RGBA8, AWidth, AHeight);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers.Colour);
  if (AWithDepth) {
    glGenRenderbuffers(1, &buffers.Depth);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers.Depth);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, ASamples, GL_DEPTH_COMPONENT24, AWidth,
                                     AHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers.Depth);
  }
  try {
    CheckFramebuffer();
  } catch (...) {
    DeleteBuffers(buffers);
    throw;
  }
  return buffers;
}

void TOffscreenFramebuffer::DeleteBuffers(const TBuffers& ABuffers) {
  if (ABuffers.Depth != 0) {
    glDeleteRenderbuffers(1, &ABuffers.Depth);
  }
  if (ABuffers.Colour != 0) {
    glDeleteRenderbuffers(1, &ABuffers.Colour);
  }
  if (ABuffers.Framebuffer != 0) {
    glDeleteFramebuffers(1, &ABuffers.Framebuffer);
  }
}

void TOffscreenFramebuffer::Bind() const {
  glBindFramebuffer(GL_FRAMEBUFFER, FDraw.Framebuffer);
  glViewport(0, 0, FWidth, FHeight);
}

int TOffscreenFramebuffer::Samples() const {
  glBindFramebuffer(GL_FRAMEBUFFER, FDraw.Framebuffer);
  GLint samples = 0;
  glGetIntegerv(GL_SAMPLES, &samples);
  return samples;
}

std::vector<uint8_t> TOffscreenFramebuffer::ReadPixels() const {
  GLuint source = FDraw.Framebuffer;
  if (FSamples > 0) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, FDraw.Framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, FResolve.Framebuffer);
    glBlitFramebuffer(0, 0, FWidth, FHeight, 0, 0, FWidth, FHeight, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    source = FResolve.Framebuffer;
  }
  glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  const size_t rowBytes = static_cast<size_t>(FWidth) * 4;
  std::vector<uint8_t> bottomUp(rowBytes * static_cast<size_t>(FHeight));
  glReadPixels(0, 0, FWidth, FHeight, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<uint8_t> topDown(bottomUp.size());
  for (int row = 0; row < FHeight; ++row) {
    std::memcpy(&topDown[static_cast<size_t>(row) * rowBytes],
                &bottomUp[static_cast<size_t>(FHeight - 1 - row) * rowBytes], rowBytes);
  }
  Bind();
  return topDown;
}

} // namespace vexil
