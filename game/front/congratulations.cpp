// The screen shown when every level of a world is beaten
// (STATE_CONGRATULATIONS): four lines arrive one after another; any key
// returns to the title menu.
#include <cstring>

#include "game/front/intermission.h"
#include "game/frame_loop.h"
#include "game/handlers.h"
#include "media/sprite_surface.h"
#include "media/text.h"

int32_t congratsFirstFrame = 1;
int32_t congratsX = 0;
int32_t congratsStep = 0;

namespace {

struct CongratsLine {
  const char* text;
  bool large;
  int32_t y;
  // The last line arrives only once it has passed its place, and then
  // jumps back to it; the others arrive exactly on it.
  bool passesItsPlace;
};

// The backslash ending the first line is a glyph of the large font.
constexpr CongratsLine CONGRATS_LINES[] = {
    {"CONGRATULATIONS\\", true, 64, false},
    {"You have beaten all of the", false, 128, false},
    {"levels in this world!", false, 160, false},
    {"Press any key to continue...", false, 240, true},
};
constexpr int32_t CONGRATS_LINE_COUNT = int32_t(sizeof CONGRATS_LINES / sizeof CONGRATS_LINES[0]);

int32_t finalX(const CongratsLine& line) {
  int32_t n = int32_t(std::strlen(line.text));
  return line.large ? centredLargeX(n) : centredSmallX(n);
}

void drawAt(const CongratsLine& line, int32_t x) {
  if (line.large) {
    drawTextLarge(x, line.y, line.text);
  } else {
    drawTextSmall(x, line.y, line.text);
  }
}

}  // namespace

void runCongratulations() {
  if (congratsFirstFrame == 1) {
    waitUntilNothingHeld();
    congratsX = SLIDE_IN_X;
    congratsStep = 0;
    congratsFirstFrame = 0;
  }
  // Once every line stands the position is no longer used; it is left
  // where it is so that a screen left up for weeks cannot overflow it.
  if (congratsStep < CONGRATS_LINE_COUNT) congratsX -= SLIDE_IN_STEP;
  if (paletteSettled == 0) fadeMode = FADE_RESTORE;

  // Whatever screen ran before, lines entering at the right edge show the
  // part of their first cell that is already on the screen.
  setClipRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  for (int32_t i = 0; i < CONGRATS_LINE_COUNT && i <= congratsStep; i++) {
    const CongratsLine& line = CONGRATS_LINES[i];
    drawAt(line, i < congratsStep ? finalX(line) : congratsX);
  }
  if (congratsStep < CONGRATS_LINE_COUNT) {
    const CongratsLine& line = CONGRATS_LINES[congratsStep];
    if (line.passesItsPlace) {
      if (congratsX < finalX(line)) congratsStep++;
    } else if (congratsX <= finalX(line)) {
      congratsX = SLIDE_IN_X;
      congratsStep++;
    }
  }

  if (!nothingPressed(0)) {
    fadeMode = FADE_TO_WHITE;
    congratsFirstFrame = 1;
    pendingState = STATE_TITLE_MENU;
  }
}
