#include "net/OnlineSite.h"

#include "engine/ProgramInfo.h"

#include <cstdlib>

namespace vexil {

std::optional<std::string> OnlineSite() {
  const char* const variable = std::getenv("VEXIL_CUBE_SITE");
  std::string site = variable != nullptr ? variable : kProductSite;
  while (!site.empty() && site.back() == '/') {
    site.pop_back();
  }
  if (site.empty()) {
    return std::nullopt;
  }
  return site;
}

std::string SiteAddress(const std::string& ASite, const char* APath) {
  return ASite + APath;
}

} // namespace vexil
