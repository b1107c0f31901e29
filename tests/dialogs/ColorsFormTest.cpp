#include "dialogs/ColorsForm.h"
#include "dialogs/ColorPanel.h"
#include "engine/DefaultColors.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QColorDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <cmath>
#include <limits>

using namespace vexil;
using namespace vexil::testing;

namespace {

constexpr const char* kPanelNames[] = {"Plane1Panel",     "Plane2Panel",         "Plane3Panel",
                                       "Plane4Panel",     "Plane5Panel",         "Plane6Panel",
                                       "TimerColorPanel", "BackgroundColorPanel"};

// Eight colours none of which is a default one, each component a whole number of 255ths.
TGameColors SampleColors() {
  TGameColors colors;
  for (size_t i = 0; i < colors.PlaneColors.size(); ++i) {
    colors.PlaneColors[i] = ColorToVertex3f(0x102030 + static_cast<int32_t>(i) * 0x010101);
  }
  colors.TimerColor = ColorToVertex3f(0x405060);
  colors.BackgroundColor = ColorToVertex3f(0x708090);
  return colors;
}

void ExpectSameColor(const TVertex3f& AActual, const TVertex3f& AExpected, const char* AWhat) {
  EXPECT_EQ(AActual.X, AExpected.X) << AWhat;
  EXPECT_EQ(AActual.Y, AExpected.Y) << AWhat;
  EXPECT_EQ(AActual.Z, AExpected.Z) << AWhat;
}

void ExpectSameColors(const TGameColors& AActual, const TGameColors& AExpected) {
  for (size_t i = 0; i < AActual.PlaneColors.size(); ++i) {
    ExpectSameColor(AActual.PlaneColors[i], AExpected.PlaneColors[i], kPanelNames[i]);
  }
  ExpectSameColor(AActual.TimerColor, AExpected.TimerColor, "timer");
  ExpectSameColor(AActual.BackgroundColor, AExpected.BackgroundColor, "background");
}

class ColorsFormTest : public ::testing::Test {
protected:
  void Open(const TGameColors& AColors = SampleColors(), int ALanguage = kEnglish) {
    FStore = ShippedStore(ALanguage);
    FForm = std::make_unique<TColorsForm>();
    FForm->SetLocalizationStoreLink(FStore.get());
    FForm->SetGameColors(AColors);
    FForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FForm.get()));
  }

  TColorPanel* Panel(size_t AIndex) { return Child<TColorPanel>(*FForm, kPanelNames[AIndex]); }
  std::array<int32_t, 8> PanelColors() {
    std::array<int32_t, 8> colors{};
    for (size_t i = 0; i < colors.size(); ++i) {
      colors[i] = Panel(i)->Color();
    }
    return colors;
  }
  QPushButton* Button(const char* AName) { return Child<QPushButton>(*FForm, AName); }

  // Clicks APanel and answers the chooser with AColor (an invalid colour cancels it); tells the
  // colour the chooser opened on.
  QColor Choose(TColorPanel* APanel, const QColor& AColor) {
    QColor openedOn;
    const auto chooser = OnModal<QColorDialog>([&](QColorDialog& ADialog) {
      openedOn = ADialog.currentColor();
      if (AColor.isValid()) {
        ADialog.setCurrentColor(AColor);
        ADialog.accept();
      } else {
        ADialog.reject();
      }
    });
    Click(APanel);
    EXPECT_TRUE(chooser->Handled());
    return openedOn;
  }

  // Presses Reset and gives AAnswer to the question; tells what the question looked like.
  struct TQuestion {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons;
    QRect Frame;
  };
  TQuestion Reset(QMessageBox::StandardButton AAnswer) {
    TQuestion seen;
    const auto question = OnModal<QMessageBox>([&](QMessageBox& ABox) {
      seen = {ABox.windowTitle(), ABox.text(), ABox.icon(), ABox.standardButtons(),
              ABox.frameGeometry()};
      ABox.button(AAnswer)->click();
    });
    Click(Button("ResetButton"));
    EXPECT_TRUE(question->Handled());
    return seen;
  }

  std::unique_ptr<TLocalizationStore> FStore;
  // A window that the form may belong to; it outlives the form.
  std::unique_ptr<QWidget> FParent;
  std::unique_ptr<TColorsForm> FForm;
};

} // namespace

