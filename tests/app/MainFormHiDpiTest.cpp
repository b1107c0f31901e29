// Drag turns at every display scale: the 5-pixel threshold and 0.75 degree per pixel are logical
// pixels, while the press picks the sticker under the device pixel it hit. Run at 100 % with the
// other window tests and once more at 200 % (QT_SCALE_FACTOR=2, see CMakeLists.txt).
#include "tests/app/MainFormTestSupport.h"

using namespace vexil;
using namespace vexil::testing;

namespace {

class MainFormHiDpiTest : public MainFormTest {
protected:
  double Ratio() const { return FForm->View()->DevicePixelRatio(); }
  QPoint Device(const QPoint& ALogical) const {
    return {qRound(ALogical.x() * Ratio()), qRound(ALogical.y() * Ratio())};
  }
  int32_t PlaneAt(const QPoint& ALogical) const {
    const QPoint device = Device(ALogical);
    return FForm->VexilCube()->GetSelectedPlane(device.x(), FForm->View()->DeviceHeight() - device.y(),
                                                FForm->View()->ViewMatrix());
  }
  // A logical point on a sticker, with stickers all around it.
  QPoint LogicalStickerPoint() const {
    const QWindow* area = Surface();
    for (int y = area->height() / 2 - 40; y < area->height() / 2 + 40; y += 3) {
      for (int x = area->width() / 2 - 40; x < area->width() / 2 + 40; x += 3) {
        const QPoint p(x, y);
        if (PlaneAt(p) >= 0 && PlaneAt(p + QPoint(3, 3)) == PlaneAt(p) &&
            PlaneAt(p - QPoint(3, 3)) == PlaneAt(p)) {
          return p;
        }
      }
    }
    ADD_FAILURE() << "no sticker near the centre";
    return {};
  }
  void MoveHeld(const QPoint& ALogical) {
    QMouseEvent move(QEvent::MouseMove, ALogical, Surface()->mapToGlobal(ALogical), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Surface(), &move);
  }
  // Lets a few frames pass.
  void Frames() {
    const long long frames = FForm->View()->FrameCount();
    WaitUntil([&] { return FForm->View()->FrameCount() > frames + 2; }, 500);
  }
};

} // namespace

TEST_F(MainFormHiDpiTest, DragRulesCountLogicalPixelsAndThePressPicksTheDevicePixelItHit) {
  TMainForm& form = Open();
  Settle();
  RecordProperty("device_pixel_ratio", std::to_string(Ratio()));
  const TVexilCube& cube = *form.VexilCube();
  const QPoint sticker = LogicalStickerPoint();
  QTest::mousePress(Surface(), Qt::LeftButton, {}, sticker);
  EXPECT_EQ(cube.SelectedPlane(), PlaneAt(sticker));
  ASSERT_GE(cube.SelectedPlane(), 0);

  // Four pixels stay under the threshold at every scale.
  MoveHeld(sticker + QPoint(4, 0));
  Frames();
  EXPECT_FALSE(cube.ManualRotation());
  // Twenty pixels stand the layer at 15 degrees.
  MoveHeld(sticker + QPoint(20, 0));
  ASSERT_TRUE(WaitUntil([&] { return cube.ManualRotation(); }));
  Frames();
  EXPECT_NEAR(cube.RotateAngle(), 15.0f, 0.01f);
  // Fifty pixels: 37.5 degrees, the layer turns back on release.
  MoveHeld(sticker + QPoint(50, 0));
  Frames();
  EXPECT_NEAR(cube.RotateAngle(), 37.5f, 0.01f);
  QTest::mouseRelease(Surface(), Qt::LeftButton, {}, sticker + QPoint(50, 0));
  Settle();
  EXPECT_EQ(cube.History().Count(), 0);

  // Seventy pixels: 52.5 degrees, the turn completes and is recorded.
  QTest::mousePress(Surface(), Qt::LeftButton, {}, sticker);
  MoveHeld(sticker + QPoint(0, 70));
  ASSERT_TRUE(WaitUntil([&] { return cube.ManualRotation(); }));
  Frames();
  EXPECT_NEAR(cube.RotateAngle(), 52.5f, 0.01f);
  QTest::mouseRelease(Surface(), Qt::LeftButton, {}, sticker + QPoint(0, 70));
  Settle();
  EXPECT_EQ(cube.History().Count(), 1);
}
