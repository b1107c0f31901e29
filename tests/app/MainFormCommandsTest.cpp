#include "localization/LocalizationStore.h"
#include "tests/app/MainFormTestSupport.h"

#include <QActionGroup>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

using namespace vexil;
using namespace vexil::testing;

namespace {

struct TTurn {
  int32_t Plane;
  int32_t Direction;
};

// Follows the cube while it turns and notes every animated turn that starts, until AStop
// holds: a new turn is one whose layer or direction differs from the last, or whose angle
// has gone back.
std::vector<TTurn> RecordTurns(const TMainForm& AForm, const std::function<bool()>& AStop) {
  std::vector<TTurn> turns;
  bool wasRotating = false;
  float lastAngle = 0.0f;
  WaitUntil(
      [&] {
        const TVexilCube& cube = *AForm.VexilCube();
        if (cube.SideIsRotating()) {
          const bool differs = turns.empty() || turns.back().Plane != cube.SelectedPlane() ||
                               turns.back().Direction != cube.RotateDirection();
          if (!wasRotating || differs || cube.RotateAngle() < lastAngle) {
            turns.push_back({cube.SelectedPlane(), cube.RotateDirection()});
          }
          lastAngle = cube.RotateAngle();
        }
        wasRotating = cube.SideIsRotating();
        return AStop();
      },
      20000);
  return turns;
}

} // namespace

TEST_F(MainFormTest, NormalOnFourMakesElevenTurnsThenStartsTheClockAtZero) {
  WriteSettings("[settings]\r\nVexilCubeDegree=4\r\n");
  TMainForm& form = Open();
  QAction* normal = Item("NormalGameModeMenuItem");
  normal->trigger();
  EXPECT_TRUE(normal->isChecked());
  EXPECT_FALSE(form.Game()->NewGameIsStarted());
  EXPECT_TRUE(form.Game()->Scrambling());
  EXPECT_FALSE(form.Game()->Clock().Running()); // not when the item is clicked
  EXPECT_FALSE(Item("miUndoStep")->isEnabled());
  QString clockAtStart;
  const auto turns = RecordTurns(form, [&] {
    if (form.Game()->NewGameIsStarted() && clockAtStart.isEmpty()) {
      clockAtStart = QString::fromStdString(form.Game()->Clock().SecondsToTimeStr());
    }
    return form.Game()->NewGameIsStarted();
  });
  EXPECT_EQ(turns.size(), 11u);
  EXPECT_EQ(form.Game()->RandomCount(), 0);
  EXPECT_EQ(clockAtStart, QStringLiteral("00:00:00"));
  EXPECT_TRUE(form.Game()->Clock().Running());
  EXPECT_TRUE(form.ClockTickActive());
  EXPECT_FALSE(form.Game()->Scrambling());
  EXPECT_FALSE(form.VexilCube()->SideIsRotating());
}

TEST_F(MainFormTest, SolvingShowsTheCongratulationOnceAndOnlyDuringAGame) {
  WriteSettings("[settings]\r\nVexilCubeDegree=2\r\n");
  TMainForm& form = Open();
  TMessageWatcher messages;
  QAction* easy = Item("EasyGameModeMenuItem");
  easy->trigger();
  const auto turns = RecordTurns(form, [&] { return form.Game()->NewGameIsStarted(); });
  ASSERT_GE(turns.size(), 4u); // more when four turns happened to leave it solved
  // Turn the scramble back, last turn first.
  for (auto turn = turns.rbegin(); turn != turns.rend(); ++turn) {
    form.VexilCube()->RotateSide(turn->Plane, TVexilCube::OppositeDirection(turn->Direction));
    form.View()->Invalidate();
    ASSERT_TRUE(WaitUntil([&] { return !form.VexilCube()->SideIsRotating(); }));
  }
  ASSERT_TRUE(WaitUntil([&] { return !messages.Seen().empty(); }));
  Settle();
  ASSERT_EQ(messages.Seen().size(), 1u);
  const TSeenMessage& seen = messages.Seen()[0];
  EXPECT_EQ(seen.Caption, QStringLiteral("Поздравляем!"));
  EXPECT_TRUE(seen.Text.startsWith(QStringLiteral("Поздравляем! Ваше время: 00:00:0")))
      << seen.Text.toStdString();
  EXPECT_FALSE(seen.Text.contains(QStringLiteral("Дни")));
  EXPECT_EQ(seen.Icon, QMessageBox::Information);
  EXPECT_FALSE(form.Game()->NewGameIsStarted());
  EXPECT_FALSE(form.Game()->Clock().Running());
  EXPECT_FALSE(easy->isChecked());
  EXPECT_FALSE(form.VexilCube()->UndoExist());
  // The solve is in the records: size 2, Easy, the clock's time and the turns made.
  const TRecordsFile records = ReadRecordsFile(RecordsPath());
  ASSERT_EQ(records.Records.size(), 1u);
  EXPECT_EQ(records.Records[0].Degree, 2);
  EXPECT_EQ(records.Records[0].Difficulty, "easy");
  // Won by the turns back, or fewer when the scramble's first turns cancel out.
  EXPECT_GE(records.Records[0].Moves, 1);
  EXPECT_LE(records.Records[0].Moves, static_cast<int32_t>(turns.size()));
  EXPECT_EQ(records.Records[0].Days, 0);
  EXPECT_FALSE(records.Records[0].Date.empty());

  // Turned away and back with no game in progress: no message.
  form.VexilCube()->RotateSide(turns[0].Plane, turns[0].Direction);
  form.View()->Invalidate();
  ASSERT_TRUE(WaitUntil([&] { return !form.VexilCube()->SideIsRotating(); }));
  form.VexilCube()->RotateSide(turns[0].Plane, TVexilCube::OppositeDirection(turns[0].Direction));
  form.View()->Invalidate();
  ASSERT_TRUE(WaitUntil([&] { return !form.VexilCube()->SideIsRotating(); }));
  Settle();
  EXPECT_TRUE(form.VexilCube()->Solved());
  EXPECT_EQ(messages.Seen().size(), 1u);
  EXPECT_EQ(ReadRecordsFile(RecordsPath()).Records.size(), 1u); // nothing more recorded
}

