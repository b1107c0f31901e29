#include "net/HTTPDownloader.h"

#include "net/HTTPErrors.h"

namespace vexil {

THTTPDownloader::THTTPDownloader(std::shared_ptr<TSyncChannel> AChannel)
    : THTTPRequest(std::move(AChannel)) {}

void THTTPDownloader::Execute() {
  THTTPRequest::Execute();
  Download();
}

void THTTPDownloader::Download() {
  FSuccess = true;
  auto client = std::make_unique<THTTPClient>(Channel());
  FDataStream = std::make_unique<TMemoryStream>();
  std::exception_ptr error;
  try {
    SetupHTTPClient(*client);
    try {
      client->Get(URL(), *FDataStream);
      FDataStream->SetPosition(0);
    } catch (const EHTTPError& error) {
      // The stream keeps what had arrived, where it stopped.
      FSuccess = false;
      FErrorString = error.Text();
    }
    Synchronize([this] { DoHTTPDownload(); });
  } catch (...) {
    error = std::current_exception();
  }
  FDataStream.reset();
  // The connection is closed and reported closed however the download ended, also when its
  // callback failed; that failure is the one passed on.
  try {
    client->Disconnect();
  } catch (...) {
    if (!error) {
      error = std::current_exception();
    }
  }
  if (error) {
    std::rethrow_exception(error);
  }
}

void THTTPDownloader::DoHTTPDownload() {
  if (FOnHTTPDownloadLink) {
    FOnHTTPDownloadLink(*this, FSuccess, FDataStream.get());
  }
}

} // namespace vexil
