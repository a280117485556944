// The editor's settings file ("Recent = PATH" lines, "TestDifficulty = normal"),
// and the per-user folders it uses.
#include "editor/editor_settings.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "media/regular_file.h"
#include "media/replace_file.h"

namespace gle {

std::vector<std::string> gRecentWorlds;
int32_t gTestDifficulty = 1;

namespace {

constexpr const char* DIFFICULTY_NAMES[] = {"easy", "normal", "hard"};
// A settings file larger than this is not ours to read.
constexpr size_t SETTINGS_MAX_BYTES = 64 * 1024;

// An absolute folder from the variable, else HOME + fallback; empty when neither.
std::string xdgFolder(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return std::string(value) + "/glimb";
  const char* home = std::getenv("HOME");
  if (home && home[0]) return std::string(home) + "/" + fallback + "/glimb";
  return "";
}

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

const char* difficultyName(int32_t difficulty) {
  return DIFFICULTY_NAMES[difficulty < 0 || difficulty > 2 ? 1 : difficulty];
}

std::string editorSettingsPath() {
  const std::string folder = xdgFolder("XDG_CONFIG_HOME", ".config");
  return folder.empty() ? "" : folder + "/gle.conf";
}

std::string playerWorldFolder() { return xdgFolder("XDG_DATA_HOME", ".local/share"); }

std::string recoveryFolder() {
  const std::string folder = xdgFolder("XDG_STATE_HOME", ".local/state");
  return folder.empty() ? "" : folder + "/recovery";
}

void loadEditorSettings() {
  gRecentWorlds.clear();
  gTestDifficulty = 1;
  const std::string path = editorSettingsPath();
  std::vector<uint8_t> bytes;
  std::string error;
  if (path.empty() || !readRegularFile(path, SETTINGS_MAX_BYTES, &bytes, &error)) return;
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  for (std::string line; std::getline(in, line);) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = trimmed(line.substr(0, equals)), value = trimmed(line.substr(equals + 1));
    if (key == "Recent" && !value.empty() && int32_t(gRecentWorlds.size()) < RECENT_MAX &&
        std::find(gRecentWorlds.begin(), gRecentWorlds.end(), value) == gRecentWorlds.end()) {
      gRecentWorlds.push_back(value);
    } else if (key == "TestDifficulty") {
      for (int32_t i = 0; i < 3; i++)
        if (value == DIFFICULTY_NAMES[i]) gTestDifficulty = i;
    }
  }
}

bool saveEditorSettings() {
  const std::string path = editorSettingsPath();
  if (path.empty()) return false;
  std::string text = "# gle, the Glimb level editor: its settings\n";
  text += "TestDifficulty = " + std::string(difficultyName(gTestDifficulty)) + "\n";
  for (const std::string& world : gRecentWorlds) text += "Recent = " + world + "\n";
  std::string error;
  return replaceFile(path, text, &error);
}

void rememberRecentWorld(const std::string& path) {
  if (path.empty() || path.find('\n') != std::string::npos) return;
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
  const std::string entry = absolute.empty() ? path : absolute.lexically_normal().string();
  gRecentWorlds.erase(std::remove(gRecentWorlds.begin(), gRecentWorlds.end(), entry), gRecentWorlds.end());
  gRecentWorlds.insert(gRecentWorlds.begin(), entry);
  if (int32_t(gRecentWorlds.size()) > RECENT_MAX) gRecentWorlds.resize(RECENT_MAX);
  saveEditorSettings();
}

void forgetRecentWorld(const std::string& path) {
  gRecentWorlds.erase(std::remove(gRecentWorlds.begin(), gRecentWorlds.end(), path), gRecentWorlds.end());
  saveEditorSettings();
}

void setTestDifficulty(int32_t difficulty) {
  gTestDifficulty = std::clamp(difficulty, 0, 2);
  saveEditorSettings();
}

}  // namespace gle
