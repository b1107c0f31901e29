// The multisample probe and the default surface format of every OpenGL window. Both run in the
// program main before the application object exists:
//
//   DetectMultisample();
//   SetDefaultSurfaceFormat();
//   QApplication Application(argc, argv);
//
// The GL window draws into a framebuffer object that Qt multisamples with the default format's
// sample count, so the probe asks the driver how many samples such a buffer may have.
#pragma once

#include <QSurfaceFormat>

namespace vexil {

// Probes a hidden offscreen context: 4 samples where the driver offers them, else 2, else none.
// Fails silently (no context at all means no multisampling). Runs once; later calls re-probe.
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

// Makes VexilSurfaceFormat(the probed sample count) the default of every later surface.
void SetDefaultSurfaceFormat();

} // namespace vexil
