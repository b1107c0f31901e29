#include "app/RecordsFile.h"

#include "app/PlayerDataFolder.h"

namespace vexil {

std::string RecordsFileName() {
  return PlayerDataFolder() + "records.tsv";
}

} // namespace vexil
