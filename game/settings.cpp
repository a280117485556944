// The settings file: lines such as "Keyboard = 203 205 200 208 25 1 16",
// "Joystick = 0 1 9 8", "JoystickQuit = 7", "Fullscreen = 0", "Volume = 100",
// decimal numbers, and "renderer = gpu" (auto, software or gpu) for the
// window, set by hand; lines of other names are kept for writing back.
#include "game/settings.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "media/regular_file.h"
#include "media/replace_file.h"
#include "game/shell.h"

int32_t fullscreenSetting = 0;
int32_t windowScale = SCALE_AUTOMATIC;
int32_t soundVolume = VOLUME_MAX;
int32_t soundMuted = 0;

namespace {

// The store is a few short lines; a longer file is not read.
constexpr size_t SETTINGS_MAX_BYTES = 64 * 1024;
// Lines of other names longer than this are not kept.
constexpr size_t KEPT_LINE_MAX = 256;

// The "Joystick" value holds the first four pad bindings, as it always has;
// the Quit button has a line of its own, which older versions pass over.
constexpr int32_t JOYSTICK_VALUE_COUNT = JOY_BIND_QUIT;

constexpr const char* KEYBOARD = "Keyboard";
constexpr const char* JOYSTICK = "Joystick";
constexpr const char* JOYSTICK_QUIT = "JoystickQuit";
constexpr const char* FULLSCREEN = "Fullscreen";
constexpr const char* SCALE = "Scale";
constexpr const char* VOLUME = "Volume";
constexpr const char* MUTE = "Mute";
constexpr const char* OWN_NAMES[] = {KEYBOARD, JOYSTICK, JOYSTICK_QUIT, FULLSCREEN, SCALE, VOLUME, MUTE};

// The file's lines as readBindings found them, written back around the values.
std::vector<std::string> storeLines;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Splits "NAME = w w w" into the name and its words; false for any other shape.
bool splitLine(const std::string& line, std::string* name, std::vector<std::string>* words) {
  std::vector<std::string> parts;
  size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && isBlank(line[at])) at++;
    size_t end = at;
    while (end < line.size() && !isBlank(line[end])) end++;
    if (end > at) parts.push_back(line.substr(at, end - at));
    at = end;
  }
  if (parts.size() < 2 || parts[1] != "=") return false;
  *name = parts[0];
  words->assign(parts.begin() + 2, parts.end());
  return true;
}

// The name a line sets, or "" for a line of no such shape.
std::string lineName(const std::string& line) {
  std::string name;
  std::vector<std::string> words;
  return splitLine(line, &name, &words) ? name : "";
}

bool readNumber(const std::string& word, int32_t low, int32_t high, int32_t* out) {
  if (word.empty() || word.size() > 5 || word.find_first_not_of("0123456789") != std::string::npos) return false;
  const int32_t value = std::atoi(word.c_str());
  if (value < low || value > high) return false;
  *out = value;
  return true;
}

// Exactly `count` bytes 0..255; `out` is left alone otherwise.
bool readBytes(const std::vector<std::string>& words, int32_t count, uint8_t* out) {
  if (int32_t(words.size()) != count) return false;
  uint8_t read[16];
  for (int32_t i = 0; i < count; i++) {
    int32_t value = 0;
    if (!readNumber(words[size_t(i)], 0, 255, &value)) return false;
    read[i] = uint8_t(value);
  }
  std::memcpy(out, read, size_t(count));
  return true;
}

bool readOne(const std::vector<std::string>& words, int32_t low, int32_t high, int32_t* out) {
  return words.size() == 1 && readNumber(words[0], low, high, out);
}

// The file's lines; empty when there is none or it cannot be read (said
// when `tell` is set).
std::vector<std::string> readStore(bool* missing, bool tell) {
  *missing = false;
  std::vector<std::string> lines;
  const std::string path = settingsFilePath();
  if (path.empty()) return lines;
  std::error_code absent;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, absent))) {
    *missing = true;
    return lines;
  }
  std::vector<uint8_t> bytes;
  std::string error;
  if (!readRegularFile(path, SETTINGS_MAX_BYTES, &bytes, &error)) {
    if (tell) std::fprintf(stderr, "glimb: %s; the default settings are used\n", error.c_str());
    return lines;
  }
  return textLines(bytes);
}

// A line of another name is kept when it is short printable text.
bool keepable(const std::string& line) {
  if (line.empty() || line.size() > KEPT_LINE_MAX) return false;
  for (unsigned char c : line) {
    if ((c < 0x20 && c != '\t') || c == 0x7F) return false;
  }
  return true;
}

bool ownName(const std::string& name) {
  for (const char* own : OWN_NAMES) {
    if (name == own) return true;
  }
  return false;
}

