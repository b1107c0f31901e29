#include "net/VexilCubeUpdater.h"

#include "net/OnlineSite.h"

namespace vexil {

TVexilCubeUpdater::TVexilCubeUpdater(const std::string& ASite, double AClientVersion,
                                     std::shared_ptr<TSyncChannel> AChannel,
                                     TShowUpdateForm AShowUpdateForm)
    : THTTPDownloader(std::move(AChannel)), FClientVersion(AClientVersion),
      FShowUpdateForm(std::move(AShowUpdateForm)) {
  SetURL(SiteAddress(ASite, kVersionFilePath));
}

void TVexilCubeUpdater::Start(const std::string& ASite, double AClientVersion,
                              std::shared_ptr<TSyncChannel> AChannel,
                              TShowUpdateForm AShowUpdateForm) {
  THTTPRequest::Start(std::make_unique<TVexilCubeUpdater>(
      ASite, AClientVersion, std::move(AChannel), std::move(AShowUpdateForm)));
}

void TVexilCubeUpdater::DoHTTPDownload() {
  if (!Success()) {
    return;
  }
  const std::vector<uint8_t>& bytes = DataStream()->Data();
  const TVersionFile file = ReadVersionFile(std::string(bytes.begin(), bytes.end()));
  FServerVersionStr = file.ServerVersionStr;
  FServerVersion = file.ServerVersion;
  FReleaseNote1 = file.ReleaseNote1;
  FReleaseNote2 = file.ReleaseNote2;
  if (NamesNewerVersion(file, FClientVersion)) {
    ShowUpdateForm();
  }
}

void TVexilCubeUpdater::ShowUpdateForm() const {
  if (FShowUpdateForm) {
    TVersionFile file;
    file.ServerVersionStr = FServerVersionStr;
    file.ServerVersion = FServerVersion;
    file.ReleaseNote1 = FReleaseNote1;
    file.ReleaseNote2 = FReleaseNote2;
    FShowUpdateForm(file);
  }
}

} // namespace vexil
