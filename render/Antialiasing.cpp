#include "render/Antialiasing.h"

#include "render/GLIncludes.h"
#include "render/OffscreenContext.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>

namespace vexil {

namespace {

// The probe's verdict; written only by DetectMultisample.
bool GMultisampleSupported = false;
int GMultisamplePixelFormat = 0;

int MaxSamplesOfCurrentContext() {
  while (glGetError() != GL_NO_ERROR) {
  }
  GLint MaxSamples = 0;
  glGetIntegerv(GL_MAX_SAMPLES, &MaxSamples);
  // A driver without multisampled framebuffers rejects the query and leaves the value alone.
  return glGetError() == GL_NO_ERROR ? MaxSamples : 0;
}

// On the application's display, through Qt: the window's context comes from the same driver.
int MaxSamplesOnApplicationDisplay() {
  QOpenGLContext Context;
  Context.setFormat(VexilSurfaceFormat(0));
  if (!Context.create()) {
    return 0;
  }
  QOffscreenSurface Surface;
  Surface.setFormat(Context.format());
  Surface.create();
  if (!Surface.isValid() || !Context.makeCurrent(&Surface)) {
    return 0;
  }
  const int MaxSamples = MaxSamplesOfCurrentContext();
  Context.doneCurrent();
  return MaxSamples;
}

int MaxSamplesOnOffscreenContext() {
  const std::unique_ptr<TOffscreenContext> Context = TOffscreenContext::TryCreate();
  return Context != nullptr ? MaxSamplesOfCurrentContext() : 0;
}

} // namespace

int ChooseSampleCount(int AMaxSamples) {
  if (AMaxSamples >= 4) {
    return 4;
  }
  if (AMaxSamples >= 2) {
    return 2;
  }
  return 0;
}

void DetectMultisample() {
  GMultisampleSupported = false;
  GMultisamplePixelFormat = 0;
  const bool GuiApplication =
      qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  const int Samples = ChooseSampleCount(GuiApplication ? MaxSamplesOnApplicationDisplay()
                                                       : MaxSamplesOnOffscreenContext());
  GMultisampleSupported = Samples > 0;
  GMultisamplePixelFormat = Samples;
}

bool MultisampleSupported() {
  return GMultisampleSupported;
}

int MultisamplePixelFormat() {
  return GMultisamplePixelFormat;
}

QSurfaceFormat VexilSurfaceFormat(int ASamples) {
  QSurfaceFormat Format;
  Format.setRenderableType(QSurfaceFormat::OpenGL);
  Format.setVersion(2, 1);
  Format.setProfile(QSurfaceFormat::CompatibilityProfile);
  Format.setOption(QSurfaceFormat::DeprecatedFunctions);
  Format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  Format.setRedBufferSize(8);
  Format.setGreenBufferSize(8);
  Format.setBlueBufferSize(8);
  Format.setDepthBufferSize(24);
  Format.setSamples(ASamples > 0 ? ASamples : -1);
  return Format;
}

QSurfaceFormat SceneSurfaceFormat() {
  return VexilSurfaceFormat(MultisamplePixelFormat());
}

void SetDefaultSurfaceFormat() {
  QSurfaceFormat::setDefaultFormat(VexilSurfaceFormat(0));
}

} // namespace vexil
