// TColorPanel: one swatch of the colours dialog. It paints its own colour over its whole area
// (never the parent's background) and reports a click of the left button. It takes the
// keyboard focus with Tab, shows it with a frame that stands out on any colour, and reports
// Space, Enter or Return as a click.
#pragma once

#include "dialogs/ClickTracker.h"

#include <QColor>
#include <QWidget>

#include <cstdint>

namespace vexil {

// Packed colours are 0x00BBGGRR, red in the low byte; the high byte is ignored.
QColor UnpackColor(int32_t AColor);
int32_t PackColor(const QColor& AColor);

class TColorPanel : public QWidget {
  Q_OBJECT

public:
  explicit TColorPanel(QWidget* AParent = nullptr);

  int32_t Color() const { return FColor; }
  void SetColor(int32_t AValue);

signals:
  void Clicked();

protected:
  void paintEvent(QPaintEvent* AEvent) override;
  void mousePressEvent(QMouseEvent* AEvent) override;
  void mouseReleaseEvent(QMouseEvent* AEvent) override;
  void keyPressEvent(QKeyEvent* AEvent) override;

private:
  int32_t FColor = 0;
  TClickTracker FClick;
};

} // namespace vexil
