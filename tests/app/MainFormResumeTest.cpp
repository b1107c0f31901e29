// The game in progress is kept when the window closes and goes on at the next start; the end of
// a game forgets it, and a kept game that cannot be read is moved aside with a message.
#include "localization/LocalizationStore.h"
#include "tests/app/MainFormTestSupport.h"
#include "tests/engine/CubeTestSupport.h"

#include <filesystem>

using namespace vexil;
using namespace vexil::testing;

namespace {

class ResumeTest : public MainFormTest {
protected:
  std::string KeptPath() const { return FFolder.File("data/Vexil Cube/current.vcs"); }

  // A game in progress on a 2 x 2 x 2 cube with a known clock, a turn of the player's own
  // and the clock stopped, so what is kept is known exactly.
  TMainForm& OpenWithGame() {
    WriteSettings("[settings]\r\nVexilCubeDegree=2\r\n");
    TMainForm& form = Open();
    Item("HardGameModeMenuItem")->trigger();
    EXPECT_TRUE(WaitUntil([&] { return form.Game()->NewGameIsStarted(); }, 20000));
    Settle();
    Drag(Qt::LeftButton, StickerPoint(), 100, 0);
    Settle();
    form.Game()->Clock().SetTime(0, 754);
    form.Game()->Clock().Stop();
    return form;
  }
};

} // namespace

TEST_F(ResumeTest, AGameClosedByTheWindowGoesOnAtTheNextStart) {
  TMessageWatcher messages;
  TMainForm& form = OpenWithGame();
  const auto stickers = vexil::test::Stickers(*form.VexilCube());
  const int32_t moves = form.Game()->MoveCount();
  ASSERT_EQ(moves, 1);
  CloseAndFree();
  ASSERT_TRUE(std::filesystem::exists(KeptPath()));

  // The next start plays it on, on a cube of its size whatever size the settings name.
  WriteSettings("[settings]\r\nVexilCubeDegree=4\r\n");
  TMainForm& again = Open();
  ASSERT_TRUE(WaitUntil([&] { return again.Game()->NewGameIsStarted(); }));
  EXPECT_EQ(again.VexilCube()->Degree(), 2);
  EXPECT_EQ(vexil::test::Stickers(*again.VexilCube()), stickers);
  EXPECT_EQ(again.Game()->Clock().SecondCount(), 754);
  EXPECT_TRUE(again.Game()->Clock().Running());
  EXPECT_TRUE(Item("HardGameModeMenuItem")->isChecked());
  EXPECT_EQ(again.Game()->MoveCount(), moves);
  EXPECT_TRUE(messages.Seen().empty());

  // Reset ends the game, and with it the kept one.
  Item("ResetMenuItem")->trigger();
  EXPECT_FALSE(std::filesystem::exists(KeptPath()));
  CloseAndFree();
  EXPECT_FALSE(std::filesystem::exists(KeptPath()));
  TMainForm& fresh = Open();
  QTest::qWait(100);
  EXPECT_FALSE(fresh.Game()->NewGameIsStarted());
  EXPECT_EQ(fresh.VexilCube()->Degree(), 4);
}

TEST_F(ResumeTest, AScrambleOrASolvedCubeIsNoGameToKeep) {
  WriteSettings("[settings]\r\nVexilCubeDegree=6\r\n");
  TMainForm& form = Open();
  Item("HardGameModeMenuItem")->trigger();
  ASSERT_TRUE(form.Game()->Scrambling());
  CloseAndFree();
  EXPECT_FALSE(std::filesystem::exists(KeptPath()));

  // A size change ends a resumed game too.
  OpenWithGame();
  CloseAndFree();
  ASSERT_TRUE(std::filesystem::exists(KeptPath()));
  Open();
  ASSERT_TRUE(WaitUntil([&] { return FForm->Game()->NewGameIsStarted(); }));
  Item("MenuItemDegree3")->trigger();
  EXPECT_FALSE(std::filesystem::exists(KeptPath()));
}

TEST_F(ResumeTest, AKeptGameThatCannotBeReadIsMovedAsideWithAMessage) {
  std::filesystem::create_directories(FFolder.File("data/Vexil Cube"));
  WriteTextFile(KeptPath(), "not a game at all");
  TMessageWatcher messages;
  TMainForm& form = Open();
  ASSERT_TRUE(WaitUntil([&] { return messages.Seen().size() == 1; }));
  const std::string aside = KeptPath() + ".damaged";
  EXPECT_TRUE(messages.Seen()[0].Text.contains(QString::fromStdString(aside)));
  EXPECT_FALSE(std::filesystem::exists(KeptPath()));
  EXPECT_EQ(ReadTextFile(aside), "not a game at all");
  EXPECT_FALSE(form.Game()->NewGameIsStarted());
}

TEST_F(ResumeTest, ASavedGameNamedAtStartTakesThePlaceOfTheKeptOne) {
  TMainForm& form = OpenWithGame();
  const std::string named = FFolder.File("named.vcs");
  ASSERT_TRUE(form.SaveGameFile(QString::fromStdString(named)));
  const auto stickers = vexil::test::Stickers(*form.VexilCube());
  Item("EasyGameModeMenuItem")->trigger();
  ASSERT_TRUE(WaitUntil([&] { return form.Game()->NewGameIsStarted(); }, 20000));
  CloseAndFree();
  ASSERT_TRUE(std::filesystem::exists(KeptPath()));

  FForm = std::make_unique<TMainForm>();
  FForm->SetStartGameFile(QString::fromStdString(named));
  FForm->show();
  ASSERT_TRUE(WaitUntil([&] { return FForm->Game()->NewGameIsStarted(); }));
  EXPECT_EQ(vexil::test::Stickers(*FForm->VexilCube()), stickers);
  EXPECT_FALSE(std::filesystem::exists(KeptPath()));
}
