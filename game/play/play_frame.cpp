// The play frame (gameState STATE_LEVEL_DONE and above): the level timer,
// the level start, the controls, the play sub-states, the gauges, the view,
// the status line and big messages, and the hand-overs to other screens.
#include <cstdio>
#include <cstring>

#include "game/frame_loop.h"
#include "game/game_vars.h"
#include "game/handlers.h"
#include "game/play/play.h"
#include "game/shell.h"
#include "media/sprite_surface.h"
#include "media/text.h"

int32_t timeLeft = 0;
int32_t timeTicks = 0;
int32_t timeShift = 0;
int32_t timeUnlimited = 0;
int32_t airLeft = AIR_FULL;
int32_t sequenceCounter = 0;
int32_t startCellLevel = -1;
int32_t startCellColumn = 0;
int32_t startCellRow = 0;

namespace {

// Level time per time step, in multiples of twice the level's width; the
// unlimited step and the tick-time flag are handled apart.
constexpr double TIME_FACTORS[TIME_STEP_UNLIMITED] = {0.6, 0.75, 0.9, 1.0, 1.25, 1.5, 1.75, 2.0,
                                                      2.25, 2.5, 2.75, 3.0, 3.25, 3.3, 3.6};
constexpr int32_t TICK_TIME_UNITS = 60;  // units per step with LEVEL_TICK_TIME
constexpr double HARD_TIME_FACTOR = 0.75;
constexpr double EASY_TIME_FACTOR = 1.5;

// The joystick's stick deflection beyond which the player runs.
constexpr int32_t JOY_RUN_DEFLECTION = 500;

// Status line and messages.
constexpr int32_t STATUS_Y = 384;
constexpr int32_t MESSAGE_Y = 184;
constexpr int32_t LIVES_SHOWN_MAX = 9;
constexpr int32_t PICKUPS_SHOWN_MAX = 99;
constexpr char SYMBOL_LIVES = 2;
constexpr char SYMBOL_PICKUPS = 1;

// The gauges: the sky rows, then the time and air gauges below the view.
constexpr int32_t SKY_ROWS = 112;
constexpr int32_t TIME_GAUGE_TOP = 112, AIR_GAUGE_TOP = 118, GAUGE_ROWS = 6;
constexpr int32_t TIME_GAUGE_Y = 386, AIR_GAUGE_Y = 394;

bool held(int32_t binding) { return keyState[keyBindings[binding]] != 0; }

// Moves one axis of the view back inside 0..maxScroll, moving the player on
// screen by the same amount so that its place in the level stays.
void holdViewInside(int32_t& scroll, int32_t& player, int32_t maxScroll) {
  if (scroll < 0) {
    player += scroll;
    scroll = 0;
  }
  if (scroll > maxScroll) {
    player += scroll - maxScroll;
    scroll = maxScroll;
  }
}

// Places the player and the view from the start cell, or from the stored
// checkpoint, applying the start-of-level tile rules to every cell.
void placePlayer() {
  scrollX = checkpointScrollX;
  scrollY = checkpointScrollY;
  playerX = PLAYER_START_X;
  playerY = PLAYER_START_Y;
  playerFacing = FACING_RIGHT;
  bool found = false;
  for (size_t index = 0; index < tileMap.size(); index++) {
    int32_t& tile = tileMap[index];
    // Only without a checkpoint (scrollX is never 0 once a start cell or a
    // checkpoint has placed the view).
    if ((tile == TILE_START_RIGHT || tile == TILE_START_LEFT) && scrollX == 0 && !found) {
      scrollX = int32_t(index / size_t(levelHeight)) * CELL_SIZE - PLAYER_START_X;
      scrollY = int32_t(index % size_t(levelHeight)) * CELL_SIZE - PLAYER_START_Y;
      found = true;
      if (tile == TILE_START_LEFT) playerFacing = FACING_LEFT;
      tile = TILE_EMPTY;
      continue;
    }
    tile = startTileRule(tile);
  }
  // A start cell from the command line stands in for the start tile, which
  // is used up all the same so that no second player figure shows. A cell
  // outside the level is not used.
  const bool startCellHere = startCellLevel == levelIndex && checkpointScrollX == 0 &&
                             checkpointScrollY == 0 && startCellColumn >= 0 && startCellRow >= 0 &&
                             startCellColumn < levelWidth && startCellRow < levelHeight;
  if (startCellHere) {
    scrollX = startCellColumn * CELL_SIZE - PLAYER_START_X;
    scrollY = startCellRow * CELL_SIZE - PLAYER_START_Y;
    found = true;
  }
  if (scrollX == 0 && !found) {
    playerX = PLAYER_DEFAULT_XY;
    playerY = PLAYER_DEFAULT_XY;
  }

  // Keep the player's world position while the view is held inside the level.
  holdViewInside(scrollX, playerX, levelWidth * CELL_SIZE - VIEW_WIDTH);
  holdViewInside(scrollY, playerY, levelHeight * CELL_SIZE - VIEW_HEIGHT);

  // The checkpoint the player restarts at shows as reached.
  const int32_t under = cellIndexAt(scrollX + playerX, scrollY + playerY);
  if (under >= 0 && tileMap[size_t(under)] == TILE_CHECKPOINT) tileMap[size_t(under)] = TILE_CHECKPOINT_REACHED;
}

// Small stick deflections walk, full ones run; buttons press their keys.
void mergeJoystick() {
  if (!joystickPresent) return;
  if (joyState.lX < 0) {
    keyState[keyBindings[BIND_LEFT]] = 1;
    if (joyState.lX > -JOY_RUN_DEFLECTION) keyState[keyBindings[BIND_WALK]] = 1;
  }
  if (joyState.lX > 0) {
    keyState[keyBindings[BIND_RIGHT]] = 1;
    if (joyState.lX < JOY_RUN_DEFLECTION) keyState[keyBindings[BIND_WALK]] = 1;
  }
  constexpr int32_t BUTTON_KEYS[JOY_BINDING_COUNT] = {BIND_JUMP, BIND_WALK, BIND_PAUSE, BIND_RETRY, BIND_QUIT};
  for (int32_t i = 0; i < JOY_BINDING_COUNT; i++) {
    if (joyBindings[i] < JOY_MAX_BUTTONS && joyState.rgbButtons[joyBindings[i]]) {
      keyState[keyBindings[BUTTON_KEYS[i]]] = 1;
    }
  }
}

void advanceTimer() {
  timeTicks += 1;
  const int32_t threshold = timeUnitFrames();
  if (timeTicks >= threshold) {
    timeTicks -= threshold;
    if (gameState >= STATE_ON_GROUND && gameState != STATE_DYING && timeUnlimited == 0) timeLeft -= 1;
  }
}

void levelDone() {
  sequenceCounter += 1;
  if (sequenceCounter > LEVEL_DONE_FRAMES) {
    fadeMode = FADE_TO_BLACK;
    pendingState = levelIndex < levelCount ? STATE_LEVEL_INTRO : STATE_CONGRATULATIONS;
  }
}

void playKeys() {
  // The pad in use unplugged pauses the game as the Pause key does.
  if (held(BIND_PAUSE) || joystickLost) {
    joystickLost = 0;
    gameState = STATE_PAUSED;
    waitUntilNothingHeld();
  }
  if (held(BIND_RETRY)) gameState = STATE_DYING;
  if (debugMode != 1) return;
  if (keyState[KEY_F1] && levelIndex > 0) {
    gameState = STATE_LEVEL_DONE;
    levelIndex -= 1;
  }
  if (keyState[KEY_F2] && levelIndex + 1 < levelCount) {
    gameState = STATE_LEVEL_DONE;
    levelIndex += 1;
  }
  if (keyState[KEY_F3]) timeLeft = TIME_SCALED_MAX;
  if (keyState[KEY_F4]) airLeft = AIR_FULL;
  if (keyState[KEY_F5]) lives += 1;
}

void advancePlay() {
  switch (gameState) {
    case STATE_LEVEL_DONE:
      levelDone();
      break;
    case STATE_DYING:
      if (playerY < PLAYER_GONE_Y) {
        runDeathMotion();
      } else if (lives < 1) {
        gameState = STATE_GAME_OVER;
      }
      break;
    case STATE_PAUSED:
      if (!nothingPressed(0)) {
        waitUntilNothingHeld();
        gameState = STATE_ON_GROUND;
      }
      break;
    case STATE_GAME_OVER:
      break;
    default:
      runPlayerStep();
      scrollView();
      playKeys();
      break;
  }
}

void drawGauges() {
  if (!gaugeSurface || !backBuffer) return;
  backBuffer->bltFast(0, 0, *gaugeSurface, Rect{0, 0, VIEW_WIDTH, SKY_ROWS}, false);
  const int32_t timeWidth = timeLeft > 0 ? timeLeft : 0;
  const int32_t airWidth = airLeft > 0 ? airLeft : 0;
  backBuffer->bltFast(0, TIME_GAUGE_Y, *gaugeSurface, Rect{0, TIME_GAUGE_TOP, timeWidth, TIME_GAUGE_TOP + GAUGE_ROWS},
                      false);
  backBuffer->bltFast(0, AIR_GAUGE_Y, *gaugeSurface, Rect{0, AIR_GAUGE_TOP, airWidth, AIR_GAUGE_TOP + GAUGE_ROWS},
                      false);
}

void drawStatusLine() {
  setClipRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  if (lives > LIVES_SHOWN_MAX) lives = LIVES_SHOWN_MAX;
  if (pickupCount > PICKUPS_SHOWN_MAX) pickupCount = PICKUPS_SHOWN_MAX;
  int length = std::snprintf(sharedText, sizeof sharedText, "%cx%i %cx%02i", SYMBOL_LIVES, int(lives),
                             SYMBOL_PICKUPS, int(pickupCount));
  if (length < 0) return;
  drawTextSmall(SCREEN_WIDTH - TEXT_SMALL_CELL * length, STATUS_Y, sharedText);
}

void showMessages() {
  if (gameState == STATE_PAUSED) {
    drawTextLarge(224, MESSAGE_Y, "PAUSED");
  } else if (gameState == STATE_GAME_OVER) {
    drawTextLarge(176, MESSAGE_Y, "GAME OVER");
  } else if (airLeft < 1) {
    gameState = STATE_DYING;
    drawTextLarge(128, MESSAGE_Y, "YOU DROWNED\\");
  } else if (timeLeft < 1) {
    gameState = STATE_DYING;
    drawTextLarge(128, MESSAGE_Y, "OUT OF TIME\\");
  }
}

}  // namespace

