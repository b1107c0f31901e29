// Where the game keeps the player's own files (records, the game kept at exit):
// "$XDG_DATA_HOME/Vexil Cube/", by default under ~/.local/share.
#pragma once

#include <string>

namespace vexil {

// The folder's path, with its closing "/"; it may not exist yet.
std::string PlayerDataFolder();

} // namespace vexil
