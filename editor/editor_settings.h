// The editor's own settings and folders: the recent worlds and the test-play
// difficulty (kept in $XDG_CONFIG_HOME/glimb/gle.conf), the folder the game
// lists worlds from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gle {

constexpr int32_t RECENT_MAX = 8;
// The worlds last opened or saved, newest first.
extern std::vector<std::string> gRecentWorlds;
// The difficulty test play starts with: 0 Easy, 1 Normal, 2 Hard.
extern int32_t gTestDifficulty;
// "easy", "normal" or "hard", as the game's --difficulty and the settings
// file name them; "normal" for any other number.
const char* difficultyName(int32_t difficulty);

// $XDG_CONFIG_HOME/glimb/gle.conf (an absolute $XDG_CONFIG_HOME only), else
// $HOME/.config/glimb/gle.conf; empty when neither is set.
std::string editorSettingsPath();
// Reads the settings; a missing or unreadable file, and lines not understood, are skipped.
void loadEditorSettings();
// Writes them (safely); false when they cannot be written.
bool saveEditorSettings();
// Puts `path` first in the recent list (at most RECENT_MAX) and saves the settings.
void rememberRecentWorld(const std::string& path);
void forgetRecentWorld(const std::string& path);
void setTestDifficulty(int32_t difficulty);

// The folder the game lists the player's worlds from: $XDG_DATA_HOME/glimb,
// else $HOME/.local/share/glimb; empty when neither is set.
std::string playerWorldFolder();
// Where unsaved changes are kept against a crash: $XDG_STATE_HOME/glimb/recovery,
// else $HOME/.local/state/glimb/recovery; empty when neither is set.
std::string recoveryFolder();

}  // namespace gle
