// Requests and downloads against a real server on 127.0.0.1: what the callbacks receive, the
// error texts, the body cap, the events, the hand-off to the main thread and closing.
#include "net/HTTPRequest.h"
#include "net/HTTPErrors.h"
#include "tests/net/NetTestSupport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <algorithm>
#include <stdexcept>

namespace vexil::testing {
namespace {

using DownloadTest = RequestTest;

std::unique_ptr<TWatchedDownloader> Watched(const std::shared_ptr<TSyncChannel>& AChannel,
                                            const std::string& AURL, TDownloadSeen& ASeen) {
  auto downloader = std::make_unique<TWatchedDownloader>(AChannel, AURL, ASeen);
  downloader->Watch();
  return downloader;
}

TEST_F(DownloadTest, SendsTwoGetsTheTextRequestFirst) {
  TTestHttpServer server;
  server.Put("/file.txt", "line one\r\nline two");
  TDownloadSeen seen;
  int requestsAtResponse = -1;
  int requestsAtDownload = -1;
  auto downloader = Watched(Channel(), server.URL("/file.txt"), seen);
  downloader->SetOnHTTPSesponseLink([&](THTTPRequest&, bool ASuccess, const std::string& AText) {
    seen.ResponseSuccess = ASuccess;
    seen.ResponseString = AText;
    requestsAtResponse = server.CountOf("/file.txt");
  });
  downloader->SetOnHTTPDownloadLink([&](THTTPDownloader&, bool ASuccess, TMemoryStream* AStream) {
    seen.DownloadSuccess = ASuccess;
    seen.Bytes.assign(AStream->Data().begin(), AStream->Data().end());
    seen.Position = AStream->Position();
    requestsAtDownload = server.CountOf("/file.txt");
  });
  THTTPRequest::Start(std::move(downloader));
  ASSERT_TRUE(WaitForRequests());

  EXPECT_TRUE(seen.ResponseSuccess);
  EXPECT_EQ(seen.ResponseString, "line one\r\nline two");
  EXPECT_TRUE(seen.DownloadSuccess);
  EXPECT_EQ(seen.Bytes, "line one\r\nline two");
  EXPECT_EQ(seen.Position, 0);
  // The download's GET waits until the text request's result has been handed over.
  EXPECT_EQ(requestsAtResponse, 1);
  EXPECT_EQ(requestsAtDownload, 2);
  const std::vector<TSeenRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_LE(requests[0].Time, requests[1].Time);
  EXPECT_TRUE(seen.Freed);
}

TEST_F(DownloadTest, AnErrorStatusFailsWithTheStatusLine) {
  TTestHttpServer server;
  TDownloadSeen seen;
  THTTPRequest::Start(Watched(Channel(), server.URL("/missing.txt"), seen));
  ASSERT_TRUE(WaitForRequests());

  EXPECT_FALSE(seen.ResponseSuccess);
  EXPECT_EQ(seen.ResponseString, "EHTTPProtocolError: HTTP/1.1 404 Not Found");
  EXPECT_FALSE(seen.DownloadSuccess);
  EXPECT_EQ(seen.ErrorString, "EHTTPProtocolError: HTTP/1.1 404 Not Found");
  // The server's error page is not taken for the file.
  EXPECT_EQ(seen.Bytes, "");
}

TEST_F(DownloadTest, ARedirectIsNotFollowed) {
  TTestHttpServer server;
  server.Put("/old.redirect", server.URL("/new.txt"));
  server.Put("/new.txt", "moved");
  TDownloadSeen seen;
  THTTPRequest::Start(Watched(Channel(), server.URL("/old.redirect"), seen));
  ASSERT_TRUE(WaitForRequests());

  EXPECT_EQ(seen.ResponseString, "EHTTPProtocolError: HTTP/1.1 301 Moved Permanently");
  EXPECT_FALSE(seen.DownloadSuccess);
  EXPECT_EQ(server.CountOf("/new.txt"), 0);
}

TEST_F(DownloadTest, ARefusedConnectionFailsWithTheSocketErrorClass) {
  TDownloadSeen seen;
  const std::string url = "http://127.0.0.1:" + std::to_string(UnusedPort()) + "/file.txt";
  THTTPRequest::Start(Watched(Channel(), url, seen));
  ASSERT_TRUE(WaitForRequests());

  EXPECT_FALSE(seen.ResponseSuccess);
  EXPECT_EQ(seen.ResponseString.rfind("ESocketError: ", 0), 0u) << seen.ResponseString;
  EXPECT_GT(seen.ResponseString.size(), 14u); // the library's message follows
  EXPECT_FALSE(seen.DownloadSuccess);
  EXPECT_EQ(seen.ErrorString.rfind("ESocketError: ", 0), 0u) << seen.ErrorString;
}

TEST_F(DownloadTest, OnlyHttpAddressesAreFetched) {
  TDownloadSeen seen;
  THTTPRequest::Start(Watched(Channel(), "ftp://127.0.0.1/file.txt", seen));
  ASSERT_TRUE(WaitForRequests());

  EXPECT_EQ(seen.ResponseString.rfind("EHTTPError: ", 0), 0u) << seen.ResponseString;
  EXPECT_FALSE(seen.DownloadSuccess);
}

TEST_F(DownloadTest, AnEmptyBodyIsSuccessWithAnEmptyStream) {
  TTestHttpServer server;
  server.Put("/empty.txt", "");
  TDownloadSeen seen;
  THTTPRequest::Start(Watched(Channel(), server.URL("/empty.txt"), seen));
  ASSERT_TRUE(WaitForRequests());

  EXPECT_TRUE(seen.ResponseSuccess);
  EXPECT_EQ(seen.ResponseString, "");
  EXPECT_TRUE(seen.DownloadSuccess);
  EXPECT_EQ(seen.Bytes, "");
  EXPECT_EQ(seen.Position, 0);
}

TEST_F(DownloadTest, WithoutCallbacksTheThreadRunsAndFreesItself) {
  TTestHttpServer server;
  server.Put("/file.txt", "x");
  TDownloadSeen seen;
  THTTPRequest::Start(
      std::make_unique<TWatchedDownloader>(Channel(), server.URL("/file.txt"), seen));
  ASSERT_TRUE(WaitForRequests());

  EXPECT_TRUE(seen.Freed);
  EXPECT_FALSE(seen.Responded);
  EXPECT_EQ(server.CountOf("/file.txt"), 2);
}

TEST_F(DownloadTest, BodiesUpToTheCapArriveWhole) {
  TTestHttpServer server;
  const std::string body(THTTPClient::kMaxBodySize, 'v');
  server.Put("/cap.txt", body);
  for (const char* query : {"", "?chunked"}) {
    TDownloadSeen seen;
    THTTPRequest::Start(Watched(Channel(), server.URL(std::string("/cap.txt") + query), seen));
    ASSERT_TRUE(WaitForRequests());
    EXPECT_TRUE(seen.DownloadSuccess) << query << seen.ErrorString;
    EXPECT_EQ(seen.Bytes.size(), body.size()) << query;
  }
}

TEST_F(DownloadTest, ABodyOverTheCapFailsCleanly) {
  TTestHttpServer server;
  server.Put("/big.txt", std::string(THTTPClient::kMaxBodySize + 1, 'v'));
  // With a Content-Length the answer is refused at once; chunked, when the cap is passed.
  for (const char* query : {"", "?chunked"}) {
    TDownloadSeen seen;
    THTTPRequest::Start(Watched(Channel(), server.URL(std::string("/big.txt") + query), seen));
    ASSERT_TRUE(WaitForRequests());
    EXPECT_FALSE(seen.ResponseSuccess) << query;
    EXPECT_EQ(seen.ResponseString, "EResponseTooLarge: The response is larger than 1048576 bytes.")
        << query;
    EXPECT_FALSE(seen.DownloadSuccess) << query;
    EXPECT_EQ(seen.ErrorString, seen.ResponseString) << query;
    EXPECT_LE(seen.Bytes.size(), THTTPClient::kMaxBodySize) << query;
    EXPECT_TRUE(seen.Freed);
  }
}

// A request whose client gives up after a short total time.
class TImpatientRequest : public THTTPRequest {
public:
  using THTTPRequest::THTTPRequest;

protected:
  void SetupHTTPClient(THTTPClient& AHTTPClient) override {
    THTTPRequest::SetupHTTPClient(AHTTPClient);
    AHTTPClient.SetTotalTimeout(std::chrono::milliseconds(300));
  }
};

TEST_F(RequestTest, AServerThatNeverAnswersTimesOut) {
  TTestHttpServer server(TTestHttpServer::TMode::Hang);
  std::string response;
  auto request = std::make_unique<TImpatientRequest>(Channel());
  request->SetURL(server.URL("/slow.txt"));
  request->SetOnHTTPSesponseLink(
      [&](THTTPRequest&, bool, const std::string& AText) { response = AText; });
  THTTPRequest::Start(std::move(request));
  ASSERT_TRUE(WaitForRequests());

  EXPECT_EQ(response.rfind("ETimeoutError: ", 0), 0u) << response;
  EXPECT_EQ(server.CountOf("/slow.txt"), 1);
}

TEST_F(RequestTest, EventsReachTheMainThreadInTheirOrder) {
  TTestHttpServer server;
  server.Put("/file.txt", std::string(5000, 'w'));
  std::vector<THTTPStatus> statuses;
  std::vector<std::string> texts;
  int64_t lastRead = 0;
  int64_t lastWrite = 0;
  bool allOnMainThread = true;
  const QThread* const mainThread = QCoreApplication::instance()->thread();
  auto request = std::make_unique<THTTPRequest>(Channel());
  request->SetURL(server.URL("/file.txt"));
  request->SetOnStatusLink([&](THTTPClient&, THTTPStatus AStatus, const std::string& AText) {
    allOnMainThread = allOnMainThread && QThread::currentThread() == mainThread;
    statuses.push_back(AStatus);
    texts.push_back(AText);
  });
  request->SetOnWorkLink([&](THTTPClient&, TWorkMode AMode, int64_t ACount) {
    allOnMainThread = allOnMainThread && QThread::currentThread() == mainThread;
    (AMode == TWorkMode::Read ? lastRead : lastWrite) = ACount;
  });
  THTTPRequest::Start(std::move(request));
  ASSERT_TRUE(WaitForRequests());

  EXPECT_TRUE(allOnMainThread);
  const std::vector<THTTPStatus> expected = {THTTPStatus::Resolving,     THTTPStatus::Connecting,
                                             THTTPStatus::Connected,     THTTPStatus::StatusText,
                                             THTTPStatus::Disconnecting, THTTPStatus::Disconnected};
  EXPECT_EQ(statuses, expected);
  ASSERT_EQ(texts.size(), expected.size());
  EXPECT_EQ(texts[0], "Resolving hostname 127.0.0.1.");
  EXPECT_EQ(texts[3], "HTTP/1.1 200 OK");
  EXPECT_EQ(lastRead, 5000);
  EXPECT_GT(lastWrite, 0); // the request's own bytes
}

TEST_F(DownloadTest, AnErrorInACallbackEndsTheThreadBeforeItsDownload) {
  TTestHttpServer server;
  server.Put("/file.txt", "x");
  TDownloadSeen seen;
  auto downloader = Watched(Channel(), server.URL("/file.txt"), seen);
  downloader->SetOnHTTPSesponseLink(
      [](THTTPRequest&, bool, const std::string&) { throw std::runtime_error("callback"); });
  THTTPRequest::Start(std::move(downloader));
  ASSERT_TRUE(WaitForRequests());

  EXPECT_FALSE(seen.Downloaded);
  EXPECT_EQ(server.CountOf("/file.txt"), 1);
  EXPECT_TRUE(seen.Freed);
}

TEST_F(DownloadTest, AnErrorInTheDownloadCallbackStillClosesTheConnection) {
  TTestHttpServer server;
  server.Put("/file.txt", "x");
  TDownloadSeen seen;
  std::vector<THTTPStatus> statuses;
  auto downloader = Watched(Channel(), server.URL("/file.txt"), seen);
  downloader->SetOnStatusLink(
      [&](THTTPClient&, THTTPStatus AStatus, const std::string&) { statuses.push_back(AStatus); });
  downloader->SetOnHTTPDownloadLink(
      [](THTTPDownloader&, bool, TMemoryStream*) { throw std::runtime_error("callback"); });
  THTTPRequest::Start(std::move(downloader));
  ASSERT_TRUE(WaitForRequests());

  EXPECT_EQ(server.CountOf("/file.txt"), 2);
  EXPECT_TRUE(seen.Freed);
  // Both requests' connections were closed and said so, the download's last.
  EXPECT_EQ(std::count(statuses.begin(), statuses.end(), THTTPStatus::Disconnected), 2);
  ASSERT_GE(statuses.size(), 2u);
  EXPECT_EQ(statuses.back(), THTTPStatus::Disconnected);
}

TEST_F(DownloadTest, TheWorkerWaitsWhileItsRoutineRunsAModalLoop) {
  TTestHttpServer server;
  server.Put("/first.txt", "1");
  server.Put("/second.txt", "2");
  TDownloadSeen first;
  TDownloadSeen second;
  int firstRequestsWhenSecondEnded = -1;
  auto blocking = Watched(Channel(), server.URL("/first.txt"), first);
  blocking->SetOnHTTPSesponseLink([&](THTTPRequest&, bool, const std::string&) {
    // Like a modal window: a loop of its own until another request has been delivered in it.
    QEventLoop modal;
    auto other = Watched(Channel(), server.URL("/second.txt"), second);
    other->SetOnHTTPDownloadLink([&](THTTPDownloader&, bool ASuccess, TMemoryStream*) {
      second.DownloadSuccess = ASuccess;
      firstRequestsWhenSecondEnded = server.CountOf("/first.txt");
      modal.quit();
    });
    THTTPRequest::Start(std::move(other));
    modal.exec();
  });
  THTTPRequest::Start(std::move(blocking));
  ASSERT_TRUE(WaitForRequests());

  EXPECT_TRUE(second.DownloadSuccess);
  // The first worker sent its download only after its routine had returned.
  EXPECT_EQ(firstRequestsWhenSecondEnded, 1);
  EXPECT_TRUE(first.Downloaded);
  EXPECT_EQ(server.CountOf("/first.txt"), 2);
}

TEST_F(DownloadTest, ClosingReleasesARequestThatHangsAndRunsNoCallback) {
  TTestHttpServer server(TTestHttpServer::TMode::Hang);
  TDownloadSeen seen;
  THTTPRequest::Start(Watched(Channel(), server.URL("/hang.txt"), seen));
  ASSERT_TRUE(QTest::qWaitFor([&] { return server.CountOf("/hang.txt") == 1; }, 10000));

  // Every worker ends within the moment closing grants them.
  EXPECT_TRUE(FTarget->Close());
  EXPECT_EQ(Channel()->WorkerCount(), 0);
  EXPECT_TRUE(seen.Freed);
  QCoreApplication::processEvents();
  EXPECT_FALSE(seen.Responded);
  EXPECT_FALSE(seen.Downloaded);
}

TEST_F(DownloadTest, ClosingDropsHandOffsTheMainThreadHasNotRun) {
  TTestHttpServer server;
  server.Put("/file.txt", "x");
  TDownloadSeen seen;
  // The event loop is not turned: the worker's first hand-off waits until closing.
  THTTPRequest::Start(Watched(Channel(), server.URL("/file.txt"), seen));
  EXPECT_TRUE(FTarget->Close());
  EXPECT_TRUE(seen.Freed);
  FTarget.reset();
  QCoreApplication::processEvents();
  EXPECT_FALSE(seen.Responded);
  EXPECT_FALSE(seen.Downloaded);
}

TEST_F(DownloadTest, NothingStartsOnceClosed) {
  TTestHttpServer server;
  TDownloadSeen seen;
  FTarget->Close();
  THTTPRequest::Start(Watched(Channel(), server.URL("/file.txt"), seen));
  EXPECT_EQ(Channel()->WorkerCount(), 0);
  EXPECT_TRUE(seen.Freed);
}

} // namespace
} // namespace vexil::testing
