// The player's state, its step in normal play and its death motion. The
// movement itself is still to come: until then the player stands where the
// level start put it, and the step only runs the touch effects at its end.
#include "game/play/player.h"

#include "game/play/level_grid.h"

int32_t playerX = 0;
int32_t playerY = 0;
int32_t playerFacing = FACING_RIGHT;
int32_t walkFrame = 0;
int32_t jumpStep = 0;
int32_t jumpRise = 0;

void runPlayerStep() {
  // Controls, walking, jumping, falling, landing and walls come here.
  runTouchEffects();
}

void runDeathMotion() {}
