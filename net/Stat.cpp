#include "net/Stat.h"

#include "net/OnlineSite.h"

namespace vexil {

TStat::TStat(const std::string& ASite, std::shared_ptr<TSyncChannel> AChannel)
    : THTTPRequest(std::move(AChannel)) {
  SetURL(SiteAddress(ASite, kStatPath));
}

void TStat::Start(const std::string& ASite, std::shared_ptr<TSyncChannel> AChannel) {
  THTTPRequest::Start(std::make_unique<TStat>(ASite, std::move(AChannel)));
}

} // namespace vexil
