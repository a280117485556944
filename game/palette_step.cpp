// Palette fades and colour cycling. A fade changes currentPalette one step a
// frame and completes in the first frame that changes nothing; only then does
// the pending state take over.
#include "game/palette_step.h"

#include <cstring>

#include "game/shell.h"

namespace {

constexpr int32_t WHITE_STEP = 32;
constexpr int32_t WHITE_LIMIT = 223;  // below it a component still moves up
constexpr int32_t BLACK_STEP = 8;
constexpr int32_t BLACK_LIMIT = 8;  // above it a component still moves down
constexpr int32_t FADE_IN_UP = 16;
constexpr int32_t FADE_IN_DOWN = 8;

constexpr int32_t CYCLE_FIRST = 248;
constexpr int32_t CYCLE_COUNT = 6;
constexpr uint8_t CYCLE_DARK = 0;
constexpr uint8_t CYCLE_BRIGHT = 127;
// Per phase: the entry whose blue goes dark and the one that goes bright.
constexpr int32_t CYCLE_TABLE[CYCLE_COUNT][2] = {{248, 253}, {249, 252}, {250, 251},
                                                 {251, 250}, {252, 249}, {253, 248}};

// One component's step; true when it changed by a counted step.
bool stepComponent(int32_t mode, uint8_t& v, uint8_t target) {
  int32_t value = v;
  switch (mode) {
    case FADE_TO_WHITE:
      if (value < WHITE_LIMIT) {
        v = uint8_t(value + WHITE_STEP);
        return true;
      }
      v = 255;
      return false;
    case FADE_TO_BLACK:
      if (value > BLACK_LIMIT) {
        v = uint8_t(value - BLACK_STEP);
        return true;
      }
      v = 0;
      return false;
    case FADE_IN:
      if (value < int32_t(target) - FADE_IN_UP) {
        v = uint8_t(value + FADE_IN_UP);
        return true;
      }
      if (value > int32_t(target) + FADE_IN_DOWN) {
        v = uint8_t(value - FADE_IN_DOWN);
        return true;
      }
      v = target;
      return false;
    default:
      return false;
  }
}

}  // namespace

void fadeStep() {
  int32_t mode = fadeMode & ~FADE_RUNNING;
  int32_t changes = 0;
  for (int32_t i = 0; i < PALETTE_SIZE; i++) {
    PaletteEntry& e = currentPalette[i];
    const PaletteEntry& t = targetPalette[i];
    changes += stepComponent(mode, e.red, t.red);
    changes += stepComponent(mode, e.green, t.green);
    changes += stepComponent(mode, e.blue, t.blue);
  }
  if (mode == FADE_IN && changes == 0) paletteSettled = 1;
  if (changes == 0) {
    if (mode != FADE_IN && backBuffer) backBuffer->fillAll(0);
    if (pendingState != 0) {
      gameState = pendingState;
      pendingState = 0;
    }
    fadeMode = 0;
  }
  setDisplayPalette(0, PALETTE_SIZE, currentPalette);
}

void cycleColours() {
  if ((frameCounter & 1) == 0 || gameState <= STATE_INTRO) return;
  targetPalette[CYCLE_TABLE[cyclePhase][0]].blue = CYCLE_DARK;
  targetPalette[CYCLE_TABLE[cyclePhase][1]].blue = CYCLE_BRIGHT;
  cyclePhase = cyclePhase >= CYCLE_COUNT - 1 ? 0 : cyclePhase + 1;
  setDisplayPalette(CYCLE_FIRST, CYCLE_COUNT, targetPalette + CYCLE_FIRST);
}

void paletteStep() {
  if (fadeMode & FADE_RUNNING) {
    fadeStep();
  } else if (fadeMode == FADE_RESTORE) {
    std::memcpy(currentPalette, targetPalette, sizeof currentPalette);
    paletteSettled = 1;
    setDisplayPalette(0, PALETTE_SIZE, targetPalette);
    fadeMode = 0;
  } else if (fadeMode != 0) {
    fadeMode |= FADE_RUNNING;
    paletteSettled = 0;
  } else {
    cycleColours();
  }
}