int32_t levelStartTime() {
  const int32_t step = levelTimeStep(int32_t(levelFlags));
  double units;
  if (step >= TIME_STEP_UNLIMITED) {
    units = TIME_SCALED_MAX;
  } else if (levelFlags & LEVEL_TICK_TIME) {
    units = double((step + 1) * TICK_TIME_UNITS);
  } else {
    units = double(int32_t(double(levelWidth) * 2.0 * TIME_FACTORS[step]));
  }
  if (difficulty == DIFFICULTY_HARD) units = double(int32_t(units * HARD_TIME_FACTOR));
  if (difficulty == DIFFICULTY_EASY) units = double(int32_t(units * EASY_TIME_FACTOR));
  return int32_t(units);
}

void setLevelTime() {
  timeUnlimited = levelTimeStep(int32_t(levelFlags)) >= TIME_STEP_UNLIMITED ? 1 : 0;
  timeLeft = levelStartTime();
  // A level of a single column on Hard can compute no time at all, which no
  // doubling would bring up to the gauge's range: it gets one unit.
  if (timeLeft < 1) timeLeft = 1;
  timeShift = 0;
  while (timeLeft > TIME_SCALED_MAX) {
    timeLeft >>= 1;
    timeShift += 1;
  }
  while (timeLeft < TIME_SCALED_MIN) {
    timeLeft <<= 1;
    timeShift -= 1;
  }
}

