// TVexilCubeUpdater: the update check. Downloads the site's version file and, when it names a
// version newer than the running program's, asks for the update notice to be shown. The
// notice is shown on the main thread inside the hand-off, so the worker waits while it is open.
// Errors, and files that name no newer version, show nothing.
#pragma once

#include "net/HTTPDownloader.h"
#include "net/VersionFile.h"

#include <functional>
#include <memory>
#include <string>

namespace vexil {

class TVexilCubeUpdater : public THTTPDownloader {
public:
  // Shows the update notice for AVersionFile, modally; the main thread, inside the hand-off.
  using TShowUpdateForm = std::function<void(const TVersionFile& AVersionFile)>;

  TVexilCubeUpdater(const std::string& ASite, double AClientVersion,
                    std::shared_ptr<TSyncChannel> AChannel, TShowUpdateForm AShowUpdateForm);

  // Creates the check of ASite's version file against AClientVersion and starts it; it frees
  // itself.
  static void Start(const std::string& ASite, double AClientVersion,
                    std::shared_ptr<TSyncChannel> AChannel, TShowUpdateForm AShowUpdateForm);

  double ServerVersion() const { return FServerVersion; }
  double ClientVersion() const { return FClientVersion; }
  void SetClientVersion(double AValue) { FClientVersion = AValue; }

protected:
  void DoHTTPDownload() override;

private:
  void ShowUpdateForm() const;

  std::string FReleaseNote1;
  std::string FReleaseNote2;
  std::string FServerVersionStr;
  double FClientVersion;
  double FServerVersion = 0.0;
  TShowUpdateForm FShowUpdateForm;
};

} // namespace vexil
