// The multisample probe and the surface formats of the OpenGL window. The program starts:
//
//   SetDefaultSurfaceFormat();
//   QApplication Application(argc, argv);
//   DetectMultisample();
//
// Only the scene is multisampled: the GL window's drawing area draws into a framebuffer object
// that Qt multisamples with the count of its own format (VexilSurfaceFormat of the probed
// count), so the probe asks the driver how many samples such a buffer may have. Every other
// surface, the top-level window that Qt composes the drawing area into included, gets the
// default format without samples: a window that only shows a finished picture gains nothing
// from them and would pay for a multisampled back buffer and its resolve on every frame.
#pragma once

#include <QSurfaceFormat>

namespace vexil {

// Asks a hidden context for the driver's largest sample count: 4 samples where the driver
// offers them, else 2, else none. With a Qt GUI application it uses a context on the
// application's own display (no second display connection); without one (headless tools), an
// EGL context of its own. Fails silently (no context at all means no multisampling). Runs once;
// later calls re-probe.
void DetectMultisample();

// A multisampled format was found.
bool MultisampleSupported();
// Its sample count (4 or 2); 0 when MultisampleSupported() is false.
int MultisamplePixelFormat();

// The count the probe settles on for a driver whose largest sample count is AMaxSamples.
int ChooseSampleCount(int AMaxSamples);

// OpenGL 2.1 compatibility with the deprecated (fixed-function) calls, double-buffered RGBA with
// a 24-bit depth buffer and ASamples samples (none when ASamples <= 0).
QSurfaceFormat VexilSurfaceFormat(int ASamples);

// The format of the GL window's drawing area: VexilSurfaceFormat(the probed sample count).
QSurfaceFormat SceneSurfaceFormat();

// Makes VexilSurfaceFormat(0) the default of every later surface and context; call it before
// the application object exists, so that Qt's own contexts share with the drawing area's.
void SetDefaultSurfaceFormat();

} // namespace vexil
