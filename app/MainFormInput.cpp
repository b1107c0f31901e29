// What the window itself hears of the player's input: the view has the mouse and the keys, the
// window sees its activation, modal windows, the menus, minimising and full screen, and takes
// the pause key before the view's own keys.
#include "app/MainForm.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>

namespace vexil {

bool TMainForm::event(QEvent* AEvent) {
  // A modal window (a message, the update notice) takes the mouse: the release of a button
  // held now never comes to the view.
  if (AEvent->type() == QEvent::WindowBlocked) {
    FView->EndGesture();
  }
  // Hidden by the desktop (another workspace, a minimise that comes as a hide) or shown again.
  if ((AEvent->type() == QEvent::Hide || AEvent->type() == QEvent::Show) && AEvent->spontaneous()) {
    PauseWhileHidden(AEvent->type() == QEvent::Hide);
  }
  return QMainWindow::event(AEvent);
}

bool TMainForm::eventFilter(QObject* AWatched, QEvent* AEvent) {
  if (AWatched == FView && AEvent->type() == QEvent::KeyPress &&
      PauseKeyPressed(static_cast<const QKeyEvent&>(*AEvent))) {
    return true;
  }
  return QMainWindow::eventFilter(AWatched, AEvent);
}

void TMainForm::TopMenuShown() {
  // An open menu holds the keyboard: the releases of keys held now would never reach the cube.
  FView->ReleaseInput();
  TopMenuOpened();
}

void TMainForm::TopMenuClosed() {
  // However the menu closed (a command, a click elsewhere, Esc), the game goes on; a command
  // that pauses the loop for a dialog does so after this.
  FView->EnableFrameLoop();
  // A menu closed with Esc leaves the keyboard with the menu bar, which the bar takes only once
  // the menu has gone: hand it back to the cube after that.
  QTimer::singleShot(0, this, [this] {
    if (QApplication::activePopupWidget() == nullptr) {
      FViewContainer->setFocus(Qt::OtherFocusReason);
    }
  });
}

void TMainForm::keyPressEvent(QKeyEvent* AEvent) {
  // The view's container has the focus but the keyboard stayed with the window (after a menu,
  // on coming back to the window, in full screen): its keys are the view's all the same.
  QCoreApplication::sendEvent(FView, AEvent);
}

void TMainForm::keyReleaseEvent(QKeyEvent* AEvent) {
  QCoreApplication::sendEvent(FView, AEvent);
}

void TMainForm::changeEvent(QEvent* AEvent) {
  QMainWindow::changeEvent(AEvent);
  if (AEvent->type() == QEvent::ActivationChange) {
    if (isActiveWindow()) {
      FView->SetLoopEnabled(true);
    } else {
      // Keys released while another window has the focus are never reported to the view.
      FView->ReleaseInput();
    }
  }
  if (AEvent->type() == QEvent::WindowStateChange) {
    PauseWhileHidden(isMinimized());
  }
}

void TMainForm::SetFullScreen(bool AValue) {
  if (AValue == FFullScreen) {
    return;
  }
  FFullScreen = AValue;
  if (AValue) {
    FSaveWindowState = windowState() & ~(Qt::WindowFullScreen | Qt::WindowMinimized);
    // Not shown yet (the window is being made): open full screen when shown.
    if (isVisible()) {
      showFullScreen();
    } else {
      setWindowState(Qt::WindowFullScreen);
    }
    return;
  }
  if (!isVisible()) {
    setWindowState(FSaveWindowState);
  } else if (FSaveWindowState & Qt::WindowMaximized) {
    showMaximized();
  } else {
    showNormal();
  }
}

} // namespace vexil
