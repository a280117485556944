// Finding the installed data files and the player's own folder.
#include "game/data_folders.h"

#include <cstdio>
#include <cstdlib>

#include "game/loading.h"

std::string userFolder;

bool holdsGameData(const std::filesystem::path& folder) {
  for (int32_t i = 0; i < DATA_FILE_COUNT; i++) {
    char name[16];
    std::snprintf(name, sizeof name, "data%02x.glb", unsigned(i));
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(folder / name, ignored)) return false;
  }
  return true;
}

std::filesystem::path installedDataFolder(const std::filesystem::path& programPath) {
  return (programPath.parent_path() / ".." / "share" / "glimb").lexically_normal();
}

std::filesystem::path perUserFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return std::filesystem::path(data) / "glimb";
  const char* home = std::getenv("HOME");
  if (home && home[0]) return std::filesystem::path(home) / ".local" / "share" / "glimb";
  return {};
}

std::string userFilePath(const std::string& name) {
  if (userFolder.empty()) return name;
  return (std::filesystem::path(userFolder) / name).string();
}
