// What each of the 240 tile numbers of the sheet holds and the class play gives
// it: the one table the pictures, the class table and the editor palette share.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int TILE_COUNT = 240;
constexpr int SHEET_COLUMNS = 20;
constexpr int SHEET_ROWS = 13;
constexpr int CELL = 32;

// Classes play tests; every other tile is class 0 (no effect, not solid).
constexpr uint16_t CLASS_NONE = 0, CLASS_SOLID = 1, CLASS_DEADLY = 3, CLASS_SIDE_TRIGGER = 4,
                   CLASS_WATER = 5, CLASS_CRUMBLING = 6, CLASS_EXIT = 7, CLASS_PICKUP = 9,
                   CLASS_CHECKPOINT = 17;

// Tile numbers whose meaning play or the editor fixes.
enum TileNumber : uint8_t {
  T_EMPTY = 0,
  T_WALKER_LEFT = 9, T_WALKER_MID = 10, T_WALKER_RIGHT = 11, T_WALKER_FLAT = 12,
  T_SPIKY_LEFT = 13, T_SPIKY_LEFT_2 = 14, T_SPIKY_RIGHT = 15, T_SPIKY_RIGHT_2 = 16,
  T_CHECKPOINT = 17, T_CHECKPOINT_RISING = 18, T_CHECKPOINT_REACHED = 19,
  T_BUMP = 20, T_GRASS = 21, T_FALLING_FLOOR = 22, T_BRICK = 23,
  T_WATER_SURFACE = 24, T_LAVA_SURFACE = 25, T_EXTRA_LIFE = 26,
  T_BUSH = 27,            // 2 x 2: 27, 28, 47, 48
  T_ISLAND = 29,          // 4 x 2: 29-32, 49-52
  T_FLOATER_LEFT = 33, T_FLOATER_RIGHT = 34, T_FLOATER_BURST = 35,  // burst 35, 36, 37
  T_GATE_CLOSED = 38, T_GRASS_LEFT = 39, T_BREAKABLE = 40, T_EARTH = 41, T_GRASS_RIGHT = 42,
  T_BRIDGE = 43,          // 2 x 1: 43, 44
  T_EARTH_LEFT = 45, T_EARTH_RIGHT = 46,
  T_FISH_LEFT = 53, T_FISH_LEFT_2 = 54, T_FISH_RIGHT = 55, T_FISH_RIGHT_2 = 56,
  T_FLOATER_MID = 57, T_GATE_SPAWN = 58, T_INVERSE_GATE_SPAWN = 59,
  T_CRATE = 60, T_BACK_ROCK = 61, T_WATERFALL = 62,
  T_SLAB = 63,            // 2 x 1: 63, 64
  T_START_RIGHT = 65, T_COIN = 66, T_START_LEFT = 68, T_GATE_OPEN = 69,
  T_PIPE = 70,            // 2 x 1: 70, 71
  T_TORCH = 72, T_TORCH_EDITOR = 73,
  T_DIFFICULTY_EASY = 74, T_DIFFICULTY_NORMAL = 75, T_DIFFICULTY_HARD = 76,
  T_LEVER_LEFT = 77, T_LEVER_MIDDLE = 78, T_LEVER_RIGHT = 79,
  T_BUMP_1 = 80, T_DOOR = 81 /* 2 x 2: 81, 82, 101, 102 */, T_EXIT = 83 /* 83, 84, 103, 104 */,
  T_WATER = 85, T_BELL = 86, T_BELL_SWING = 87, T_CRUMBLING = 88, T_GATE_HALF = 89,
  T_VINES = 90,           // 2 x 1: 90, 91
  T_INVERSE_EASY = 92, T_INVERSE_NORMAL = 93, T_INVERSE_HARD = 94,
  T_CLOUD = 95,           // 2 x 2: 95, 96, 115, 116
  T_PIPE_MOUTH = 98,      // 2 x 2: 98, 99, 118, 119
  T_BUMP_2 = 100, T_BELL_RUNG = 105,
  T_FENCE = 106,          // 2 x 1: 106, 107
  T_ICE = 108, T_GEM = 109,
  T_GIRDER = 110,         // 2 x 1: 110, 111
  T_FLOWERS = 112,        // 2 x 1: 112, 113
  T_SIGNPOST = 114, T_BACK_WALL = 117, T_BUMP_3 = 120,
  T_RUNNER_RIGHT = 121,   // 121-124 running right, 125, 126 stunned
  T_RUNNER_STUNNED = 125, T_RUNNER_WAKING = 126,
  T_ROCK = 130,           // 130-134: five looks of the same rock
  T_PEBBLES = 135,        // 2 x 1: 135, 136
  T_LAVA = 140,
  T_RUNNER_LEFT = 144,    // 144-141 running left
  T_SPIKES = 160, T_CEILING_SPIKES = 161, T_CHAIN = 164,
  T_FONT_FULL_STOP = 173,
  T_FALLING_1 = 180,      // 180-183
  T_BREAKING_1 = 200,     // 200-203
  T_FONT_EXCLAMATION = 230,
};

struct TileInfo {
  uint16_t tileClass = CLASS_NONE;
  const char* name = "";  // empty: an unused, blank frame
};

// The table for every tile number 0..239.
const std::array<TileInfo, TILE_COUNT>& tileInfo();
// The class table file: 240 little-endian uint16 values.
std::array<uint8_t, 2 * TILE_COUNT> classTableBytes();
