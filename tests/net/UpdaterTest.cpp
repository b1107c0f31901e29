// The update check and the usage ping against a real server: which version files bring up the
// notice, with what, and what the ping sends.
#include "engine/ProgramInfo.h"
#include "net/OnlineSite.h"
#include "net/Stat.h"
#include "net/VexilCubeUpdater.h"
#include "tests/net/NetTestSupport.h"

#include <optional>

namespace vexil::testing {
namespace {

struct TVersionFileCase {
  const char* Name;
  std::string Bytes;
  bool Shown;
  const char* Version;
  const char* Note1;
  const char* Note2;
};

// The case's name, so that the test list stays the same from one run to the next.
void PrintTo(const TVersionFileCase& ACase, std::ostream* AStream) {
  *AStream << ACase.Name;
}

class UpdaterTest : public RequestTest, public ::testing::WithParamInterface<TVersionFileCase> {
protected:
  // Runs one check of the version file AServer serves; the notice's contents, if it was shown.
  std::optional<TVersionFile> Check(const TTestHttpServer& AServer) {
    std::optional<TVersionFile> shown;
    int shownTimes = 0;
    TVexilCubeUpdater::Start(AServer.Site(), ProgramVersion, Channel(),
                             [&](const TVersionFile& AFile) {
                               shown = AFile;
                               ++shownTimes;
                             });
    EXPECT_TRUE(WaitForRequests());
    EXPECT_LE(shownTimes, 1);
    return shown;
  }
};

TEST_P(UpdaterTest, ShowsTheNoticeOnlyForANewerVersion) {
  const TVersionFileCase& param = GetParam();
  TTestHttpServer server;
  server.Put(kVersionFilePath, param.Bytes);
  const std::optional<TVersionFile> shown = Check(server);

  ASSERT_EQ(shown.has_value(), param.Shown);
  EXPECT_EQ(server.CountOf(kVersionFilePath), 2);
  if (shown) {
    EXPECT_EQ(shown->ServerVersionStr, param.Version);
    EXPECT_EQ(shown->ReleaseNote1, param.Note1);
    EXPECT_EQ(shown->ReleaseNote2, param.Note2);
  }
}

INSTANTIATE_TEST_SUITE_P(
    VersionFiles, UpdaterTest,
    ::testing::Values(
        TVersionFileCase{"Utf8MarkAndComma",
                         "\xEF\xBB\xBF"
                         "1,5\r\nFaster\r\nSmaller",
                         true, "1,5", "Faster", "Smaller"},
        TVersionFileCase{"SameVersion", "1.4\r\nnothing new\r\n", false, "", "", ""},
        TVersionFileCase{"SlightlyNewer", "1.41", true, "1.41", "", ""},
        TVersionFileCase{"WholeNumber", "2\nA\nB", true, "2", "A", "B"},
        TVersionFileCase{"HtmlPage", "<!DOCTYPE html>\n<html><body>Moved</body></html>\n", false,
                         "", "", ""},
        TVersionFileCase{"FourLines", "1.5\r\nOne\r\nTwo\r\nThree\r\n", true, "1.5", "One", "Two"},
        TVersionFileCase{"LineOneOnly", "1.5\r\n", true, "1.5", "", ""},
        TVersionFileCase{"Windows1251Note", "1,6\r\n\xCD\xEE\xE2\xEE\xE5", true, "1,6", "Новое",
                         ""},
        TVersionFileCase{"Empty", "", false, "", "", ""}),
    [](const ::testing::TestParamInfo<TVersionFileCase>& AInfo) { return AInfo.param.Name; });

TEST_F(RequestTest, AMissingVersionFileShowsNothing) {
  TTestHttpServer server;
  bool shown = false;
  TVexilCubeUpdater::Start(server.Site(), ProgramVersion, Channel(),
                           [&](const TVersionFile&) { shown = true; });
  ASSERT_TRUE(WaitForRequests());
  EXPECT_FALSE(shown);
  EXPECT_EQ(server.CountOf(kVersionFilePath), 2);
}

TEST_F(RequestTest, TheNoticeHoldsTheWorkerUntilItCloses) {
  TTestHttpServer server;
  server.Put(kVersionFilePath, "9.9");
  int workersWhileShown = -1;
  TVexilCubeUpdater::Start(server.Site(), ProgramVersion, Channel(), [&](const TVersionFile&) {
    // Open notices keep their worker: it has not ended while this runs.
    workersWhileShown = Channel()->WorkerCount();
  });
  ASSERT_TRUE(WaitForRequests());
  EXPECT_EQ(workersWhileShown, 1);
}

TEST_F(RequestTest, ThePingIsABareGetOfTheStatisticsAddress) {
  TTestHttpServer server;
  TStat::Start(server.Site(), Channel());
  ASSERT_TRUE(WaitForRequests());

  const std::vector<TSeenRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Method, "GET");
  EXPECT_EQ(requests[0].Path, "/programs/3/stat.php"); // no query
  // Only what HTTP/1.1 itself needs: no user agent, cookie or header of the program's own.
  for (const std::string& name : requests[0].HeaderNames) {
    EXPECT_TRUE(name == "Host" || name == "Accept") << name;
  }
}

// Sets or clears VEXIL_CUBE_SITE for one test.
class OnlineSiteTest : public ::testing::Test {
protected:
  void SetUp() override {
    const char* old = std::getenv("VEXIL_CUBE_SITE");
    FOld = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
  }
  void TearDown() override {
    if (FOld) {
      setenv("VEXIL_CUBE_SITE", FOld->c_str(), 1);
    } else {
      unsetenv("VEXIL_CUBE_SITE");
    }
  }
  std::optional<std::string> FOld;
};

TEST_F(OnlineSiteTest, IsTheProductSiteUnlessTheEnvironmentNamesAnother) {
  unsetenv("VEXIL_CUBE_SITE");
  EXPECT_EQ(OnlineSite(), std::string(kProductSite));
  setenv("VEXIL_CUBE_SITE", "http://127.0.0.1:8080/", 1);
  EXPECT_EQ(OnlineSite(), "http://127.0.0.1:8080");
  EXPECT_EQ(SiteAddress(*OnlineSite(), kStatPath), "http://127.0.0.1:8080/programs/3/stat.php");
}

TEST_F(OnlineSiteTest, AnEmptyValueTurnsTheRequestsOff) {
  setenv("VEXIL_CUBE_SITE", "", 1);
  EXPECT_FALSE(OnlineSite().has_value());
  setenv("VEXIL_CUBE_SITE", "/", 1);
  EXPECT_FALSE(OnlineSite().has_value());
}

} // namespace
} // namespace vexil::testing