TEST_F(ColorsFormTest, ShowsTheColoursOnTheUnfoldedCubeInTheCurrentLanguage) {
  Open();
  EXPECT_EQ(FForm->windowTitle(), QStringLiteral("Colors"));
  EXPECT_EQ(FForm->size(), QSize(253, 331));
  EXPECT_EQ(FForm->minimumSize(), FForm->maximumSize());
  EXPECT_FALSE(FForm->windowFlags() &
               (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(Child<QLabel>(*FForm, "BackgroundColorLabel")->text(), "Background color:");
  EXPECT_EQ(Child<QLabel>(*FForm, "TextColorLabel")->text(), "Timer color:");
  EXPECT_EQ(Child<QLabel>(*FForm, "PlaneColorsLabel")->text(), "Plane colors:");
  EXPECT_EQ(Button("ResetButton")->text(), "Reset");
  EXPECT_EQ(Button("CancelButton")->text(), "Cancel");
  EXPECT_TRUE(Button("OKButton")->isDefault());

  const TGameColors colors = SampleColors();
  for (size_t i = 0; i < 6; ++i) {
    TColorPanel* panel = Panel(i);
    EXPECT_EQ(panel->Color(), Vertex3fToColor(colors.PlaneColors[i])) << kPanelNames[i];
    EXPECT_EQ(panel->size(), QSize(45, 45));
    // The panel is seen where it stands (Plane 3 on the crossing of the strips) and paints its
    // own colour there.
    const QPoint centre = panel->mapTo(FForm.get(), panel->rect().center());
    EXPECT_EQ(FForm->childAt(centre), panel) << kPanelNames[i];
    EXPECT_EQ(PixelAt(FForm.get(), centre), UnpackColor(panel->Color())) << kPanelNames[i];
  }
  EXPECT_EQ(Panel(6)->Color(), Vertex3fToColor(colors.TimerColor));
  EXPECT_EQ(Panel(7)->Color(), Vertex3fToColor(colors.BackgroundColor));
  // Unfolded: 5, 6, 3, 1 across and 2, 3, 4 down.
  const auto place = [&](size_t AIndex) { return Panel(AIndex)->mapTo(FForm.get(), QPoint()); };
  EXPECT_LT(place(4).x(), place(5).x());
  EXPECT_LT(place(5).x(), place(2).x());
  EXPECT_LT(place(2).x(), place(0).x());
  EXPECT_EQ(place(4).y(), place(2).y());
  EXPECT_EQ(place(0).y(), place(2).y());
  EXPECT_LT(place(1).y(), place(2).y());
  EXPECT_LT(place(2).y(), place(3).y());
  EXPECT_EQ(place(1).x(), place(2).x());
}

TEST_F(ColorsFormTest, CancelEscAndTheCloseBoxKeepTheColoursAfterPanelsChanged) {
  const std::array<std::function<void(TColorsForm&)>, 3> closers = {
      [](TColorsForm& AForm) { Click(AForm.findChild<QPushButton*>("CancelButton")); },
      [](TColorsForm& AForm) { QTest::keyClick(&AForm, Qt::Key_Escape); },
      [](TColorsForm& AForm) { AForm.close(); },
  };
  for (const auto& close : closers) {
    Open();
    Choose(Panel(1), Qt::magenta);
    Choose(Panel(7), Qt::cyan);
    ASSERT_EQ(Panel(1)->Color(), PackColor(Qt::magenta));
    close(*FForm);
    EXPECT_FALSE(FForm->isVisible());
    EXPECT_EQ(FForm->result(), QDialog::Rejected);
    ExpectSameColors(FForm->GameColors(), SampleColors());
  }
}

TEST_F(ColorsFormTest, OkWritesEveryPanelToItsOwnColour) {
  Open();
  Choose(Panel(4), QColor(1, 2, 3));
  Choose(Panel(6), QColor(250, 251, 252));
  Click(Button("OKButton"));
  EXPECT_EQ(FForm->result(), QDialog::Accepted);
  TGameColors expected = SampleColors();
  expected.PlaneColors[4] = ColorToVertex3f(0x030201);
  expected.TimerColor = ColorToVertex3f(0xFCFBFA);
  ExpectSameColors(FForm->GameColors(), expected);
}

TEST_F(ColorsFormTest, ResetAnsweredNoChangesNoPanel) {
  Open();
  Choose(Panel(0), Qt::darkGreen);
  const auto before = PanelColors();
  Reset(QMessageBox::No);
  EXPECT_EQ(PanelColors(), before);
  EXPECT_TRUE(FForm->isVisible());
}

TEST_F(ColorsFormTest, ResetYesThenCancelKeepsTheOldColours) {
  Open();
  Reset(QMessageBox::Yes);
  EXPECT_EQ(Panel(7)->Color(), kDefaultBackgroundColor);
  Click(Button("CancelButton"));
  ExpectSameColors(FForm->GameColors(), SampleColors());
}

TEST_F(ColorsFormTest, ResetYesThenOkGivesTheDefaultColours) {
  Open();
  const TQuestion question = Reset(QMessageBox::Yes);
  EXPECT_EQ(question.Caption, "Reset");
  EXPECT_EQ(question.Text, "Colors by default?");
  EXPECT_EQ(question.Icon, QMessageBox::Question);
  EXPECT_EQ(question.Buttons, QMessageBox::Yes | QMessageBox::No);
  Click(Button("OKButton"));
  const TGameColors& colors = FForm->GameColors();
  ExpectSameColor(colors.BackgroundColor, {0.0f, 0.0f, 0.0f}, "background black");
  ExpectSameColor(colors.TimerColor, {1.0f, 1.0f, 1.0f}, "timer white");
  const std::array<TVertex3f, 6> sides = {{{1.0f, 1.0f, 1.0f},
                                           {0.0f, 1.0f, 0.0f},
                                           {1.0f, 0.0f, 0.0f},
                                           {0.0f, 0.0f, 1.0f},
                                           {1.0f, static_cast<float>(127.0 / 255.0), 0.0f},
                                           {1.0f, 1.0f, 0.0f}}};
  for (size_t i = 0; i < sides.size(); ++i) {
    ExpectSameColor(colors.PlaneColors[i], sides[i], kPanelNames[i]);
  }
}

TEST_F(ColorsFormTest, HalfShowsAsByte128AndOne255thSurvivesTheRoundTrip) {
  TGameColors colors = SampleColors();
  colors.PlaneColors[0] = {0.5f, 0.5f, 0.5f}; // 127.5 rounds to the even 128
  const float one255th = static_cast<float>(1.0 / 255.0);
  colors.BackgroundColor = {one255th, 0.0f, one255th};
  Open(colors);
  EXPECT_EQ(Panel(0)->Color(), 0x808080);
  EXPECT_EQ(Panel(7)->Color(), 0x010001);
  Click(Button("OKButton"));
  ExpectSameColor(FForm->GameColors().BackgroundColor, {one255th, 0.0f, one255th}, "1/255");
}

TEST_F(ColorsFormTest, ChooserStartsFromTheColourLastConfirmedNotFromTheClickedPanel) {
  Open();
  EXPECT_EQ(Choose(Panel(0), QColor(10, 20, 30)), QColor(Qt::black));
  EXPECT_EQ(Panel(0)->Color(), 0x1E140A);
  // The second panel has a colour of its own; the chooser still opens on the first one's.
  ASSERT_NE(Panel(1)->Color(), Panel(0)->Color());
  const int32_t second = Panel(1)->Color();
  EXPECT_EQ(Choose(Panel(1), QColor()), QColor(10, 20, 30));
  // Cancelled: nothing changed, and the chooser keeps the last confirmed colour.
  EXPECT_EQ(Panel(1)->Color(), second);
  EXPECT_EQ(Choose(Panel(2), QColor(200, 100, 0)), QColor(10, 20, 30));
  EXPECT_EQ(FForm->ChooserColor(), QColor(200, 100, 0));
  ExpectSameColors(FForm->GameColors(), SampleColors());
}

TEST_F(ColorsFormTest, ResetQuestionIsCentredOnTheColoursWindowNotItsParent) {
  FParent = std::make_unique<QWidget>();
  FParent->setGeometry(20, 30, 700, 500);
  FParent->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(FParent.get()));
  // As in the game, the parent stands where the manager put it before the form opens.
  ASSERT_TRUE(WaitUntilPlaced(*FParent));
  FStore = ShippedStore(kRussian);
  FForm = std::make_unique<TColorsForm>(FParent.get());
  FForm->SetLocalizationStoreLink(FStore.get());
  FForm->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(FForm.get()));
  // Opened over the middle of its parent (centred again once the manager framed it, which on a
  // loaded machine comes late), then moved away from it.
  const auto offCentre = [&] {
    return FForm->frameGeometry().center() - FParent->frameGeometry().center();
  };
  static_cast<void>(QTest::qWaitFor(
      [&] { return std::abs(offCentre().x()) <= 1 && std::abs(offCentre().y()) <= 1; }, 5000));
  EXPECT_LE(std::abs(offCentre().x()), 1);
  EXPECT_LE(std::abs(offCentre().y()), 1);
  FForm->move(800, 150);
  QTRY_COMPARE(FForm->frameGeometry().topLeft(), QPoint(800, 150));

  const TQuestion question = Reset(QMessageBox::No);
  EXPECT_EQ(question.Caption, QStringLiteral("Сброс"));
  EXPECT_EQ(question.Text, QStringLiteral("Сбросить все цвета на значения по умолчанию?"));
  const QRect form = FForm->frameGeometry();
  EXPECT_EQ(question.Frame.left(), form.left() + (form.width() - question.Frame.width()) / 2);
  EXPECT_EQ(question.Frame.top(), form.top() + (form.height() - question.Frame.height()) / 2);
}

