// Where an installed game finds its data files (the configured data folder
// beside its bin folder), keeps the player's worlds and captures (the
// per-user folder) and finds the worlds installed for everyone.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The folder of the player's worlds and captures when it is not the working
// folder; empty when the working folder is used for everything.
extern std::string userFolder;

// The folders of the worlds installed for everyone, listed after the
// player's own; empty unless the game runs installed.
extern std::vector<std::string> systemWorldFolders;

// True when all 39 data files are in the folder.
bool holdsGameData(const std::filesystem::path& folder);

// The data folder of an installed game relative to its bin folder, as the
// build was configured: "../share/glimb", or "../share/games/glimb" for
// /usr/games with /usr/share/games.
extern const char* const INSTALLED_DATA_FROM_BIN;

// The installed data folder for the program at `programPath`:
// <prefix>/share/glimb for <prefix>/bin/glimb with the default layout.
std::filesystem::path installedDataFolder(const std::filesystem::path& programPath,
                                          const std::filesystem::path& dataFromBin = INSTALLED_DATA_FROM_BIN);

// $XDG_DATA_HOME/glimb (an absolute $XDG_DATA_HOME only), else
// $HOME/.local/share/glimb; empty when neither is set.
std::filesystem::path perUserFolder();

// <folder>/glimb for each absolute folder of $XDG_DATA_DIRS in its order
// (/usr/local/share and /usr/share when it is unset or empty), each once.
std::vector<std::filesystem::path> xdgSystemWorldFolders();

// Where a capture or a player's world named `name` lives.
std::string userFilePath(const std::string& name);
