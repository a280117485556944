// The screen shown when every level of a world is beaten (STATE_CONGRATULATIONS).
#include "game/handlers.h"
#include "game/shell.h"

void runCongratulations() {}
