#include "engine/Resources.h"

#include <cstring>

namespace vexil {

// Both defined by the generated resource table.
extern const TResourceEntry kEmbeddedResources[];
extern const size_t kEmbeddedResourceCount;

const char* const kRawDataResource = "RCDATA";
const char* const kTextResource = "TEXT";

const TResourceEntry* FindResourceEntry(const std::string& AName, const std::string& AType) {
  for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
    const TResourceEntry& entry = kEmbeddedResources[i];
    if (AName == entry.Name && AType == entry.Type) {
      return &entry;
    }
  }
  return nullptr;
}

TBytesStream OpenResource(const std::string& AName, const std::string& AType) {
  const TResourceEntry* entry = FindResourceEntry(AName, AType);
  if (entry == nullptr) {
    throw EResNotFound("Resource " + AName + " not found");
  }
  return TBytesStream(entry->Data, entry->Size);
}

} // namespace vexil
