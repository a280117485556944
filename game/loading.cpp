// loadGame and shutdownGame: every resource of the game acquired in a fixed
// order at start and released in a fixed order at the end.
#include "game/loading.h"

#include <cstdio>
#include <cstdlib>

#include "game/display.h"
#include "game/platform.h"
#include "game/shell.h"
#include "media/music.h"
#include "media/regular_file.h"
#include "media/sprite_surface.h"
#include "media/text.h"

ShellPlatform* platform = nullptr;

namespace {

// Slot order of the sixteen sound effects.
constexpr const char* SOUND_FILES[SOUND_EFFECT_COUNT] = {
    "data01.glb", "data02.glb", "data03.glb", "data04.glb", "data05.glb", "data08.glb",
    "data0a.glb", "data0c.glb", "data0d.glb", "data0e.glb", "data0f.glb", "data11.glb",
    "data21.glb", "data24.glb", "data25.glb", "data26.glb"};

bool displayCreated = false;
bool soundDeviceCreated = false;
bool inputCreated = false;

// A named pipe or a device in a data file's place counts as missing: opening
// it must not block the start.
bool allDataFilesPresent() {
  for (int32_t i = 0; i < DATA_FILE_COUNT; i++) {
    std::snprintf(sharedText, sizeof sharedText, "data%02x.glb", unsigned(i));
    FILE* file = openRegularFile(sharedText);
    if (!file) return false;
    std::fclose(file);
  }
  return true;
}

int32_t setDisplayMode() {
  if (!platform->forceLetterbox()) {
    int32_t result = displayDevice->setDisplayMode(SCREEN_WIDTH, SCREEN_HEIGHT);
    if (result == 0) return 0;
    if (result != DISPLAY_MODE_INVALID) return LOAD_NO_DISPLAY_MODE;
  }
  if (displayDevice->setDisplayMode(SCREEN_WIDTH, LETTERBOX_HEIGHT) != 0) return LOAD_NO_DISPLAY_MODE;
  letterboxMode = 1;
  return 0;
}

}  // namespace

void readTileClasses() {
  uint8_t bytes[TILE_CLASS_COUNT * 2] = {};
  if (FILE* file = openRegularFile("data07.glb")) {
    size_t got = std::fread(bytes, 1, sizeof bytes, file);
    (void)got;
    std::fclose(file);
  }
  for (int32_t i = 0; i < TILE_CLASS_COUNT; i++) tileClass[i] = int32_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
}

std::string dataFileName(int32_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "data%02x.glb", unsigned(index));
  return name;
}

int32_t loadGame() {
  std::srand(platform->tickCount());
  if (!allDataFilesPresent()) return LOAD_MISSING_DATA;

  displayDevice = platform->createDisplayDevice();
  if (!displayDevice) return LOAD_NO_DISPLAY;
  displayCreated = true;
  if (platform->takeOverWindow() != 0) return LOAD_NO_WINDOW;
  if (int32_t code = setDisplayMode(); code != 0) return code;
  attachDirectDraw(displayDevice);

  if (gSheetKeyed.loadPicture("data09.glb") != 0) return LOAD_MISSING_DATA;
  if (gSheetOpaque.loadPicture("data09.glb") != 0) return LOAD_MISSING_DATA;
  if (gFontSmall.loadPicture("data12.glb") != 0) return LOAD_MISSING_DATA;

  if (int32_t code = prepareDisplay(); code != 0) return code;
  registerTextTargets(backBuffer, &gFontSmall, &gSheetKeyed);

  if (SoundDevice* sound = platform->createSoundDevice()) {
    soundDeviceCreated = true;
    if (platform->prepareSoundDevice() != 0) return LOAD_SOUND_SETUP;
    initSoundPool(sound, SOUND_EFFECT_COUNT);
  }

  if (platform->createInputSystem() != 0) return LOAD_NO_INPUT;
  inputCreated = true;
  int32_t failure = LOAD_NO_KEYBOARD;
  gKeyboard = platform->createKeyboard(failure);
  if (!gKeyboard) return failure;
  // The first pad, if one is attached; the platform hands over pads that
  // arrive later (attachJoystick) and takes back one that is removed.
  attachJoystick(platform->openJoystick());

  readTileClasses();
  // A sound that cannot be loaded takes no slot and the game goes on without
  // it; the reason goes to the error output for whoever made the file.
  for (const char* name : SOUND_FILES) {
    std::string why;
    if (loadSound(name, nullptr, &why) != 0 && !why.empty()) {
      std::fprintf(stderr, "glimb: %s; the sound is left out\n", why.c_str());
    }
  }
  return 0;
}

void shutdownGame() {
  if (inputCreated) {
    // Pads come and go while the game runs: whether one is in use or not,
    // the platform lets go of them all.
    forgetJoystick();
    platform->releaseJoystick();
  }
  if (gKeyboard) {
    platform->releaseKeyboard();
    gKeyboard = nullptr;
  }
  if (inputCreated) {
    platform->releaseInputSystem();
    inputCreated = false;
  }
  shutdownMusic();
  shutdownSoundPool();
  if (soundDeviceCreated) {
    platform->releaseSoundDevice();
    soundDeviceCreated = false;
  }
  detachDirectDraw();
  registerTextTargets(nullptr, nullptr, nullptr);
  releaseDisplayObjects();
  if (displayCreated) {
    displayDevice->restoreDisplayMode();
    platform->releaseDisplayDevice();
    displayDevice = nullptr;
    displayCreated = false;
  }
}

std::string loadErrorMessage(int32_t code) {
  if (code == LOAD_MISSING_DATA) {
    return "Not all of the data files are present for this program.\nPlease reinstall Glimb to correct this error.";
  }
  std::snprintf(sharedText, sizeof sharedText,
                "Error trying to load Glimb!\nCode:%i\nPlease contact support@glimb.example with this error.",
                int(code));
  return sharedText;
}
