// Start-up loading and shutdown: the data-file presence test, the devices,
// the display objects, the sprite sheets, the tile class table and the
// sounds; released again in a fixed order. Also the load-error message.
#pragma once

#include <cstdint>
#include <string>

// loadGame results (besides the display codes 31-36 of prepareDisplay).
constexpr int32_t LOAD_MISSING_DATA = -1;       // a data file is missing, or a sheet failed to load
constexpr int32_t LOAD_NO_DISPLAY = 1;          // the video system could not start
constexpr int32_t LOAD_NO_WINDOW = 2;           // the game window could not be made
constexpr int32_t LOAD_NO_DISPLAY_MODE = 3;     // neither 640 x 400 nor 640 x 480 can be shown
constexpr int32_t LOAD_SOUND_SETUP = 6;         // the sound device opened but could not be set up
constexpr int32_t LOAD_NO_INPUT = 10;           // the event system could not start
constexpr int32_t LOAD_NO_KEYBOARD = 11;        // no keyboard state
constexpr int32_t LOAD_KEYBOARD_SHARING = 12;
constexpr int32_t LOAD_KEYBOARD_FORMAT = 13;
constexpr int32_t LOAD_KEYBOARD_ACQUIRE = 14;

constexpr int32_t DATA_FILE_COUNT = 39;
constexpr int32_t SOUND_EFFECT_COUNT = 16;

// "data%0.2x.glb" for i.
std::string dataFileName(int32_t index);

int32_t loadGame();
// Loading's step that reads the tile class table "data07.glb" into tileClass:
// 240 little-endian 16-bit values; bytes past a short file's end read as 0.
void readTileClasses();
void shutdownGame();

// The text the load-error message box shows for a loadGame result.
std::string loadErrorMessage(int32_t code);
