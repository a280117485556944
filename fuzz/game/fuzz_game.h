// What the game's fuzz targets share: a scratch working folder holding a copy
// of the generated data files, the game loaded there on a platform with no
// window, sound or pacing, and frames run by the real frame loop with keys and
// buttons the target holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One input's stay in the game's folder: the first one makes the folder,
// points the settings at it and loads the game there. The game opens its files
// by bare names, so the input runs inside the folder; leaving it again lets
// libFuzzer find its corpus folders by the paths it was given.
class FuzzGameScope {
 public:
  FuzzGameScope();
  ~FuzzGameScope();
  FuzzGameScope(const FuzzGameScope&) = delete;
  FuzzGameScope& operator=(const FuzzGameScope&) = delete;
};
const std::string& fuzzFolder();

// Replaces `name` (relative to the folder) with the fuzzer's bytes.
void writeFuzzFile(const std::string& name, const uint8_t* data, size_t size);

// Keys (DirectInput codes) and joystick buttons held from the next frame on.
// Within one frame only the frame's own snapshot sees them, so that every
// wait for released keys ends.
void releaseFuzzInput();
void holdFuzzKey(uint8_t code);
void holdFuzzButton(uint8_t button);

// One pass of the frame loop; false when none ran.
bool runFuzzFrame();

// Starts level `index` of the world in `fileName` as world select does, at
// STATE_LEVEL_START, with no fade running.
void startFuzzLevel(const std::string& fileName, int32_t index);
