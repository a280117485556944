// Play's own state: the level timer and its scale, the air supply and the
// sequence counter, the start of a level, with the headers of the grid,
// view, player and objects that the play frame ties together.
#pragma once

#include <cstdint>

#include "game/play/level_grid.h"
#include "game/play/objects.h"
#include "game/play/player.h"
#include "game/play/view.h"

// Where the player stands on screen when a start cell or checkpoint places
// the view, and where it stands without either.
constexpr int32_t PLAYER_START_X = 304;
constexpr int32_t PLAYER_START_Y = 176;
constexpr int32_t PLAYER_DEFAULT_XY = 64;

// The player is below the view past this y; the death motion ends past 999.
constexpr int32_t PLAYER_BELOW_VIEW_Y = 384;
constexpr int32_t PLAYER_GONE_Y = 1000;

constexpr int32_t AIR_FULL = 500;
// timeLeft is scaled into TIME_SCALED_MIN..TIME_SCALED_MAX by timeShift.
constexpr int32_t TIME_SCALED_MAX = 500;
constexpr int32_t TIME_SCALED_MIN = 250;
constexpr int32_t TIME_UNIT_FRAMES = 15;  // frames of a unit at timeShift 0
// Frames of STATE_LEVEL_DONE before the next screen is asked for.
constexpr int32_t LEVEL_DONE_FRAMES = 25;

extern int32_t timeLeft;       // time units left; also the time gauge's width
extern int32_t timeTicks;      // frames counted towards the next unit
extern int32_t timeShift;      // a unit lasts 15 x 2^timeShift frames
extern int32_t timeUnlimited;  // 1: the time never runs down
extern int32_t airLeft;        // 0..500; also the air gauge's width
// Frames spent in STATE_LEVEL_DONE; 1 once a death has started; 2 in water.
extern int32_t sequenceCounter;

// A start cell named on the command line (glimb --start): while level
// startCellLevel is played without a checkpoint, the player starts on cell
// (startCellColumn, startCellRow) instead of the level's own start tile.
// startCellLevel -1: no start cell.
extern int32_t startCellLevel;
extern int32_t startCellColumn;
extern int32_t startCellRow;

// The level's time in units before scaling: the time-step table for
// levelWidth and levelFlags, then the difficulty's factor.
int32_t levelStartTime();
// timeLeft, timeShift and timeUnlimited for the level just loaded.
void setLevelTime();
// Frames of one time unit at the current timeShift.
int32_t timeUnitFrames();
// Starts level levelIndex (STATE_LEVEL_START): false when the level could
// not be read, and the title menu has been asked for instead.
bool startLevel();
