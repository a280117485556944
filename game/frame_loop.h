// The frame loop: one pass polls input, runs the handler of gameState, runs
// the palette step, shows the picture and waits out the 16 ms step. Also the
// frames' input reads and the wait for released keys, the quit message the
// loop ends on, and the window close.
#pragma once

#include <cstdint>

constexpr uint32_t FRAME_MILLISECONDS = 16;

// Start-up's last step: the loop begins at the intro with no fade.
void startFrameLoop();

// One pass of the loop: handles the window events, then runs a frame. False
// when no frame ran (the window inactive or the program closing).
bool runFramePass();

// The quit message: the first one posted ends the loop with its code.
void postQuit(int32_t code);
extern bool quitPosted;
extern int32_t quitCode;

// The window is being closed: no more frames, the display mode restored,
// then the quit message with code 0.
void closeWindow();

// Frames of the run since start (1 = the first): every reading of the
// devices is one, the snapshot that begins a pass and each re-read of a wait
// for released keys alike, so an input script or a record names the read
// it belongs to.
extern int64_t framesRun;
// The run ends after this frame (-1: no end); a wait reaching it ends there.
extern int64_t frameLimit;

// One reading of the devices into the snapshot: the next frame of the run.
void readInputFrame();
// Called after every such reading, when set (the driver records the frame's
// keys and pad there).
extern void (*inputFrameRead)();

// Waits until no key, joystick button or stick direction is held. While the
// latest snapshot holds anything, waits for the next 16 ms tick (when pacing),
// handles the window events and reads the devices again, each read a frame
// of the run. A snapshot that
// holds nothing ends it at once, without a read. The close of the window and
// the frame limit end it too.
void waitUntilNothingHeld();

// Pieces of a pass, in the order the pass runs them.
void checkDebugKeys();
void dispatchFrame();
void freezeForPendingState();
void drawDebugMarker();
void applyLetterboxShift();
void paceFrame();
// The capture the F12 key makes: the picture just shown, with the game palette.
void captureShownPicture();
