#include "net/HTTPRequest.h"

#include "net/HTTPErrors.h"
#include "net/MainThreadSync.h"

#include <system_error>
#include <thread>

namespace vexil {

THTTPRequest::THTTPRequest(std::shared_ptr<TSyncChannel> AChannel)
    : FChannel(std::move(AChannel)) {}

THTTPRequest::~THTTPRequest() = default;

void THTTPRequest::Start(std::unique_ptr<THTTPRequest> ARequest) {
  const std::shared_ptr<TSyncChannel> channel = ARequest->FChannel;
  if (!channel->EnterWorker()) {
    return;
  }
  try {
    std::thread([request = std::move(ARequest), channel]() mutable {
      try {
        request->Execute();
      } catch (...) {
        // An error raised by a callback ends the thread; there is nobody to tell.
      }
      request.reset();
      channel->LeaveWorker();
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: the request is dropped like a failed one.
    channel->LeaveWorker();
  }
}

void THTTPRequest::Execute() {
  SendRequest();
}

void THTTPRequest::SendRequest() {
  FSuccess = true;
  FIdHTTP = std::make_unique<THTTPClient>(FChannel);
  std::exception_ptr error;
  try {
    SetupHTTPClient(*FIdHTTP);
    try {
      FResponseString = FIdHTTP->Get(FURL);
    } catch (const EHTTPError& error) {
      FSuccess = false;
      FResponseString = error.Text();
    }
    Synchronize([this] { DoHTTPResponse(); });
    FIdHTTP->Disconnect();
  } catch (...) {
    error = std::current_exception();
  }
  // The client goes in every case; after an error without reporting its events.
  FIdHTTP.reset();
  if (error) {
    std::rethrow_exception(error);
  }
}

void THTTPRequest::SetupHTTPClient(THTTPClient& AHTTPClient) {
  AHTTPClient.SetOnStatus(
      [this](THTTPClient& ASender, THTTPStatus AStatus, const std::string& AText) {
        IdHTTPStatus(ASender, AStatus, AText);
      });
  AHTTPClient.SetOnWork([this](THTTPClient& ASender, TWorkMode AMode, int64_t ACount) {
    IdHTTPWork(ASender, AMode, ACount);
  });
}

void THTTPRequest::DoHTTPResponse() {
  if (FOnHTTPResponseLink) {
    FOnHTTPResponseLink(*this, FSuccess, FResponseString);
  }
}

bool THTTPRequest::Synchronize(const std::function<void()>& ARoutine) {
  return FChannel->Synchronize(ARoutine);
}

void THTTPRequest::IdHTTPStatus(THTTPClient& ASender, THTTPStatus AStatus,
                                const std::string& AStatusText) {
  FEventSender = &ASender;
  FStatus = AStatus;
  FStatusText = AStatusText;
  Synchronize([this] { DoStatus(); });
}

void THTTPRequest::IdHTTPWork(THTTPClient& ASender, TWorkMode AWorkMode, int64_t AWorkCount) {
  FEventSender = &ASender;
  FWorkMode = AWorkMode;
  FWorkCount = static_cast<int32_t>(static_cast<uint32_t>(AWorkCount));
  Synchronize([this] { DoWork(); });
}

void THTTPRequest::DoStatus() {
  if (FOnStatusLink) {
    FOnStatusLink(*FEventSender, FStatus, FStatusText);
  }
}

void THTTPRequest::DoWork() {
  if (FOnWorkLink) {
    FOnWorkLink(*FEventSender, FWorkMode, static_cast<int64_t>(FWorkCount));
  }
}

} // namespace vexil
