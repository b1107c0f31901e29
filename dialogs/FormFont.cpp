#include "dialogs/FormFont.h"

#include <QApplication>
#include <QWidget>

namespace vexil {

void ApplySystemMessageFont(QWidget* AForm) {
  if (AForm == nullptr || QApplication::instance() == nullptr) {
    return;
  }
  AForm->setFont(QApplication::font("QMessageBox"));
}

QFont LabelFont(const QString& AFamily, int APixelHeight, bool ABold) {
  QFont font(AFamily);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(APixelHeight);
  font.setBold(ABold);
  return font;
}

} // namespace vexil