TEST_F(MainFormTest, CongratulationCountsDaysFromTheSecondDayOn) {
  WriteSettings("[settings]\r\nVexilCubeDegree=2\r\n");
  TMainForm& form = Open();
  TMessageWatcher messages;
  Item("EasyGameModeMenuItem")->trigger();
  const auto turns = RecordTurns(form, [&] { return form.Game()->NewGameIsStarted(); });
  form.Game()->Clock().SetTime(2, 3661);
  for (auto turn = turns.rbegin(); turn != turns.rend(); ++turn) {
    form.VexilCube()->RotateSide(turn->Plane, TVexilCube::OppositeDirection(turn->Direction));
    form.View()->Invalidate();
    ASSERT_TRUE(WaitUntil([&] { return !form.VexilCube()->SideIsRotating(); }));
  }
  ASSERT_TRUE(WaitUntil([&] { return !messages.Seen().empty(); }));
  EXPECT_TRUE(
      messages.Seen()[0].Text.startsWith(QStringLiteral("Поздравляем! Ваше время: 01:01:0")));
  EXPECT_TRUE(messages.Seen()[0].Text.endsWith(QStringLiteral("; Дни: 2")));
}

TEST_F(MainFormTest, ResetKeepsTheDifficultyMarkAndEndsTheGame) {
  WriteSettings("[settings]\r\nVexilCubeDegree=2\r\n");
  TMainForm& form = Open();
  Item("HardGameModeMenuItem")->trigger();
  ASSERT_TRUE(WaitUntil([&] { return form.Game()->NewGameIsStarted(); }, 20000));
  Item("ResetMenuItem")->trigger();
  EXPECT_FALSE(form.Game()->NewGameIsStarted());
  EXPECT_TRUE(Item("HardGameModeMenuItem")->isChecked());
  EXPECT_TRUE(form.Game()->Clock().Running()); // counting on, no longer drawn
  Settle();
  EXPECT_FALSE(form.VexilCube()->Solved()); // a reset cube is not a won game
}

TEST_F(MainFormTest, SizeChangeMakesANewCubeStopsTheClockAndClearsTheMarks) {
  TMainForm& form = Open();
  Item("EasyGameModeMenuItem")->trigger();
  ASSERT_TRUE(WaitUntil([&] { return form.Game()->NewGameIsStarted(); }, 20000));
  Item("MenuItemDegree7")->trigger();
  EXPECT_EQ(form.VexilCube()->Degree(), 7);
  EXPECT_EQ(form.GameSettings()->VexilCubeDegree(), 7);
  EXPECT_TRUE(Item("MenuItemDegree7")->isChecked());
  EXPECT_FALSE(Item("MenuItemDegree3")->isChecked());
  EXPECT_FALSE(form.Game()->NewGameIsStarted());
  EXPECT_FALSE(form.Game()->Clock().Running());
  EXPECT_FALSE(Item("EasyGameModeMenuItem")->isChecked());
  EXPECT_TRUE(form.VexilCube()->GlobalLighting()); // settings applied to the new cube
}

