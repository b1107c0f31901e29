// Only regular files are read, up to a limit, and nothing the player can name blocks the game.
#include "support/RegularFileRead.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vexil;

namespace {

namespace fs = std::filesystem;

fs::path Scratch(const char* AName) {
  const fs::path folder = fs::path(::testing::TempDir()) / "regular_file_read";
  fs::create_directories(folder);
  const fs::path path = folder / AName;
  fs::remove_all(path);
  return path;
}

// Reads APath on a thread of its own, so a read that blocks fails the test instead of hanging
// it; AUnblock is run to free such a read before the test ends.
TFileReadResult ReadWithin(const fs::path& APath, size_t ALimit, void (*AUnblock)(const char*)) {
  auto reading = std::async(std::launch::async, [&] { return ReadRegularFile(APath, ALimit); });
  if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    AUnblock(APath.c_str());
    ADD_FAILURE() << APath << ": the read blocked";
  }
  return reading.get();
}

void OpenForWriting(const char* APath) {
  const int handle = ::open(APath, O_WRONLY | O_NONBLOCK);
  if (handle >= 0) {
    ::close(handle);
  }
}

} // namespace

TEST(RegularFileRead, ReadsARegularFileUpToTheLimit) {
  const fs::path path = Scratch("ten");
  std::ofstream(path) << "0123456789";
  for (const auto& [limit, bytes, truncated] :
       {std::tuple{size_t{100}, std::string("0123456789"), false},
        std::tuple{size_t{10}, std::string("0123456789"), false},
        std::tuple{size_t{9}, std::string("012345678"), true},
        std::tuple{size_t{0}, std::string(), true}}) {
    const TFileReadResult read = ReadRegularFile(path, limit);
    EXPECT_TRUE(read.Result.Ok()) << read.Result.Reason;
    EXPECT_EQ(std::string(read.Bytes.begin(), read.Bytes.end()), bytes) << "limit " << limit;
    EXPECT_EQ(read.Truncated, truncated) << "limit " << limit;
  }
  // A link is followed to its file.
  const fs::path link = Scratch("link");
  fs::create_symlink(path, link);
  EXPECT_EQ(ReadRegularFile(link, 100).Bytes.size(), 10u);
}

TEST(RegularFileRead, PipesDevicesFoldersAndMissingFilesFailAtOnce) {
  const fs::path fifo = Scratch("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path folder = Scratch("folder");
  fs::create_directories(folder);
  const struct {
    fs::path Path;
    TFileError Error;
  } cases[] = {{fifo, TFileError::NotARegularFile},
               {"/dev/zero", TFileError::NotARegularFile},
               {"/dev/null", TFileError::NotARegularFile},
               {folder, TFileError::IsAFolder},
               {Scratch("missing"), TFileError::NotFound},
               {Scratch("missing") / "below", TFileError::NotFound}};
  for (const auto& c : cases) {
    const TFileReadResult read = ReadWithin(c.Path, 1024, OpenForWriting);
    EXPECT_EQ(read.Result.Error, c.Error) << c.Path;
    EXPECT_FALSE(read.Result.Reason.empty()) << c.Path;
    EXPECT_TRUE(read.Bytes.empty()) << c.Path;
  }
  if (::geteuid() != 0) { // root reads any file
    const fs::path locked = Scratch("locked");
    std::ofstream(locked) << "secret";
    fs::permissions(locked, fs::perms::none);
    EXPECT_EQ(ReadRegularFile(locked, 100).Result.Error, TFileError::NoPermission);
  }
}
