// What tiles do: the rules that change cells when a level starts (extra
// lives on Hard, difficulty blocks, animation frames put back to their
// first), and the effects of the cells the player touches at centre height.
#include "game/game_vars.h"
#include "game/play/play.h"
#include "game/progress.h"
#include "game/shell.h"

namespace {

constexpr int32_t TILE_SWITCH_USED = 72;
constexpr int32_t TILE_SWITCH = 73;
constexpr int32_t TILE_SIDE_TRIGGER = 86;
constexpr int32_t TILE_SIDE_TRIGGER_HIT = 87;
// Difficulty blocks: a closed gate on their own difficulty, open otherwise;
// the inverse blocks the other way round. Indexed by difficulty.
constexpr int32_t DIFFICULTY_BLOCKS[3] = {74, 75, 76};
constexpr int32_t INVERSE_DIFFICULTY_BLOCKS[3] = {92, 93, 94};

int32_t roundDownToCell(int32_t pixel) { return pixel & ~(CELL_SIZE - 1); }

}  // namespace

int32_t startTileRule(int32_t tile) {
  if (tile == TILE_EXTRA_LIFE && difficulty == DIFFICULTY_HARD && !(levelFlags & LEVEL_KEEP_LIVES_HARD)) {
    return TILE_EMPTY;
  }
  if (tile == TILE_SWITCH) return TILE_SWITCH_USED;
  if (tile == TILE_SIDE_TRIGGER_HIT) return TILE_SIDE_TRIGGER;
  for (int32_t d = DIFFICULTY_EASY; d <= DIFFICULTY_HARD; d++) {
    if (tile == DIFFICULTY_BLOCKS[d]) return difficulty == d ? TILE_GATE_CLOSED : TILE_GATE_OPEN;
    if (tile == INVERSE_DIFFICULTY_BLOCKS[d]) return difficulty == d ? TILE_GATE_OPEN : TILE_GATE_CLOSED;
  }
  return tile;
}

void runTouchEffects() {
  const int32_t wx = limitTo(playerX + 16 + scrollX, 17, levelWidth * CELL_SIZE - 16);
  const int32_t wy = limitTo(playerY + 16 + scrollY, 0, levelHeight * CELL_SIZE - 1);
  // The three cells are read once: a cell taken below is not looked at again
  // in this frame.
  const int32_t left = cellAt(wx - 16, wy);
  const int32_t right = cellAt(wx + 15, wy);
  const int32_t middle = cellAt(wx, wy);
  const int32_t middleIndex = cellIndexAt(wx, wy);
  const int32_t leftClass = tileClassOf(left);
  const int32_t rightClass = tileClassOf(right);
  const int32_t middleClass = tileClassOf(middle);
  const int32_t middleX = roundDownToCell(wx);
  const int32_t middleY = roundDownToCell(wy);

  // Wall push: line the player up with the cell that holds its centre.
  if (leftClass == CLASS_SOLID || rightClass == CLASS_SOLID) playerX = middleX - scrollX;

  // Crumbling: remember the first crumbling cell passed; once neither side
  // touches one any more, that cell (and only that one) decays.
  if (leftClass == CLASS_CRUMBLING || rightClass == CLASS_CRUMBLING) {
    if (crumbleCellX == 0) {
      crumbleCellX = leftClass == CLASS_CRUMBLING ? roundDownToCell(wx - 16) : roundDownToCell(wx + 15);
      crumbleCellY = middleY;
    }
  } else if (crumbleCellX > 0) {
    playSound(SOUND_CRUMBLE);
    addObject(crumbleCellX - scrollX, crumbleCellY - scrollY, KIND_CRUMBLING_CELL, 0);
    crumbleCellX = 0;
    crumbleCellY = 0;
  }

  if (middleClass == CLASS_PICKUP) {
    pickupCount += 1;
    const int32_t need = difficulty * PICKUPS_PER_LIFE_STEP + PICKUPS_PER_LIFE_BASE;
    if (pickupCount < need) {
      playSound(SOUND_PICKUP);
    } else {
      playSound(SOUND_EXTRA_LIFE);
      pickupCount -= need;
      lives += 1;
    }
    clearCell(middleIndex);
  }

  if (middle == TILE_EXTRA_LIFE) {
    playSound(SOUND_EXTRA_LIFE);
    lives += 1;
    clearCell(middleIndex);
  }

  if (middleClass == CLASS_CHECKPOINT) {
    playSound(SOUND_CHECKPOINT);
    addObject(middleX - scrollX, middleY - scrollY, KIND_CHECKPOINT_CELL, 0);
    // A restart puts the player, at screen (304, 176), on this cell.
    checkpointScrollX = middleX - PLAYER_START_X;
    checkpointScrollY = middleY - PLAYER_START_Y;
  }

  if (middleClass == CLASS_EXIT) {
    playSound(SOUND_EXIT);
    gameState = STATE_LEVEL_DONE;
    checkpointScrollX = 0;
    checkpointScrollY = 0;
    prevFineX = 0;
    levelIndex += 1;
    // The next level is reached (the last one stays the furthest there is).
    recordLevelReached(worldProgressKey, difficulty, levelIndex < levelCount ? levelIndex + 1 : levelCount);
  }

  // A side trigger rings in the cell the probe touched. (A point nearer the
  // centre can still lie in the player's own cell at run speed, which would
  // ring that cell and leave a second bell there.)
  if (leftClass == CLASS_SIDE_TRIGGER) {
    playSound(SOUND_SIDE_TRIGGER);
    addObject(roundDownToCell(wx - 16) - scrollX, middleY - scrollY, KIND_SIDE_TRIGGER_CELL, 0);
  }
  if (rightClass == CLASS_SIDE_TRIGGER) {
    playSound(SOUND_SIDE_TRIGGER);
    addObject(roundDownToCell(wx + 15) - scrollX, middleY - scrollY, KIND_SIDE_TRIGGER_CELL, 0);
  }

  if (leftClass == CLASS_DEADLY || rightClass == CLASS_DEADLY) gameState = STATE_DYING;

  // Water: one unit of air a frame; the splash only on entering, since the
  // counter stays 2 while in water. Out of it the air refills two a frame.
  if (middleClass == CLASS_WATER) {
    if (sequenceCounter == 0) {
      sequenceCounter = 2;
      playSound(SOUND_SPLASH);
    }
    airLeft -= 1;
  } else if (airLeft < AIR_FULL) {
    if (sequenceCounter == 2) sequenceCounter = 0;
    airLeft += 2;
  } else {
    airLeft = AIR_FULL;
  }
}
