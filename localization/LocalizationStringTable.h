// The texts of one language: a map from key to value. Keys compare exactly (case-sensitive),
// storing a key again replaces its value.
#pragma once

#include <stdexcept>
#include <string>
#include <unordered_map>

namespace vexil {

// Raised for an empty key, an absent key and a language that lacks its title.
class ELocalizationError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TLocalizationStringTable {
public:
  // Raises ELocalizationError "Key cannot be an empty string" for an empty key.
  void SetValue(const std::string& AKey, const std::string& AValue);
  bool Contains(const std::string& AKey) const;
  // Raises ELocalizationError "Key "<key>" not found" when the key is absent.
  const std::string& GetValue(const std::string& AKey) const;
  size_t Count() const { return FValues.size(); }

private:
  std::unordered_map<std::string, std::string> FValues;
};

} // namespace vexil
