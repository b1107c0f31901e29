#include "localization/LocalizationStringTable.h"

namespace vexil {

void TLocalizationStringTable::SetValue(const std::string& AKey, const std::string& AValue) {
  if (AKey.empty()) {
    throw ELocalizationError("Key cannot be an empty string");
  }
  FValues[AKey] = AValue;
}

bool TLocalizationStringTable::Contains(const std::string& AKey) const {
  return FValues.find(AKey) != FValues.end();
}

const std::string& TLocalizationStringTable::GetValue(const std::string& AKey) const {
  const auto found = FValues.find(AKey);
  if (found == FValues.end()) {
    throw ELocalizationError("Key \"" + AKey + "\" not found");
  }
  return found->second;
}

} // namespace vexil
