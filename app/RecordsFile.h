// Where the player's records live: "$XDG_DATA_HOME/Vexil Cube/records.tsv", by default under
// ~/.local/share.
#pragma once

#include <string>

namespace vexil {

std::string RecordsFileName();

} // namespace vexil
