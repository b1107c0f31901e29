// THTTPClient: one HTTP/1.1 GET at a time of an absolute http URL, with libcurl's defaults (no
// headers, user agent, cookies or redirects of the program's own). Every failure is raised as
// an EHTTPError (HTTPErrors.h). Connection progress and transfer counts are reported through
// two events, on the thread that runs the request.
//
// Beyond the library's defaults the client guards the program: a connection time-out and a
// total time-out, so a dead connection does not hold a thread for ever; a cap on the body, so a
// broken or hostile server cannot exhaust memory; and, given a hand-off channel, it stops as
// soon as the channel's target closes, so a server that never answers cannot keep the program
// from exiting.
#pragma once

#include "engine/Streams.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace vexil {

class TSyncChannel;

enum class THTTPStatus {
  Resolving,
  Connecting,
  Connected,
  Disconnecting,
  Disconnected,
  StatusText
};
enum class TWorkMode { Read, Write };

class THTTPClient {
public:
  using TOnStatus =
      std::function<void(THTTPClient& ASender, THTTPStatus AStatus, const std::string& AText)>;
  using TOnWork = std::function<void(THTTPClient& ASender, TWorkMode AWorkMode, int64_t ACount)>;

  static constexpr std::chrono::milliseconds kConnectTimeout{30000};
  static constexpr std::chrono::milliseconds kTotalTimeout{120000};
  static constexpr size_t kMaxBodySize = 1024 * 1024;

  // AChannel, when given, stops the request once its target closes.
  explicit THTTPClient(std::shared_ptr<TSyncChannel> AChannel = nullptr);
  // Frees the connection without reporting events.
  ~THTTPClient();
  THTTPClient(const THTTPClient&) = delete;
  THTTPClient& operator=(const THTTPClient&) = delete;

  // Raised by the events are carried out of the transfer and raised again by Get or
  // Disconnect, once the library's frames are left.
  void SetOnStatus(TOnStatus AOnStatus) { FOnStatus = std::move(AOnStatus); }
  void SetOnWork(TOnWork AOnWork) { FOnWork = std::move(AOnWork); }
  void SetConnectTimeout(std::chrono::milliseconds AValue) { FConnectTimeout = AValue; }
  void SetTotalTimeout(std::chrono::milliseconds AValue) { FTotalTimeout = AValue; }
  void SetMaxBodySize(size_t AValue) { FMaxBodySize = AValue; }

  // GET of AURL; returns the body as UTF-8 text: UTF-8 when the server says so, otherwise read
  // as the program reads any text (a byte-order mark, or Windows-1251).
  std::string Get(const std::string& AURL);
  // GET of AURL with the body written into AStream. After a failure the stream keeps what had
  // arrived of a successful answer; the body of an error status is never written.
  void Get(const std::string& AURL, TStream& AStream);
  // Closes the connection kept from the last request.
  void Disconnect();

private:
  struct THandles;

  void Open();
  void Close();
  void Perform(const std::string& AURL, TStream& ABody);
  void RaiseFailure(int ACurlCode) const;
  bool Aborted() const;

  // The library's callbacks, with its own signatures (HTTPClient.cpp).
  struct TCallbacks;

  // Reports an event; what its handler throws is kept for later and stops the transfer.
  bool Report(THTTPStatus AStatus, const std::string& AText);
  bool ReportWork(TWorkMode AMode, int64_t ACount);
  void RaiseKeptError();

  std::shared_ptr<TSyncChannel> FChannel;
  std::unique_ptr<THandles> FHandles;
  TOnStatus FOnStatus;
  TOnWork FOnWork;
  std::chrono::milliseconds FConnectTimeout = kConnectTimeout;
  std::chrono::milliseconds FTotalTimeout = kTotalTimeout;
  size_t FMaxBodySize = kMaxBodySize;

  // State of the request running.
  TStream* FBody = nullptr;
  std::string FStatusLine;
  std::string FContentType;
  bool FErrorStatus = false;
  bool FTooLarge = false;
  int64_t FBodySize = 0;
  int64_t FSentSize = 0;
  int FOpenSockets = 0;
  std::exception_ptr FKeptError;
};

} // namespace vexil
