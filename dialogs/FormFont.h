// Fonts of the game's windows: the system's message-box font that every window adopts when it
// is made (the main window, the colours dialog, the about box, the update notice, the help
// window), and the fixed fonts of the labels that carry their own.
#pragma once

#include <QFont>
#include <QString>

class QWidget;

namespace vexil {

// Keeps the window's own font when the platform names no message-box font. Children whose
// font was set explicitly keep it.
void ApplySystemMessageFont(QWidget* AForm);

// A label's own font: AFamily (or the platform's nearest sans-serif face) with characters
// APixelHeight pixels high.
QFont LabelFont(const QString& AFamily, int APixelHeight, bool ABold = false);

} // namespace vexil
