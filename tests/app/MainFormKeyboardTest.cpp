// The keyboard after the menus: a menu closed with Esc gives the keys back to the cube, a key
// press resumes a paused frame loop, and the redo keys of other programs redo too.
#include "tests/app/MainFormTestSupport.h"

#include <QMenu>
#include <QMenuBar>

using namespace vexil;
using namespace vexil::testing;

namespace {

// Opens the top menu AMenu with a click on its title, as the player does.
void OpenByClick(TMainForm& AForm, QMenu* AMenu) {
  QMenuBar* bar = AForm.menuBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(AMenu->menuAction()).center());
  ASSERT_TRUE(QTest::qWaitFor([&] { return AMenu->isVisible(); }));
}

} // namespace

TEST_F(MainFormTest, AMenuClosedWithEscapeGivesTheKeysBackToTheCubeAndResumesTheLoop) {
  TMainForm& form = Open();
  Settle();
  QMenu* game = form.findChild<QMenu*>("GameMenuItem");
  OpenByClick(form, game);
  EXPECT_FALSE(form.View()->LoopEnabled()); // an open menu pauses the game
  QTest::keyClick(game, Qt::Key_Escape);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !game->isVisible(); }));
  EXPECT_TRUE(form.View()->LoopEnabled());
  // The keys reach the cube, not the menu bar: a held arrow spins it.
  ASSERT_TRUE(QTest::qWaitFor([&] { return ViewHasTheKeys(); }));
  const TMatrix before = form.View()->ViewMatrix();
  QTest::keyPress(QGuiApplication::focusWindow(), Qt::Key_Left);
  EXPECT_TRUE(form.View()->Keys().Contains(TKey::kLeft));
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.View()->ViewMatrix() != before; }));
  QTest::keyRelease(QGuiApplication::focusWindow(), Qt::Key_Left);
  EXPECT_TRUE(form.View()->Keys().Empty());
  // Down no longer opens a menu from the bar.
  QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Down);
  QTest::qWait(50);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(MainFormTest, AMenuClosedWithoutACommandAlsoResumesTheLoop) {
  TMainForm& form = Open();
  QMenu* view = form.findChild<QMenu*>("ViewMenuItem");
  OpenByClick(form, view);
  ASSERT_FALSE(form.View()->LoopEnabled());
  // A second click on its title closes the menu; the pointer never crosses the cube.
  QMenuBar* bar = form.menuBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(view->menuAction()).center());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }));
  EXPECT_TRUE(form.View()->LoopEnabled());
  EXPECT_TRUE(QTest::qWaitFor([&] { return ViewHasTheKeys(); }));
}

TEST_F(MainFormTest, KeysHeldWhenAMenuOpensAreForgottenAndAKeyPressResumesTheLoop) {
  TMainForm& form = Open();
  QTest::keyPress(Surface(), Qt::Key_Up);
  ASSERT_TRUE(form.View()->Keys().Contains(TKey::kUp));
  // The open menu would receive the release: the cube must not spin on by itself afterwards.
  emit form.findChild<QMenu*>("HelpMenuItem")->aboutToShow();
  EXPECT_TRUE(form.View()->Keys().Empty());
  EXPECT_FALSE(form.View()->LoopEnabled());
  QTest::keyPress(Surface(), Qt::Key_Right);
  EXPECT_TRUE(form.View()->LoopEnabled());
  QTest::keyRelease(Surface(), Qt::Key_Right);
  // Any key, not only a spin key.
  emit form.findChild<QMenu*>("HelpMenuItem")->aboutToShow();
  ASSERT_FALSE(form.View()->LoopEnabled());
  QTest::keyClick(Surface(), Qt::Key_Space);
  EXPECT_TRUE(form.View()->LoopEnabled());
}

TEST_F(MainFormTest, CtrlYAndCtrlShiftZRedoBesideCtrlX) {
  TMainForm& form = Open();
  Item("EasyGameModeMenuItem")->trigger();
  ASSERT_TRUE(WaitUntil([&] { return form.Game()->NewGameIsStarted(); }, 20000));
  Settle();
  Drag(Qt::LeftButton, StickerPoint(), 100, 0);
  Settle();
  ASSERT_EQ(form.VexilCube()->History().Count(), 1);
  const QList<QKeySequence> redoKeys = {QKeySequence(Qt::CTRL | Qt::Key_X),
                                        QKeySequence(Qt::CTRL | Qt::Key_Y),
                                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
  EXPECT_EQ(Item("miRedoStep")->shortcut(), redoKeys[0]); // the one the menu shows
  for (const QKeySequence& keys : redoKeys) {
    SCOPED_TRACE(keys.toString().toStdString());
    QTest::keySequence(Surface(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    ASSERT_TRUE(WaitUntil([&] { return form.VexilCube()->History().Position() == -1; }));
    Settle();
    QTest::keySequence(Surface(), keys);
    EXPECT_TRUE(WaitUntil([&] { return form.VexilCube()->History().Position() == 0; }));
    Settle();
  }
}
