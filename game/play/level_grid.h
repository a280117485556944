// The level grid as play holds it: sizes, flags, both layers of cells, the
// tile classes play tests, the probe, clearing a cell, the level load, and
// the start-of-level tile rules and touch effects that change cells.
#pragma once

#include <cstdint>
#include <vector>

#include "world/world_file.h"  // LEVEL_* flags

// Cells are 32 x 32 world pixels.
constexpr int32_t CELL_SIZE = 32;
constexpr int32_t CELL_SHIFT = 5;

// Tile classes play tests; every other class value has no effect.
constexpr int32_t CLASS_SOLID = 1;
constexpr int32_t CLASS_DEADLY = 3;
constexpr int32_t CLASS_SIDE_TRIGGER = 4;
constexpr int32_t CLASS_WATER = 5;
constexpr int32_t CLASS_CRUMBLING = 6;
constexpr int32_t CLASS_EXIT = 7;
constexpr int32_t CLASS_PICKUP = 9;
constexpr int32_t CLASS_CHECKPOINT = 17;

// Tile numbers with a meaning of their own.
constexpr int32_t TILE_EMPTY = 0;
constexpr int32_t TILE_CHECKPOINT = 17;
constexpr int32_t TILE_CHECKPOINT_REACHED = 19;
constexpr int32_t TILE_BUMP_BLOCK = 20;
constexpr int32_t TILE_FALLING_FLOOR = 22;
constexpr int32_t TILE_EXTRA_LIFE = 26;
constexpr int32_t TILE_GATE_CLOSED = 38;
constexpr int32_t TILE_BREAKABLE = 40;
constexpr int32_t TILE_START_RIGHT = 65;
constexpr int32_t TILE_START_LEFT = 68;
constexpr int32_t TILE_GATE_OPEN = 69;
constexpr int32_t TILE_GATE_HALF = 89;

// Sound slots the play code plays.
constexpr int32_t SOUND_DEATH = 0;
constexpr int32_t SOUND_FLOATER_STOMP = 1;
constexpr int32_t SOUND_WALKER_STOMP = 3;
constexpr int32_t SOUND_EXIT = 7;
constexpr int32_t SOUND_SIDE_TRIGGER = 8;
constexpr int32_t SOUND_BUMP = 9;
constexpr int32_t SOUND_CHECKPOINT = 10;
constexpr int32_t SOUND_BREAK = 11;
constexpr int32_t SOUND_SPLASH = 12;
constexpr int32_t SOUND_EXTRA_LIFE = 13;
constexpr int32_t SOUND_CRUMBLE = 14;
constexpr int32_t SOUND_PICKUP = 15;

// Pick-ups needed for an extra life: 20 Easy, 32 Normal, 44 Hard.
constexpr int32_t PICKUPS_PER_LIFE_BASE = 20;
constexpr int32_t PICKUPS_PER_LIFE_STEP = 12;

// The level being played. Cell (column, row) lies at index column x
// levelHeight + row of both maps; backgroundMap is empty unless levelFlags
// has LEVEL_BACKGROUND.
extern int32_t levelWidth;
extern int32_t levelHeight;
extern uint32_t levelFlags;
extern std::vector<int32_t> tileMap;
extern std::vector<int32_t> backgroundMap;
// World pixel position of the crumbling cell being passed; (0, 0) = none.
extern int32_t crumbleCellX;
extern int32_t crumbleCellY;
// 0..2, shared by every lever and gate of the level.
extern int32_t leverState;

// Reads level `index` of worldFileName into the grid: 0, or -1 when the file
// is gone or the level cannot be read whole (a message goes to stderr), in
// which case the grid is left empty.
int32_t loadLevel(int32_t index);

// The class of a tile value; values without an entry in tileClass (240-255,
// or anything outside a byte) have class 0 and do nothing.
int32_t tileClassOf(int32_t tile);
// Index of the cell holding world point (wx, wy), or -1 outside the grid.
int32_t cellIndexAt(int32_t wx, int32_t wy);
// The tile at world point (wx, wy). Outside the grid every point is empty
// (tile 0): below the level lies the open pit play kills in, and beyond its
// right end the player walks on to the screen edge.
int32_t cellAt(int32_t wx, int32_t wy);
// v limited to low .. high: the lower bound first, then the upper, so that a
// grid too small for both bounds still gives a value (outside the grid).
inline int32_t limitTo(int32_t v, int32_t low, int32_t high) {
  if (v < low) v = low;
  if (v > high) v = high;
  return v;
}
// True when the cell holding (wx, wy) has the solid class.
bool isSolid(int32_t wx, int32_t wy);
// Empties a cell and redraws it on tileLayer if the layer holds it.
void clearCell(int32_t index);

// What a cell's tile becomes at level start on this difficulty (rules 2-5;
// the start tile rule is the play frame's, as it places the view).
int32_t startTileRule(int32_t tile);
// The touch effects at the player's centre height, once per frame of normal
// play, at the end of the player step.
void runTouchEffects();
