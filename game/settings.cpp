// The settings file: lines "Keyboard = 203 205 200 208 25 1 16" and
// "Joystick = 0 1 9 8", decimal bytes, and "renderer = gpu" (auto, software
// or gpu) for the window; anything else ignored.
#include "game/settings.h"

#include <strings.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "game/shell.h"
#include "media/regular_file.h"

namespace {

constexpr size_t SETTINGS_MAX_BYTES = 64 * 1024;

// Parses "NAME = b b b ..." into exactly `count` bytes; false for any other shape.
bool parseValue(const std::string& line, const char* name, uint8_t* out, int32_t count) {
  std::istringstream in(line);
  std::string key, equals;
  if (!(in >> key >> equals) || key != name || equals != "=") return false;
  uint8_t read[16];
  int32_t n = 0;
  std::string word;
  while (in >> word) {
    if (n >= count || word.size() > 3 || word.find_first_not_of("0123456789") != std::string::npos) return false;
    int value = std::atoi(word.c_str());
    if (value > 255) return false;
    read[n++] = uint8_t(value);
  }
  if (n != count) return false;
  std::memcpy(out, read, size_t(count));
  return true;
}

std::string formatValue(const char* name, const uint8_t* bytes, int32_t count) {
  std::string line = name;
  line += " =";
  for (int32_t i = 0; i < count; i++) {
    line += ' ';
    line += std::to_string(bytes[i]);
  }
  line += '\n';
  return line;
}

// The value of a "NAME = word" line whose name matches in any case; empty
// for a line of another shape or name.
std::string wordValue(const std::string& line, const char* name) {
  std::istringstream in(line);
  std::string key, equals, word, extra;
  if (!(in >> key >> equals >> word) || equals != "=" || (in >> extra)) return "";
  if (key.size() != std::strlen(name) || strncasecmp(key.c_str(), name, key.size()) != 0) return "";
  return word;
}

constexpr char RENDERER_NAME[] = "renderer";

// The lines of the store as it is now; none when it is missing or is not a
// regular file.
std::istringstream storeLines(const std::string& path) {
  std::string text;
  if (std::FILE* file = openRegularFile(path.c_str())) {
    text.resize(SETTINGS_MAX_BYTES);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
  }
  return std::istringstream(text);
}

void makeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), 0755);
  }
}

}  // namespace

std::string settingsFilePath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return std::string(config) + "/glimb/settings";
  const char* home = std::getenv("HOME");
  if (home && home[0]) return std::string(home) + "/.config/glimb/settings";
  return "";
}

void readBindings() {
  std::memcpy(keyBindings, DEFAULT_KEY_BINDINGS, sizeof keyBindings);
  std::memcpy(joyBindings, DEFAULT_JOY_BINDINGS, sizeof joyBindings);
  std::string path = settingsFilePath();
  if (path.empty()) return;
  std::string why;
  std::FILE* file = openRegularFile(path.c_str(), nullptr, &why);
  if (!file && errno == ENOENT) {
    // First run: the store is made at once with the defaults.
    writeBindings();
    return;
  }
  if (!file) {
    std::fprintf(stderr, "glimb: %s: %s; the default bindings are used\n", path.c_str(), why.c_str());
    return;
  }
  // The store is a few short lines; what lies past the first SETTINGS_MAX_BYTES is not read.
  std::string text(SETTINGS_MAX_BYTES, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), file));
  std::fclose(file);
  std::istringstream in(text);
  // Each value is taken only when it is whole; otherwise its defaults stay,
  // since all-zero bindings would leave the game unplayable.
  std::string line;
  while (std::getline(in, line)) {
    uint8_t keys[KEY_BINDING_COUNT];
    uint8_t buttons[JOY_BINDING_COUNT];
    if (parseValue(line, "Keyboard", keys, KEY_BINDING_COUNT)) std::memcpy(keyBindings, keys, sizeof keys);
    if (parseValue(line, "Joystick", buttons, JOY_BINDING_COUNT)) std::memcpy(joyBindings, buttons, sizeof buttons);
  }
}

RendererChoice readRendererSetting(RendererChoice fallback) {
  const std::string path = settingsFilePath();
  if (path.empty()) return fallback;
  std::istringstream in = storeLines(path);
  RendererChoice choice = fallback;
  std::string line;
  while (std::getline(in, line)) {
    const std::string value = wordValue(line, RENDERER_NAME);
    if (!value.empty()) parseRendererChoice(value, choice);
  }
  return choice;
}

void writeBindings() {
  std::string path = settingsFilePath();
  if (path.empty()) return;
  // The renderer is chosen by hand in the file; it outlives the rewrite.
  std::string kept;
  {
    std::istringstream old = storeLines(path);
    std::string line;
    while (std::getline(old, line)) {
      if (!wordValue(line, RENDERER_NAME).empty()) kept += line + '\n';
    }
  }
  makeFolders(path);
  std::string temporary = path + ".new";
  // Whatever was left under the temporary name goes first: opening a named
  // pipe there for writing would wait for a reader.
  std::remove(temporary.c_str());
  {
    std::ofstream out(temporary, std::ios::trunc);
    if (!out) return;
    out << formatValue("Keyboard", keyBindings, KEY_BINDING_COUNT);
    out << formatValue("Joystick", joyBindings, JOY_BINDING_COUNT);
    out << kept;
    out.flush();
    if (!out) {
      std::remove(temporary.c_str());
      return;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) std::remove(temporary.c_str());
}
