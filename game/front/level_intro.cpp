// The level intro shown before every level (STATE_LEVEL_INTRO).
#include "game/handlers.h"
#include "game/shell.h"

void runLevelIntro() {}
