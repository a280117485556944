// The active-object list: adding, removing and freeing nodes, turning
// spawner tiles near the view into objects, the update of every kind
// (creatures, levers, gates and cell animators) and drawing the creatures.
#include "game/play/objects.h"

#include <cstdlib>

#include "game/handlers.h"
#include "game/play/play.h"
#include "game/shell.h"
#include "media/sound.h"
#include "media/sprite_surface.h"

ActiveObject* activeObjects = nullptr;

namespace {

constexpr int32_t ANIM_MASK = 15;
constexpr int32_t DIR_SHIFT = 4;
constexpr int32_t LAST_FALL_STEP = 19;

// More than two views away from the view, an object is dropped.
constexpr int32_t FAR_LEFT = -1280, FAR_RIGHT = 1920, FAR_UP = -800, FAR_DOWN = 1200;
constexpr int32_t TOUCH_DISTANCE = 28;  // creatures
constexpr int32_t LEVER_REACH = 32;
constexpr int32_t STOMP_HEIGHT = 16;  // the player must be this far above
constexpr int32_t STOMP_BOUNCE_STEP = -5;

struct Spawner {
  int32_t tile, kind, direction, leftTile;
};
// Tile in the map, the object it becomes, its direction, and what the cell
// keeps: gates and levers leave their tile so they come back when rescanned.
constexpr Spawner SPAWNERS[] = {
    {9, KIND_WALKER, 0, TILE_EMPTY},         {11, KIND_WALKER, 1, TILE_EMPTY},
    {13, KIND_DEADLY_WALKER, 0, TILE_EMPTY}, {15, KIND_DEADLY_WALKER, 1, TILE_EMPTY},
    {33, KIND_FLOATER, 0, TILE_EMPTY},       {34, KIND_FLOATER, 1, TILE_EMPTY},
    {53, KIND_DEADLY_FLOATER, 0, 85},        {55, KIND_DEADLY_FLOATER, 1, 85},
    {58, KIND_GATE, 0, 58},                  {59, KIND_INVERSE_GATE, 0, 59},
    {77, KIND_LEVER_UP, 0, 77},              {79, KIND_LEVER_DOWN, 0, 79},
    {121, KIND_FAST_WALKER, 0, TILE_EMPTY},  {144, KIND_FAST_WALKER, 1, TILE_EMPTY},
};

// What the cell animators write, frame t of their sequence.
constexpr int32_t CRUMBLING_TILES[3] = {88, 89, 69};
constexpr int32_t SIDE_TRIGGER_TILES[3] = {86, 87, 105};
constexpr int32_t CHECKPOINT_TILES[3] = {17, 18, 19};
constexpr int32_t FALLING_FLOOR_TILES[6] = {22, 180, 181, 182, 183, 0};
constexpr int32_t BREAKING_BLOCK_TILES[6] = {40, 200, 201, 202, 203, 0};
constexpr int32_t BUMPED_BLOCK_TILES[6] = {20, 80, 100, 120, 20, 20};
constexpr int32_t LEVER_TILE = 77;  // 77 idle up, 78 touched, 79 idle down
// Gate tiles by leverState.
constexpr int32_t GATE_TILES[3] = {TILE_GATE_CLOSED, TILE_GATE_HALF, TILE_GATE_OPEN};
constexpr int32_t INVERSE_GATE_TILES[3] = {TILE_GATE_OPEN, TILE_GATE_HALF, TILE_GATE_CLOSED};

// Creature frames in gSheetKeyed by t (and direction).
constexpr int32_t WALKER_FRAMES[4] = {9, 10, 11, 10};
constexpr int32_t FLATTENED_FRAME = 12;
constexpr int32_t DEADLY_WALKER_FRAMES[2][2] = {{13, 14}, {15, 16}};
constexpr int32_t FLOATER_FRAMES[4] = {33, 57, 34, 57};
constexpr int32_t BURST_FRAMES[3] = {35, 36, 37};
constexpr int32_t DEADLY_FLOATER_FRAMES[2][2] = {{53, 54}, {55, 56}};
constexpr int32_t FAST_WALKER_FRAMES[2][4] = {{144, 143, 142, 141}, {121, 122, 123, 124}};
constexpr int32_t STUNNED_FRAME = 125, WAKING_FRAME = 126, WAKING_STEP = 12;

int32_t roundDownToCell(int32_t pixel) { return pixel & ~(CELL_SIZE - 1); }

// A screen y on the level's cell grid (the view may stop between rows).
int32_t onGridY(int32_t screenY) { return roundDownToCell(screenY + scrollY) - scrollY; }

bool isCellAnimator(int32_t kind) { return kind >= KIND_CRUMBLING_CELL; }

int32_t speedOf(int32_t kind) {
  switch (kind) {
    case KIND_WALKER:
    case KIND_DEADLY_WALKER:
    case KIND_FLOATER:
    case KIND_DEADLY_FLOATER:
      return 2;
    case KIND_FAST_WALKER:
      return 4;
    default:
      return 0;
  }
}

bool falls(int32_t kind) {
  return kind == KIND_WALKER || kind == KIND_FLATTENED_WALKER || kind == KIND_DEADLY_WALKER ||
         kind == KIND_FAST_WALKER || kind == KIND_STUNNED_FAST_WALKER;
}

// Creatures react to the player only while it is alive in play: the dying
// figure passes through everything, and other screens leave stale positions.
bool playerAlive() {
  return gameState == STATE_ON_GROUND || gameState == STATE_AIRBORNE || gameState == STATE_AIR_RELEASED ||
         gameState == STATE_AIR_REPRESSED || gameState == STATE_BONUS_JUMP;
}

bool animationTicks(int32_t kind) {
  if (isCellAnimator(kind)) return frameCounter % 2 == 0;
  if (kind == KIND_FAST_WALKER) return frameCounter % 3 == 0 || frameCounter % 5 == 0;
  return frameCounter % 5 == 0;
}

struct Update {
  int32_t x, y, t, d, kind, fallIndex;
  int32_t wx, wy;
  bool removed = false;
};

int32_t limitX(int32_t x) { return limitTo(x + 16 + scrollX, 17, levelWidth * CELL_SIZE - 16); }
int32_t limitY(int32_t y) {
  const int32_t wy = y + 16 + scrollY;
  const int32_t high = levelHeight * CELL_SIZE - 16;
  return wy > high ? high : wy;
}

// Walking until a wall turns it back, then falling and landing on the grid.
void move(Update& o) {
  const int32_t v = speedOf(o.kind);
  if (v > 0) {
    if (o.d == 0) {
      if (isSolid(o.wx - 17, o.wy + 17 - v)) {
        o.x = roundDownToCell(o.wx) - scrollX;
        o.d = 1;
      } else {
        o.x -= v;
      }
    } else if (isSolid(o.wx + 16, o.wy + 17 - v)) {
      o.x = roundDownToCell(o.wx) - scrollX;
      o.d = 0;
    } else {
      o.x += v;
    }
    o.wx = limitX(o.x);
  }
  if (!falls(o.kind)) return;
  if (!isSolid(o.wx - 16, o.wy + 17 - v) && !isSolid(o.wx + 15, o.wy + 17 - v)) {
    if (o.fallIndex < 1) o.fallIndex = 1;
    if (o.fallIndex < LAST_FALL_STEP) o.fallIndex += 1;
    o.y += gravityTable[LAST_FALL_STEP - limitTo(o.fallIndex, 0, LAST_FALL_STEP)];
  }
  const int32_t wy = limitY(o.y);
  if (isSolid(o.wx - 16, wy + 16) || isSolid(o.wx + 15, wy + 16)) {
    o.fallIndex = 0;
    o.y = onGridY(o.y + 16);
  }
}

bool touchesPlayer(const Update& o) {
  return playerAlive() && std::abs(playerX - o.x) < TOUCH_DISTANCE && std::abs(playerY - o.y) < TOUCH_DISTANCE;
}

// Walkers, floaters and fast walkers: a player clearly above stomps them,
// any other touch kills.
void stompable(Update& o) {
  if (o.kind == KIND_FLOATER) o.y = onGridY(o.y);
  if (o.t > 3) o.t = 0;
  if (!touchesPlayer(o)) return;
  if (o.y - STOMP_HEIGHT < playerY) {
    gameState = STATE_DYING;
    return;
  }
  if (gameState == STATE_AIR_REPRESSED) gameState = STATE_BONUS_JUMP;
  o.t = 0;
  if (o.kind == KIND_WALKER) playSound(SOUND_WALKER_STOMP);
  if (o.kind == KIND_FLOATER) playSound(SOUND_FLOATER_STOMP);
  if (o.kind == KIND_FAST_WALKER) {
    o.d ^= 1;
    playSound(SOUND_FAST_WALKER_STOMP);
  }
  o.kind += 1;
  jumpStep = STOMP_BOUNCE_STEP;
  playerY = onGridY(playerY);
}

void writeCell(const Update& o, int32_t tile) {
  const int32_t index = cellIndexAt(o.wx, o.wy);
  if (index >= 0) tileMap[size_t(index)] = tile;
}

void lever(Update& o) {
  if (std::abs(o.x - playerX) < LEVER_REACH && std::abs(o.y - playerY) < LEVER_REACH) {
    if (o.d == 0) {
      playSound(SOUND_LEVER);
      o.d = 1;
    }
    o.t = 1;
    if (o.kind == KIND_LEVER_UP && leverState < 2) leverState += 1;
    if (o.kind == KIND_LEVER_DOWN && leverState > 0) leverState -= 1;
  } else {
    // Let go: the lever turns over, so the next touch moves the gates back.
    if (o.d == 1) {
      o.d = 0;
      o.kind = o.kind == KIND_LEVER_UP ? KIND_LEVER_DOWN : KIND_LEVER_UP;
    }
    o.t = o.kind == KIND_LEVER_UP ? 0 : 2;
  }
  writeCell(o, LEVER_TILE + o.t);
}

void behave(Update& o) {
  const int32_t lever3 = limitTo(leverState, 0, 2);
  switch (o.kind) {
    case KIND_WALKER:
    case KIND_FLOATER:
    case KIND_FAST_WALKER:
      stompable(o);
      break;
    case KIND_DEADLY_WALKER:
    case KIND_DEADLY_FLOATER:
      if (o.kind == KIND_DEADLY_FLOATER) o.y = onGridY(o.y);
      if (o.t > 1) o.t = 0;
      if (touchesPlayer(o)) gameState = STATE_DYING;
      break;
    case KIND_BURSTING_FLOATER:
      o.removed = o.t > 2;
      break;
    case KIND_STUNNED_FAST_WALKER:
      if (o.t > 15) {
        o.t = 0;
        o.kind = KIND_FAST_WALKER;
      }
      break;
    case KIND_CRUMBLING_CELL:
    case KIND_SIDE_TRIGGER_CELL:
    case KIND_CHECKPOINT_CELL: {
      const int32_t* tiles = o.kind == KIND_CRUMBLING_CELL     ? CRUMBLING_TILES
                             : o.kind == KIND_SIDE_TRIGGER_CELL ? SIDE_TRIGGER_TILES
                                                                : CHECKPOINT_TILES;
      if (o.t > 2) {
        o.removed = true;
      } else {
        writeCell(o, tiles[o.t]);
      }
      break;
    }
    case KIND_LEVER_UP:
    case KIND_LEVER_DOWN:
      lever(o);
      break;
    case KIND_GATE:
      writeCell(o, GATE_TILES[lever3]);
      break;
    case KIND_INVERSE_GATE:
      writeCell(o, INVERSE_GATE_TILES[lever3]);
      break;
    case KIND_FALLING_FLOOR:
    case KIND_BREAKING_BLOCK:
    case KIND_BUMPED_BLOCK: {
      const int32_t* tiles = o.kind == KIND_FALLING_FLOOR    ? FALLING_FLOOR_TILES
                             : o.kind == KIND_BREAKING_BLOCK ? BREAKING_BLOCK_TILES
                                                             : BUMPED_BLOCK_TILES;
      if (o.kind == KIND_BUMPED_BLOCK && o.t > 4) o.t = 6;
      if (o.t < 6) {
        writeCell(o, tiles[o.t]);
      } else {
        o.removed = true;
      }
      break;
    }
    default:  // the flattened walker, and kinds no code makes
      break;
  }
}

// A cell animator's cell on tileLayer, drawn at once so the view shows it.
void redrawCell(const Update& o) {
  if (!tileLayer) return;
  const int32_t index = cellIndexAt(o.wx, o.wy);
  if (index < 0) return;
  const int32_t layerX = roundDownToCell(o.x + 63), layerY = roundDownToCell(o.y + 63);
  if (layerX < 0 || layerX >= LAYER_COLUMNS * CELL_SIZE || layerY < 0 || layerY >= LAYER_ROWS * CELL_SIZE) return;
  setClipRect(0, 0, 0, 0);
  gSheetOpaque.setPosition(layerX, layerY);
  gSheetOpaque.selectFrame(tileMap[size_t(index)]);
  gSheetOpaque.draw(*tileLayer);
}

int32_t frameOf(int32_t kind, int32_t t, int32_t d) {
  switch (kind) {
    case KIND_WALKER:
      return WALKER_FRAMES[t & 3];
    case KIND_FLATTENED_WALKER:
      return FLATTENED_FRAME;
    case KIND_DEADLY_WALKER:
      return DEADLY_WALKER_FRAMES[d][t & 1];
    case KIND_FLOATER:
      return FLOATER_FRAMES[t & 3];
    case KIND_BURSTING_FLOATER:
      return BURST_FRAMES[t < 2 ? t : 2];
    case KIND_DEADLY_FLOATER:
      return DEADLY_FLOATER_FRAMES[d][t & 1];
    case KIND_FAST_WALKER:
      return FAST_WALKER_FRAMES[d][t & 3];
    default:
      return t < WAKING_STEP ? STUNNED_FRAME : WAKING_FRAME;
  }
}

// The cell holding an object's centre as it stood before this frame's
// update moves it against the view (the view itself has already moved).
int32_t cellBeforeUpdate(const ActiveObject& node) {
  return cellIndexAt(node.x + 16 + scrollX - scrollDx, node.y + 16 + scrollY - scrollDy);
}

// Gates and levers keep their spawner tile in the map, so their cell is seen
// again by every later scan that reaches it: one object per cell.
bool cellHasAnimator(int32_t index) {
  for (const ActiveObject* node = activeObjects; node; node = node->next) {
    if (isCellAnimator(node->kind) && cellBeforeUpdate(*node) == index) return true;
  }
  return false;
}

// Turns the spawner tile of cell (column, row), if it holds one, into its object.
void spawnCell(int32_t column, int32_t row) {
  const int32_t index = cellIndexAt(column * CELL_SIZE, row * CELL_SIZE);
  if (index < 0) return;
  for (const Spawner& s : SPAWNERS) {
    if (tileMap[size_t(index)] != s.tile) continue;
    if (s.leftTile == s.tile && cellHasAnimator(index)) return;
    // The view has already moved in this frame, and the update that follows
    // moves every object against that movement: placed ahead by the same
    // amount, the object ends the frame exactly on its cell.
    addObject(column * CELL_SIZE - scrollX + scrollDx, row * CELL_SIZE - scrollY + scrollDy, s.kind,
              s.direction << DIR_SHIFT);
    tileMap[size_t(index)] = s.leftTile;
    return;
  }
}

}  // namespace

