#include "app/PlayerDataFolder.h"

#include <cstdlib>

namespace vexil {

std::string PlayerDataFolder() {
  // A relative XDG_DATA_HOME is invalid by the base-directory rules and is ignored.
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  std::string folder;
  if (dataHome != nullptr && dataHome[0] == '/') {
    folder = dataHome;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::string(home != nullptr ? home : "") + "/.local/share";
  }
  if (folder.back() != '/') {
    folder += '/';
  }
  return folder + "Vexil Cube/";
}

} // namespace vexil
