#include "dialogs/ProgramIcon.h"

#include <QString>

namespace vexil {

namespace {

constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

QString IconPath(int ASize) {
  return QStringLiteral(":/icons/program_%1.png").arg(ASize);
}

} // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : kIconSizes) {
    icon.addFile(IconPath(size), QSize(size, size));
  }
  return icon;
}

QPixmap ProgramIconImage(int ASize) {
  return QPixmap(IconPath(ASize));
}

} // namespace vexil
