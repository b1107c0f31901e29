// A write either puts every new byte in place or leaves the old file exactly as it was: on a
// full disk, over a link, beside the player's other files.
#include "support/AtomicFileWrite.h"
#include "tests/support/FullDiskFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>
#include <utime.h>

using namespace vexil;
using namespace vexil::test;

namespace {

namespace fs = std::filesystem;

fs::path Scratch(const char* AName) {
  const fs::path folder = fs::path(::testing::TempDir()) / "atomic_file_write" / AName;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

TFileResult Write(const fs::path& APath, const std::string& ABytes) {
  return WriteFileAtomically(APath, reinterpret_cast<const uint8_t*>(ABytes.data()), ABytes.size());
}

std::string Contents(const fs::path& APath) {
  std::ifstream file(APath, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

size_t EntryCount(const fs::path& AFolder) {
  return static_cast<size_t>(
      std::distance(fs::directory_iterator(AFolder), fs::directory_iterator()));
}

} // namespace

TEST(AtomicFileWrite, WritesNewFilesAndReplacesOldOnesKeepingTheirPermissions) {
  const fs::path folder = Scratch("replace");
  const fs::path path = folder / "game.vcs";
  ASSERT_TRUE(Write(path, "first").Ok());
  EXPECT_EQ(Contents(path), "first");
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0666 & ~mask));

  fs::permissions(path, static_cast<fs::perms>(0640));
  ASSERT_TRUE(Write(path, "second, longer").Ok());
  EXPECT_EQ(Contents(path), "second, longer");
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0640));

  // A link stays a link; the file it names gets the bytes.
  const fs::path link = folder / "link.vcs";
  fs::create_symlink(path, link);
  ASSERT_TRUE(Write(link, "third").Ok());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Contents(path), "third");
  EXPECT_EQ(EntryCount(folder), 2u); // no temporary left behind
}

TEST(AtomicFileWrite, FoldersPipesAndMissingFoldersAreRefusedUntouched) {
  const fs::path folder = Scratch("refused");
  const fs::path fifo = folder / "fifo.vcs";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(Write(folder, "x").Error, TFileError::IsAFolder);
  EXPECT_EQ(Write(fifo, "x").Error, TFileError::NotARegularFile);
  EXPECT_EQ(Write(folder / "none" / "game.vcs", "x").Error, TFileError::NotFound);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(EntryCount(folder), 1u);
}

TEST(AtomicFileWrite, AFullDiskKeepsTheOldFileWholeAndLeavesNoTemporary) {
  const TFullDiskFolder disk;
  if (!disk.Mounted()) {
    GTEST_SKIP() << disk.Why();
  }
  const std::string old(1000, 'o');
  ASSERT_TRUE(Write(disk.File("game.vcs"), old).Ok());
  ASSERT_TRUE(disk.Fill());
  const std::string bigger(20000, 'n');
  const TFileResult replaced = Write(disk.File("game.vcs"), bigger);
  EXPECT_EQ(replaced.Error, TFileError::DiskFull) << replaced.Reason;
  EXPECT_EQ(Contents(disk.File("game.vcs")), old);
  const TFileResult created = Write(disk.File("new.vcs"), bigger);
  EXPECT_EQ(created.Error, TFileError::DiskFull) << created.Reason;
  EXPECT_EQ(disk.Names(), std::vector<std::string>{"game.vcs"});
}

TEST(AtomicFileWrite, OnlyOldTemporariesOfOurNamingAreCleanedUp) {
  const fs::path folder = Scratch("strays");
  const auto make = [&folder](const std::string& AName, int AAgeSeconds) {
    std::ofstream(folder / AName) << "bytes";
    const struct utimbuf times {
      std::time(nullptr) - AAgeSeconds, std::time(nullptr) - AAgeSeconds
    };
    ::utime((folder / AName).c_str(), &times);
  };
  make(".game.vcs.Ab12Cd.vexil-tmp", 120);   // a write killed two minutes ago
  make(".other.vcs.zzzzzz.vexil-tmp", 3600); // and one an hour ago
  make(".game.vcs.Xy34Zw.vexil-tmp", 5);     // a write that may still be running
  make("game.vcs", 3600);                    // the player's files
  make("game.vcs.backup", 3600);
  make("game.vcs.Ab12Cd", 3600);
  make(".game.vcs.Ab12C.vexil-tmp", 3600);  // five letters: not ours
  make(".game.vcs.Ab1-Cd.vexil-tmp", 3600); // not letters: not ours
  make("game.vcs.Ab12Cd.vexil-tmp", 3600);  // not hidden: not ours
  fs::create_directory(folder / ".dir.vcs.Ab12Cd.vexil-tmp");
  EXPECT_EQ(RemoveStrayTemporaries(folder), 2);
  EXPECT_FALSE(fs::exists(folder / ".game.vcs.Ab12Cd.vexil-tmp"));
  EXPECT_FALSE(fs::exists(folder / ".other.vcs.zzzzzz.vexil-tmp"));
  EXPECT_EQ(EntryCount(folder), 8u);
  EXPECT_EQ(RemoveStrayTemporaries(folder / "missing"), 0);
}
