// Hands a file to the desktop's opener (xdg-open) and tells when the desktop could not open it:
// no opener, or one that gives up (nothing is set to open that kind of file). It returns at
// once; the answer comes on the main thread while the game goes on.
#pragma once

#include <QString>

#include <functional>

class QObject;

namespace vexil {

// AOnFailure runs once if the file could not be opened, never when it was. The opener lives
// under AOwner and is stopped with it.
void OpenOnDesktop(const QString& AFileName, QObject* AOwner, std::function<void()> AOnFailure);

} // namespace vexil
