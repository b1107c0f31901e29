// Where the program's two requests go: the product site, or the site the environment names.
#pragma once

#include <optional>
#include <string>

namespace vexil {

constexpr const char* kStatPath = "/programs/3/stat.php";
constexpr const char* kVersionFilePath = "/programs/3/vexilcubever.txt";

// The base address (no "/" at its end) the requests go to: the value of VEXIL_CUBE_SITE when
// the variable is set, kProductSite otherwise. Empty when the variable is set to an empty value:
// then nothing is requested at all (offline use, and distributions that forbid calls home).
std::optional<std::string> OnlineSite();

// ASite followed by APath.
std::string SiteAddress(const std::string& ASite, const char* APath);

} // namespace vexil
