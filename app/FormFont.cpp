#include "app/FormFont.h"

#include <QApplication>
#include <QWidget>

namespace vexil {

void ApplySystemMessageFont(QWidget* AForm) {
  if (AForm == nullptr || QApplication::instance() == nullptr) {
    return;
  }
  AForm->setFont(QApplication::font("QMessageBox"));
}

} // namespace vexil
