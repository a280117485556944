// The state of the three screens between play: the intro picture show, the
// level intro and the congratulations screen (their handlers are in handlers.h).
#pragma once

#include <cstdint>

#include "game/shell.h"

// Intro show: two 1280 x 800 layers read from "data00.glb", the front one
// drawn keyed over the back one; 400 records of 2560 bytes, then 768 bytes of
// palette at the end of the file.
constexpr int32_t INTRO_LAYER_WIDTH = 1280;
constexpr int32_t INTRO_LAYER_HEIGHT = 800;
constexpr int32_t INTRO_RECORD_COUNT = 400;
constexpr int32_t INTRO_RECORD_SIZE = 2560;
constexpr int32_t INTRO_PALETTE_BYTES = PALETTE_SIZE * 3;
constexpr uint8_t INTRO_PALETTE_FLAGS = 4;
constexpr const char* INTRO_FILE_NAME = "data00.glb";

extern Surface* introBackLayer;
extern Surface* introFrontLayer;
extern int32_t introPhase;   // 0 picture one, 1 picture two, 2 over
extern int32_t introTimer;   // 0 while sliding or scrolling, then counts hold frames
extern int32_t introOffset;  // slide and scroll position, steps of 8 pixels
extern PaletteEntry introPalette[PALETTE_SIZE];
// Drops both layers (the show's end, or a test's start).
void releaseIntroLayers();

// Level intro: the six lines slide in from x = levelIntroX.
extern int32_t levelIntroFirstFrame;
extern int32_t levelIntroX;

// Congratulations: the line numbered congratsStep slides in at congratsX.
extern int32_t congratsFirstFrame;
extern int32_t congratsX;
extern int32_t congratsStep;

// Lines slide in from the right edge, 8 pixels a frame.
constexpr int32_t SLIDE_IN_X = 640;
constexpr int32_t SLIDE_IN_STEP = 8;

// Left edge of a line of n characters centred on the screen, 32 or 16
// pixels a character.
constexpr int32_t centredLargeX(int32_t n) { return SCREEN_WIDTH / 2 - 16 * n; }
constexpr int32_t centredSmallX(int32_t n) { return SCREEN_WIDTH / 2 - 8 * n; }
