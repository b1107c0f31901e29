#include "dialogs/DialogCentring.h"

#include <QEvent>
#include <QWidget>

namespace vexil {

QPoint CentredPosition(const QRect& AWindow, const QSize& ABoxSize) {
  return {AWindow.left() + (AWindow.width() - ABoxSize.width()) / 2,
          AWindow.top() + (AWindow.height() - ABoxSize.height()) / 2};
}

TDialogCentring::TDialogCentring(QWidget* ADialog, QWidget* AWindow)
    : FDialog(ADialog), FWindow(AWindow) {
  if (FDialog) {
    FDialog->installEventFilter(this);
  }
}

TDialogCentring::~TDialogCentring() {
  if (FDialog) {
    FDialog->removeEventFilter(this);
  }
}

bool TDialogCentring::eventFilter(QObject* AWatched, QEvent* AEvent) {
  if (AWatched == FDialog && AEvent->type() == QEvent::Show && FWindow) {
    // Only the main window's own handle counts: no window, no move.
    const QWidget* window = FWindow->window();
    FDialog->move(CentredPosition(window->frameGeometry(), FDialog->frameGeometry().size()));
  }
  return QObject::eventFilter(AWatched, AEvent);
}

} // namespace vexil
