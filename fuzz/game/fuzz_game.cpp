// The fuzz targets' game: copies the data files, loads the game on a platform
// without devices, and runs frames through the frame loop.
#include "fuzz/game/fuzz_game.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "game/display.h"
#include "game/frame_loop.h"
#include "game/game_vars.h"
#include "game/handlers.h"
#include "game/loading.h"
#include "game/platform.h"
#include "game/shell.h"
#include "media/input.h"
#include "world/world_file.h"

namespace {

namespace fs = std::filesystem;

uint8_t heldKeys[256];
JoyState heldButtons;
int32_t keyboardReads = 0;
int32_t joystickReads = 0;

// The frame's first snapshot sees what is held; re-reads within the frame
// (release waits) see nothing.
class FuzzKeyboard : public KeyboardDevice {
 public:
  bool readState(uint8_t keys[256]) override {
    if (keyboardReads++ == 0) {
      std::memcpy(keys, heldKeys, 256);
    } else {
      std::memset(keys, 0, 256);
    }
    return true;
  }
};

class FuzzJoystick : public JoystickDevice {
 public:
  bool readState(JoyState& state) override {
    state = joystickReads++ == 0 ? heldButtons : JoyState{};
    return true;
  }
  int32_t buttonCount() const override { return JOY_MAX_BUTTONS; }
};

class FuzzPlatform : public ShellPlatform {
 public:
  DisplayDevice* createDisplayDevice() override { return &display; }
  int32_t takeOverWindow() override { return 0; }
  SoundDevice* createSoundDevice() override { return nullptr; }
  KeyboardDevice* createKeyboard(int32_t&) override { return &keyboard; }
  JoystickDevice* openJoystick() override { return &joystick; }
  uint32_t tickCount() override { return tick += 16; }
  void sleepMilliseconds(uint32_t) override {}
  bool pacing() const override { return false; }
  void pumpEvents() override {}
  void showLoadError(const char* text) override { std::fprintf(stderr, "fuzz game: %s\n", text); }

  DisplayDevice display;
  FuzzKeyboard keyboard;
  FuzzJoystick joystick;
  uint32_t tick = 0;
};

struct Folder {
  fs::path path = fs::temp_directory_path() / ("glimb-fuzz-game-" + std::to_string(getpid()));
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

Folder& folder() {
  static Folder made;
  return made;
}

std::string& startFolder() {
  static std::string path = fs::current_path().string();
  return path;
}

void startFuzzGame() {
  const fs::path here = folder().path;
  std::error_code failure;
  fs::remove_all(here, failure);
  fs::create_directories(here / "config", failure);
  for (const fs::directory_entry& entry : fs::directory_iterator(GLIMB_DATA_DIR, failure)) {
    if (entry.path().extension() == ".glb" || entry.path().extension() == ".pcx") {
      fs::copy_file(entry.path(), here / entry.path().filename(), fs::copy_options::overwrite_existing, failure);
    }
  }
  fs::current_path(here, failure);
  setenv("XDG_CONFIG_HOME", (here / "config").c_str(), 1);
  static FuzzPlatform fuzzPlatform;
  platform = &fuzzPlatform;
  running = 1;
  appActive = 1;
  if (loadGame() != 0) {
    std::fprintf(stderr, "fuzz game: the game does not load from %s\n", GLIMB_DATA_DIR);
    std::abort();
  }
  startFrameLoop();
}

}  // namespace

const std::string& fuzzFolder() {
  static const std::string path = folder().path.string();
  return path;
}

// A crash inside an input happens in the game's folder: its input is written
// where the run was started unless told otherwise.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  for (int i = 1; i < *argc; i++) {
    if (std::strncmp((*argv)[i], "-artifact_prefix=", 17) == 0) return 0;
  }
  static std::vector<char*> arguments;
  static std::string prefix = "-artifact_prefix=" + startFolder() + "/";
  arguments.assign(*argv, *argv + *argc);
  arguments.push_back(prefix.data());
  arguments.push_back(nullptr);
  *argc += 1;
  *argv = arguments.data();
  return 0;
}

FuzzGameScope::FuzzGameScope() {
  static bool started = false;
  startFolder();
  if (!started) {
    started = true;
    startFuzzGame();
  } else if (chdir(fuzzFolder().c_str()) != 0) {
    std::abort();
  }
}

FuzzGameScope::~FuzzGameScope() {
  if (chdir(startFolder().c_str()) != 0) std::abort();
}

void writeFuzzFile(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = fuzzFolder() + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

void releaseFuzzInput() {
  std::memset(heldKeys, 0, sizeof heldKeys);
  heldButtons = JoyState{};
}

void holdFuzzKey(uint8_t code) { heldKeys[code] = 0x80; }

void holdFuzzButton(uint8_t button) {
  if (button < JOY_MAX_BUTTONS) heldButtons.rgbButtons[button] = 0x80;
}

bool runFuzzFrame() {
  keyboardReads = 0;
  joystickReads = 0;
  return runFramePass();
}

void startFuzzLevel(const std::string& fileName, int32_t index) {
  freeObjects();
  freeLevelCells();
  WorldHeader header{};
  levelCount = readWorldHeader(fileName, &header, nullptr) ? header.levelCount : 0;
  worldFileName = fileName;
  levelIndex = index;
  lives = 3;
  pickupCount = 0;
  checkpointScrollX = 0;
  checkpointScrollY = 0;
  pendingState = 0;
  fadeMode = 0;
  paletteSettled = 1;
  gameState = STATE_LEVEL_START;
}
