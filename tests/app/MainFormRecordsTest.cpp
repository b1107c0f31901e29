// Game > Records through the real main window: the records file of the player's data folder
// shown for the size and difficulty being played, with the frame loop paused meanwhile.
#include "app/RecordsFile.h"
#include "dialogs/RecordsForm.h"
#include "dialogs/RecordsPlot.h"
#include "tests/app/MainFormTestSupport.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

using namespace vexil;
using namespace vexil::testing;

namespace {

// Two normal and one hard solve of the 3 x 3 x 3 (the hard one newest), a 4 x 4 x 4 and a
// damaged line.
constexpr const char* kRecords = "2026-01-01T10:00:00\t3\tnormal\t0\t95\t60\n"
                                 "2026-01-02T11:30:00\t3\tnormal\t0\t80\t45\n"
                                 "2026-01-03T09:15:00\t4\tnormal\t0\t300\t90\n"
                                 "damaged\n"
                                 "2026-01-04T08:05:00\t3\thard\t0\t42\t31\n";

// What the records window showed while it was open.
struct TShownRecords {
  QString Caption;
  int32_t Degree = 0;
  std::string Difficulty;
  QString Solves;
  QString BestTime;
  QString Damaged;
  int Rows = 0;
  size_t PlottedSolves = 0;
  bool FrameLoopRan = true;
  QRect Frame;
};

class RecordsWindowTest : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    const char* old = std::getenv("XDG_DATA_HOME");
    FOldDataHome = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
    setenv("XDG_DATA_HOME", (FFolder.Path() / "data").c_str(), 1);
  }
  void TearDown() override {
    MainFormTest::TearDown();
    if (FOldDataHome) {
      setenv("XDG_DATA_HOME", FOldDataHome->c_str(), 1);
    } else {
      unsetenv("XDG_DATA_HOME");
    }
  }

  void WriteRecords(const std::string& AText) {
    std::filesystem::create_directories(FFolder.Path() / "data" / "Vexil Cube");
    WriteTextFile(FFolder.File("data/Vexil Cube/records.tsv"), AText);
  }

  // Opens Game > Records, notes what the window shows and closes it with its button.
  TShownRecords ShowRecords() {
    TShownRecords shown;
    const auto window = OnModal<TRecordsForm>([&](TRecordsForm& AForm) {
      shown.Caption = AForm.windowTitle();
      shown.Degree = AForm.ChosenDegree();
      shown.Difficulty = AForm.ChosenDifficulty();
      shown.Solves = AForm.findChild<QLabel*>("SolvesValue")->text();
      shown.BestTime = AForm.findChild<QLabel*>("BestTimeValue")->text();
      auto* damaged = AForm.findChild<QLabel*>("RecordsDamagedLabel");
      shown.Damaged = damaged->isVisible() ? damaged->text() : QString();
      shown.Rows = AForm.findChild<QTableView*>("RecordsTable")->model()->rowCount();
      shown.PlottedSolves = AForm.findChild<TRecordsPlot*>("RecordsPlot")->SolveCount();
      shown.FrameLoopRan = FForm->View()->LoopEnabled();
      shown.Frame = AForm.frameGeometry();
      Click(AForm.findChild<QPushButton*>("RecordsCloseButton"));
    });
    Item("RecordsMenuItem")->trigger();
    EXPECT_TRUE(window->Handled());
    return shown;
  }

  std::optional<std::string> FOldDataHome;
};

} // namespace

