// Centres a dialog over a window when the dialog opens, wherever that window stands: the
// message boxes of the game open over the middle of the window they belong to.
#pragma once

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

class QWidget;

namespace vexil {

// The place (left, top) that centres a box of ABoxSize over the window frame AWindow; halves
// round toward zero, as integer division does.
QPoint CentredPosition(const QRect& AWindow, const QSize& ABoxSize);

// Where a dialog's client area goes so that its frame (the client grown by AFrameMargins) stands
// centred over the window frame AWindow.
QRect CentredClientRect(const QRect& AWindow, const QSize& AClientSize,
                        const QMargins& AFrameMargins);

// Lives as long as one dialog is shown: installed on ADialog, it moves the dialog over the
// middle of AWindow's frame when the dialog is shown. Under a window manager the dialog's own
// frame is not known yet at that moment: it is guessed from the window's frame, and the dialog
// is centred again whenever the frame the platform reports changes during the first seconds.
// The first report may be wrong (on a loaded machine the platform measures the frame against a
// stale size) and is corrected later without any event reaching the dialog, so the frame is
// also looked at on a timer. A player's drag never changes the frame, so it is never undone.
class TDialogCentring : public QObject {
public:
  TDialogCentring(QWidget* ADialog, QWidget* AWindow);
  ~TDialogCentring() override;
  TDialogCentring(const TDialogCentring&) = delete;
  TDialogCentring& operator=(const TDialogCentring&) = delete;

protected:
  bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
  void Centre(const QMargins& AFrameMargins);
  // Centres the dialog again when the platform reports a frame other than the one last used.
  void FollowFrame();
  // The dialog's frame as the platform knows it; empty before the window manager framed it.
  QMargins KnownFrameMargins() const;

  QPointer<QWidget> FDialog;
  QPointer<QWidget> FWindow;
  // The frame the dialog was last centred with; empty while it was centred with a guess.
  QMargins FCentredWith;
  QTimer FFrameWatch;
  int FWatchTicksLeft = 0;
};

} // namespace vexil
