// Moves in notation in the real window: the scramble copied and pasted with the keys, turns
// typed into the entry, the log beside the cube.
#include "app/RecordsFile.h"
#include "dialogs/MovesEntry.h"
#include "dialogs/MovesLog.h"
#include "engine/Records.h"
#include "render/CubeMeshResource.h"
#include "tests/app/MainFormTestSupport.h"

#include <QClipboard>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

#include <vector>

using namespace vexil;
using namespace vexil::testing;

namespace {

std::vector<int32_t> Identities(const TVexilCube& ACube) {
  std::vector<int32_t> ids;
  for (int32_t s = 0; s < ACube.WorkPlanesCount(); ++s) {
    ids.push_back(ACube.WorkPlane(s).PlaneID());
  }
  return ids;
}

// The stickers a sequence gives a solved cube of the window's size, played on a cube of its own.
std::vector<int32_t> IdentitiesAfter(const TMainForm& AForm, const std::string& AText) {
  TGame game(AForm.VexilCube()->Degree(), ReadCubeMesh());
  game.NewGameFromScramble(AText);
  while (game.Scrambling()) {
    game.VexilCube().FinishTurn();
  }
  return Identities(game.VexilCube());
}

class MainFormNotationTest : public MainFormTest {
protected:
  // The window's shortcuts need it active: a message box that just closed may still hold that.
  void Keys(Qt::Key AKey, Qt::KeyboardModifiers AModifiers) {
    FForm->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(FForm.get()));
    QTest::keyClick(FForm->View(), AKey, AModifiers);
  }
  // Waits for the game that the scramble starts.
  void WaitForGame() {
    EXPECT_TRUE(WaitUntil([this] { return FForm->Game()->NewGameIsStarted(); }, 20000));
    Settle();
  }
  TMovesEntry* OpenEntry() {
    Keys(Qt::Key_M, Qt::ControlModifier);
    TMovesEntry* entry = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
      entry = FForm->findChild<TMovesEntry*>();
      return entry != nullptr && entry->isVisible();
    }));
    return entry;
  }
};

} // namespace

