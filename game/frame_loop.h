// The frame loop: one pass polls input, runs the handler of gameState, runs
// the palette step, shows the picture and waits out the 16 ms step. Also the
// quit message the loop ends on, and the window close.
#pragma once

#include <cstdint>

constexpr uint32_t FRAME_MILLISECONDS = 16;

// Start-up's last step: the loop begins at the intro with no fade.
void startFrameLoop();

// One pass of the loop after the window events were handled. False when no
// frame ran (the window inactive or the program closing).
bool runFramePass();

// The quit message: the first one posted ends the loop with its code.
void postQuit(int32_t code);
extern bool quitPosted;
extern int32_t quitCode;

// The window is being closed: no more frames, the display mode restored,
// then the quit message with code 0.
void closeWindow();

// Called right after the frame's input snapshot, before anything reads it;
// the scripted driver adds its keys and records here. Receives the number
// of the frame being run (1 = the first).
extern void (*frameInputHook)(int64_t frame);
// Frames run since start.
extern int64_t framesRun;

// Pieces of a pass, in the order the pass runs them.
void checkDebugKeys();
void dispatchFrame();
void freezeForPendingState();
void drawDebugMarker();
void applyLetterboxShift();
void paceFrame();
// The capture the F12 key makes: the picture just shown, with the game palette.
void captureShownPicture();