ActiveObject* addObject(int32_t x, int32_t y, int32_t kind, int32_t animDir) {
  activeObjects = new ActiveObject{x, y, animDir, 0, kind, activeObjects};
  return activeObjects;
}

void removeObjectAt(int32_t position) {
  ActiveObject** link = &activeObjects;
  for (int32_t p = 0; p < position && *link; p++) link = &(*link)->next;
  if (ActiveObject* node = *link) {
    *link = node->next;
    delete node;
  }
}

void freeObjects() {
  while (activeObjects) {
    ActiveObject* next = activeObjects->next;
    delete activeObjects;
    activeObjects = next;
  }
}

void spawnScan(int32_t mode) {
  const int32_t firstColumn = scrollX / CELL_SIZE - 1, lastColumn = firstColumn + LAYER_COLUMNS - 1;
  const int32_t firstRow = scrollY / CELL_SIZE - 1, lastRow = firstRow + LAYER_ROWS - 1;
  for (int32_t column = firstColumn; column <= lastColumn; column++) {
    const bool edgeColumn = column == firstColumn || column == lastColumn;
    if (mode == SPAWN_EDGE_COLUMNS && !edgeColumn) continue;
    for (int32_t row = firstRow; row <= lastRow; row++) {
      const bool edgeRow = row == firstRow || row == lastRow;
      if (mode == SPAWN_EDGE_ROWS && !edgeRow) continue;
      spawnCell(column, row);
    }
  }
}

