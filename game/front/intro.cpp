// The intro picture show (STATE_INTRO). Until the show is built it hands
// over to the title menu at once.
#include "game/handlers.h"
#include "game/shell.h"

void runIntro() {
  if (!appActive || !running) return;
  fadeMode = FADE_TO_WHITE;
  pendingState = STATE_TITLE_MENU;
}