std::string formatBytes(const char* name, const uint8_t* bytes, int32_t count) {
  std::string line = name;
  line += " =";
  for (int32_t i = 0; i < count; i++) {
    line += ' ';
    line += std::to_string(bytes[i]);
  }
  return line;
}

std::string formatNumber(const char* name, int32_t value) { return std::string(name) + " = " + std::to_string(value); }

// The line of each of our values, "" for one not written.
std::string ownLine(const std::string& name) {
  if (name == KEYBOARD) return formatBytes(KEYBOARD, keyBindings, KEY_BINDING_COUNT);
  if (name == JOYSTICK) return formatBytes(JOYSTICK, joyBindings, JOYSTICK_VALUE_COUNT);
  if (name == JOYSTICK_QUIT) return formatNumber(JOYSTICK_QUIT, joyBindings[JOY_BIND_QUIT]);
  if (name == FULLSCREEN) return formatNumber(FULLSCREEN, fullscreenSetting);
  if (name == SCALE) return windowScale == SCALE_AUTOMATIC ? "" : formatNumber(SCALE, windowScale);
  if (name == VOLUME) return formatNumber(VOLUME, soundVolume);
  if (name == MUTE) return formatNumber(MUTE, soundMuted);
  return "";
}

}  // namespace

std::string settingsFilePath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return std::string(config) + "/glimb/settings";
  const char* home = std::getenv("HOME");
  if (home && home[0]) return std::string(home) + "/.config/glimb/settings";
  return "";
}

void readPlayerSettings() {
  fullscreenSetting = 0;
  windowScale = SCALE_AUTOMATIC;
  soundVolume = VOLUME_MAX;
  soundMuted = 0;
  bool missing = false;
  for (const std::string& line : readStore(&missing, false)) {
    std::string name;
    std::vector<std::string> words;
    if (!splitLine(line, &name, &words)) continue;
    if (name == FULLSCREEN) readOne(words, 0, 1, &fullscreenSetting);
    if (name == SCALE) readOne(words, SCALE_AUTOMATIC, SCALE_MAX, &windowScale);
    if (name == VOLUME) readOne(words, 0, VOLUME_MAX, &soundVolume);
    if (name == MUTE) readOne(words, 0, 1, &soundMuted);
  }
}

void readBindings() {
  std::memcpy(keyBindings, DEFAULT_KEY_BINDINGS, sizeof keyBindings);
  std::memcpy(joyBindings, DEFAULT_JOY_BINDINGS, sizeof joyBindings);
  bool missing = false;
  storeLines = readStore(&missing, true);
  if (missing) {
    // First run: the store is made at once with the defaults.
    writeBindings();
    return;
  }
  // Each value is taken only when it is whole; otherwise its defaults stay,
  // since all-zero bindings would leave the game unplayable.
  for (const std::string& line : storeLines) {
    std::string name;
    std::vector<std::string> words;
    if (!splitLine(line, &name, &words)) continue;
    if (name == KEYBOARD) readBytes(words, KEY_BINDING_COUNT, keyBindings);
    if (name == JOYSTICK) readBytes(words, JOYSTICK_VALUE_COUNT, joyBindings);
    if (name == JOYSTICK_QUIT) readBytes(words, 1, joyBindings + JOY_BIND_QUIT);
  }
}

RendererChoice readRendererSetting(RendererChoice fallback) {
  bool missing = false;
  RendererChoice choice = fallback;
  for (const std::string& line : readStore(&missing, false)) {
    std::string name;
    std::vector<std::string> words;
    if (!splitLine(line, &name, &words) || words.size() != 1) continue;
    if (strcasecmp(name.c_str(), "renderer") == 0) parseRendererChoice(words[0], choice);
  }
  return choice;
}

void writeBindings() {
  const std::string path = settingsFilePath();
  if (path.empty()) return;
  // The lines read stay where they were: ours carry the values of now (the
  // first of each name; repeats go), the others are kept as they were.
  std::string text;
  std::vector<std::string> written;
  for (const std::string& line : storeLines) {
    const std::string name = lineName(line);
    if (!ownName(name)) {
      if (keepable(line)) text += line + "\n";
      continue;
    }
    bool seen = false;
    for (const std::string& done : written) seen = seen || done == name;
    if (seen) continue;
    written.push_back(name);
    const std::string own = ownLine(name);
    if (!own.empty()) text += own + "\n";
  }
  for (const char* name : OWN_NAMES) {
    bool seen = false;
    for (const std::string& done : written) seen = seen || done == name;
    const std::string own = ownLine(name);
    if (!seen && !own.empty()) text += own + "\n";
  }
  // Older versions wrote through this name; whatever is left there goes.
  std::remove((path + ".new").c_str());
  std::string error;
  if (!replaceFile(path, text, &error)) std::fprintf(stderr, "glimb: the settings are not saved: %s\n", error.c_str());
}