TEST_F(RecordsWindowTest, GameRecordsShowsTheRecordsFileForTheSizePlayedWithTheLoopPaused) {
  ASSERT_EQ(RecordsFileName(), FFolder.File("data/Vexil Cube/records.tsv"));
  WriteRecords(kRecords);
  WriteSettings("[settings]\r\nLanguageIndex=1\r\n");
  TMainForm& form = Open();
  QAction* records = Item("RecordsMenuItem");
  EXPECT_EQ(records->text(), "Records");
  EXPECT_EQ(records->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
  EXPECT_TRUE(records->isEnabled());
  // In the Game menu, right after Save game.
  auto* gameMenu = form.findChild<QMenu*>("GameMenuItem");
  ASSERT_NE(gameMenu, nullptr);
  const QList<QAction*> items = gameMenu->actions();
  const auto save = std::find(items.begin(), items.end(), Item("SaveGameMenuItem"));
  ASSERT_NE(save, items.end());
  ASSERT_NE(save + 1, items.end());
  EXPECT_EQ(*(save + 1), records);

  // No game at start: the newest solve decides.
  TShownRecords shown = ShowRecords();
  EXPECT_EQ(shown.Caption, "Records");
  EXPECT_EQ(shown.Degree, 3);
  EXPECT_EQ(shown.Difficulty, "hard");
  EXPECT_EQ(shown.Solves, "1");
  EXPECT_EQ(shown.BestTime, "00:00:42");
  EXPECT_EQ(shown.Rows, 1);
  EXPECT_EQ(shown.PlottedSolves, 1u);
  EXPECT_EQ(shown.Damaged, "Damaged lines skipped in the records file: 1");
  EXPECT_FALSE(shown.FrameLoopRan);
  EXPECT_TRUE(form.View()->LoopEnabled());
  const QRect window = form.frameGeometry();
  EXPECT_EQ(shown.Frame.left(), window.left() + (window.width() - shown.Frame.width()) / 2);
  EXPECT_EQ(shown.Frame.top(), window.top() + (window.height() - shown.Frame.height()) / 2);

  // A game marked normal shows the normal solves; another size shows its own.
  Item("NormalGameModeMenuItem")->trigger();
  ASSERT_TRUE(WaitUntil([&] { return form.Game()->NewGameIsStarted(); }, 20000));
  shown = ShowRecords();
  EXPECT_EQ(shown.Difficulty, "normal");
  EXPECT_EQ(shown.Solves, "2");
  EXPECT_EQ(shown.BestTime, "00:01:20");
  EXPECT_EQ(shown.PlottedSolves, 2u);
  // The game goes on after the window closes.
  EXPECT_TRUE(form.Game()->NewGameIsStarted());
  EXPECT_TRUE(form.Game()->Clock().Running());

  // A game on another size shows that size's solves; without the game, the newest solve again.
  Item("MenuItemDegree4")->trigger();
  Item("NormalGameModeMenuItem")->trigger();
  ASSERT_TRUE(WaitUntil([&] { return form.Game()->NewGameIsStarted(); }, 20000));
  shown = ShowRecords();
  EXPECT_EQ(shown.Degree, 4);
  EXPECT_EQ(shown.Difficulty, "normal");
  EXPECT_EQ(shown.BestTime, "00:05:00");
  Item("ResetMenuItem")->trigger();
  shown = ShowRecords();
  EXPECT_EQ(shown.Degree, 3);
  EXPECT_EQ(shown.Difficulty, "hard");
}

TEST_F(RecordsWindowTest, WithoutAGameTheNewestSolveShowsWhateverTheSizeOnScreen) {
  WriteRecords(kRecords);
  WriteSettings("[settings]\r\nLanguageIndex=1\r\nVexilCubeDegree=5\r\n");
  Open();
  const TShownRecords shown = ShowRecords();
  EXPECT_EQ(shown.Degree, 3);
  EXPECT_EQ(shown.Difficulty, "hard");
  EXPECT_EQ(shown.Solves, "1");
}

TEST_F(RecordsWindowTest, WithoutARecordsFileTheWindowShowsNoSolvesInRussian) {
  WriteSettings("[settings]\r\nLanguageIndex=0\r\nVexilCubeDegree=5\r\n");
  Open();
  const TShownRecords shown = ShowRecords();
  EXPECT_EQ(shown.Caption, QStringLiteral("Рекорды"));
  EXPECT_EQ(shown.Degree, 5);
  EXPECT_EQ(shown.Difficulty, "");
  EXPECT_EQ(shown.Solves, "0");
  EXPECT_EQ(shown.BestTime, QStringLiteral("\u2014"));
  EXPECT_EQ(shown.Rows, 0);
  EXPECT_EQ(shown.Damaged, QString());
  EXPECT_EQ(Item("RecordsMenuItem")->text(), QStringLiteral("Рекорды"));
  // Nothing was written for looking.
  EXPECT_FALSE(std::filesystem::exists(FFolder.Path() / "data"));
}

TEST_F(RecordsWindowTest, ControlROpensTheWindow) {
  WriteRecords(kRecords);
  TMainForm& form = Open();
  bool opened = false;
  const auto window = OnModal<TRecordsForm>([&](TRecordsForm& AForm) {
    opened = true;
    AForm.reject();
  });
  QTest::keyClick(form.View(), Qt::Key_R, Qt::ControlModifier);
  EXPECT_TRUE(WaitUntil([&] { return window->Handled(); }));
  EXPECT_TRUE(opened);
}
