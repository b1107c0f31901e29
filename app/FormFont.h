// Gives a window the font the system uses in its message boxes, as every window of the game
// does when it is made (the main window, the colours dialog, the about box).
#pragma once

class QWidget;

namespace vexil {

// Keeps the window's own font when the platform names no message-box font.
void ApplySystemMessageFont(QWidget* AForm);

} // namespace vexil
