#include "dialogs/ColorsForm.h"

#include "dialogs/ColorPanel.h"
#include "dialogs/FormFont.h"
#include "engine/DefaultColors.h"
#include "localization/LocalizationStore.h"

#include <QColorDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>

namespace vexil {

namespace {

constexpr int kClientWidth = 253;
constexpr int kClientHeight = 331;
constexpr int kButtonTop = 300;
constexpr QSize kButtonSize(75, 23);
constexpr int kSwatch = 45;
// Free room between a caption and its colour panel.
constexpr int kLabelSpacing = 4;

// A gray strip behind a row or a column of side panels.
QFrame* Strip(QWidget* AParent, const char* AName, const QRect& AGeometry) {
  auto* strip = new QFrame(AParent);
  strip->setObjectName(QString::fromLatin1(AName));
  strip->setGeometry(AGeometry);
  strip->setAutoFillBackground(true);
  QPalette palette = strip->palette();
  palette.setColor(QPalette::Window, QColor(128, 128, 128));
  strip->setPalette(palette);
  return strip;
}

// A point size or a pixel size smaller by one step.
QFont SmallerFont(const QFont& AFont) {
  QFont font = AFont;
  if (font.pointSizeF() > 0) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
  } else {
    font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

bool TooSmall(const QFont& AFont) {
  return AFont.pointSizeF() > 0 ? AFont.pointSizeF() < 6.0 : AFont.pixelSize() < 8;
}

// The captions are written in one font, smaller than the window's when one of them would run
// under the colour panel on its right (a large desktop font, a long translation), down to a
// size that still reads. ARights holds where each caption must end.
void FitLabels(const std::array<QLabel*, 3>& ALabels, const std::array<int, 3>& ARights) {
  QFont font = ALabels[0]->parentWidget()->font();
  const auto fits = [&](const QFont& AFont) {
    const QFontMetrics metrics(AFont);
    for (size_t i = 0; i < ALabels.size(); ++i) {
      if (ALabels[i]->x() + metrics.horizontalAdvance(ALabels[i]->text()) > ARights[i]) {
        return false;
      }
    }
    return true;
  };
  while (!fits(font) && !TooSmall(SmallerFont(font))) {
    font = SmallerFont(font);
  }
  for (QLabel* label : ALabels) {
    label->setFont(font);
    label->adjustSize();
  }
}

} // namespace

TColorsForm::TColorsForm(QWidget* AParent) : QDialog(AParent), FCentring(this, AParent) {
  CreateLayout();
  ApplySystemMessageFont(this);
}

void TColorsForm::CreateLayout() {
  setObjectName(QStringLiteral("ColorsForm"));
  setWindowTitle(QStringLiteral("Цвета"));
  // A dialog frame of a fixed size: no minimise or maximise button.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);

  auto* mainPanel = new QFrame(this);
  mainPanel->setObjectName(QStringLiteral("MainPanel"));
  mainPanel->setGeometry(8, 8, 237, 286);
  // A raised bevel inside a lowered one reads as an etched groove.
  mainPanel->setFrameStyle(QFrame::Box | QFrame::Sunken);

  FLabels[0] = AddLabel(mainPanel, "BackgroundColorLabel", QStringLiteral("Цвет фона: "), 16, 24);
  auto* bevel = new QFrame(mainPanel);
  bevel->setObjectName(QStringLiteral("ColorsBevel"));
  bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  bevel->setGeometry(8, 89, 218, 2);
  FLabels[1] = AddLabel(mainPanel, "PlaneColorsLabel", QStringLiteral("Цвета плиток:"), 16, 97);
  FLabels[2] = AddLabel(mainPanel, "TextColorLabel", QStringLiteral("Цвет таймера: "), 16, 55);
  AddPanel(mainPanel, kBackgroundPanel, "BackgroundColorPanel", QRect(121, 18, 105, 25));

  // The two strips cross and unfold the cube: 5, 6, (3), 1 across; 2, 3, 4 down.
  QFrame* row = Strip(mainPanel, "Panel1", QRect(16, 172, 206, 53));
  AddPanel(row, 4, "Plane5Panel", QRect(4, 4, kSwatch, kSwatch));
  AddPanel(row, 5, "Plane6Panel", QRect(55, 4, kSwatch, kSwatch));
  AddPanel(row, 0, "Plane1Panel", QRect(157, 4, kSwatch, kSwatch));
  QFrame* column = Strip(mainPanel, "Panel2", QRect(118, 120, 53, 156));
  AddPanel(column, 1, "Plane2Panel", QRect(4, 4, kSwatch, kSwatch));
  AddPanel(column, 3, "Plane4Panel", QRect(4, 107, kSwatch, kSwatch));
  AddPanel(column, 2, "Plane3Panel", QRect(4, 56, kSwatch, kSwatch));
  column->raise();
  AddPanel(mainPanel, kTimerPanel, "TimerColorPanel", QRect(120, 49, 106, 25));

  QPushButton* cancel = AddButton("CancelButton", QStringLiteral("Отмена"), 170);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  QPushButton* ok = AddButton("OKButton", QStringLiteral("OK"), 89);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { OKButtonClick(); });
  QPushButton* reset = AddButton("ResetButton", QStringLiteral("Сброс"), 8);
  connect(reset, &QPushButton::clicked, this, [this] { ResetButtonClick(); });
  // Tab goes through the colours as they are read, top down and left to right, then through
  // the buttons from left to right.
  const std::array<QWidget*, 11> tabOrder = {FPanels[kBackgroundPanel],
                                             FPanels[kTimerPanel],
                                             FPanels[1],
                                             FPanels[4],
                                             FPanels[5],
                                             FPanels[2],
                                             FPanels[0],
                                             FPanels[3],
                                             reset,
                                             ok,
                                             cancel};
  for (size_t i = 1; i < tabOrder.size(); ++i) {
    setTabOrder(tabOrder[i - 1], tabOrder[i]);
  }
  FOKButton = ok;
}

QLabel* TColorsForm::AddLabel(QWidget* AParent, const char* AName, const QString& AText, int ALeft,
                              int ATop) {
  auto* label = new QLabel(AText, AParent);
  label->setObjectName(QString::fromLatin1(AName));
  label->setTextFormat(Qt::PlainText);
  label->move(ALeft, ATop);
  label->adjustSize();
  return label;
}

QPushButton* TColorsForm::AddButton(const char* AName, const QString& AText, int ALeft) {
  auto* button = new QPushButton(AText, this);
  button->setObjectName(QString::fromLatin1(AName));
  button->setGeometry(QRect(QPoint(ALeft, kButtonTop), kButtonSize));
  return button;
}

TColorPanel* TColorsForm::AddPanel(QWidget* AParent, size_t AIndex, const char* AName,
                                   const QRect& AGeometry) {
  auto* panel = new TColorPanel(AParent);
  panel->setObjectName(QString::fromLatin1(AName));
  panel->setGeometry(AGeometry);
  panel->setCursor(Qt::PointingHandCursor);
  connect(panel, &TColorPanel::Clicked, this, [this, panel] { ColorPanelClick(panel); });
  FPanels.at(AIndex) = panel;
  return panel;
}

QString TColorsForm::Text(const char* AKey) const {
  const QString key = QString::fromLatin1(AKey);
  return FLocalizationStoreLink != nullptr ? FLocalizationStoreLink->GetString(key) : key;
}

void TColorsForm::showEvent(QShowEvent* AEvent) {
  if (!AEvent->spontaneous()) {
    FormShow();
  }
  QDialog::showEvent(AEvent);
}

void TColorsForm::FormShow() {
  if (FLocalizationStoreLink != nullptr) {
    FLocalizationStoreLink->LocalizeForm(this);
  }
  const int panelRight = FLabels[1]->parentWidget()->width() - kLabelSpacing;
  FitLabels(FLabels, {FPanels[kBackgroundPanel]->x() - kLabelSpacing, panelRight,
                      FPanels[kTimerPanel]->x() - kLabelSpacing});
  for (size_t i = 0; i < FGameColors.PlaneColors.size(); ++i) {
    FPanels[i]->SetColor(Vertex3fToColor(ClampedColor(FGameColors.PlaneColors[i])));
  }
  FPanels[kTimerPanel]->SetColor(Vertex3fToColor(ClampedColor(FGameColors.TimerColor)));
  FPanels[kBackgroundPanel]->SetColor(Vertex3fToColor(ClampedColor(FGameColors.BackgroundColor)));
  // Enter at once still means OK; Tab goes on to the colours.
  FOKButton->setFocus();
}

void TColorsForm::ColorPanelClick(TColorPanel* APanel) {
  // The chooser starts from its own last colour, not from the clicked panel's.
  QColorDialog chooser(FChooserColor, this);
  chooser.setOption(QColorDialog::DontUseNativeDialog);
  if (chooser.exec() != QDialog::Accepted || !chooser.selectedColor().isValid()) {
    return;
  }
  FChooserColor = chooser.selectedColor();
  APanel->SetColor(PackColor(FChooserColor));
}

void TColorsForm::OKButtonClick() {
  for (size_t i = 0; i < FGameColors.PlaneColors.size(); ++i) {
    FGameColors.PlaneColors[i] = ColorToVertex3f(FPanels[i]->Color());
  }
  FGameColors.TimerColor = ColorToVertex3f(FPanels[kTimerPanel]->Color());
  FGameColors.BackgroundColor = ColorToVertex3f(FPanels[kBackgroundPanel]->Color());
  accept();
}

void TColorsForm::ResetButtonClick() {
  QMessageBox question(QMessageBox::Question, Text("RESET_COLORS_DIALOG"),
                       Text("DEFAULT_COLORS_MESSAGE"), QMessageBox::Yes | QMessageBox::No, this);
  const TDialogCentring centring(&question, this);
  if (question.exec() != QMessageBox::Yes) {
    return;
  }
  // Into the panels only: the colours change when OK is pressed.
  for (size_t i = 0; i < kDefaultPlaneColors.size(); ++i) {
    FPanels[i]->SetColor(kDefaultPlaneColors[i]);
  }
  FPanels[kTimerPanel]->SetColor(kDefaultTimerColor);
  FPanels[kBackgroundPanel]->SetColor(kDefaultBackgroundColor);
}

} // namespace vexil
