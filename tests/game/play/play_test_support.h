// Helpers for play's tests: a loaded game whose sheets draw frame n in colour
// n, a tile class table of the test's own, small worlds written to a scratch
// folder, and one play frame as the loop runs it.
#pragma once

#include <cstdint>
#include <vector>

#include "game_test_support.h"
#include "world/world_file.h"

// Tile numbers of the test class table (none of them is a spawner or a
// tile with a meaning of its own).
constexpr int32_t T_PICKUP = 30;
constexpr int32_t T_WATER = 31;
constexpr int32_t T_CRUMBLING = 32;
constexpr int32_t T_EXIT = 36;
constexpr int32_t T_SOLID = 42;
constexpr int32_t T_DEADLY = 43;
constexpr int32_t T_TRIGGER = 44;
constexpr int32_t T_PLAIN = 45;  // class 0: only a picture
constexpr int32_t T_PLAIN2 = 46;
// The bell: a side trigger whose animation writes 86, 87, 105 (rung).
constexpr int32_t T_BELL = 86;
constexpr int32_t T_BELL_RUNG = 105;

// A level being written: both layers, cell (column, row).
struct TestLevel {
  TestLevel(int32_t width, int32_t height, int32_t flags = 0);
  TestLevel& set(int32_t column, int32_t row, int32_t tile);
  TestLevel& setBack(int32_t column, int32_t row, int32_t tile);
  // A solid row of T_SOLID across the whole level.
  TestLevel& floor(int32_t row);
  LevelRecord record;
};

// A picture sheet of columns x rows frames of size x size pixels, frame n all
// colour n, so that a pixel of the view tells which tile or figure is there.
void writeColourSheet(const fs::path& path, int32_t size, int32_t columns, int32_t rows);
// The test class table, with the classes of the T_ tiles above and of the
// blocks, gates and bell of their own meaning.
void writeTestClasses(const fs::path& path);

// The flags of a level with time step `step`.
int32_t timeFlags(int32_t step, int32_t flags = 0);

class PlayTest : public LoadedShellTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes the world and chooses it as the world select would.
  void writeWorld(const std::vector<TestLevel>& levels);
  // Starts level `index` of the chosen world: one frame in STATE_LEVEL_START.
  void start(int32_t index = 0);
  // One play frame: the loop's clear of the back buffer, then runPlayFrame.
  void frame();
  // Holds or releases the key bound to `binding` (BIND_LEFT ...).
  void hold(int32_t binding, bool down = true);
  void releaseAll();
  // How often sound slot n was played.
  int plays(int32_t slot) const;
  // The tile of cell (column, row) in play.
  int32_t tileOf(int32_t column, int32_t row) const;
  fs::path worldPath;
};
