// Test play of the level being edited in the game program.
#include "editor/editor_testplay.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "editor/editor_files.h"
#include "editor/editor_platform.h"
#include "editor/editor_settings.h"
#include "editor/editor_state.h"
#include "world/world_file.h"

namespace gle {

std::string gProgramFolder;
std::string gDataFolder;
std::string gInstalledDataRelative = "../share/glimb";

namespace {

bool isProgram(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

std::filesystem::path canonicalOrEmpty(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::path result = std::filesystem::canonical(path, ec);
  return ec ? std::filesystem::path() : result;
}

}  // namespace

std::string testWorldPath() {
  // A folder of this editor's own (mode 0700), made once: a fixed name in a
  // shared temporary folder could be a link another user planted.
  static std::string folder;
  if (folder.empty()) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && base[0] == '/' ? base : "/tmp") + "/gle-XXXXXX";
    if (::mkdtemp(pattern.data())) folder = pattern;
  }
  if (folder.empty()) return "";
  return folder + "/test-" + std::to_string(::getpid()) + ".glw";
}

std::string findGlimb() {
  if (!gProgramFolder.empty()) {
    const std::filesystem::path here(gProgramFolder);
    for (const std::filesystem::path& candidate : {here / "glimb", here / ".." / "game" / "glimb"})
      if (isProgram(candidate)) return candidate.lexically_normal().string();
  }
  return "glimb";
}

std::vector<std::string> testPlayArguments(const std::string& glimb, const std::string& world, bool fromCursor) {
  std::vector<std::string> arguments{glimb, "--play", world, "--level", std::to_string(gCurrentIndex + 1),
                                     "--difficulty", difficultyName(gTestDifficulty)};
  if (fromCursor) {
    arguments.push_back("--start");
    arguments.push_back(std::to_string(gCursorColumn) + "," + std::to_string(gCursorRow));
  }
  // An installed glimb finds its share/glimb by itself and then keeps the
  // player's files in the player's folder; any other data folder is named.
  const std::filesystem::path data = canonicalOrEmpty(gDataFolder.empty() ? "." : gDataFolder);
  const std::filesystem::path installed =
      canonicalOrEmpty(std::filesystem::path(glimb).parent_path() / gInstalledDataRelative);
  if (!data.empty() && data != installed) {
    arguments.push_back("--data");
    arguments.push_back(data.string());
  }
  // The copy played changes with every edit: the player's progress is no
  // place for it.
  arguments.push_back("--no-progress");
  return arguments;
}

bool testLevel(bool fromCursor) {
  if (!gCurrentLevel) return false;
  EditorPlatform& platform = editorPlatform();
  if (fromCursor && (gCursorColumn < 0 || gCursorRow < 0 || gCursorColumn >= gCurrentLevel->width ||
                     gCursorRow >= gCurrentLevel->height)) {
    platform.showMessage("The cursor is outside the level: put it on the cell to start from.");
    return false;
  }
  const World world = worldFromEditor();
  std::string error;
  if (!checkWritableWorld(world, &error)) {
    platform.showMessage("The level cannot be tested.\n" + error);
    return false;
  }
  // The game reads the world with its own checks; the same checks run here
  // on the very bytes it will read, so a level it refuses says why now.
  const std::vector<uint8_t> bytes = encodeWorld(world);
  if (!checkWorld(bytes.data(), bytes.size(), &error)) {
    platform.showMessage("The game cannot play this world:\n" + error);
    return false;
  }
  const std::string path = testWorldPath();
  if (path.empty()) {
    platform.showMessage("The level cannot be tested: no temporary folder can be made.");
    return false;
  }
  if (!writeWorldFile(path, world, &error)) {
    platform.showMessage("The level cannot be tested.\n" + error);
    return false;
  }
  if (!platform.startProgram(testPlayArguments(findGlimb(), path, fromCursor), &error)) {
    platform.showMessage("The game could not be started.\n" + error);
    return false;
  }
  return true;
}

void removeTestWorld() {
  const std::string path = testWorldPath();
  if (path.empty()) return;
  ::unlink(path.c_str());
  ::rmdir(std::filesystem::path(path).parent_path().c_str());
}

}  // namespace gle
