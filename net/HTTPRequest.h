// THTTPRequest: a GET of a URL as text on a worker thread of its own, with the result handed to
// the main thread. Fire and forget: the creator sets the URL and the callbacks, hands the
// request to Start and keeps nothing; the thread frees the request when its work ends.
//
// Every callback runs on the main thread while the worker waits for it (Synchronize), also
// while a modal window is open there. The client's status and work events are handed over the
// same way, one wait per event, whether a callback is set or not. A failure never escapes: it
// becomes Success() false and the text "<error class>: <message>". What a callback throws goes
// back to the worker and ends the thread without a report, after the clean-up.
#pragma once

#include "net/HTTPClient.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vexil {

class TSyncChannel;

class THTTPRequest {
public:
  using TOnHTTPResponseEvent =
      std::function<void(THTTPRequest& ASender, bool ASuccess, const std::string& AResponseString)>;
  // ASender: the HTTP client that raised the event.
  using TOnStatusEvent =
      std::function<void(THTTPClient& ASender, THTTPStatus AStatus, const std::string& AText)>;
  using TOnWorkEvent =
      std::function<void(THTTPClient& ASender, TWorkMode AWorkMode, int64_t AWorkCount)>;

  // Created suspended: nothing happens until Start. AChannel carries the hand-offs to the main
  // thread and stops the request when its target closes.
  explicit THTTPRequest(std::shared_ptr<TSyncChannel> AChannel);
  virtual ~THTTPRequest();
  THTTPRequest(const THTTPRequest&) = delete;
  THTTPRequest& operator=(const THTTPRequest&) = delete;

  // Runs ARequest's Execute on a new worker thread that owns the request and frees it at the
  // end. Nothing happens when the channel's target is already closed.
  static void Start(std::unique_ptr<THTTPRequest> ARequest);

  const TOnStatusEvent& OnStatusLink() const { return FOnStatusLink; }
  void SetOnStatusLink(TOnStatusEvent AValue) { FOnStatusLink = std::move(AValue); }
  const TOnWorkEvent& OnWorkLink() const { return FOnWorkLink; }
  void SetOnWorkLink(TOnWorkEvent AValue) { FOnWorkLink = std::move(AValue); }
  const TOnHTTPResponseEvent& OnHTTPSesponseLink() const { return FOnHTTPResponseLink; }
  void SetOnHTTPSesponseLink(TOnHTTPResponseEvent AValue) {
    FOnHTTPResponseLink = std::move(AValue);
  }
  const std::string& URL() const { return FURL; }
  void SetURL(std::string AValue) { FURL = std::move(AValue); }
  bool Success() const { return FSuccess; }
  const std::string& ResponseString() const { return FResponseString; }

protected:
  // The worker thread's work: the text request.
  virtual void Execute();
  // Called on the worker with every new client before its request: routes its events. A
  // descendant may configure the client further.
  virtual void SetupHTTPClient(THTTPClient& AHTTPClient);
  // Main thread: hands the text request's result to OnHTTPSesponseLink.
  virtual void DoHTTPResponse();

  // Runs ARoutine on the main thread and waits for it; false when it was not run because the
  // program is closing.
  bool Synchronize(const std::function<void()>& ARoutine);
  const std::shared_ptr<TSyncChannel>& Channel() const { return FChannel; }

private:
  void SendRequest();
  void IdHTTPStatus(THTTPClient& ASender, THTTPStatus AStatus, const std::string& AStatusText);
  void IdHTTPWork(THTTPClient& ASender, TWorkMode AWorkMode, int64_t AWorkCount);
  void DoStatus();
  void DoWork();

  std::unique_ptr<THTTPClient> FIdHTTP;
  bool FSuccess = false;
  std::string FResponseString;
  TOnStatusEvent FOnStatusLink;
  TOnWorkEvent FOnWorkLink;
  TOnHTTPResponseEvent FOnHTTPResponseLink;
  THTTPStatus FStatus = THTTPStatus::StatusText;
  std::string FStatusText;
  TWorkMode FWorkMode = TWorkMode::Read;
  // The low 32 bits of the last count, as a signed number.
  int32_t FWorkCount = 0;
  std::string FURL;
  std::shared_ptr<TSyncChannel> FChannel;
  // The client whose event DoStatus or DoWork is reporting.
  THTTPClient* FEventSender = nullptr;
};

} // namespace vexil
