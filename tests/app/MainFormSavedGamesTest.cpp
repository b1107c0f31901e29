// Saving and loading through the real Game menu and its file dialogs, and the refusals that must
// leave the game on screen exactly as it was.
#include "engine/SavedGame.h"
#include "localization/LocalizationStore.h"
#include "tests/app/MainFormTestSupport.h"
#include "tests/engine/CubeTestSupport.h"
#include "tests/support/FullDiskFolder.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>

#include <chrono>
#include <sys/stat.h>
#include <utime.h>

using namespace vexil;
using namespace vexil::testing;

namespace {

// Answers the next file dialog that opens with AFileName, noting its title and folder.
class TFileDialogAnswer {
public:
  explicit TFileDialogAnswer(QString AFileName) : FFileName(std::move(AFileName)) {
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
    FTimer.start(10);
  }
  QString Title;
  QString Folder;
  QStringList Filters;
  QString DefaultSuffix;

private:
  void Poll() {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
      return;
    }
    FTimer.stop();
    Title = dialog->windowTitle();
    Folder = dialog->directory().absolutePath();
    Filters = dialog->nameFilters();
    DefaultSuffix = dialog->defaultSuffix();
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(FFileName);
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
  }
  QString FFileName;
  QTimer FTimer;
};

QByteArray ReadAll(const std::string& APath) {
  QFile file(QString::fromStdString(APath));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return file.readAll();
}

void WriteAll(const std::string& APath, const QByteArray& ABytes) {
  QFile file(QString::fromStdString(APath));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(ABytes);
}

class SavedGamesTest : public MainFormTest {
protected:
  // A game in progress on a 2 x 2 x 2 cube with a known clock.
  TMainForm& OpenWithGame() {
    WriteSettings("[settings]\r\nVexilCubeDegree=2\r\n");
    TMainForm& form = Open();
    Item("HardGameModeMenuItem")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Game()->NewGameIsStarted(); }, 20000));
    form.Game()->Clock().SetTime(1, 3600);
    return form;
  }

  // What must not change when a file is refused.
  struct TSnapshot {
    std::vector<vexil::test::TStickerData> Stickers;
    int32_t Degree;
    int32_t Days;
    int32_t Seconds;
    bool Playing;
    TDifficulty Difficulty;
  };
  TSnapshot Snapshot() const {
    const TGame& game = *FForm->Game();
    return {vexil::test::Stickers(game.VexilCube()),
            game.VexilCube().Degree(),
            game.Clock().DaysCount(),
            game.Clock().SecondCount(),
            game.NewGameIsStarted(),
            game.Difficulty()};
  }
  void ExpectUnchanged(const TSnapshot& ABefore) const {
    const TSnapshot now = Snapshot();
    EXPECT_EQ(now.Stickers, ABefore.Stickers);
    EXPECT_EQ(now.Degree, ABefore.Degree);
    EXPECT_EQ(now.Days, ABefore.Days);
    EXPECT_GE(now.Seconds, ABefore.Seconds); // the clock may have ticked on
    EXPECT_EQ(now.Playing, ABefore.Playing);
    EXPECT_EQ(now.Difficulty, ABefore.Difficulty);
  }
};

} // namespace

