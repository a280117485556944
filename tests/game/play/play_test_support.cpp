// Loaded games with colour-coded sheets, test class tables and small worlds
// for play's tests.
#include "play_test_support.h"

#include <cstring>

#include "game/game_vars.h"
#include "game/handlers.h"
#include "game/play/play.h"
#include "game/shell.h"
#include "media/pcx.h"

void writeColourSheet(const fs::path& path, int32_t size, int32_t columns, int32_t rows) {
  const int32_t width = size * columns, height = size * rows;
  std::vector<uint8_t> pixels(size_t(width) * size_t(height));
  for (int32_t y = 0; y < height; y++) {
    for (int32_t x = 0; x < width; x++) pixels[size_t(y) * width + x] = uint8_t((y / size) * columns + x / size);
  }
  uint8_t palette[768];
  for (int i = 0; i < 768; i++) palette[i] = uint8_t(i / 3);
  writeFile(path, encodePcx(pixels.data(), width, height, width, palette));
}

void writeTestClasses(const fs::path& path) {
  std::vector<uint8_t> classes(TILE_CLASS_COUNT * 2, 0);
  auto put = [&](int32_t tile, int32_t value) { classes[2 * size_t(tile)] = uint8_t(value); };
  put(T_PICKUP, CLASS_PICKUP);
  put(T_WATER, CLASS_WATER);
  put(T_CRUMBLING, CLASS_CRUMBLING);
  put(T_EXIT, CLASS_EXIT);
  put(T_SOLID, CLASS_SOLID);
  put(T_DEADLY, CLASS_DEADLY);
  put(T_TRIGGER, CLASS_SIDE_TRIGGER);
  put(TILE_CHECKPOINT, CLASS_CHECKPOINT);
  // The blocks the player breaks, bumps and lands on, and the closed gate.
  put(TILE_BREAKABLE, CLASS_SOLID);
  put(TILE_BUMP_BLOCK, CLASS_SOLID);
  put(TILE_FALLING_FLOOR, CLASS_SOLID);
  put(TILE_GATE_CLOSED, CLASS_SOLID);
  // The bell rings until its animation has moved on, as in the game's table.
  put(T_BELL, CLASS_SIDE_TRIGGER);
  writeFile(path, classes);
}

TestLevel::TestLevel(int32_t width, int32_t height, int32_t flags) {
  record.width = width;
  record.height = height;
  record.flags = flags;
  record.foreground.assign(size_t(width) * size_t(height), 0);
  if (flags & LEVEL_BACKGROUND) record.background.assign(record.foreground.size(), 0);
}

TestLevel& TestLevel::set(int32_t column, int32_t row, int32_t tile) {
  record.foreground[size_t(column) * size_t(record.height) + size_t(row)] = tile;
  return *this;
}

TestLevel& TestLevel::setBack(int32_t column, int32_t row, int32_t tile) {
  record.background[size_t(column) * size_t(record.height) + size_t(row)] = tile;
  return *this;
}

TestLevel& TestLevel::floor(int32_t row) {
  for (int32_t column = 0; column < record.width; column++) set(column, row, T_SOLID);
  return *this;
}

int32_t timeFlags(int32_t step, int32_t flags) { return withTimeStep(flags, step); }

void PlayTest::SetUp() {
  LoadedShellTest::SetUp();
  writeColourSheet(data.path / "data09.glb", 32, 16, 16);
  writeColourSheet(data.path / "data12.glb", 16, 16, 8);
  writeTestClasses(data.path / "data07.glb");
  ASSERT_EQ(load(), 0);
  std::memcpy(keyBindings, DEFAULT_KEY_BINDINGS, sizeof keyBindings);
  std::memcpy(joyBindings, DEFAULT_JOY_BINDINGS, sizeof joyBindings);
  paletteSettled = 1;
  levelIndex = 0;
  lives = 3;
  pickupCount = 0;
  difficulty = DIFFICULTY_NORMAL;
  checkpointScrollX = 0;
  checkpointScrollY = 0;
  playerY = 0;
  jumpStep = 0;
  jumpRise = 0;
  joystickPresent = 0;
  frameCounter = 0;
  releaseAll();
}

void PlayTest::TearDown() {
  freeObjects();
  freeLevelCells();
  LoadedShellTest::TearDown();
}

void PlayTest::writeWorld(const std::vector<TestLevel>& levels) {
  World world = blankWorld();
  world.levels.clear();
  for (const TestLevel& level : levels) world.levels.push_back(level.record);
  world.header.levelCount = uint16_t(levels.size());
  worldPath = data.path / "test.glw";
  std::string error;
  ASSERT_TRUE(writeWorldFile(worldPath.string(), world, &error)) << error;
  worldFileName = worldPath.string();
  levelCount = int32_t(levels.size());
}

void PlayTest::start(int32_t index) {
  levelIndex = index;
  gameState = STATE_LEVEL_START;
  frame();
}

void PlayTest::frame() {
  // The loop's frame counter, which paces the objects' animation.
  frameCounter = (frameCounter + 1) % 60;
  backBuffer->fillAll(0);
  runPlayFrame();
}

void PlayTest::hold(int32_t binding, bool down) { keyState[keyBindings[binding]] = down ? 1 : 0; }

void PlayTest::releaseAll() { std::memset(keyState, 0, sizeof keyState); }

int PlayTest::plays(int32_t slot) const { return static_cast<FakeVoice*>(gSoundSlots[slot].buffer.get())->plays; }

int32_t PlayTest::tileOf(int32_t column, int32_t row) const {
  return tileMap[size_t(column) * size_t(levelHeight) + size_t(row)];
}