TEST_F(MainFormTest, ViewTogglesFollowTheirSettings) {
  TMainForm& form = Open();
  TGameSettings& settings = *form.GameSettings();
  Item("GlobalLightingMenuItem")->trigger();
  EXPECT_FALSE(settings.GlobalLighting());
  EXPECT_FALSE(Item("GlobalLightingMenuItem")->isChecked());
  EXPECT_FALSE(form.VexilCube()->GlobalLighting());
  Item("BrightColorsMenuItem")->trigger();
  EXPECT_TRUE(settings.EnablePlaneLight());
  EXPECT_TRUE(Item("BrightColorsMenuItem")->isChecked());
  Item("TimerEnableMenuItem")->trigger();
  EXPECT_FALSE(settings.ShowTimer());
  EXPECT_FALSE(Item("TimerEnableMenuItem")->isChecked());
  Item("TimerEnableMenuItem")->trigger();
  EXPECT_TRUE(settings.ShowTimer());
  Item("FullScreenModeMenuItem")->trigger();
  EXPECT_TRUE(form.FullScreen());
  EXPECT_TRUE(settings.FullScreenMode());
  EXPECT_TRUE(Item("FullScreenModeMenuItem")->isChecked());
  EXPECT_TRUE(WaitUntil([&] { return form.windowState() & Qt::WindowFullScreen; }));
  Item("FullScreenModeMenuItem")->trigger();
  EXPECT_FALSE(form.FullScreen());
  EXPECT_FALSE(settings.FullScreenMode());
}

TEST_F(MainFormTest, LanguageChoiceShowsTheRestartMessageCentredInTheNewLanguage) {
  TMainForm& form = Open();
  form.move(40, 30); // away from the screen's centre
  ASSERT_TRUE(WaitUntil([&] {
    return form.frameGeometry().topLeft() == QPoint(40, 30) || form.pos() == QPoint(40, 30);
  }));
  TMessageWatcher messages;
  QAction* english = form.findChild<QMenu*>("LanguageMenuItem")->actions()[1];
  english->trigger();
  ASSERT_EQ(messages.Seen().size(), 1u);
  const TSeenMessage& seen = messages.Seen()[0];
  EXPECT_EQ(seen.Caption, QStringLiteral("Language"));
  EXPECT_EQ(seen.Text,
            QStringLiteral("You need to restart the application to apply language settings."));
  EXPECT_EQ(seen.Icon, QMessageBox::Warning);
  EXPECT_NEAR(seen.BoxFrame.center().x(), seen.WindowFrame.center().x(), 1);
  EXPECT_NEAR(seen.BoxFrame.center().y(), seen.WindowFrame.center().y(), 1);
  EXPECT_TRUE(english->isChecked());
  EXPECT_FALSE(form.findChild<QMenu*>("LanguageMenuItem")->actions()[0]->isChecked());
  EXPECT_EQ(form.GameSettings()->LanguageIndex(), 1);
  // The window keeps its captions until the next start.
  EXPECT_EQ(form.findChild<QMenu*>("GameMenuItem")->title(), QStringLiteral("&Игра"));
}

TEST_F(MainFormTest, HelpReportsNothingWithoutItsFileAndExitClosesTheWindow) {
  TMainForm& form = Open();
  TMessageWatcher messages;
  Item("miHelp")->trigger();
  QTest::qWait(100);
  EXPECT_TRUE(messages.Seen().empty());
  Item("CloseMenuItem")->trigger();
  EXPECT_TRUE(WaitUntil([&] { return !form.isVisible(); }));
}

TEST_F(MainFormTest, MenusPauseTheLoopExceptDuringAScramble) {
  TMainForm& form = Open();
  QMenu* view = form.findChild<QMenu*>("ViewMenuItem");
  emit view->aboutToShow();
  EXPECT_FALSE(form.View()->LoopEnabled());
  Item("EasyGameModeMenuItem")->trigger();
  EXPECT_TRUE(form.View()->LoopEnabled());
  emit view->aboutToShow();
  EXPECT_TRUE(form.View()->LoopEnabled()); // the scramble keeps turning
  ASSERT_TRUE(WaitUntil([&] { return form.Game()->NewGameIsStarted(); }, 20000));
  emit form.findChild<QMenu*>("HelpMenuItem")->aboutToShow();
  EXPECT_FALSE(form.View()->LoopEnabled());
}

namespace {

QString YesText() {
  const QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No);
  return box.button(QMessageBox::Yes)->text();
}

} // namespace

TEST_F(MainFormTest, QtsOwnButtonsSpeakTheGamesLanguageWhileTheWindowLives) {
  const QString english = YesText();
  ASSERT_EQ(english, QStringLiteral("&Yes"));
  Open(); // the first language, Russian
  EXPECT_EQ(YesText(), QStringLiteral("&Да"));
  CloseAndFree();
  EXPECT_EQ(YesText(), english);
  WriteSettings("[settings]\r\nLanguageIndex=1\r\n");
  Open();
  EXPECT_EQ(YesText(), english);
}
