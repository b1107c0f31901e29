// Centres a dialog over a window when the dialog opens, wherever that window stands: the
// message boxes of the game open over the middle of the window they belong to.
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace vexil {

// The place (left, top) that centres a box of ABoxSize over the window frame AWindow; halves
// round toward zero, as integer division does.
QPoint CentredPosition(const QRect& AWindow, const QSize& ABoxSize);

// Lives as long as one dialog is shown: installed on ADialog, it moves the dialog over the
// middle of AWindow's frame when the dialog is shown.
class TDialogCentring : public QObject {
public:
  TDialogCentring(QWidget* ADialog, QWidget* AWindow);
  ~TDialogCentring() override;
  TDialogCentring(const TDialogCentring&) = delete;
  TDialogCentring& operator=(const TDialogCentring&) = delete;

protected:
  bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
  QPointer<QWidget> FDialog;
  QPointer<QWidget> FWindow;
};

} // namespace vexil
