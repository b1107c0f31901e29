// The start of the program up to its main window: the OpenGL surface formats, the multisample
// probe and the application object with the program's name and icon. The program main and the
// window benchmark start the same way, so the benchmark's first frame is the player's.
#pragma once

#include <QApplication>

#include <memory>

namespace vexil {

enum class TMultisampling {
  Probe, // the driver's count: 4 samples, else 2, else none
  Off    // no samples (for measuring what they cost)
};

// AArgc must outlive the application object, as QApplication requires.
std::unique_ptr<QApplication> StartApplication(int& AArgc, char** AArgv,
                                               TMultisampling AMultisampling);

} // namespace vexil
