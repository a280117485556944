// The world list of the world select page: the built-in world first, then
// every playable "*.glw" file of the current folder and of the player's
// folder in name order, then those installed for everyone, folder by folder.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

#include "game/data_folders.h"
#include "game/front/title_menu.h"
#include "game/progress.h"
#include "world/world_file.h"

WorldEntry worldList[WORLD_LIST_MAX];
int32_t worldCount = 0;

namespace {

namespace fs = std::filesystem;

// Fills `entry` from the file: the header's level count and texts (which end
// at their first zero byte or at the field's end) and the world's key in the
// progress kept. With `check`, the file must pass the world check as well.
// False, with the reason in *error ("FILE: reason"), otherwise. The file is
// read once for all of it.
bool readEntry(const std::string& fileName, bool check, WorldEntry& entry, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!readFileBytes(fileName, &bytes, error)) return false;
  std::string reason;
  WorldHeader header{};
  if ((check && !checkWorld(bytes.data(), bytes.size(), &reason)) ||
      !decodeWorldHeader(bytes.data(), bytes.size(), &header, &reason)) {
    if (error) *error = fileName + ": " + reason;
    return false;
  }
  entry.levelCount = header.levelCount;
  entry.fileName = fileName;
  entry.name = worldText(header.worldName, WORLD_NAME_SIZE);
  entry.author = worldText(header.authorName, AUTHOR_NAME_SIZE);
  entry.comment = worldText(header.comment, COMMENT_SIZE);
  entry.progressKey = worldContentKey(bytes);
  for (int32_t d = 0; d < PROGRESS_DIFFICULTIES; d++) entry.reached[d] = levelReached(entry.progressKey, d);
  return true;
}

// Adds the "*.glw" files of `folder` as (file name, path to open) pairs; the
// current folder's are opened by their bare names.
void addWorldFiles(const fs::path& folder, bool bareNames, std::vector<std::pair<std::string, std::string>>& files) {
  std::error_code failure;
  for (fs::directory_iterator it(folder, failure), end; !failure && it != end; it.increment(failure)) {
    // Special files with the extension are kept, so that the world check
    // refuses them with a reason instead of their being passed over unsaid.
    std::string name = it->path().filename().string();
    if (hasWorldExtension(name)) files.emplace_back(name, bareNames ? name : it->path().string());
  }
}

// True when `folder` is one of `seen` (the same folder by another path too).
bool alreadyListed(const fs::path& folder, const std::vector<fs::path>& seen) {
  for (const fs::path& other : seen) {
    std::error_code ignored;
    if (fs::equivalent(folder, other, ignored)) return true;
  }
  return false;
}

// The "*.glw" files of the current folder and the player's folder, sorted by
// name so that the list is the same on every machine whatever order the file
// system keeps; then those of each folder of worlds installed for everyone,
// in the folders' order, each folder's sorted by name. A folder reached
// twice is listed once.
std::vector<std::string> worldFileNames() {
  std::vector<std::pair<std::string, std::string>> files;
  std::vector<fs::path> seen{"."};
  addWorldFiles(".", true, files);
  if (!userFolder.empty() && !alreadyListed(userFolder, seen)) {
    addWorldFiles(userFolder, false, files);
    seen.emplace_back(userFolder);
  }
  std::sort(files.begin(), files.end());
  std::vector<std::string> names;
  for (const auto& file : files) names.push_back(file.second);
  for (const std::string& folder : systemWorldFolders) {
    if (alreadyListed(folder, seen)) continue;
    seen.emplace_back(folder);
    std::vector<std::pair<std::string, std::string>> shared;
    addWorldFiles(folder, false, shared);
    std::sort(shared.begin(), shared.end());
    for (const auto& file : shared) names.push_back(file.second);
  }
  return names;
}

// Says on the error output why a world file is not on the list, once a run
// for each message; the screen itself shows only what is listed.
void reportOnce(const std::string& text) {
  static std::set<std::string> reported;
  if (reported.insert(text).second) std::fprintf(stderr, "glimb: %s\n", text.c_str());
}

}  // namespace

void freeWorldList() {
  for (WorldEntry& entry : worldList) entry = WorldEntry{};
  worldCount = 0;
}

void buildWorldList() {
  freeWorldList();
  readProgress();
  // The built-in world is always offered; a header that cannot be read
  // leaves it without texts and levels, and play then refuses it.
  WorldEntry& builtIn = worldList[0];
  std::string error;
  if (!readEntry(BUILT_IN_WORLD_FILE, false, builtIn, &error)) {
    builtIn = WorldEntry{};
    reportOnce(error + "; the built-in world is listed without its texts and cannot be played");
  }
  builtIn.fileName = BUILT_IN_WORLD_FILE;
  worldCount = 1;
  // Only worlds that can be played are listed: a file that cannot be opened,
  // is shorter than its header or fails the world check is left out.
  const std::vector<std::string> names = worldFileNames();
  for (size_t i = 0; i < names.size(); i++) {
    if (worldCount >= WORLD_LIST_MAX) {
      reportOnce("world select leaves out " + names[i] + " and the files after it: the list holds " +
                 std::to_string(WORLD_LIST_MAX) + " worlds");
      break;
    }
    if (!readEntry(names[i], true, worldList[worldCount], &error)) {
      reportOnce("world select leaves out " + error);
      continue;
    }
    worldCount++;
  }
}
