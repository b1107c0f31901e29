// Game > Pause: the clock stands still and the cube is hidden until the player goes on, by the
// same item, the P or Pause key or a click in the view; minimising the window pauses by itself.
#include "tests/app/MainFormTestSupport.h"


using namespace vexil;
using namespace vexil::testing;

namespace {

// Pixels of the drawn frame in a strong colour: the stickers (the clock and the word are white,
// the background black).
int ColourfulPixels(const TMainForm& AForm) {
  const QImage frame = AForm.View()->GrabFrame();
  int count = 0;
  for (int y = 0; y < frame.height(); y += 2) {
    for (int x = 0; x < frame.width(); x += 2) {
      const QColor c = frame.pixelColor(x, y);
      count +=
          std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 100
              ? 1
              : 0;
    }
  }
  return count;
}

class PauseTest : public MainFormTest {
protected:
  TMainForm& OpenWithGame() {
    WriteSettings("[settings]\r\nVexilCubeDegree=2\r\nLanguageIndex=1\r\n");
    TMainForm& form = Open();
    EXPECT_FALSE(Item("PauseMenuItem")->isEnabled());
    Item("EasyGameModeMenuItem")->trigger();
    EXPECT_TRUE(WaitUntil([&] { return form.Game()->NewGameIsStarted(); }, 20000));
    Settle();
    return form;
  }

  // The game is paused with its clock standing still and no sticker on the screen.
  void ExpectPaused(TMainForm& AForm) {
    EXPECT_TRUE(AForm.Game()->Paused());
    EXPECT_TRUE(Item("PauseMenuItem")->isChecked());
    const int32_t seconds = AForm.Game()->Clock().SecondCount();
    QTest::qWait(1200);
    EXPECT_EQ(AForm.Game()->Clock().SecondCount(), seconds);
    EXPECT_EQ(ColourfulPixels(AForm), 0);
  }
  void ExpectPlaying(TMainForm& AForm) {
    EXPECT_FALSE(AForm.Game()->Paused());
    EXPECT_FALSE(Item("PauseMenuItem")->isChecked());
    EXPECT_TRUE(AForm.Game()->Clock().Running());
    EXPECT_GT(ColourfulPixels(AForm), 500);
  }
};

} // namespace

TEST_F(PauseTest, TheItemTheKeysAndAClickPauseAndGoOn) {
  TMainForm& form = OpenWithGame();
  EXPECT_EQ(Item("PauseMenuItem")->text(), "Pause");
  ExpectPlaying(form);

  Item("PauseMenuItem")->trigger();
  ExpectPaused(form);
  EXPECT_FALSE(Item("miUndoStep")->isEnabled());
  QTest::keyClick(Surface(), Qt::Key_P);
  ExpectPlaying(form);

  QTest::keyClick(Surface(), Qt::Key_Pause);
  ExpectPaused(form);
  // The click that lets the game go on turns nothing.
  const int32_t moves = form.Game()->MoveCount();
  Drag(Qt::LeftButton, StickerPoint(), 100, 0);
  Settle();
  ExpectPlaying(form);
  EXPECT_EQ(form.Game()->MoveCount(), moves);
  EXPECT_EQ(form.View()->MouseState(), -1);

  // Without a game there is nothing to pause, and the P key does nothing.
  Item("ResetMenuItem")->trigger();
  EXPECT_FALSE(Item("PauseMenuItem")->isEnabled());
  QTest::keyClick(Surface(), Qt::Key_P);
  EXPECT_FALSE(form.Game()->Paused());
}

TEST_F(PauseTest, MinimisingPausesAndComingBackGoesOn) {
  TMainForm& form = OpenWithGame();
  form.showMinimized();
  if (!WaitUntil([&] { return form.isMinimized(); }, 2000)) {
    GTEST_SKIP() << "the display minimises no window (no window manager)";
  }
  ASSERT_TRUE(WaitUntil([&] { return form.Game()->Paused(); }));
  form.showNormal();
  form.activateWindow();
  ASSERT_TRUE(WaitUntil([&] { return !form.Game()->Paused(); }));
  ExpectPlaying(form);

  // A pause of the player's own stays when the window comes back.
  Item("PauseMenuItem")->trigger();
  form.showMinimized();
  ASSERT_TRUE(WaitUntil([&] { return form.isMinimized(); }));
  form.showNormal();
  ASSERT_TRUE(WaitUntil([&] { return !form.isMinimized(); }));
  QTest::qWait(300);
  EXPECT_TRUE(form.Game()->Paused());
}
