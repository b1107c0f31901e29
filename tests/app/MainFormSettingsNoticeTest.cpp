// The main window tells the player once, in the current language and while it is open, that the
// settings file will not be written at exit; and then leaves the file as it was.
#include "tests/app/MainFormTestSupport.h"

#include <filesystem>
#include <unistd.h>

using namespace vexil;
using namespace vexil::testing;
namespace fs = std::filesystem;

namespace {

const QString kRussianUnreadable = QStringLiteral("Не удаётся прочитать файл настроек \"%1\".");
const QString kEnglishReadOnly = QStringLiteral("The settings file \"%1\" is read-only.");

class MainFormSettingsNoticeTest : public MainFormTest {
protected:
  // Opens the window, lets it run for a while and returns the boxes it showed.
  std::vector<TSeenMessage> OpenAndRun() {
    const TMessageWatcher watcher;
    TMainForm& form = Open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !watcher.Seen().empty(); }, 5000));
    EXPECT_TRUE(form.isVisible());
    Play(form);
    return watcher.Seen();
  }
  // A scrambled game and the window hidden and shown again: nothing that opens the window anew.
  void Play(TMainForm& AForm) {
    Item("EasyGameModeMenuItem")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return AForm.Game()->NewGameIsStarted(); }, 10000));
    AForm.hide();
    AForm.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&AForm));
  }
  QString Path() const { return QString::fromStdString(IniPath()); }
};

} // namespace

TEST_F(MainFormSettingsNoticeTest, AnUnreadableFileIsAnnouncedOnceAndKept) {
  // A folder in the file's place cannot be read even by the superuser.
  fs::create_directories(IniPath());
  const auto seen = OpenAndRun();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Icon, QMessageBox::Warning);
  EXPECT_EQ(seen[0].Caption, QStringLiteral("Vexil Cube 3D"));
  // Nothing was read, so the default language speaks: Russian.
  EXPECT_TRUE(seen[0].Text.startsWith(kRussianUnreadable.arg(Path())))
      << seen[0].Text.toStdString();
  EXPECT_FALSE(FForm->GameSettings()->WillWriteFile());
  CloseAndFree();
  EXPECT_TRUE(fs::is_directory(IniPath()));
}

TEST_F(MainFormSettingsNoticeTest, AFileWithoutReadPermissionIsAnnouncedAndKept) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "running as root, which reads a file of mode 000; run this test as an "
                    "ordinary user (for example: runuser -u nobody -- mainform_tests)";
  }
  const std::string stored = "[settings]\r\nLanguageIndex=1\r\nVexilCubeDegree=5\r\n";
  WriteSettings(stored);
  fs::permissions(IniPath(), fs::perms::none);
  const auto seen = OpenAndRun();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].Text.startsWith(kRussianUnreadable.arg(Path())))
      << seen[0].Text.toStdString();
  EXPECT_EQ(FForm->VexilCube()->Degree(), 3);
  CloseAndFree();
  EXPECT_EQ(fs::status(IniPath()).permissions() & fs::perms::mask, fs::perms::none);
  fs::permissions(IniPath(), fs::perms::owner_read);
  EXPECT_EQ(ReadTextFile(IniPath()), stored);
}

TEST_F(MainFormSettingsNoticeTest, AReadOnlyFileIsAnnouncedInItsLanguageAndLeftAsItIs) {
  const std::string stored = "[settings]\r\nLanguageIndex=1\r\nVexilCubeDegree=4\r\n";
  WriteSettings(stored);
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read;
  fs::permissions(IniPath(), readOnly);
  const auto seen = OpenAndRun();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].Text.startsWith(kEnglishReadOnly.arg(Path()))) << seen[0].Text.toStdString();
  // The file's settings are played; a change of them stays in this game.
  EXPECT_EQ(FForm->VexilCube()->Degree(), 4);
  Item("TimerEnableMenuItem")->trigger();
  CloseAndFree();
  EXPECT_EQ(ReadTextFile(IniPath()), stored);
  EXPECT_EQ(fs::status(IniPath()).permissions() & fs::perms::mask, readOnly);
}

TEST_F(MainFormSettingsNoticeTest, AWritableFileIsNotMentioned) {
  WriteSettings("[settings]\r\nVexilCubeDegree=4\r\n");
  const TMessageWatcher watcher;
  TMainForm& form = Open();
  Play(form);
  EXPECT_TRUE(watcher.Seen().empty());
  EXPECT_TRUE(form.GameSettings()->WillWriteFile());
}
