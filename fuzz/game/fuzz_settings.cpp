// Fuzzes the settings file's reader through its public entry points
// (readPlayerSettings, readBindings): whatever the file holds, the values read
// are written back and read again unchanged, a second writing gives the same
// file, the game setup page shows the bindings' names, and play runs with
// every bound key and joystick button held.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fuzz/fuzz_require.h"
#include "fuzz/game/fuzz_game.h"
#include "game/front/title_menu.h"
#include "game/settings.h"
#include "game/shell.h"

namespace {

constexpr int32_t SETUP_FRAMES = 3;
constexpr int32_t PLAY_FRAMES = 6;
constexpr uint8_t CAPTURE_KEY = 88;  // F12 would write a capture every frame

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzGameScope scope;
  releaseFuzzInput();
  const std::string path = settingsFilePath();
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  writeFuzzFile(std::filesystem::relative(path, fuzzFolder()).string(), data, size);
  readPlayerSettings();
  readBindings();
  uint8_t keys[KEY_BINDING_COUNT];
  uint8_t buttons[JOY_BINDING_COUNT];
  std::memcpy(keys, keyBindings, sizeof keys);
  std::memcpy(buttons, joyBindings, sizeof buttons);
  const int32_t window[4] = {fullscreenSetting, windowScale, soundVolume, soundMuted};
  REQUIRE(windowScale >= SCALE_AUTOMATIC && windowScale <= SCALE_MAX);
  REQUIRE(soundVolume >= 0 && soundVolume <= VOLUME_MAX);
  writeBindings();
  const std::string written = fileText(path);
  readPlayerSettings();
  readBindings();
  REQUIRE(std::memcmp(keys, keyBindings, sizeof keys) == 0);
  REQUIRE(std::memcmp(buttons, joyBindings, sizeof buttons) == 0);
  const int32_t again[4] = {fullscreenSetting, windowScale, soundVolume, soundMuted};
  REQUIRE(std::memcmp(window, again, sizeof window) == 0);
  writeBindings();
  REQUIRE(fileText(path) == written);

  // The setup page names every bound key and button.
  gameState = STATE_TITLE_MENU;
  pendingState = 0;
  fadeMode = 0;
  paletteSettled = 1;
  menuInit = MENU_LOAD_DEMO;
  menuPage = MENU_PAGE_SETUP;
  menuCursor = 0;
  listRow = 0;
  listPage = 0;
  keyNamesValid = 0;
  for (int32_t frame = 0; frame < SETUP_FRAMES; frame++) runFuzzFrame();

  // Play with every binding held at once.
  startFuzzLevel(BUILT_IN_WORLD_FILE, 0);
  for (int32_t frame = 0; frame < PLAY_FRAMES && gameState != STATE_TITLE_MENU; frame++) {
    releaseFuzzInput();
    for (uint8_t key : keyBindings) {
      if (key != CAPTURE_KEY) holdFuzzKey(key);
    }
    for (uint8_t button : joyBindings) holdFuzzButton(button);
    runFuzzFrame();
  }
  return 0;
}
