// Scratch data folders, fake devices and the state reset for the shell's tests.
#include "game_test_support.h"

#include <unistd.h>

#include <cstring>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "game/frame_loop.h"
#include "game/loading.h"
#include "game/shell.h"
#include "media/pcx.h"
#include "media/sprite_surface.h"

ScratchFolder::ScratchFolder() {
  static int counter = 0;
  path = fs::temp_directory_path() / ("glimb-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(path);
  fs::create_directories(path);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> fileLines(const fs::path& path) {
  std::vector<std::string> out;
  std::istringstream in(readText(path));
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

int64_t fieldOf(const std::string& line, const std::string& name) {
  const size_t at = line.find("\"" + name + "\":");
  if (at == std::string::npos) return INT64_MIN;
  return std::atoll(line.c_str() + at + name.size() + 3);
}

static void put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; i++) b.push_back(uint8_t(v >> (8 * i)));
}
static void put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}

std::vector<uint8_t> makeWave(uint32_t samples, uint16_t formatTag, bool listChunk, uint32_t rate) {
  std::vector<uint8_t> body = {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  put32(body, 16);
  put16(body, formatTag);
  put16(body, 1);
  put32(body, rate);
  put32(body, rate);
  put16(body, 1);
  put16(body, 8);
  if (listChunk) {
    body.insert(body.end(), {'L', 'I', 'S', 'T'});
    put32(body, 5);
    body.insert(body.end(), {'I', 'N', 'F', 'O', 'x', 0});  // odd size, padded
  }
  body.insert(body.end(), {'d', 'a', 't', 'a'});
  put32(body, samples);
  for (uint32_t i = 0; i < samples; i++) body.push_back(uint8_t(128 + (i % 16) * 4));
  std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
  put32(file, uint32_t(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

void writeDataFiles(const fs::path& folder) {
  uint8_t palette[768];
  for (int i = 0; i < 256; i++) {
    palette[3 * i] = uint8_t(i);
    palette[3 * i + 1] = uint8_t(255 - i);
    palette[3 * i + 2] = uint8_t(i / 2);
  }
  for (int i = 0; i < 39; i++) writeFile(folder / dataFileName(i), {});
  // The tile sheet: 64 x 64, four frames; the small font: 32 x 32, four glyphs.
  std::vector<uint8_t> sheet(64 * 64);
  for (size_t p = 0; p < sheet.size(); p++) sheet[p] = uint8_t(p % 7);
  writeFile(folder / "data09.glb", encodePcx(sheet.data(), 64, 64, 64, palette));
  std::vector<uint8_t> font(32 * 32, 5);
  writeFile(folder / "data12.glb", encodePcx(font.data(), 32, 32, 32, palette));
  std::vector<uint8_t> classes(480, 0);
  classes[10] = 5;
  classes[11] = 1;
  writeFile(folder / "data07.glb", classes);
  for (int i : {0x01, 0x02, 0x03, 0x04, 0x05, 0x08, 0x0a, 0x0c, 0x0d, 0x0e, 0x0f, 0x11, 0x21, 0x24, 0x25, 0x26}) {
    writeFile(folder / dataFileName(i), makeWave(64 + uint32_t(i)));
  }
}

bool FakeVoice::play(bool looping) {
  playing = true;
  looped = looping;
  plays++;
  return true;
}

std::unique_ptr<SoundBuffer> FakeSoundDevice::createBuffer(const WaveFormat& format, const uint8_t* data, uint32_t size) {
  if (refuse) return nullptr;
  lastFormat = format;
  lastData.assign(data, data + size);
  auto voice = std::make_unique<FakeVoice>();
  voices.push_back(voice.get());
  return voice;
}

std::unique_ptr<SoundBuffer> FakeSoundDevice::duplicateBuffer(const SoundBuffer&) {
  if (refuse) return nullptr;
  auto voice = std::make_unique<FakeVoice>();
  voices.push_back(voice.get());
  return voice;
}

bool FakeKeyboard::readState(uint8_t keys[256]) {
  reads++;
  if (onRead) onRead(reads);
  if (releaseAfter >= 0 && reads > releaseAfter) std::memset(held, 0, sizeof held);
  std::memcpy(keys, held, 256);
  return true;
}

DisplayDevice* TestPlatform::createDisplayDevice() {
  if (failDisplay) return nullptr;
  if (!display) display = std::make_unique<DisplayDevice>();
  return display.get();
}

KeyboardDevice* TestPlatform::createKeyboard(int32_t& failure) {
  if (keyboardFailure) {
    failure = keyboardFailure;
    return nullptr;
  }
  return &keyboard;
}

void resetShellState() {
  gameState = STATE_INTRO;
  pendingState = 0;
  fadeMode = 0;
  paletteSettled = 0;
  running = 1;
  appActive = 1;
  debugMode = 0;
  letterboxMode = 0;
  frameCounter = 0;
  cyclePhase = 0;
  surfacesRestored = 0;
  quitPosted = false;
  quitCode = 0;
  framesRun = 0;
  frameLimit = -1;
  inputClosing = 0;
  inputWaiting = 0;
  std::memset(keyState, 0, sizeof keyState);
  for (PaletteEntry& e : targetPalette) e = PaletteEntry{};
  for (PaletteEntry& e : currentPalette) e = PaletteEntry{};
}

void LoadedShellTest::SetUp() {
  resetShellState();
  writeDataFiles(data.path);
  startFolder = fs::current_path();
  fs::current_path(data.path);
  platform = &test;
}

int32_t LoadedShellTest::load() {
  loaded = true;
  return loadGame();
}

void LoadedShellTest::TearDown() {
  if (loaded) shutdownGame();
  platform = nullptr;
  fs::current_path(startFolder);
}
