// TLinkLabel: a label that reads as a link (blue, underlined, a hand cursor) and reports a
// click of the left button on it. It takes the keyboard focus with Tab, shows it with the
// style's focus frame, and reports Space, Enter or Return as a click.
#pragma once

#include "dialogs/ClickTracker.h"

#include <QLabel>

namespace vexil {

class TLinkLabel : public QLabel {
  Q_OBJECT

public:
  explicit TLinkLabel(QWidget* AParent = nullptr);

signals:
  void Clicked();

protected:
  void mousePressEvent(QMouseEvent* AEvent) override;
  void mouseReleaseEvent(QMouseEvent* AEvent) override;
  void keyPressEvent(QKeyEvent* AEvent) override;
  void paintEvent(QPaintEvent* AEvent) override;

private:
  TClickTracker FClick;
};

} // namespace vexil
