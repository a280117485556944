// The title menu with its demonstration and world select (STATE_TITLE_MENU).
#include "game/handlers.h"
#include "game/shell.h"
#include "game/trace.h"

void runTitleMenu() {}

void writeFrontTrace(TraceLine&) {}
