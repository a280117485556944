// Active objects: creatures and cell animators in one singly linked list,
// their kinds and sounds, and the operations play calls on the list.
#pragma once

#include <cstdint>

struct ActiveObject {
  int32_t x;        // left edge, screen pixels
  int32_t y;        // top edge, screen pixels
  int32_t animDir;  // bits 0-3 animation step, bit 4 direction
  int32_t fallIndex;
  int32_t kind;
  ActiveObject* next;
};

// Creatures.
constexpr int32_t KIND_WALKER = 1;
constexpr int32_t KIND_FLATTENED_WALKER = 2;
constexpr int32_t KIND_DEADLY_WALKER = 3;
constexpr int32_t KIND_FLOATER = 4;
constexpr int32_t KIND_BURSTING_FLOATER = 5;
constexpr int32_t KIND_DEADLY_FLOATER = 6;
constexpr int32_t KIND_FAST_WALKER = 7;
constexpr int32_t KIND_STUNNED_FAST_WALKER = 8;
// Cell animators (never move, not drawn as sprites): the ones the touch
// effects and the player start, and the levers and gates spawned from tiles.
constexpr int32_t KIND_CRUMBLING_CELL = 51;
constexpr int32_t KIND_SIDE_TRIGGER_CELL = 52;
constexpr int32_t KIND_CHECKPOINT_CELL = 53;
constexpr int32_t KIND_LEVER_UP = 54;    // pushes leverState up
constexpr int32_t KIND_LEVER_DOWN = 55;  // pulls it down
constexpr int32_t KIND_GATE = 56;
constexpr int32_t KIND_INVERSE_GATE = 57;
constexpr int32_t KIND_FALLING_FLOOR = 58;
constexpr int32_t KIND_BREAKING_BLOCK = 59;
constexpr int32_t KIND_BUMPED_BLOCK = 60;

// Sounds of the objects besides those of the tiles.
constexpr int32_t SOUND_FAST_WALKER_STOMP = 8;
constexpr int32_t SOUND_LEVER = 10;

// spawnScan modes: the 22 x 14 cells around the view, its two edge columns
// (after a horizontal cell crossing), or its two edge rows (after a vertical one).
constexpr int32_t SPAWN_AROUND_VIEW = 0;
constexpr int32_t SPAWN_EDGE_COLUMNS = 1;
constexpr int32_t SPAWN_EDGE_ROWS = 2;

extern ActiveObject* activeObjects;  // head of the list; nullptr = empty

// Links a new node in front of the list; fallIndex starts at 0.
ActiveObject* addObject(int32_t x, int32_t y, int32_t kind, int32_t animDir);
// Unlinks and frees the node `position` steps from the head (nothing when
// there is no such node).
void removeObjectAt(int32_t position);
// Frees every node (declared for the shell in game/handlers.h too).
void freeObjects();

// Turns spawner tiles near the view into objects, each exactly on its cell
// once this frame's update has moved it against the view; a gate or lever
// cell that already has its object gets no second one.
void spawnScan(int32_t mode);
// One update of every object.
void updateObjects();
// Draws the creatures onto the back buffer, clipped to the view.
void drawObjects();
