#include "tests/app/MainFormTestSupport.h"

#include <QMessageBox>
#include <QTimer>
#include <QWheelEvent>

using namespace vexil;
using namespace vexil::testing;

namespace {

bool SameMatrix(const TMatrix& A, const TMatrix& B) {
  for (size_t i = 0; i < A.size(); ++i) {
    if (std::abs(A[i] - B[i]) > 1e-6f) {
      return false;
    }
  }
  return true;
}

void Wheel(QWindow* AWidget, int ADelta) {
  const QPointF at(AWidget->width() / 2.0, AWidget->height() / 2.0);
  QWheelEvent event(at, AWidget->mapToGlobal(at), QPoint(), QPoint(0, ADelta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(AWidget, &event);
}

} // namespace

TEST_F(MainFormTest, LeftDragBeyondFortyFiveDegreesRecordsATurn) {
  TMainForm& form = Open();
  Item("EasyGameModeMenuItem")->trigger();
  ASSERT_TRUE(WaitUntil([&] { return form.Game()->NewGameIsStarted(); }, 20000));
  Settle();
  const QPoint sticker = StickerPoint();
  // 0.75 degree per pixel: 50 pixels stand at 37.5 degrees, the layer turns back.
  Drag(Qt::LeftButton, sticker, 50, 0);
  Settle();
  EXPECT_EQ(form.VexilCube()->History().Count(), 0);
  EXPECT_FALSE(Item("miUndoStep")->isEnabled());
  // 100 pixels stand at 75 degrees: the turn completes and is recorded.
  Drag(Qt::LeftButton, sticker, 100, 0);
  Settle();
  EXPECT_EQ(form.VexilCube()->History().Count(), 1);
  EXPECT_EQ(form.View()->MouseState(), -1);
  EXPECT_TRUE(Item("miUndoStep")->isEnabled());
  EXPECT_FALSE(Item("miRedoStep")->isEnabled());
  Item("miUndoStep")->trigger();
  Settle();
  EXPECT_TRUE(Item("miRedoStep")->isEnabled());
  EXPECT_FALSE(Item("miUndoStep")->isEnabled());
  Item("miRedoStep")->trigger();
  Settle();
  EXPECT_TRUE(Item("miUndoStep")->isEnabled());
}

TEST_F(MainFormTest, QuickDragsAndUndoesWhileATurnAnimatesAreNeverLost) {
  TMainForm& form = Open();
  Item("EasyGameModeMenuItem")->trigger();
  ASSERT_TRUE(WaitUntil([&] { return form.Game()->NewGameIsStarted(); }, 20000));
  Settle();
  const QPoint sticker = StickerPoint();
  // The second drag starts as soon as the first was let go, while its turn still animates (the
  // end of a turn is a few frames away, so a wait here would race it).
  Drag(Qt::LeftButton, sticker, 100, 0, 4);
  ASSERT_TRUE(form.VexilCube()->SideIsRotating());
  Drag(Qt::LeftButton, sticker, 0, 100, 4);
  Settle();
  EXPECT_EQ(form.VexilCube()->History().Count(), 2);
  EXPECT_EQ(form.Game()->MoveCount(), 2);
  // Three quick undoes, each arriving while the one before it animates: all three act.
  Drag(Qt::LeftButton, sticker, 100, 0, 4);
  QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(form.VexilCube()->History().Position(), -1);
  EXPECT_EQ(form.Game()->MoveCount(), 6);
}

TEST_F(MainFormTest, AReleaseLostToAModalWindowEndsTheDragAsAReleaseWould) {
  TMainForm& form = Open();
  Item("EasyGameModeMenuItem")->trigger();
  ASSERT_TRUE(WaitUntil([&] { return form.Game()->NewGameIsStarted(); }, 20000));
  Settle();
  const QPoint sticker = StickerPoint();
  // 50 pixels stand at 37.5 degrees (the layer turns back), 100 at 75 (the turn completes).
  for (const auto& [pixels, turns] : {std::pair{50, 0}, std::pair{100, 1}}) {
    SCOPED_TRACE(pixels);
    PressAndMove(Qt::LeftButton, sticker, pixels, 0);
    ASSERT_GT(form.VexilCube()->RotateAngle(), 0.0f);
    // A box opens over the window while the button is held; the release goes to the box.
    QTimer::singleShot(200, [] {
      if (QWidget* box = QApplication::activeModalWidget()) {
        box->close();
      }
    });
    QMessageBox::information(&form, QStringLiteral("box"), QStringLiteral("text"));
    Settle();
    EXPECT_EQ(form.View()->MouseState(), -1);
    EXPECT_EQ(form.VexilCube()->History().Count(), turns);
    // The bare pointer moves on over the view: no layer follows it.
    const QPoint away = sticker + QPoint(0, 80);
    QMouseEvent move(QEvent::MouseMove, away, Surface()->mapToGlobal(away), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Surface(), &move);
    Settle();
    EXPECT_FALSE(form.VexilCube()->SideIsRotating());
    EXPECT_EQ(form.VexilCube()->RotateAngle(), 0.0f);
    EXPECT_EQ(form.VexilCube()->History().Count(), turns);
  }
}

TEST_F(MainFormTest, UndoAndRedoStayDisabledWithoutAGame) {
  TMainForm& form = Open();
  Drag(Qt::LeftButton, StickerPoint(), 100, 0);
  Settle();
  ASSERT_TRUE(form.VexilCube()->UndoExist());
  EXPECT_FALSE(Item("miUndoStep")->isEnabled());
  EXPECT_FALSE(Item("miRedoStep")->isEnabled());
}

TEST_F(MainFormTest, RightDragSpinsTheViewAndNeverReachesTheCube) {
  TMainForm& form = Open();
  Settle();
  const TMatrix before = form.View()->ViewMatrix();
  Drag(Qt::RightButton, StickerPoint(), 60, 0, 6);
  Settle();
  EXPECT_FALSE(SameMatrix(before, form.View()->ViewMatrix()));
  EXPECT_EQ(form.VexilCube()->SelectedPlane(), -1);
  EXPECT_EQ(form.VexilCube()->History().Count(), 0);
  EXPECT_EQ(form.View()->MouseState(), -1);
  // Without input the view stays where it is.
  const TMatrix after = form.View()->ViewMatrix();
  QTest::qWait(100);
  EXPECT_TRUE(SameMatrix(after, form.View()->ViewMatrix()));
}

TEST_F(MainFormTest, HeldKeysSpinAndAPressWhileAKeyIsHeldIsIgnored) {
  TMainForm& form = Open();
  Settle();
  const TMatrix before = form.View()->ViewMatrix();
  QTest::keyPress(Surface(), Qt::Key_Left);
  EXPECT_TRUE(form.View()->Keys().Contains(TKey::kLeft));
  QTest::mousePress(Surface(), Qt::LeftButton, {}, StickerPoint());
  EXPECT_EQ(form.View()->MouseState(), -1); // ignored completely
  QTest::mouseRelease(Surface(), Qt::LeftButton, {}, StickerPoint());
  // Wait for a frame with the key held; a loaded machine may take a while to draw one.
  ASSERT_TRUE(WaitUntil([&] { return !SameMatrix(before, form.View()->ViewMatrix()); }));
  QTest::keyRelease(Surface(), Qt::Key_Left);
  EXPECT_TRUE(form.View()->Keys().Empty());
  EXPECT_FALSE(SameMatrix(before, form.View()->ViewMatrix()));
  // Only about the screen's Y axis: the Y column is untouched by a left spin.
  EXPECT_NEAR(form.View()->ViewMatrix()[5], before[5], 1e-5);
  const TMatrix spun = form.View()->ViewMatrix();
  QTest::keyPress(Surface(), Qt::Key_Control);
  QTest::keyPress(Surface(), Qt::Key_A);
  EXPECT_TRUE(form.View()->Keys().Contains(TKey::kCtrl));
  EXPECT_TRUE(form.View()->Keys().Contains(TKey::kLeft));
  ASSERT_TRUE(WaitUntil([&] { return !SameMatrix(spun, form.View()->ViewMatrix()); }));
  QTest::keyRelease(Surface(), Qt::Key_A);
  QTest::keyRelease(Surface(), Qt::Key_Control);
  // A roll about the viewing axis leaves the Z row alone.
  EXPECT_NEAR(form.View()->ViewMatrix()[2], spun[2], 1e-5);
  EXPECT_NEAR(form.View()->ViewMatrix()[10], spun[10], 1e-5);
  EXPECT_FALSE(SameMatrix(spun, form.View()->ViewMatrix()));
}

TEST_F(MainFormTest, KeysPressedDuringATurnAreNotRecordedButReleasesAre) {
  TMainForm& form = Open();
  form.VexilCube()->RotateSide(0, 0);
  form.View()->Invalidate();
  ASSERT_TRUE(form.VexilCube()->SideIsRotating());
  QTest::keyPress(Surface(), Qt::Key_W);
  EXPECT_TRUE(form.View()->Keys().Empty());
  Settle();
  QTest::keyPress(Surface(), Qt::Key_W);
  form.VexilCube()->RotateSide(0, 0);
  form.View()->Invalidate();
  QTest::keyRelease(Surface(), Qt::Key_W);
  EXPECT_TRUE(form.View()->Keys().Empty());
}

TEST_F(MainFormTest, WheelAndKeysZoomWithinTheCubesLimits) {
  TMainForm& form = Open();
  Wheel(Surface(), 120);
  EXPECT_FLOAT_EQ(form.VexilCube()->Scale(), 1.05f);
  Wheel(Surface(), -480); // one step whatever the size
  EXPECT_FLOAT_EQ(form.VexilCube()->Scale(), 1.0f);
  for (int i = 0; i < 10; ++i) {
    Wheel(Surface(), 120);
  }
  EXPECT_LT(form.VexilCube()->Scale(), 1.2f);
  EXPECT_GT(form.VexilCube()->Scale(), 1.1f);
  QTest::keyPress(Surface(), Qt::Key_Minus);
  EXPECT_TRUE(WaitUntil([&] { return form.VexilCube()->Scale() < 0.85f; }));
  QTest::keyRelease(Surface(), Qt::Key_Minus);
  EXPECT_GT(form.VexilCube()->Scale(), 0.8f);
}

TEST_F(MainFormTest, MiddleGestureBlocksKeysUntilReleased) {
  TMainForm& form = Open();
  QTest::mousePress(Surface(), Qt::MiddleButton, {}, QPoint(10, 10));
  EXPECT_EQ(form.View()->MouseState(), 2);
  QTest::keyPress(Surface(), Qt::Key_Left);
  EXPECT_TRUE(form.View()->Keys().Empty());
  QTest::mouseRelease(Surface(), Qt::MiddleButton, {}, QPoint(10, 10));
  EXPECT_EQ(form.View()->MouseState(), -1);
  QTest::keyPress(Surface(), Qt::Key_Left);
  EXPECT_TRUE(form.View()->Keys().Contains(TKey::kLeft));
  QTest::keyRelease(Surface(), Qt::Key_Left);
}

TEST_F(MainFormTest, AnIdleGameDrawsNothingAndATurnAtSpeedTenTakesNineFrames) {
  TMainForm& form = Open();
  Settle();
  // At rest the frame timer stops: no ticks, no frames.
  EXPECT_TRUE(WaitUntil([&] { return !form.View()->FrameTimerRunning(); }));
  const long long idle = form.View()->FrameCount();
  QTest::qWait(400);
  EXPECT_EQ(form.View()->FrameCount(), idle);
  EXPECT_FALSE(form.View()->FrameTimerRunning());
  EXPECT_TRUE(form.View()->LoopEnabled()); // the loop itself is on, ready for the next input
  form.VexilCube()->RotateSide(0, 1);
  form.View()->Invalidate();
  const long long start = form.View()->FrameCount();
  ASSERT_TRUE(WaitUntil([&] { return !form.VexilCube()->SideIsRotating(); }));
  // The step that ended the turn asked for its frame; the timer stops after it.
  ASSERT_TRUE(WaitUntil([&] { return !form.View()->FrameTimerRunning(); }));
  // Nine frames of the turn, and one for the game's change at its end (the move count and the
  // turns in notation are shown from the game's state).
  EXPECT_EQ(form.View()->FrameCount() - start, 10);
  QTest::qWait(300);
  EXPECT_EQ(form.View()->FrameCount() - start, 10);
}

TEST_F(MainFormTest, HeldKeysAreForgottenWhenTheWindowLosesTheFocus) {
  TMainForm& form = Open();
  QTest::keyPress(Surface(), Qt::Key_Right);
  ASSERT_FALSE(form.View()->Keys().Empty());
  QWidget other;
  other.show();
  other.activateWindow();
  if (!WaitUntil([&] { return !form.isActiveWindow(); }, 2000)) {
    QTest::keyRelease(Surface(), Qt::Key_Right);
    GTEST_SKIP() << "this display does not move the focus between windows";
  }
  EXPECT_TRUE(form.View()->Keys().Empty());
}

TEST_F(MainFormTest, APaintDrawsTheLastStepAndChangesNothingOfTheGame) {
  TMainForm& form = Open();
  Settle();
  TVexilCube& cube = *form.VexilCube();
  cube.RotateSide(0, 1);
  // Paints with no tick in between (the grab paints at once, without the event loop): the turn
  // stands still, whatever number of frames is drawn.
  const QImage first = form.View()->GrabFrame();
  const QImage second = form.View()->GrabFrame();
  EXPECT_EQ(cube.RotateAngle(), 0.0f);
  EXPECT_TRUE(cube.SideIsRotating());
  EXPECT_EQ(first, second);
  // The ticks move it on and end it.
  form.View()->Invalidate();
  EXPECT_TRUE(WaitUntil([&] { return !cube.SideIsRotating(); }));
  EXPECT_FALSE(cube.Solved()); // the layer moved its stickers
}

TEST_F(MainFormTest, AKeyTappedForLessThanAFrameAtRestStillSpinsOneStep) {
  TMainForm& form = Open();
  Settle();
  ASSERT_TRUE(WaitUntil([&] { return !form.View()->FrameTimerRunning(); }));
  const TMatrix before = form.View()->ViewMatrix();
  QTest::keyPress(Surface(), Qt::Key_Left);
  // Only the events already queued run: no frame interval passes before the release.
  QCoreApplication::processEvents();
  QTest::keyRelease(Surface(), Qt::Key_Left);
  EXPECT_FALSE(SameMatrix(before, form.View()->ViewMatrix()));
  EXPECT_TRUE(WaitUntil([&] { return !form.View()->FrameTimerRunning(); }));
}