TEST_F(ColorsFormTest, ColoursOutOfRangeAreShownClampedAndKeptUnlessConfirmed) {
  TGameColors colors = SampleColors();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float infinity = std::numeric_limits<float>::infinity();
  colors.PlaneColors[2] = {2.0f, -1.0f, nan};
  colors.TimerColor = {infinity, -infinity, 1.5f};
  Open(colors);
  EXPECT_EQ(Panel(2)->Color(), 0x0000FF);
  EXPECT_EQ(Panel(6)->Color(), 0xFF00FF);
  Click(Button("CancelButton"));
  EXPECT_EQ(FForm->GameColors().PlaneColors[2].X, 2.0f);
  EXPECT_TRUE(std::isnan(FForm->GameColors().PlaneColors[2].Z));
  EXPECT_EQ(FForm->GameColors().TimerColor.X, infinity);
  // Confirmed, the colours are the ones the player saw.
  Open(colors);
  Click(Button("OKButton"));
  ExpectSameColor(FForm->GameColors().PlaneColors[2], {1.0f, 0.0f, 0.0f}, "clamped side");
  ExpectSameColor(FForm->GameColors().TimerColor, {1.0f, 0.0f, 1.0f}, "clamped timer");
}

TEST_F(ColorsFormTest, TextsMissingFromTheLanguageKeepTheirDesignTexts) {
  TOneLanguageStore store("LANGUAGE_TITLE=Test\r\nOKButton=Fine\r\nTextColorLabel=Clock:");
  TColorsForm form;
  form.SetLocalizationStoreLink(&store);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Цвета"));
  EXPECT_EQ(Child<QPushButton>(form, "OKButton")->text(), "Fine");
  EXPECT_EQ(Child<QLabel>(form, "TextColorLabel")->text(), "Clock:");
  EXPECT_EQ(Child<QPushButton>(form, "ResetButton")->text(), QStringLiteral("Сброс"));
  EXPECT_EQ(Child<QLabel>(form, "BackgroundColorLabel")->text(), QStringLiteral("Цвет фона: "));
  // The question of a language without its keys reads the keys themselves.
  TQuestion seen;
  const auto question = OnModal<QMessageBox>([&](QMessageBox& ABox) {
    seen.Caption = ABox.windowTitle();
    seen.Text = ABox.text();
    ABox.button(QMessageBox::No)->click();
  });
  Click(Child<QPushButton>(form, "ResetButton"));
  ASSERT_TRUE(question->Handled());
  EXPECT_EQ(seen.Caption, "RESET_COLORS_DIALOG");
  EXPECT_EQ(seen.Text, "DEFAULT_COLORS_MESSAGE");
}