int32_t timeUnitFrames() {
  if (timeShift >= 0) return timeShift < 16 ? TIME_UNIT_FRAMES << timeShift : INT32_MAX;
  return -timeShift < 31 ? TIME_UNIT_FRAMES >> -timeShift : 0;
}

bool startLevel() {
  leverState = 0;
  freeObjects();
  if (loadLevel(levelIndex) != 0) {
    // The world changed or went away since it was chosen: back to the menu
    // rather than playing a level that is not there.
    pendingState = STATE_TITLE_MENU;
    fadeMode = FADE_TO_WHITE;
    return false;
  }
  crumbleCellX = 0;
  crumbleCellY = 0;
  placePlayer();
  airLeft = AIR_FULL;
  setLevelTime();
  gameState = STATE_ON_GROUND;
  layersValid = 0;
  timeTicks = 0;
  sequenceCounter = 0;
  walkFrame = 0;
  prevFineX = 0;
  prevFineY = 0;
  return true;
}

void runPlayFrame() {
  if (!appActive || !running) return;
  advanceTimer();
  if (surfacesRestored) {
    layersValid = 0;
    surfacesRestored = 0;
  }
  if (gameState == STATE_LEVEL_START && !startLevel()) return;
  if (paletteSettled == 0 && fadeMode == 0) fadeMode = FADE_IN;
  mergeJoystick();
  if (playerY > PLAYER_BELOW_VIEW_Y) gameState = STATE_DYING;
  scrollDx = 0;
  scrollDy = 0;
  advancePlay();
  drawGauges();
  updateLayers();
  if (gameState != STATE_LEVEL_DONE) updateObjects();
  composeView();
  drawStatusLine();
  showMessages();
  if (gameState == STATE_DYING && playerY > PLAYER_GONE_Y - 1 && lives > 0) {
    lives -= 1;
    pickupCount = 0;
    pendingState = STATE_LEVEL_INTRO;
    fadeMode = FADE_TO_BLACK;
  }
  if (held(BIND_QUIT)) {
    pendingState = STATE_TITLE_MENU;
    fadeMode = FADE_TO_WHITE;
  }
  if (gameState == STATE_GAME_OVER && !nothingPressed(0)) {
    pendingState = STATE_TITLE_MENU;
    fadeMode = FADE_TO_WHITE;
  }
}
