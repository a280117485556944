// The play frame (gameState STATE_LEVEL_DONE and above), the release of the
// level at exit and play's fields of the trace.
#include "game/handlers.h"
#include "game/shell.h"
#include "game/trace.h"

void runPlayFrame() {}

void freeObjects() {}

void freeLevelCells() {}

void writePlayTrace(TraceLine&) {}
