// The program's icon (a cube seen on a corner in the default colours), drawn by
// tools/gen_program_icon at 16, 32, 48, 64, 128 and 256 pixels and carried as Qt resources.
// It is the icon of every window (QApplication::setWindowIcon) and the about box's picture.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace vexil {

QIcon ProgramIcon();

// The drawing made for ASize pixels (one of the sizes above), without scaling.
QPixmap ProgramIconImage(int ASize);

} // namespace vexil
