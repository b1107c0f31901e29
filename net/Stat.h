// TStat: the usage ping. One bare GET of the site's statistics address, carrying no data of its
// own; its answer and its errors are ignored.
#pragma once

#include "net/HTTPRequest.h"

#include <memory>
#include <string>

namespace vexil {

class TStat : public THTTPRequest {
public:
  TStat(const std::string& ASite, std::shared_ptr<TSyncChannel> AChannel);

  // Creates the ping for ASite and starts it at once; it frees itself.
  static void Start(const std::string& ASite, std::shared_ptr<TSyncChannel> AChannel);
};

} // namespace vexil
