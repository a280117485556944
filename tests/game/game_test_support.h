// Helpers for the shell's tests: a scratch data folder with all 39 data
// files (tiny pictures, sounds and tile classes), a test platform with
// failures to order, and a reset of the shell's state between tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/display.h"
#include "game/platform.h"
#include "media/input.h"
#include "media/sound.h"

namespace fs = std::filesystem;

// A folder of its own under the system's temporary folder, removed at the end.
struct ScratchFolder {
  ScratchFolder();
  ~ScratchFolder();
  fs::path path;
};

// A minimal PCM WAV file: 8-bit mono, `samples` bytes, optional extra chunk
// between "fmt " and "data", a chosen format tag and sample rate.
std::vector<uint8_t> makeWave(uint32_t samples, uint16_t formatTag = 1, bool listChunk = false, uint32_t rate = 11025);

// Writes all 39 data files into `folder`. The palette trailer of data09.glb
// gives entry i the colour (i, 255 - i, i / 2).
void writeDataFiles(const fs::path& folder);

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes);
// A file's whole text (empty when it cannot be read), and its lines.
std::string readText(const fs::path& path);
std::vector<std::string> fileLines(const fs::path& path);
// The number a trace line gives a field, INT64_MIN when it has none.
int64_t fieldOf(const std::string& line, const std::string& name);

// A sound voice that records what was asked of it.
struct FakeVoice : SoundBuffer {
  bool play(bool looping) override;
  void stop() override { playing = false; stops++; }
  void setCurrentPosition(uint32_t position) override { rewinds++; lastPosition = position; }
  bool isPlaying() const override { return playing; }
  bool playing = false;
  bool looped = false;
  int plays = 0, stops = 0, rewinds = 0;
  uint32_t lastPosition = 1;
};

struct FakeSoundDevice : SoundDevice {
  std::unique_ptr<SoundBuffer> createBuffer(const WaveFormat& format, const uint8_t* data, uint32_t size) override;
  std::unique_ptr<SoundBuffer> duplicateBuffer(const SoundBuffer& original) override;
  bool refuse = false;
  std::vector<FakeVoice*> voices;
  WaveFormat lastFormat;
  std::vector<uint8_t> lastData;
};

struct FakeKeyboard : KeyboardDevice {
  bool readState(uint8_t keys[256]) override;
  uint8_t held[256] = {};
  int reads = 0;
  // After this many reads everything is released (for release waits).
  int releaseAfter = -1;
  // Called on every read, as a window event arriving during a wait would be.
  void (*onRead)(int reads) = nullptr;
};

// A platform with no window: the base display device, fake sound and
// keyboard, a tick that advances by hand, and failures to order.
struct TestPlatform : ShellPlatform {
  DisplayDevice* createDisplayDevice() override;
  int32_t takeOverWindow() override { return failWindow ? 1 : 0; }
  bool forceLetterbox() const override { return letterbox; }
  SoundDevice* createSoundDevice() override { return withSound ? &sound : nullptr; }
  int32_t prepareSoundDevice() override { return 0; }
  KeyboardDevice* createKeyboard(int32_t& failure) override;
  void releaseKeyboard() override { released.push_back("keyboard"); }
  void releaseInputSystem() override { released.push_back("input"); }
  void releaseSoundDevice() override { released.push_back("sound"); }
  void releaseDisplayDevice() override { released.push_back("display"); }
  uint32_t tickCount() override { return tick; }
  // Each sleep wakes `oversleep` milliseconds late, as a busy system's does.
  void sleepMilliseconds(uint32_t ms) override { tick += ms + oversleep; sleeps++; }
  bool pacing() const override { return paced; }
  void pumpEvents() override { pumps++; }
  void showLoadError(const char* text) override { shownError = text; }

  std::unique_ptr<DisplayDevice> display;  // replace before loading to use another device
  FakeSoundDevice sound;
  FakeKeyboard keyboard;
  bool failDisplay = false, failWindow = false, letterbox = false, withSound = true, paced = false;
  int32_t keyboardFailure = 0;
  uint32_t tick = 1000;
  uint32_t oversleep = 0;
  int sleeps = 0, pumps = 0;
  std::string shownError;
  std::vector<std::string> released;
};

// Loads the game from a scratch data folder on a TestPlatform, and shuts it
// down and moves back afterwards.
class LoadedShellTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs loadGame in the folder; its result.
  int32_t load();
  ScratchFolder data;
  TestPlatform test;
  fs::path startFolder;
  bool loaded = false;
};

// Puts the shell's process-wide state back to its start values.
void resetShellState();
