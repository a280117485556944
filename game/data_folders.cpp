// Finding the installed data files, the player's own folder and the folders
// of the worlds installed for everyone.
#include "game/data_folders.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "game/loading.h"

#ifndef GLIMB_INSTALLED_DATA
#define GLIMB_INSTALLED_DATA "../share/glimb"
#endif

std::string userFolder;
std::vector<std::string> systemWorldFolders;

const char* const INSTALLED_DATA_FROM_BIN = GLIMB_INSTALLED_DATA;

bool holdsGameData(const std::filesystem::path& folder) {
  for (int32_t i = 0; i < DATA_FILE_COUNT; i++) {
    char name[16];
    std::snprintf(name, sizeof name, "data%02x.glb", unsigned(i));
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(folder / name, ignored)) return false;
  }
  return true;
}

std::filesystem::path installedDataFolder(const std::filesystem::path& programPath,
                                          const std::filesystem::path& dataFromBin) {
  return (programPath.parent_path() / dataFromBin).lexically_normal();
}

std::filesystem::path perUserFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return std::filesystem::path(data) / "glimb";
  const char* home = std::getenv("HOME");
  if (home && home[0]) return std::filesystem::path(home) / ".local" / "share" / "glimb";
  return {};
}

std::vector<std::filesystem::path> xdgSystemWorldFolders() {
  const char* dirs = std::getenv("XDG_DATA_DIRS");
  const std::string list = dirs && dirs[0] ? dirs : "/usr/local/share/:/usr/share/";
  std::vector<std::filesystem::path> folders;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    const std::string dir = list.substr(start, end - start);
    start = end + 1;
    // Relative entries are not meant for anyone; they would depend on the
    // folder the game was started from.
    if (dir.empty() || dir[0] != '/') continue;
    const std::filesystem::path folder = (std::filesystem::path(dir) / "glimb").lexically_normal();
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
  }
  return folders;
}

std::string userFilePath(const std::string& name) {
  if (userFolder.empty()) return name;
  return (std::filesystem::path(userFolder) / name).string();
}