// The clipboard's "R U R' U'" starts a game on that cube; the inverse typed wins it, and the
// records keep the scramble.
TEST_F(MainFormNotationTest, APastedScrambleIsPlayedAndTypedTurnsWinTheGame) {
  TMainForm& form = Open();
  QGuiApplication::clipboard()->setText(QStringLiteral("R U R' U'"));
  Keys(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(form.Game()->Scrambling());
  WaitForGame();
  EXPECT_EQ(Identities(*form.VexilCube()), IdentitiesAfter(form, "R U R' U'"));
  EXPECT_FALSE(Item("EasyGameModeMenuItem")->isChecked());
  EXPECT_FALSE(Item("NormalGameModeMenuItem")->isChecked());
  EXPECT_FALSE(Item("HardGameModeMenuItem")->isChecked());

  TMovesEntry* entry = OpenEntry();
  ASSERT_NE(entry, nullptr);
  TMessageWatcher watcher;
  QTest::keyClicks(entry->Edit(), QStringLiteral("U R U' R'"));
  QTest::keyClick(entry->Edit(), Qt::Key_Return);
  ASSERT_TRUE(WaitUntil([&] { return !watcher.Seen().empty(); }, 20000));
  EXPECT_EQ(watcher.Seen()[0].Caption, QStringLiteral("Поздравляем!"));
  EXPECT_EQ(form.Game()->LastSolve().Moves, 4);
  const TRecordsFile records = ReadRecordsFile(RecordsFileName());
  ASSERT_EQ(records.Records.size(), 1u);
  EXPECT_EQ(records.Records[0].Scramble, "R U R' U'");
  EXPECT_EQ(records.Records[0].Difficulty, "");
}

// After a Hard game the copied scramble holds N + 13 turns, and pasted into a new game it gives
// the same cube.
TEST_F(MainFormNotationTest, ACopiedScrambleReplaysToTheSameCube) {
  TMainForm& form = Open();
  EXPECT_FALSE(Item("CopyScrambleMenuItem")->isEnabled());
  Item("HardGameModeMenuItem")->trigger();
  EXPECT_FALSE(Item("CopyScrambleMenuItem")->isEnabled()); // not while it scrambles
  WaitForGame();
  EXPECT_TRUE(Item("CopyScrambleMenuItem")->isEnabled());
  const auto scrambled = Identities(*form.VexilCube());
  QGuiApplication::clipboard()->clear();
  Keys(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_GE(copied.split(QLatin1Char(' ')).size(), 3 + 13);

  Item("ResetMenuItem")->trigger();
  Settle();
  ASSERT_NE(Identities(*form.VexilCube()), scrambled);
  Keys(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  WaitForGame();
  EXPECT_EQ(Identities(*form.VexilCube()), scrambled);
  EXPECT_EQ(QString::fromStdString(form.Game()->ScrambleText()), copied);
}

TEST_F(MainFormNotationTest, AClipboardWithoutASequenceGivesAMessageAndChangesNothing) {
  TMainForm& form = Open();
  Item("EasyGameModeMenuItem")->trigger();
  WaitForGame();
  const auto before = Identities(*form.VexilCube());
  const std::string scramble = form.Game()->ScrambleText();
  TMessageWatcher watcher;
  for (const QString& text : {QString(), QStringLiteral("R U 4R"), QStringLiteral("hello")}) {
    if (text.isEmpty()) {
      QGuiApplication::clipboard()->clear();
    } else {
      QGuiApplication::clipboard()->setText(text);
    }
    const size_t seen = watcher.Seen().size();
    Keys(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(WaitUntil([&] { return watcher.Seen().size() > seen; }));
    EXPECT_EQ(watcher.Seen().back().Icon, QMessageBox::Warning);
    if (text == QStringLiteral("R U 4R")) {
      EXPECT_TRUE(watcher.Seen().back().Text.contains(QStringLiteral("\"4R\"")))
          << watcher.Seen().back().Text.toStdString();
    }
    EXPECT_TRUE(form.Game()->NewGameIsStarted());
    EXPECT_TRUE(Item("EasyGameModeMenuItem")->isChecked());
    EXPECT_EQ(form.Game()->ScrambleText(), scramble);
    EXPECT_EQ(Identities(*form.VexilCube()), before);
  }
}

// A bad token plays nothing: the entry stays, selects it and says why; the keys of the cube
// keep their meaning once the entry has gone.
TEST_F(MainFormNotationTest, TheEntryMarksABadTokenAndPlaysNothing) {
  TMainForm& form = Open();
  TMovesEntry* entry = OpenEntry();
  ASSERT_NE(entry, nullptr);
  QTest::keyClicks(entry->Edit(), QStringLiteral("R U 4R U'"));
  QTest::keyClick(entry->Edit(), Qt::Key_Return);
  EXPECT_TRUE(entry->isVisible());
  EXPECT_EQ(entry->Edit()->selectedText(), QStringLiteral("4R"));
  EXPECT_EQ(entry->Edit()->selectionStart(), 4);
  EXPECT_TRUE(entry->ErrorText().contains(QStringLiteral("\"4R\"")));
  EXPECT_TRUE(entry->ErrorText().contains(QLatin1Char('3')));
  EXPECT_FALSE(form.VexilCube()->SideIsRotating());
  EXPECT_EQ(form.VexilCube()->History().Count(), 0);
  // Mending the text takes the mark away; Enter then plays it and closes the entry.
  QTest::keyClick(entry->Edit(), Qt::Key_Backspace);
  EXPECT_TRUE(entry->ErrorText().isEmpty());
  entry->Edit()->setText(QStringLiteral("R 2R'"));
  QPointer<TMovesEntry> guard(entry);
  QTest::keyClick(entry->Edit(), Qt::Key_Return);
  EXPECT_TRUE(WaitUntil([&] { return guard.isNull() || !guard->isVisible(); }));
  Settle();
  EXPECT_EQ(form.VexilCube()->History().Count(), 2);
  // W turns the view again, as before the entry.
  const TMatrix view = form.View()->ViewMatrix();
  QTest::keyPress(Surface(), Qt::Key_W);
  WaitUntil([&] { return form.View()->ViewMatrix()[5] != view[5]; }, 1000);
  QTest::keyRelease(Surface(), Qt::Key_W);
  EXPECT_NE(form.View()->ViewMatrix()[5], view[5]);
}

TEST_F(MainFormNotationTest, TheMoveLogIsHiddenByDefaultAndShowsScrambleAndTurns) {
  TMainForm& form = Open();
  auto* dock = form.findChild<QDockWidget*>(QStringLiteral("MovesDock"));
  auto* log = form.findChild<TMovesLog*>();
  ASSERT_NE(dock, nullptr);
  ASSERT_NE(log, nullptr);
  EXPECT_FALSE(dock->isVisible());
  EXPECT_FALSE(Item("ShowMovesMenuItem")->isChecked());
  Item("ShowMovesMenuItem")->trigger();
  EXPECT_TRUE(WaitUntil([&] { return dock->isVisible(); }));
  QGuiApplication::clipboard()->setText(QStringLiteral("F2 D'"));
  Keys(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  WaitForGame();
  EXPECT_EQ(log->ScrambleText(), QStringLiteral("F2 D'"));
  form.Game()->PlayMoves("R U2");
  Settle();
  EXPECT_TRUE(WaitUntil([&] { return log->TurnsText() == QStringLiteral("R U U"); }));
  Item("miUndoStep")->trigger();
  EXPECT_TRUE(WaitUntil([&] { return log->TurnsText() == QStringLiteral("R U"); }));
  CloseAndFree();
  EXPECT_NE(ReadTextFile(IniPath()).find("ShowMoves=1"), std::string::npos);
}
