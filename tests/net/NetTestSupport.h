// What the request tests share: a hand-off target on the test's main thread, a wait that turns
// its event loop, and a downloader that tells when it has been freed.
#pragma once

#include "net/HTTPDownloader.h"
#include "net/MainThreadSync.h"
#include "tests/net/TestHttpServer.h"

#include <QTest>

#include <memory>

namespace vexil::testing {

class RequestTest : public ::testing::Test {
protected:
  // Turns the event loop (so the hand-offs run) until every request has ended.
  bool WaitForRequests(int ATimeoutMs = 20000) {
    return QTest::qWaitFor([this] { return FTarget->Channel()->WorkerCount() == 0; }, ATimeoutMs);
  }
  const std::shared_ptr<TSyncChannel>& Channel() const { return FTarget->Channel(); }

  std::unique_ptr<TSyncTarget> FTarget = std::make_unique<TSyncTarget>();
};

// A downloader that notes its results and its own destruction in what the test keeps.
struct TDownloadSeen {
  bool Responded = false;
  bool ResponseSuccess = false;
  std::string ResponseString;
  bool Downloaded = false;
  bool DownloadSuccess = false;
  std::string ErrorString;
  std::string Bytes;
  int64_t Position = -1;
  bool Freed = false;
};

class TWatchedDownloader : public THTTPDownloader {
public:
  TWatchedDownloader(std::shared_ptr<TSyncChannel> AChannel, const std::string& AURL,
                     TDownloadSeen& ASeen)
      : THTTPDownloader(std::move(AChannel)), FSeen(ASeen) {
    SetURL(AURL);
  }
  ~TWatchedDownloader() override { FSeen.Freed = true; }

  // Notes both results in ASeen.
  void Watch() {
    SetOnHTTPSesponseLink([this](THTTPRequest&, bool ASuccess, const std::string& AText) {
      FSeen.Responded = true;
      FSeen.ResponseSuccess = ASuccess;
      FSeen.ResponseString = AText;
    });
    SetOnHTTPDownloadLink([this](THTTPDownloader&, bool ASuccess, TMemoryStream* AStream) {
      FSeen.Downloaded = true;
      FSeen.DownloadSuccess = ASuccess;
      FSeen.ErrorString = ErrorString();
      FSeen.Bytes.assign(AStream->Data().begin(), AStream->Data().end());
      FSeen.Position = AStream->Position();
    });
  }

private:
  TDownloadSeen& FSeen;
};

} // namespace vexil::testing
