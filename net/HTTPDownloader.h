// THTTPDownloader: a THTTPRequest that then fetches the same URL again into a memory stream.
// Every download therefore sends two GETs of its URL: the text request first (its result goes
// to OnHTTPSesponseLink), then the download (its result to OnHTTPDownloadLink, or to a
// descendant's DoHTTPDownload).
#pragma once

#include "engine/Streams.h"
#include "net/HTTPRequest.h"

#include <functional>
#include <memory>
#include <string>

namespace vexil {

class THTTPDownloader : public THTTPRequest {
public:
  // AMemoryStream is freed as soon as the callback returns: copy what is needed.
  using TOnHTTPDownloadEvent =
      std::function<void(THTTPDownloader& ASender, bool ASuccess, TMemoryStream* AMemoryStream)>;

  explicit THTTPDownloader(std::shared_ptr<TSyncChannel> AChannel);

  // The download's own result, apart from the text request's.
  bool Success() const { return FSuccess; }
  const std::string& ErrorString() const { return FErrorString; }
  // Exists only while the download runs and while its result is delivered.
  TMemoryStream* DataStream() const { return FDataStream.get(); }
  const TOnHTTPDownloadEvent& OnHTTPDownloadLink() const { return FOnHTTPDownloadLink; }
  void SetOnHTTPDownloadLink(TOnHTTPDownloadEvent AValue) {
    FOnHTTPDownloadLink = std::move(AValue);
  }

protected:
  void Execute() override;
  // Main thread: hands the download's result to OnHTTPDownloadLink.
  virtual void DoHTTPDownload();

private:
  void Download();

  bool FSuccess = false;
  std::string FErrorString;
  std::unique_ptr<TMemoryStream> FDataStream;
  TOnHTTPDownloadEvent FOnHTTPDownloadLink;
};

} // namespace vexil
