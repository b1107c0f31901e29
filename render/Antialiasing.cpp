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
  GLint maxSamples = 0;
  glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
  // A driver without multisampled framebuffers rejects the query and leaves the value alone.
  return glGetError() == GL_NO_ERROR ? maxSamples : 0;
}

// On the application's display, through Qt: the window's context comes from the same driver.
int MaxSamplesOnApplicationDisplay() {
  QOpenGLContext context;
  context.setFormat(VexilSurfaceFormat(0));
  if (!context.create()) {
    return 0;
  }
  QOffscreenSurface surface;
  surface.setFormat(context.format());
  surface.create();
  if (!surface.isValid() || !context.makeCurrent(&surface)) {
    return 0;
  }
  const int maxSamples = MaxSamplesOfCurrentContext();
  context.doneCurrent();
  return maxSamples;
}

int MaxSamplesOnOffscreenContext() {
  const std::unique_ptr<TOffscreenContext> context = TOffscreenContext::TryCreate();
  return context != nullptr ? MaxSamplesOfCurrentContext() : 0;
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
  const bool guiApplication =
      qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  const int samples = ChooseSampleCount(guiApplication ? MaxSamplesOnApplicationDisplay()
                                                       : MaxSamplesOnOffscreenContext());
  GMultisampleSupported = samples > 0;
  GMultisamplePixelFormat = samples;
}

bool MultisampleSupported() {
  return GMultisampleSupported;
}

int MultisamplePixelFormat() {
  return GMultisamplePixelFormat;
}

QSurfaceFormat VexilSurfaceFormat(int ASamples) {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setVersion(2, 1);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setOption(QSurfaceFormat::DeprecatedFunctions);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  format.setRedBufferSize(8);
  format.setGreenBufferSize(8);
  format.setBlueBufferSize(8);
  format.setDepthBufferSize(24);
  format.setSamples(ASamples > 0 ? ASamples : -1);
  return format;
}

QSurfaceFormat SceneSurfaceFormat() {
  return VexilSurfaceFormat(MultisamplePixelFormat());
}

void SetDefaultSurfaceFormat() {
  QSurfaceFormat::setDefaultFormat(VexilSurfaceFormat(0));
}

} // namespace vexil
