// The commands of the main window that open the dialogs: enabled, opening the real dialogs, and
// what the window does with their answers.
#include "dialogs/AboutBox.h"
#include "dialogs/ColorPanel.h"
#include "dialogs/ColorsForm.h"
#include "dialogs/HelpForm.h"
#include "engine/DefaultColors.h"
#include "tests/app/MainFormTestSupport.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QColorDialog>
#include <QFileInfo>
#include <QLabel>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPushButton>
#include <QTextBrowser>

#include <QDir>
#include <QProcess>

#include <fstream>
#include <set>

using namespace vexil;
using namespace vexil::testing;

namespace {

// English, a red background (0x0000FF) and a magenta first side.
constexpr const char* kChangedColours = "[settings]\r\nLanguageIndex=1\r\n"
                                        "[colors]\r\nBackgroundColor=255\r\n"
                                        "Plane1Color=16711935\r\n";

// The colour the drawing area shows in its top left corner, where the background is.
QColor BackgroundOnScreen(TMainForm& AForm) {
  const QColor pixel = AForm.View()->GrabFrame().pixelColor(2, 2);
  return {pixel.red(), pixel.green(), pixel.blue()};
}

// The distinct colours of the stickers, packed.
std::set<int32_t> StickerColours(const TVexilCube& ACube) {
  std::set<int32_t> colours;
  for (int32_t i = 0; i < ACube.WorkPlanesCount(); ++i) {
    colours.insert(Vertex3fToColor(ACube.WorkPlane(i).Color()));
  }
  return colours;
}

} // namespace

TEST_F(MainFormTest, ColoursResetYesOkTurnsAChangedBackgroundBlackOnScreen) {
  WriteSettings(kChangedColours);
  TMainForm& form = Open();
  ASSERT_EQ(BackgroundOnScreen(form), QColor(255, 0, 0));
  ASSERT_TRUE(StickerColours(*form.VexilCube()).count(0xFF00FF));
  QAction* colours = Item("ColorsMenuItem");
  ASSERT_TRUE(colours->isEnabled());

  QString caption;
  const auto question =
      OnModal<QMessageBox>([](QMessageBox& ABox) { ABox.button(QMessageBox::Yes)->click(); });
  const auto dialog = OnModal<TColorsForm>([&](TColorsForm& AForm) {
    caption = AForm.windowTitle();
    Click(AForm.findChild<QPushButton*>("ResetButton"));
    Click(AForm.findChild<QPushButton*>("OKButton"));
  });
  colours->trigger();
  ASSERT_TRUE(dialog->Handled());
  EXPECT_TRUE(question->Handled());
  EXPECT_EQ(caption, "Colors");

  EXPECT_EQ(Vertex3fToColor(form.GameSettings()->BackgroundColor()), 0);
  EXPECT_EQ(Vertex3fToColor(form.GameSettings()->TimerColor()), 0xFFFFFF);
  const std::set<int32_t> defaults(kDefaultPlaneColors.begin(), kDefaultPlaneColors.end());
  EXPECT_EQ(StickerColours(*form.VexilCube()), defaults);
  EXPECT_TRUE(form.View()->LoopEnabled());
  EXPECT_TRUE(QTest::qWaitFor([&] { return BackgroundOnScreen(form) == QColor(0, 0, 0); }));

  // Written to the settings file at exit, as every setting.
  CloseAndFree();
  EXPECT_NE(ReadTextFile(IniPath()).find("BackgroundColor=0"), std::string::npos);
}

TEST_F(MainFormTest, NewColoursReachTheDrawnStickersWhateverContextIsCurrent) {
  WriteSettings("[colors]\r\nPlane1Color=16711935\r\nPlane2Color=16711935\r\n"
                "Plane3Color=16711935\r\nPlane4Color=16711935\r\nPlane5Color=16711935\r\n"
                "Plane6Color=16711935\r\n");
  TMainForm& form = Open();
  WaitUntil([] { return false; }, 300); // a few frames
  const QPoint sticker = StickerPoint();
  const QRgb before = form.View()->GrabFrame().pixel(sticker);
  // When the colours are applied another context, sharing nothing with the view's, is current:
  // the view's textures must take the new colours all the same.
  QOffscreenSurface surface;
  surface.create();
  QOpenGLContext foreign;
  ASSERT_TRUE(foreign.create());
  const auto question =
      OnModal<QMessageBox>([](QMessageBox& ABox) { ABox.button(QMessageBox::Yes)->click(); });
  const auto dialog = OnModal<TColorsForm>([&](TColorsForm& AForm) {
    Click(AForm.findChild<QPushButton*>("ResetButton"));
    ASSERT_TRUE(foreign.makeCurrent(&surface));
    Click(AForm.findChild<QPushButton*>("OKButton"));
  });
  Item("ColorsMenuItem")->trigger();
  ASSERT_TRUE(dialog->Handled());
  foreign.doneCurrent();
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return form.View()->GrabFrame().pixel(sticker) != before; }));
}

TEST_F(MainFormTest, ColoursCancelKeepsTheSettingsAndTheCube) {
  WriteSettings(kChangedColours);
  TMainForm& form = Open();
  const auto chooser = OnModal<QColorDialog>([](QColorDialog& AChooser) {
    AChooser.setCurrentColor(Qt::green);
    AChooser.accept();
  });
  const auto dialog = OnModal<TColorsForm>([](TColorsForm& AForm) {
    Click(AForm.findChild<TColorPanel*>("BackgroundColorPanel"));
    Click(AForm.findChild<QPushButton*>("CancelButton"));
  });
  Item("ColorsMenuItem")->trigger();
  ASSERT_TRUE(dialog->Handled());
  EXPECT_TRUE(chooser->Handled());
  EXPECT_EQ(Vertex3fToColor(form.GameSettings()->BackgroundColor()), 0x0000FF);
  EXPECT_TRUE(StickerColours(*form.VexilCube()).count(0xFF00FF));
  EXPECT_EQ(BackgroundOnScreen(form), QColor(255, 0, 0));
}

