// TLinkLabel: a label that reads as a link (blue, underlined, a hand cursor) and reports a
// click of the left button on it.
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

private:
  TClickTracker FClick;
};

} // namespace vexil