TEST_F(SavedGamesTest, SaveThroughTheMenuThenLoadBringsTheGameBack) {
  TMessageWatcher messages; // none expected; one would otherwise wait forever
  TMainForm& form = OpenWithGame();
  EXPECT_TRUE(Item("SaveGameMenuItem")->isEnabled());
  form.Game()->Clock().Stop(); // so the saved time is known exactly
  const auto stickers = vexil::test::Stickers(*form.VexilCube());
  const std::string path = FFolder.File("first"); // the dialog adds ".vcs"
  {
    TFileDialogAnswer answer(QString::fromStdString(path));
    Item("SaveGameMenuItem")->trigger();
    EXPECT_EQ(answer.Title, QStringLiteral("Сохранить игру"));
    EXPECT_EQ(answer.Folder, QDir::homePath()); // the home folder at first
    EXPECT_EQ(answer.Filters, QStringList{QStringLiteral("Vexil Cube Save (*.vcs)")});
    EXPECT_EQ(answer.DefaultSuffix, QStringLiteral("vcs"));
  }
  const QByteArray bytes = ReadAll(path + ".vcs");
  ASSERT_GT(bytes.size(), 30);
  EXPECT_EQ(bytes.left(7), QByteArray("\x03\x00\x00\x00VCS", 7));

  // Another game, then the saved one.
  Item("ResetMenuItem")->trigger();
  Item("MenuItemDegree4")->trigger();
  EXPECT_FALSE(Item("SaveGameMenuItem")->isEnabled());
  {
    TFileDialogAnswer answer(QString::fromStdString(path + ".vcs"));
    Item("LoadGameMenuItem")->trigger();
    EXPECT_EQ(answer.Title, QStringLiteral("Загрузить игру"));
    EXPECT_EQ(answer.Folder, QString::fromStdString(FFolder.Path().string())); // last used
  }
  EXPECT_EQ(form.VexilCube()->Degree(), 2);
  EXPECT_EQ(vexil::test::Stickers(*form.VexilCube()), stickers);
  EXPECT_TRUE(form.Game()->NewGameIsStarted());
  EXPECT_TRUE(form.Game()->Clock().Running());
  EXPECT_TRUE(form.ClockTickActive());
  EXPECT_EQ(form.Game()->Clock().DaysCount(), 1);
  EXPECT_EQ(form.Game()->Clock().SecondsToTimeStr(), "01:00:00");
  EXPECT_TRUE(Item("HardGameModeMenuItem")->isChecked());
  EXPECT_TRUE(Item("SaveGameMenuItem")->isEnabled());
  // The size menu and the stored size stay as they were.
  EXPECT_TRUE(Item("MenuItemDegree4")->isChecked());
  EXPECT_EQ(form.GameSettings()->VexilCubeDegree(), 4);
  EXPECT_TRUE(messages.Seen().empty());
}

