#include "dialogs/DialogCentring.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace vexil {

namespace {

// What the platform knows of a top-level widget's frame: the difference between its frame and
// its client area.
QMargins FrameMarginsOf(const QWidget& AWidget) {
  const QRect frame = AWidget.frameGeometry();
  const QRect client = AWidget.geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

// How often and how long after the dialog shows its frame is looked at: a window manager frames
// a window within a moment, a loaded machine within a second or two.
constexpr int kFrameWatchInterval = 50;
constexpr int kFrameWatchTicks = 60;

} // namespace

QPoint CentredPosition(const QRect& AWindow, const QSize& ABoxSize) {
  return {AWindow.left() + (AWindow.width() - ABoxSize.width()) / 2,
          AWindow.top() + (AWindow.height() - ABoxSize.height()) / 2};
}

QRect CentredClientRect(const QRect& AWindow, const QSize& AClientSize,
                        const QMargins& AFrameMargins) {
  const QSize frameSize = AClientSize.grownBy(AFrameMargins);
  const QPoint frameTopLeft = CentredPosition(AWindow, frameSize);
  return {frameTopLeft + QPoint(AFrameMargins.left(), AFrameMargins.top()), AClientSize};
}

TDialogCentring::TDialogCentring(QWidget* ADialog, QWidget* AWindow)
    : FDialog(ADialog), FWindow(AWindow) {
  FFrameWatch.setInterval(kFrameWatchInterval);
  connect(&FFrameWatch, &QTimer::timeout, this, [this] {
    if (--FWatchTicksLeft <= 0) {
      FFrameWatch.stop();
    }
    FollowFrame();
  });
  if (FDialog) {
    FDialog->installEventFilter(this);
  }
}

TDialogCentring::~TDialogCentring() {
  if (FDialog) {
    FDialog->removeEventFilter(this);
  }
}

QMargins TDialogCentring::KnownFrameMargins() const {
  return FDialog->windowHandle() != nullptr ? FDialog->windowHandle()->frameMargins() : QMargins();
}

void TDialogCentring::Centre(const QMargins& AFrameMargins) {
  // Only the main window's own handle counts: no window, no move.
  const QWidget* window = FWindow->window();
  // The client area is placed, not the frame: how the platform maps a frame position to the
  // client is unreliable while the frame is still unknown.
  FDialog->setGeometry(CentredClientRect(window->frameGeometry(), FDialog->size(), AFrameMargins));
}

void TDialogCentring::FollowFrame() {
  if (!FDialog || !FWindow || !FDialog->isVisible()) {
    return;
  }
  const QMargins known = KnownFrameMargins();
  if (!known.isNull() && known != FCentredWith) {
    FCentredWith = known;
    Centre(known);
  }
}

bool TDialogCentring::eventFilter(QObject* AWatched, QEvent* AEvent) {
  if (AWatched != FDialog || !FWindow) {
    return QObject::eventFilter(AWatched, AEvent);
  }
  switch (AEvent->type()) {
  case QEvent::Show: {
    FCentredWith = KnownFrameMargins();
    // A window manager gives the dialog a frame like the window's: the best guess until the
    // real one is known (without a manager both are empty, and stay so).
    Centre(!FCentredWith.isNull() ? FCentredWith : FrameMarginsOf(*FWindow->window()));
    FWatchTicksLeft = kFrameWatchTicks;
    FFrameWatch.start();
    break;
  }
  case QEvent::Hide:
    FFrameWatch.stop();
    break;
  case QEvent::Move:
  case QEvent::Resize:
  case QEvent::Paint:
  case QEvent::UpdateRequest:
  case QEvent::WindowActivate:
    FollowFrame();
    break;
  default:
    break;
  }
  return QObject::eventFilter(AWatched, AEvent);
}

} // namespace vexil