TEST_F(MainFormTest, AboutShowsTheVersionCentredAndPausesTheFrameLoop) {
  WriteSettings("[settings]\r\nLanguageIndex=1\r\n");
  TMainForm& form = Open();
  QAction* about = Item("AboutMenuItem");
  ASSERT_TRUE(about->isEnabled());
  QString version;
  bool loopRan = true;
  QRect boxFrame;
  const auto box = OnModal<TAboutBox>([&](TAboutBox& ABox) {
    version = ABox.findChild<QLabel*>("VersionLabel")->text();
    loopRan = form.View()->LoopEnabled();
    boxFrame = ABox.frameGeometry();
    Click(ABox.findChild<QPushButton*>("OKButton"));
  });
  about->trigger();
  ASSERT_TRUE(box->Handled());
  EXPECT_EQ(version, "Version 1.4");
  EXPECT_FALSE(loopRan);
  EXPECT_TRUE(form.View()->LoopEnabled());
  const QRect window = form.frameGeometry();
  EXPECT_EQ(boxFrame.left(), window.left() + (window.width() - boxFrame.width()) / 2);
  EXPECT_EQ(boxFrame.top(), window.top() + (window.height() - boxFrame.height()) / 2);
}

TEST_F(MainFormTest, HelpOpensOneGameHelpWindowInTheCurrentLanguage) {
  // No "help.chm" stands in the tests' folder: the game's own help serves.
  ASSERT_FALSE(QFileInfo::exists(QStringLiteral("help.chm")));
  WriteSettings("[settings]\r\nLanguageIndex=1\r\n");
  TMainForm& form = Open();
  QAction* help = Item("miHelp");
  EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
  help->trigger();
  auto* window = form.findChild<THelpForm*>();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
  EXPECT_EQ(window->Browser()->source(), QUrl("qrc:/help/english.html"));
  window->close();
  help->trigger();
  EXPECT_EQ(form.findChildren<THelpForm*>().size(), 1);
  EXPECT_TRUE(window->isVisible());
}

namespace {

// While it lives, the process works in a folder holding a "help.chm", and finds first on its
// PATH an "xdg-open" that notes the file it is given and exits with AExitCode.
class TChmAndOpener {
public:
  TChmAndOpener(const std::filesystem::path& AFolder, int AExitCode)
      : FOldFolder(QDir::currentPath()), FOldPath(std::getenv("PATH")),
        FNoted(AFolder / "opened.txt") {
    std::filesystem::create_directories(AFolder / "bin");
    std::filesystem::create_directories(AFolder / "work");
    std::ofstream(AFolder / "work" / "help.chm") << "not a real help file";
    const std::filesystem::path opener = AFolder / "bin" / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\necho \"$1\" > '" << FNoted.string() << "'\nexit "
                          << AExitCode << "\n";
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    setenv("PATH", ((AFolder / "bin").string() + ":" + FOldPath).c_str(), 1);
    QDir::setCurrent(QString::fromStdString((AFolder / "work").string()));
  }
  ~TChmAndOpener() {
    QDir::setCurrent(FOldFolder);
    setenv("PATH", FOldPath.c_str(), 1);
  }
  TChmAndOpener(const TChmAndOpener&) = delete;
  TChmAndOpener& operator=(const TChmAndOpener&) = delete;

  // The file the opener was given, once it has run.
  std::optional<std::string> Opened() const {
    std::ifstream noted(FNoted);
    std::string line;
    return std::getline(noted, line) ? std::optional<std::string>(line) : std::nullopt;
  }

private:
  QString FOldFolder;
  std::string FOldPath;
  std::filesystem::path FNoted;
};

} // namespace

TEST_F(MainFormTest, AHelpFileTheDesktopCannotOpenGivesTheGameHelpInstead) {
  WriteSettings("[settings]\r\nLanguageIndex=1\r\n");
  TMainForm& form = Open();
  const TChmAndOpener desktop(FFolder.Path() / "failing", 4);
  QTest::keyClick(form.View(), Qt::Key_F1);
  ASSERT_TRUE(WaitUntil([&] {
    auto* help = form.findChild<THelpForm*>();
    return help != nullptr && help->isVisible();
  }));
  EXPECT_EQ(form.findChild<THelpForm*>()->Browser()->source(), QUrl("qrc:/help/english.html"));
  // The desktop was asked first, with the file's whole name.
  ASSERT_TRUE(desktop.Opened());
  EXPECT_EQ(*desktop.Opened(), (FFolder.Path() / "failing" / "work" / "help.chm").string());
}

TEST_F(MainFormTest, AHelpFileTheDesktopOpensIsAllThatShows) {
  TMainForm& form = Open();
  const TChmAndOpener desktop(FFolder.Path() / "opening", 0);
  Item("miHelp")->trigger();
  // Done once the opener has run and its answer has been heard.
  ASSERT_TRUE(
      WaitUntil([&] { return desktop.Opened() && form.findChild<QProcess*>() == nullptr; }));
  QApplication::processEvents();
  EXPECT_EQ(form.findChild<THelpForm*>(), nullptr);
}
