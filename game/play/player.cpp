// The player's state, its step in normal play (walking, jumping, the ceiling,
// falling and landing, then the touch effects) and its death motion: a leap,
// a backwards drift and a fall through everything.
#include "game/play/player.h"

#include "game/play/play.h"
#include "game/shell.h"
#include "media/sound.h"

int32_t playerX = 0;
int32_t playerY = 0;
int32_t playerFacing = FACING_RIGHT;
int32_t walkFrame = 0;
int32_t jumpStep = 0;
int32_t jumpRise = 0;

namespace {

constexpr int32_t RUN_SPEED = 4;
constexpr int32_t WALK_SPEED = 2;
constexpr int32_t JUMP_RISE = 100;     // pixels of a full jump
constexpr int32_t JUMP_FIRST_STEP = -20;
constexpr int32_t FALL_FIRST_STEP = 3;  // the first falling frame already uses step 3
constexpr int32_t LAST_STEP = 19;
constexpr int32_t DEATH_DRIFT = 4;

bool held(int32_t binding) { return keyState[keyBindings[binding]] != 0; }

int32_t roundDownToCell(int32_t pixel) { return pixel & ~(CELL_SIZE - 1); }

// A screen y put on the cell grid of the level: where the view stops at a
// scrollY that is not a multiple of 32, rounding the screen y alone would
// lift the player off the ground it stands on, every frame.
int32_t onGridY(int32_t screenY) { return roundDownToCell(screenY + scrollY) - scrollY; }

// gravityTable read with a step kept inside the table.
int32_t gravityAt(int32_t index) { return gravityTable[limitTo(index, 0, LAST_STEP)]; }

int32_t centreX() { return limitTo(playerX + 16 + scrollX, 17, levelWidth * CELL_SIZE - 16); }

void advanceWalkFrame() {
  walkFrame += 1;
  if (walkFrame > 3) walkFrame = 0;
}

bool feetOnSolid(int32_t wx, int32_t wy) { return isSolid(wx - 16, wy + 16) || isSolid(wx + 15, wy + 16); }

// Head against a ceiling: the player's top goes just below the cell over the
// centre, which breaks (40) or bumps (20) when it is one of those blocks.
void hitCeiling(int32_t wx, int32_t headY) {
  const int32_t cellX = roundDownToCell(wx);
  const int32_t cellY = roundDownToCell(headY);
  playerY = cellY + CELL_SIZE - scrollY;
  const int32_t tile = cellAt(wx, headY);
  if (tile == TILE_BREAKABLE) {
    playSound(SOUND_BREAK);
    addObject(cellX - scrollX, cellY - scrollY, KIND_BREAKING_BLOCK, 0);
  } else if (tile == TILE_BUMP_BLOCK) {
    playSound(SOUND_BUMP);
    addObject(cellX - scrollX, cellY - scrollY, KIND_BUMPED_BLOCK, 0);
  }
  jumpRise = 0;
  jumpStep = 0;
}

void moveInAir(int32_t wx, int32_t wy) {
  if (gameState < STATE_AIR_RELEASED) gameState = STATE_AIRBORNE;
  if (jumpStep < 0) {
    const int32_t hy = limitTo(playerY + 16 + scrollY, 17, levelHeight * CELL_SIZE);
    if (isSolid(wx - 16, hy - 17) || isSolid(wx + 15, hy - 17)) {
      hitCeiling(wx, hy - 17);
      return;
    }
    const int32_t rise = gravityAt(20 + jumpStep);
    playerY -= rise;
    jumpRise -= rise;
    jumpStep = jumpRise == 0 ? 0 : jumpStep + 1;
    return;
  }
  if (jumpStep < LAST_STEP) jumpStep += 1;
  if (!feetOnSolid(wx, wy)) {
    if (jumpStep < FALL_FIRST_STEP) jumpStep = FALL_FIRST_STEP;
    playerY += gravityAt(20 - jumpStep);
  }
}

void land(int32_t wx, bool jumpHeld) {
  const int32_t wy = limitTo(playerY + 16 + scrollY, 0, levelHeight * CELL_SIZE - 17);
  if (!feetOnSolid(wx, wy)) return;
  jumpRise = 0;
  jumpStep = 0;
  if (!jumpHeld) gameState = STATE_ON_GROUND;
  playerY = onGridY(playerY);
  if (cellAt(wx, wy + 16) == TILE_FALLING_FLOOR) {
    addObject(roundDownToCell(wx) - scrollX, playerY + CELL_SIZE, KIND_FALLING_FLOOR, 0);
  }
}

}  // namespace

void runPlayerStep() {
  int32_t wx = centreX();
  int32_t wy = limitTo(playerY + 16 + scrollY, 17, levelHeight * CELL_SIZE - 16);
  const int32_t speed = held(BIND_WALK) ? WALK_SPEED : RUN_SPEED;
  // Just outside the box, near its bottom; both looked at before moving.
  const bool leftBlocked = isSolid(wx - 17, wy + 17 - speed);
  const bool rightBlocked = isSolid(wx + 16, wy + 17 - speed);
  const bool left = held(BIND_LEFT), right = held(BIND_RIGHT), jump = held(BIND_JUMP);

  if (left) {
    playerFacing = FACING_LEFT;
    advanceWalkFrame();
    if (!leftBlocked && playerX > 0) playerX -= speed;
  }
  if (right) {
    playerFacing = FACING_RIGHT;
    advanceWalkFrame();
    if (!rightBlocked && playerX < VIEW_WIDTH) playerX += speed;
  }
  if (!left && !right) walkFrame = WALK_FRAME_STANDING;

  // A jump needs a fresh press: held Jump on landing keeps an air state.
  if (!jump) {
    if (gameState == STATE_AIRBORNE) gameState = STATE_AIR_RELEASED;
  } else if (gameState == STATE_AIR_RELEASED) {
    gameState = STATE_AIR_REPRESSED;
  } else if ((gameState == STATE_ON_GROUND && feetOnSolid(wx, wy)) || gameState == STATE_BONUS_JUMP) {
    jumpRise = JUMP_RISE;
    jumpStep = JUMP_FIRST_STEP;
    gameState = STATE_AIRBORNE;
  }

  wx = centreX();
  wy = limitTo(playerY + 16 + scrollY, 0, levelHeight * CELL_SIZE - 17);
  if (!isSolid(wx, wy + 16) || gameState == STATE_AIRBORNE) moveInAir(wx, wy);
  land(wx, jump);
  runTouchEffects();
}

void runDeathMotion() {
  if (sequenceCounter != 1) {
    playSound(SOUND_DEATH);
    if (playerY < PLAYER_BELOW_VIEW_Y) jumpStep = JUMP_FIRST_STEP;  // the death leap, unless fallen out
    sequenceCounter = 1;
  }
  playerX += playerFacing == FACING_LEFT ? DEATH_DRIFT : -DEATH_DRIFT;
  playerY += jumpStep < 0 ? -gravityAt(20 + jumpStep) : gravityAt(LAST_STEP - jumpStep);
  if (jumpStep < LAST_STEP) jumpStep += 1;
}
