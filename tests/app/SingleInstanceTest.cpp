// The hand-off between two starts of the game: a later start reaches the running game through
// a socket only this user can reach, a dead game's socket is replaced, and a game that does not
// answer is left alone.
#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <future>
#include <optional>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vexil;

namespace {

// A private runtime folder for one test, put back afterwards.
class SingleInstanceTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(FFolder.isValid());
    ::chmod(QFile::encodeName(FFolder.path()).constData(), 0700);
    FOldRuntime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(FFolder.path()));
  }
  void TearDown() override { qputenv("XDG_RUNTIME_DIR", FOldRuntime.toLocal8Bit()); }

  // The later start runs on a thread of its own while this one serves the running game.
  static std::optional<bool> HandOffWhileServing(const QString& AFileName) {
    auto handOff =
        std::async(std::launch::async, [AFileName] { return TSingleInstance::HandOff(AFileName); });
    if (!QTest::qWaitFor(
            [&] { return handOff.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
            5000)) {
      return std::nullopt;
    }
    return handOff.get();
  }

  QTemporaryDir FFolder;
  QString FOldRuntime;
};

} // namespace

TEST_F(SingleInstanceTest, ALaterStartHandsItsFileToTheRunningGame) {
  EXPECT_FALSE(TSingleInstance::HandOff(QStringLiteral("/nobody/listens.vcs")));
  TSingleInstance running;
  ASSERT_TRUE(running.Listen());
  EXPECT_TRUE(QFileInfo(TSingleInstance::SocketPath()).absolutePath() == FFolder.path());
  QStringList requested;
  QObject::connect(&running, &TSingleInstance::Requested,
                   [&](const QString& AFileName) { requested << AFileName; });
  const QString odd = FFolder.path() + QStringLiteral("/игра с пробелом.vcs");
  EXPECT_EQ(HandOffWhileServing(odd), std::optional<bool>(true));
  EXPECT_EQ(HandOffWhileServing(QString()), std::optional<bool>(true));
  ASSERT_TRUE(QTest::qWaitFor([&] { return requested.size() == 2; }));
  EXPECT_EQ(requested, (QStringList{odd, QString()}));
  // A second game cannot take over the socket of a live one.
  TSingleInstance second;
  EXPECT_FALSE(second.Listen());
}

TEST_F(SingleInstanceTest, TheSocketOfAKilledGameIsReplaced) {
  // A socket file that nothing listens on, as a game killed with -9 leaves it.
  const QByteArray path = QFile::encodeName(TSingleInstance::SocketPath());
  const int handle = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.constData());
  ASSERT_EQ(::bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(handle);
  ASSERT_TRUE(QFileInfo::exists(QString::fromLocal8Bit(path)));
  EXPECT_FALSE(TSingleInstance::HandOff(QString()));

  TSingleInstance running;
  ASSERT_TRUE(running.Listen());
  EXPECT_EQ(HandOffWhileServing(QString()), std::optional<bool>(true));
}

TEST_F(SingleInstanceTest, AGameThatDoesNotAnswerIsLeftAlone) {
  // Accepts connections (the system does, without the program) but never answers.
  QLocalServer silent;
  ASSERT_TRUE(silent.listen(TSingleInstance::SocketPath()));
  EXPECT_FALSE(TSingleInstance::HandOff(QStringLiteral("/a/game.vcs"), 300));
}

TEST_F(SingleInstanceTest, AFolderOthersCanEnterIsNeverUsed) {
  ::chmod(QFile::encodeName(FFolder.path()).constData(), 0755);
  EXPECT_TRUE(TSingleInstance::SocketPath().isEmpty());
  TSingleInstance running;
  EXPECT_FALSE(running.Listen());
  EXPECT_FALSE(TSingleInstance::HandOff(QString()));
  // Without a runtime folder a private one of the temporary directory serves.
  qunsetenv("XDG_RUNTIME_DIR");
  const QString fallback = TSingleInstance::SocketPath();
  ASSERT_FALSE(fallback.isEmpty());
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(QFileInfo(fallback).absolutePath()).constData(), &info), 0);
  EXPECT_EQ(info.st_uid, ::geteuid());
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}