TEST_F(ColorsFormTest, CaptionsStayClearOfTheirPanelsWithALargeDesktopFont) {
  const QFont old = QApplication::font("QMessageBox");
  QFont large = old;
  large.setPointSizeF(14);
  QApplication::setFont(large, "QMessageBox");
  for (const int language : {kEnglish, kRussian}) {
    Open(SampleColors(), language);
    for (const auto& [label, panel] :
         {std::pair{"BackgroundColorLabel", size_t{7}}, std::pair{"TextColorLabel", size_t{6}}}) {
      const QLabel* caption = Child<QLabel>(*FForm, label);
      EXPECT_LE(caption->x() + caption->sizeHint().width(), Panel(panel)->x()) << label;
      EXPECT_GE(caption->width(), caption->sizeHint().width()) << label;
    }
    // One font for the three captions.
    EXPECT_EQ(Child<QLabel>(*FForm, "PlaneColorsLabel")->font(),
              Child<QLabel>(*FForm, "BackgroundColorLabel")->font());
    EXPECT_EQ(Child<QLabel>(*FForm, "TextColorLabel")->font(),
              Child<QLabel>(*FForm, "BackgroundColorLabel")->font());
  }
  QApplication::setFont(old, "QMessageBox");
}

TEST_F(ColorsFormTest, TabReachesEveryColourAndSpaceOrEnterChoosesOne) {
  Open();
  FForm->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(FForm.get()));
  // Enter at once is still OK's; Tab goes on from it through the colours.
  EXPECT_EQ(QApplication::focusWidget(), Button("OKButton"));
  std::vector<QString> reached;
  for (int i = 0; i < 11; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached.push_back(QApplication::focusWidget()->objectName());
  }
  EXPECT_EQ(reached,
            (std::vector<QString>{"CancelButton", "BackgroundColorPanel", "TimerColorPanel",
                                  "Plane2Panel", "Plane5Panel", "Plane6Panel", "Plane3Panel",
                                  "Plane1Panel", "Plane4Panel", "ResetButton", "OKButton"}));

  // Each key opens the chooser on the focused colour; OK is not pressed.
  const std::array<std::pair<Qt::Key, size_t>, 3> keys = {
      {{Qt::Key_Space, 0}, {Qt::Key_Return, 6}, {Qt::Key_Enter, 7}}};
  for (const auto& [key, index] : keys) {
    TColorPanel* panel = Panel(index);
    ASSERT_FALSE(panel->hasFocus());
    const QImage unfocused = panel->grab().toImage();
    panel->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(panel->hasFocus());
    // The focus shows on the colour itself.
    EXPECT_NE(panel->grab().toImage(), unfocused) << kPanelNames[index];
    const QColor chosen(10 + static_cast<int>(index), 200, 30);
    const auto chooser = OnModal<QColorDialog>([&](QColorDialog& ADialog) {
      ADialog.setCurrentColor(chosen);
      ADialog.accept();
    });
    QTest::keyClick(panel, key);
    EXPECT_TRUE(chooser->Handled()) << kPanelNames[index];
    EXPECT_EQ(panel->Color(), PackColor(chosen)) << kPanelNames[index];
    EXPECT_TRUE(FForm->isVisible());
  }
  // Other keys do nothing to a colour.
  const int32_t before = Panel(3)->Color();
  QTest::keyClick(Panel(3), Qt::Key_A);
  EXPECT_EQ(Panel(3)->Color(), before);
}
