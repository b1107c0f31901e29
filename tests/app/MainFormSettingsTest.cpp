#include "localization/LocalizationStore.h"
#include "tests/app/MainFormTestSupport.h"

#include <QActionGroup>
#include <QMenu>

using namespace vexil;
using namespace vexil::testing;

namespace {

int CountKeys(const std::string& AText) {
  int count = 0;
  for (char c : AText) {
    count += c == '=' ? 1 : 0;
  }
  return count;
}

} // namespace

TEST_F(MainFormTest, FirstStartShowsTheDefaultsAndWritesAllFifteenKeysAndTheExtrasAtExit) {
  TMainForm& form = Open();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Vexil Cube 3D"));
  EXPECT_EQ(form.VexilCube()->Degree(), 3);
  EXPECT_TRUE(Item("MenuItemDegree3")->isChecked());
  EXPECT_TRUE(Item("TimerEnableMenuItem")->isChecked());
  EXPECT_TRUE(Item("GlobalLightingMenuItem")->isChecked());
  EXPECT_FALSE(Item("BrightColorsMenuItem")->isChecked());
  EXPECT_FALSE(Item("FullScreenModeMenuItem")->isChecked());
  EXPECT_FALSE(form.FullScreen());
  EXPECT_TRUE(form.VexilCube()->GlobalLighting());
  EXPECT_TRUE(form.VexilCube()->ShowSelectedPlane());
  EXPECT_FALSE(form.Game()->NewGameIsStarted());
  EXPECT_FALSE(Item("EasyGameModeMenuItem")->isChecked());
  // Language 0 is Russian: the menus carry its captions.
  EXPECT_EQ(form.LocalizationStore()->CurrentLanguageIndex(), 0);
  EXPECT_EQ(form.findChild<QMenu*>("GameMenuItem")->title(), QStringLiteral("&Игра"));
  const auto languages = form.findChild<QMenu*>("LanguageMenuItem")->actions();
  ASSERT_EQ(languages.size(), 2);
  EXPECT_EQ(languages[0]->text(), QStringLiteral("Русский"));
  EXPECT_TRUE(languages[0]->isChecked());
  EXPECT_EQ(form.CurrentLanguageTitle(), QStringLiteral("Язык"));
  // The opening view: 52.5 degrees about the screen's Y axis, then 35 about its X axis.
  const TMatrix& view = form.View()->ViewMatrix();
  EXPECT_NEAR(view[0], std::cos(52.5 * M_PI / 180.0), 1e-5);
  EXPECT_NEAR(view[2], -std::sin(52.5 * M_PI / 180.0), 1e-5);
  EXPECT_NEAR(view[4], std::sin(52.5 * M_PI / 180.0) * std::sin(35.0 * M_PI / 180.0), 1e-5);
  EXPECT_NEAR(view[5], std::cos(35.0 * M_PI / 180.0), 1e-5);

  CloseAndFree();
  const std::string text = ReadTextFile(IniPath());
  EXPECT_EQ(CountKeys(text), 17) << text; // fifteen, and [extras] ShowMoveCounter, ShowMoves
  EXPECT_NE(text.find("ShowTimer=1"), std::string::npos);
  EXPECT_NE(text.find("VexilCubeDegree=3"), std::string::npos);
  EXPECT_NE(text.find("Plane5Color=32767"), std::string::npos);
}

TEST_F(MainFormTest, StoredSettingsAreAppliedToMenusAndCube) {
  WriteSettings("[settings]\r\nShowTimer=0\r\nEnablePlaneLight=1\r\nGlobalLighting=0\r\n"
                "LanguageIndex=1\r\nVexilCubeDegree=5\r\n");
  TMainForm& form = Open();
  EXPECT_EQ(form.VexilCube()->Degree(), 5);
  EXPECT_TRUE(Item("MenuItemDegree5")->isChecked());
  EXPECT_FALSE(Item("MenuItemDegree3")->isChecked());
  EXPECT_FALSE(Item("TimerEnableMenuItem")->isChecked());
  EXPECT_TRUE(Item("BrightColorsMenuItem")->isChecked());
  EXPECT_FALSE(Item("GlobalLightingMenuItem")->isChecked());
  EXPECT_FALSE(form.VexilCube()->GlobalLighting());
  EXPECT_EQ(form.findChild<QMenu*>("GameMenuItem")->title(), QStringLiteral("&Game"));
  EXPECT_EQ(Item("CloseMenuItem")->text(), QStringLiteral("Exit"));
  EXPECT_TRUE(form.findChild<QMenu*>("LanguageMenuItem")->actions()[1]->isChecked());
}

TEST_F(MainFormTest, DamagedValuesAreHandledAndCleanedOnTheWayOut) {
  WriteSettings("[settings]\r\nShowTimer=7\r\nLanguageIndex=-3\r\nVexilCubeDegree=42\r\n"
                "[colors]\r\nBackgroundColor=33488896\r\n");
  TMainForm& form = Open();
  EXPECT_TRUE(Item("TimerEnableMenuItem")->isChecked());
  EXPECT_EQ(form.VexilCube()->Degree(), 3);
  EXPECT_TRUE(Item("MenuItemDegree3")->isChecked());
  EXPECT_EQ(form.LocalizationStore()->CurrentLanguageIndex(), 0);
  EXPECT_TRUE(form.findChild<QMenu*>("LanguageMenuItem")->actions()[0]->isChecked());
  // 0x01FF0000: the byte above the colour is dropped, blue remains.
  const TVertex3f background = form.GameSettings()->BackgroundColor();
  EXPECT_FLOAT_EQ(background.X, 0.0f);
  EXPECT_FLOAT_EQ(background.Z, 1.0f);
  CloseAndFree();
  const std::string text = ReadTextFile(IniPath());
  EXPECT_NE(text.find("ShowTimer=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("LanguageIndex=0\r\n"), std::string::npos);
  EXPECT_NE(text.find("VexilCubeDegree=3\r\n"), std::string::npos);
  EXPECT_NE(text.find("BackgroundColor=16711680\r\n"), std::string::npos);
}

TEST_F(MainFormTest, SizeThatIsNoNumberFallsBackToThree) {
  WriteSettings("[settings]\r\nVexilCubeDegree=abc\r\n");
  EXPECT_EQ(Open().VexilCube()->Degree(), 3);
}

TEST_F(MainFormTest, StoredFullScreenOpensFullScreenAndLeavingRestoresTheFrame) {
  WriteSettings("[settings]\r\nFullScreenMode=1\r\n");
  TMainForm& form = Open();
  EXPECT_TRUE(form.FullScreen());
  EXPECT_TRUE(Item("FullScreenModeMenuItem")->isChecked());
  Item("FullScreenModeMenuItem")->trigger();
  EXPECT_FALSE(form.FullScreen());
  EXPECT_FALSE(form.windowState() & Qt::WindowFullScreen);
  EXPECT_FALSE(form.GameSettings()->FullScreenMode());
}
