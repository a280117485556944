// The level intro shown before every level and after every lost life
// (STATE_LEVEL_INTRO): six lines about the world, the level and the game
// slide in from the right; a key pressed after all were released starts the level.
#include <cstdio>
#include <cstring>

#include "game/front/intermission.h"
#include "game/frame_loop.h"
#include "game/game_vars.h"
#include "game/handlers.h"
#include "media/sprite_surface.h"
#include "media/text.h"

int32_t levelIntroFirstFrame = 1;
int32_t levelIntroX = 0;

namespace {

// The slide stops here, so the last line rests at 160 rather than centred.
constexpr int32_t LEVEL_INTRO_STOP_X = -160;
constexpr int32_t LINE_LAG = 64;  // each line follows the one above this far behind

constexpr int32_t WORLD_NAME_Y = 64;
constexpr int32_t AUTHOR_Y = 112;
constexpr int32_t LEVEL_Y = 160;
constexpr int32_t LIVES_Y = 192;
constexpr int32_t DIFFICULTY_Y = 224;
constexpr int32_t PROMPT_Y = 272;

// Line i comes in at levelIntroX + 64 i and stops at its centred position.
void drawLine(int32_t i, const char* text, bool large, int32_t y) {
  int32_t n = int32_t(std::strlen(text));
  int32_t centred = large ? centredLargeX(n) : centredSmallX(n);
  int32_t arriving = levelIntroX + LINE_LAG * i;
  int32_t x = centred > arriving ? centred : arriving;
  if (large) {
    drawTextLarge(x, y, text);
  } else {
    drawTextSmall(x, y, text);
  }
}

const char* difficultyName() {
  if (difficulty == DIFFICULTY_HARD) return "Hard";
  if (difficulty == DIFFICULTY_NORMAL) return "Normal";
  return "Easy";
}

}  // namespace

void runLevelIntro() {
  // A key still held from the screen before (the jump that finished the
  // level, the menu's Enter) must not start the level.
  if (levelIntroFirstFrame == 1) {
    waitUntilNothingHeld();
    levelIntroX = SLIDE_IN_X;
    levelIntroFirstFrame = 0;
  }
  if (levelIntroX > LEVEL_INTRO_STOP_X) levelIntroX -= SLIDE_IN_STEP;
  if (paletteSettled == 0) fadeMode = FADE_RESTORE;

  // Whatever screen ran before, lines entering at the right edge show the
  // part of their first cell that is already on the screen.
  setClipRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  drawLine(0, worldName.c_str(), true, WORLD_NAME_Y);
  drawLine(1, worldAuthor.c_str(), false, AUTHOR_Y);
  std::snprintf(sharedText, sizeof sharedText, "Level %i of %i", levelIndex + 1, levelCount);
  drawLine(2, sharedText, false, LEVEL_Y);
  std::snprintf(sharedText, sizeof sharedText, "Lives: %i", lives);
  drawLine(3, sharedText, false, LIVES_Y);
  std::snprintf(sharedText, sizeof sharedText, "Difficulty: %s", difficultyName());
  drawLine(4, sharedText, false, DIFFICULTY_Y);
  drawLine(5, "Press any key to begin!", false, PROMPT_Y);

  if (!nothingPressed(0)) {
    fadeMode = FADE_TO_WHITE;
    levelIntroFirstFrame = 1;  // the next showing waits and slides again
    pendingState = STATE_LEVEL_START;
  }
}
