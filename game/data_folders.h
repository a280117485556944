// Where an installed game finds its data files (share/glimb beside its bin
// folder) and keeps the player's worlds and captures (the per-user folder).
#pragma once

#include <filesystem>
#include <string>

// The folder of the player's worlds and captures when it is not the working
// folder; empty when the working folder is used for everything.
extern std::string userFolder;

// True when all 39 data files are in the folder.
bool holdsGameData(const std::filesystem::path& folder);

// <prefix>/share/glimb for a program at <prefix>/bin/glimb.
std::filesystem::path installedDataFolder(const std::filesystem::path& programPath);

// $XDG_DATA_HOME/glimb (an absolute $XDG_DATA_HOME only), else
// $HOME/.local/share/glimb; empty when neither is set.
std::filesystem::path perUserFolder();

// Where a capture or a player's world named `name` lives.
std::string userFilePath(const std::string& name);