TEST_F(SavedGamesTest, DamagedNewerAndForeignFilesLeaveTheGameAsItWas) {
  TMessageWatcher messages;
  TMainForm& form = OpenWithGame();
  const std::string good = FFolder.File("good.vcs");
  ASSERT_TRUE(form.SaveGameFile(QString::fromStdString(good)));
  const QByteArray bytes = ReadAll(good);
  Item("EasyGameModeMenuItem")->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.Game()->NewGameIsStarted(); }, 20000));
  const TSnapshot before = Snapshot();
  ASSERT_TRUE(messages.Seen().empty());

  const std::string cut = FFolder.File("cut.vcs");
  WriteAll(cut, bytes.left(bytes.size() - 5));
  EXPECT_FALSE(form.LoadGameFile(QString::fromStdString(cut)));
  ASSERT_EQ(messages.Seen().size(), 1u);
  EXPECT_TRUE(messages.Seen()[0].Text.contains(QString::fromStdString(cut)));
  ExpectUnchanged(before);

  QByteArray newer = bytes;
  const double version = 1.41;
  newer.replace(7, 8, reinterpret_cast<const char*>(&version), 8);
  const std::string newerPath = FFolder.File("newer.vcs");
  WriteAll(newerPath, newer);
  EXPECT_FALSE(form.LoadGameFile(QString::fromStdString(newerPath)));
  ASSERT_EQ(messages.Seen().size(), 2u);
  EXPECT_EQ(messages.Seen()[1].Caption,
            form.LocalizationStore()->GetString(QStringLiteral("UPDATE_DIALOG_TITLE")));
  EXPECT_EQ(messages.Seen()[1].Text,
            form.LocalizationStore()->GetString(QStringLiteral("UPDATE_GAME_MESSAGE")));
  ExpectUnchanged(before);

  QByteArray foreign = bytes;
  foreign[4] = 'X';
  const std::string foreignPath = FFolder.File("foreign.vcs");
  WriteAll(foreignPath, foreign);
  EXPECT_FALSE(form.LoadGameFile(QString::fromStdString(foreignPath)));
  EXPECT_FALSE(form.LoadGameFile(QString::fromStdString(FFolder.File("missing.vcs"))));
  QTest::qWait(50);
  ASSERT_EQ(messages.Seen().size(), 3u); // the foreign file silently, the missing one not
  EXPECT_TRUE(messages.Seen()[2].Text.contains(QStringLiteral("missing.vcs")));
  ExpectUnchanged(before);

  // Beyond the size limit the head still decides: another kind of file is ignored, a newer
  // version asks for the update, and only a game of ours is damaged.
  const qsizetype huge = 17 * 1024 * 1024;
  const std::string hugeForeign = FFolder.File("huge-foreign.vcs");
  WriteAll(hugeForeign, QByteArray(huge, '\0'));
  EXPECT_FALSE(form.LoadGameFile(QString::fromStdString(hugeForeign)));
  QTest::qWait(50);
  EXPECT_EQ(messages.Seen().size(), 3u);
  const std::string hugeNewer = FFolder.File("huge-newer.vcs");
  WriteAll(hugeNewer, newer + QByteArray(huge, '\0'));
  EXPECT_FALSE(form.LoadGameFile(QString::fromStdString(hugeNewer)));
  ASSERT_EQ(messages.Seen().size(), 4u);
  EXPECT_EQ(messages.Seen()[3].Text,
            form.LocalizationStore()->GetString(QStringLiteral("UPDATE_GAME_MESSAGE")));
  const std::string hugeOurs = FFolder.File("huge-ours.vcs");
  WriteAll(hugeOurs, bytes + QByteArray(huge, '\0'));
  EXPECT_FALSE(form.LoadGameFile(QString::fromStdString(hugeOurs)));
  ASSERT_EQ(messages.Seen().size(), 5u);
  EXPECT_TRUE(messages.Seen()[4].Text.contains(QStringLiteral("huge-ours.vcs")));
  ExpectUnchanged(before);
}