void updateObjects() {
  int32_t p = 0;
  ActiveObject* node = activeObjects;
  while (node) {
    ActiveObject* next = node->next;
    Update o{node->x - scrollDx, node->y - scrollDy, node->animDir & ANIM_MASK, (node->animDir >> DIR_SHIFT) & 1,
             node->kind, node->fallIndex, 0, 0};
    o.wx = limitX(o.x);
    o.wy = limitY(o.y);

    if (o.x < FAR_LEFT || o.x > FAR_RIGHT || o.y < FAR_UP || o.y > FAR_DOWN) {
      // A gate's tile goes back into its cell, so it returns when rescanned.
      if (o.kind == KIND_GATE || o.kind == KIND_INVERSE_GATE) writeCell(o, o.kind + 2);
      removeObjectAt(p);
      node = next;
      continue;
    }
    if (gameState != STATE_PAUSED) move(o);
    if (animationTicks(o.kind)) o.t += 1;
    behave(o);
    if (o.removed) {
      removeObjectAt(p);
      node = next;
      continue;
    }
    if (isCellAnimator(o.kind)) redrawCell(o);
    node->x = o.x;
    node->y = o.y;
    node->animDir = (o.t & ANIM_MASK) | (o.d << DIR_SHIFT);
    node->fallIndex = o.fallIndex;
    node->kind = o.kind;
    p += 1;
    node = next;
  }
}

void drawObjects() {
  if (!backBuffer) return;
  for (const ActiveObject* node = activeObjects; node; node = node->next) {
    if (node->kind < KIND_WALKER || node->kind > KIND_STUNNED_FAST_WALKER) continue;
    gSheetKeyed.setPosition(node->x, node->y);
    gSheetKeyed.selectFrame(frameOf(node->kind, node->animDir & ANIM_MASK, (node->animDir >> DIR_SHIFT) & 1));
    gSheetKeyed.draw(*backBuffer);
  }
}
