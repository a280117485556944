// The frame loop's pass, step by step, the wait for released keys, and the
// quit message the loop ends on.
#include "game/frame_loop.h"

#include <cstring>

#include "game/data_folders.h"
#include "game/display.h"
#include "game/handlers.h"
#include "game/palette_step.h"
#include "game/platform.h"
#include "game/shell.h"
#include "media/pcx.h"
#include "media/text.h"

bool quitPosted = false;
int32_t quitCode = 0;
int64_t framesRun = 0;
int64_t frameLimit = -1;
void (*inputFrameRead)() = nullptr;

// A wake-up at most this many milliseconds after the tick it slept to still
// counts as on time, so that the steps keep to their 16 ms grid.
constexpr int32_t WAKE_TOLERANCE = 2;

void postQuit(int32_t code) {
  if (quitPosted) return;
  quitPosted = true;
  quitCode = code;
}

void closeWindow() {
  running = 0;
  if (displayDevice) displayDevice->restoreDisplayMode();
  postQuit(0);
}

void startFrameLoop() {
  gameState = STATE_INTRO;
  pendingState = 0;
  fadeMode = 0;
  frameCounter = 0;
  nextTick = platform ? platform->tickCount() : 0;
  cyclePhase = 0;
}

void checkDebugKeys() {
  if (keyState[KEY_D] && keyState[KEY_B] && keyState[KEY_G]) debugMode = 1;
  if (keyState[KEY_D] && keyState[KEY_B] && keyState[KEY_O]) debugMode = 0;
}

void dispatchFrame() {
  switch (gameState) {
    case STATE_INTRO:
      runIntro();
      break;
    case STATE_QUIT:
      closeWindow();
      break;
    case STATE_FADE_HOLD:
      break;
    case STATE_TITLE_MENU:
      runTitleMenu();
      break;
    case STATE_LEVEL_INTRO:
      runLevelIntro();
      break;
    case STATE_CONGRATULATIONS:
      runCongratulations();
      break;
    default:
      if (gameState >= STATE_LEVEL_DONE) runPlayFrame();
      break;
  }
}

void freezeForPendingState() {
  if (pendingState == 0 || gameState == STATE_FADE_HOLD) return;
  gameState = STATE_FADE_HOLD;
  // The picture shown last, whole: in letterbox mode that includes the
  // shift, so the frozen picture stays exactly where it was.
  if (primarySurface && backBuffer) {
    backBuffer->bltFast(0, 0, *primarySurface, Rect{0, 0, primarySurface->width(), primarySurface->height()}, false);
  }
}

void drawDebugMarker() {
  if (debugMode == 1) drawTextSmall(0, 0, "Debug Mode");
}

void applyLetterboxShift() {
  if (letterboxMode != 1 || gameState == STATE_FADE_HOLD || !backBuffer) return;
  backBuffer->bltFast(0, LETTERBOX_SHIFT, *backBuffer, Rect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, false);
  backBuffer->fill(Rect{0, 0, SCREEN_WIDTH, LETTERBOX_SHIFT}, 0);
}

void paceFrame() {
  if (!platform || !platform->pacing()) return;
  nextTick += FRAME_MILLISECONDS;
  // One sleep to the tick, no spinning. Compared as a signed difference so
  // that the tick wrapping round after 49 days cannot turn the wait into
  // one of 49 days.
  if (int32_t(nextTick - platform->tickCount()) > 0) {
    platform->sleepUntilTick(nextTick);
    // Waking a moment late is the sleep's doing, not the frame's: the next
    // step still ends 16 ms after this one was due, so steps average 16 ms.
    if (int32_t(platform->tickCount() - nextTick) <= WAKE_TOLERANCE) return;
  }
  // A frame that took longer than its step is not made up for.
  nextTick = platform->tickCount();
}

void captureShownPicture() {
  if (!primarySurface) return;
  // The 640 x 400 picture as the player sees it (below the strip in letterbox mode).
  Surface shown(SCREEN_WIDTH, SCREEN_HEIGHT);
  int32_t top = letterboxMode == 1 ? LETTERBOX_SHIFT : 0;
  if (primarySurface->height() >= top + SCREEN_HEIGHT && primarySurface->width() >= SCREEN_WIDTH) {
    shown.bltFast(0, 0, *primarySurface, Rect{0, top, SCREEN_WIDTH, top + SCREEN_HEIGHT}, false);
  }
  uint8_t rgb[PALETTE_SIZE * 3];
  for (int32_t i = 0; i < PALETTE_SIZE; i++) {
    rgb[3 * i] = targetPalette[i].red;
    rgb[3 * i + 1] = targetPalette[i].green;
    rgb[3 * i + 2] = targetPalette[i].blue;
  }
  captureScreen(shown, rgb, userFolder.empty() ? "." : userFolder);
}

void readInputFrame() {
  framesRun++;
  takeInputSnapshot();
  if (inputFrameRead) inputFrameRead();
}

static void pumpWindowEvents() {
  if (platform) platform->pumpEvents();
}

void waitUntilNothingHeld() {
  inputWaiting = 1;
  while (!nothingPressed(0) && !inputClosing && (frameLimit < 0 || framesRun < frameLimit)) {
    // Paced to the frame tick like a pass: in a window a wait's frames last
    // 16 ms as every other frame does, so frame numbers, those of a record
    // among them, keep their meaning with or without one. Each re-read sees
    // the events that came in meanwhile, key releases among them.
    paceFrame();
    pumpWindowEvents();
    readInputFrame();
  }
  inputWaiting = 0;
}

bool runFramePass() {
  // The window events first: focus and close decide whether a frame runs.
  pumpWindowEvents();
  if (!appActive || !running) return false;
  readInputFrame();
  checkDebugKeys();
  frameCounter++;
  if (frameCounter > 59) frameCounter -= 60;
  if (primarySurface && primarySurface->isLost() != SURFACE_OK) {
    int32_t code = prepareDisplay();
    if (code != 0) postQuit(code);
  }
  if (gameState != STATE_FADE_HOLD && backBuffer) backBuffer->fillAll(0);
  dispatchFrame();
  // A pad removed is play's to act on in the frame it was seen; later
  // frames and other screens have nothing to do with it.
  joystickLost = 0;
  freezeForPendingState();
  paletteStep();
  drawDebugMarker();
  applyLetterboxShift();
  flipDisplay();
  paceFrame();
  if (keyState[KEY_F12]) {
    captureShownPicture();
    waitUntilNothingHeld();
  }
  return true;
}