TEST_F(SavedGamesTest, PipesAndDevicesAreRefusedAtOnceByName) {
  TMessageWatcher messages;
  TMainForm& form = OpenWithGame();
  const TSnapshot before = Snapshot();
  const std::string fifo = FFolder.File("pipe.vcs");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const QString notRegular =
      form.LocalizationStore()->GetString(QStringLiteral("FILE_ERROR_NOT_REGULAR"));
  // Opening a pipe with no writer would block the window until the test's own timeout.
  for (const std::string& name : {fifo, std::string("/dev/zero")}) {
    const size_t seen = messages.Seen().size();
    EXPECT_FALSE(form.LoadGameFile(QString::fromStdString(name)));
    ASSERT_EQ(messages.Seen().size(), seen + 1) << name;
    EXPECT_TRUE(messages.Seen().back().Text.contains(QString::fromStdString(name)));
    EXPECT_TRUE(messages.Seen().back().Text.contains(notRegular));
  }
  ExpectUnchanged(before);
  // Nor is a pipe written over.
  EXPECT_FALSE(form.SaveGameFile(QString::fromStdString(fifo)));
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST_F(SavedGamesTest, AFullDiskKeepsTheSavedGameItWasToReplace) {
  const vexil::test::TFullDiskFolder disk;
  if (!disk.Mounted()) {
    GTEST_SKIP() << disk.Why();
  }
  TMessageWatcher messages;
  TMainForm& form = OpenWithGame();
  const QString path = QString::fromStdString(disk.File("kept.vcs"));
  ASSERT_TRUE(form.SaveGameFile(path));
  const QByteArray saved = ReadAll(disk.File("kept.vcs"));
  ASSERT_TRUE(disk.Fill());
  for (const QString& name : {path, QString::fromStdString(disk.File("new.vcs"))}) {
    const size_t seen = messages.Seen().size();
    EXPECT_FALSE(form.SaveGameFile(name));
    ASSERT_EQ(messages.Seen().size(), seen + 1);
    EXPECT_EQ(messages.Seen().back().Icon, QMessageBox::Critical);
    EXPECT_EQ(messages.Seen().back().Text,
              form.LocalizationStore()
                  ->GetString(QStringLiteral("SAVE_GAME_ERROR"))
                  .arg(name, form.LocalizationStore()->GetString(
                                 QStringLiteral("FILE_ERROR_DISK_FULL"))));
  }
  EXPECT_EQ(ReadAll(disk.File("kept.vcs")), saved);
  EXPECT_EQ(disk.Names(), std::vector<std::string>{"kept.vcs"});
  EXPECT_TRUE(form.Game()->NewGameIsStarted()); // the game goes on
}

TEST_F(SavedGamesTest, AFailedSaveIsReportedAndKeepsTheFileItWasToReplace) {
  TMessageWatcher messages;
  TMainForm& form = OpenWithGame();
  // A folder given as the name; the reason in the game's language, not the system's.
  const QString folder = QString::fromStdString(FFolder.Path().string());
  EXPECT_FALSE(form.SaveGameFile(folder));
  ASSERT_EQ(messages.Seen().size(), 1u);
  EXPECT_EQ(messages.Seen()[0].Icon, QMessageBox::Critical);
  EXPECT_EQ(messages.Seen()[0].Text, form.LocalizationStore()
                                         ->GetString(QStringLiteral("SAVE_GAME_ERROR"))
                                         .arg(folder, form.LocalizationStore()->GetString(
                                                          QStringLiteral("FILE_ERROR_FOLDER"))));
  // A temporary left by a save killed before its rename goes at the next save in its folder;
  // one that may belong to a save still running stays.
  const auto stray = [this](const char* AName, int AAgeSeconds) {
    WriteAll(FFolder.File(AName), "half a game");
    const auto when = std::time(nullptr) - AAgeSeconds;
    const struct utimbuf times { when, when };
    ::utime(FFolder.File(AName).c_str(), &times);
  };
  stray(".old.vcs.Ab12Cd.vexil-tmp", 600);
  stray(".old.vcs.Ef34Gh.vexil-tmp", 1);
  ASSERT_TRUE(form.SaveGameFile(QString::fromStdString(FFolder.File("old.vcs"))));
  EXPECT_FALSE(std::filesystem::exists(FFolder.File(".old.vcs.Ab12Cd.vexil-tmp")));
  EXPECT_TRUE(std::filesystem::exists(FFolder.File(".old.vcs.Ef34Gh.vexil-tmp")));
  // A file that exists keeps its bytes when the new ones cannot be written.
  const std::string lockedFolder = FFolder.File("locked");
  std::filesystem::create_directories(lockedFolder);
  const std::string inLocked = lockedFolder + "/kept.vcs";
  WriteAll(inLocked, "old game");
  std::filesystem::permissions(lockedFolder, std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
  const bool refused = !form.SaveGameFile(QString::fromStdString(inLocked));
  std::filesystem::permissions(lockedFolder, std::filesystem::perms::owner_all);
  if (geteuid() != 0) { // root writes into any folder
    EXPECT_TRUE(refused);
    EXPECT_EQ(ReadAll(inLocked), QByteArray("old game"));
    EXPECT_EQ(messages.Seen().size(), 2u);
    EXPECT_TRUE(messages.Seen()[1].Text.contains(
        form.LocalizationStore()->GetString(QStringLiteral("FILE_ERROR_NO_PERMISSION"))));
  }
  EXPECT_TRUE(form.Game()->NewGameIsStarted()); // the game goes on
}
