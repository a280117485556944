// The player: position, facing, walking frame and jump, the tables of its
// jump and sprite frames, and the step and death motion play runs.
#pragma once

#include <cstdint>

extern int32_t playerX;  // top-left of the 32 x 32 figure, screen pixels
extern int32_t playerY;
extern int32_t playerFacing;  // 0 left, 1 right
extern int32_t walkFrame;     // 0..3 walking, 4 standing
extern int32_t jumpStep;      // -20..19: rising below 0, falling from 0
extern int32_t jumpRise;      // pixels of rise left in the jump

constexpr int32_t FACING_LEFT = 0;
constexpr int32_t FACING_RIGHT = 1;
constexpr int32_t WALK_FRAME_STANDING = 4;

// Pixels per frame of a jump and a fall; the first 18 sum to 100.
constexpr int32_t gravityTable[20] = {12, 10, 10, 8, 8, 8, 6, 6, 6, 4, 4, 4, 4, 2, 2, 2, 2, 2, 1, 1};
// Sprite frames in gSheetKeyed by facing and walkFrame.
constexpr int32_t playerFrames[2][5] = {{8, 7, 6, 5, 68}, {1, 2, 3, 4, 65}};

// One step of the player in normal play (states 0, 1, 4, 5, 6): controls,
// walking, jumping, falling, landing, walls, then the touch effects.
void runPlayerStep();
// One frame of the death motion (STATE_DYING while playerY < 1000).
void runDeathMotion();
