// Passes of the frame loop over a loaded game: the fade hold, the letterbox
// shift, Debug Mode, the capture key, the restore of lost surfaces, pacing.
#include <gtest/gtest.h>

#include <cstring>

#include "game/display.h"
#include "game/frame_loop.h"
#include "game/loading.h"
#include "game/shell.h"
#include "game_test_support.h"
#include "media/sprite_surface.h"

namespace {

using FrameLoopTest = LoadedShellTest;

// A game-state code no handler answers to: the passes run only the loop's
// own work, whatever the screens of the game draw.
constexpr int32_t NO_SCREEN = -11;

void paintPattern(Surface& s) {
  for (int32_t y = 0; y < s.height(); y++) {
    for (int32_t x = 0; x < s.width(); x++) s.pixels()[size_t(y) * s.pitch() + x] = uint8_t(1 + (x + 3 * y) % 200);
  }
}

bool samePixels(const Surface& a, const Surface& b) {
  return a.width() == b.width() && a.height() == b.height() &&
         std::memcmp(a.pixels(), b.pixels(), size_t(a.pitch()) * a.height()) == 0;
}

TEST_F(FrameLoopTest, FadeHoldFreezesTheLastShownPictureWithNeitherClearNorLetterboxShift) {
  test.letterbox = true;
  ASSERT_EQ(load(), 0);
  ASSERT_EQ(letterboxMode, 1);
  ASSERT_EQ(primarySurface->height(), 480);
  startFrameLoop();
  gameState = NO_SCREEN;
  paintPattern(*primarySurface);  // the picture shown last
  Surface shown(640, 480);
  shown.bltFast(0, 0, *primarySurface, Rect{0, 0, 640, 480}, false);

  for (PaletteEntry& e : currentPalette) e = PaletteEntry{200, 200, 200, 6};
  pendingState = STATE_LEVEL_INTRO;  // as a handler asks for another screen
  fadeMode = FADE_TO_BLACK;
  for (int frame = 0; frame < 3; frame++) {
    ASSERT_TRUE(runFramePass());
    EXPECT_EQ(gameState, STATE_FADE_HOLD);
    EXPECT_TRUE(samePixels(*primarySurface, shown)) << "frame " << frame;
  }
  EXPECT_EQ(fadeMode, FADE_TO_BLACK | FADE_RUNNING);
  // The fade runs to its end; then the back buffer is cleared and the state switches.
  for (int frame = 0; frame < 40 && gameState == STATE_FADE_HOLD; frame++) runFramePass();
  EXPECT_EQ(gameState, STATE_LEVEL_INTRO);
  EXPECT_EQ(primarySurface->pixelAt(320, 200), 0);
}

TEST_F(FrameLoopTest, DebugMarkerIsShiftedFortyLinesInLetterboxMode) {
  test.letterbox = true;
  ASSERT_EQ(load(), 0);
  startFrameLoop();
  gameState = NO_SCREEN;
  debugMode = 1;
  ASSERT_TRUE(runFramePass());
  // The test font's glyphs are solid colour 5; "Debug Mode" is 10 cells,
  // drawn at (0, 0) of the picture and shown 40 lines down.
  EXPECT_EQ(primarySurface->pixelAt(8, 39), 0);
  EXPECT_EQ(primarySurface->pixelAt(8, 40), 5);
  EXPECT_EQ(primarySurface->pixelAt(159, 55), 5);
  EXPECT_EQ(primarySurface->pixelAt(160, 55), 0);
  EXPECT_EQ(primarySurface->pixelAt(8, 56), 0);
}

TEST_F(FrameLoopTest, DebugModeKeysTurnItOnAndOffAndAllFourLeaveItOff) {
  ASSERT_EQ(load(), 0);
  startFrameLoop();
  gameState = NO_SCREEN;
  uint8_t* held = test.keyboard.held;
  held[KEY_D] = held[KEY_B] = held[KEY_G] = held[KEY_O] = 0x80;
  runFramePass();
  EXPECT_EQ(debugMode, 0);
  held[KEY_O] = 0;
  runFramePass();
  EXPECT_EQ(debugMode, 1);
  held[KEY_G] = 0;
  runFramePass();
  EXPECT_EQ(debugMode, 1);
  held[KEY_O] = 0x80;
  runFramePass();
  EXPECT_EQ(debugMode, 0);
}

TEST_F(FrameLoopTest, CaptureKeyTakesOneCaptureAndWaitsForRelease) {
  ASSERT_EQ(load(), 0);
  startFrameLoop();
  gameState = NO_SCREEN;
  test.keyboard.held[KEY_F12] = 0x80;
  test.keyboard.releaseAfter = test.keyboard.reads + 4;
  ASSERT_TRUE(runFramePass());
  EXPECT_TRUE(fs::exists(data.path / "capt0000.pcx"));
  EXPECT_FALSE(fs::exists(data.path / "capt0001.pcx"));
  EXPECT_GE(test.keyboard.reads, 5);  // the wait read the keyboard until F12 was let go
  runFramePass();
  EXPECT_FALSE(fs::exists(data.path / "capt0001.pcx"));
}

TEST_F(FrameLoopTest, WindowClosedDuringAReleaseWaitEndsTheProgramNormally) {
  ASSERT_EQ(load(), 0);
  startFrameLoop();
  gameState = NO_SCREEN;
  test.keyboard.held[KEY_F12] = 0x80;  // held for good: only the close ends the wait
  test.keyboard.onRead = [](int reads) {
    if (reads == 3) {
      inputClosing = 1;  // what the platform does on a close request
      closeWindow();
    }
  };
  EXPECT_TRUE(runFramePass());
  EXPECT_EQ(running, 0);
  EXPECT_TRUE(quitPosted);
  EXPECT_EQ(quitCode, 0);
  EXPECT_FALSE(runFramePass());
}

TEST_F(FrameLoopTest, LostSurfacesAreRestoredAndTheSheetsReloaded) {
  ASSERT_EQ(load(), 0);
  startFrameLoop();
  gameState = NO_SCREEN;
  Surface* before = tileLayer;
  for (Surface* s : {primarySurface, backBuffer, tileLayer, backgroundLayer, gaugeSurface}) s->markLost();
  gFontSmall.release();
  ASSERT_TRUE(runFramePass());
  for (Surface* s : {primarySurface, backBuffer, tileLayer, backgroundLayer, gaugeSurface}) EXPECT_EQ(s->isLost(), 0);
  EXPECT_EQ(tileLayer, before);  // restored in place, not made anew
  EXPECT_EQ(surfacesRestored, 1);
  EXPECT_EQ(gaugeSurface->pixelAt(0, 111), 159);
  EXPECT_EQ(gaugeSurface->pixelAt(0, 112), 245);
  EXPECT_EQ(gFontSmall.pictureWidth, 32);
  EXPECT_EQ(gSheetKeyed.pictureWidth, 64);
  EXPECT_EQ(quitPosted, false);
}

TEST_F(FrameLoopTest, APadUnpluggedIsForgottenAfterTheFrameItWasSeenIn) {
  ASSERT_EQ(load(), 0);
  startFrameLoop();
  gameState = NO_SCREEN;  // no play to pause
  joystickLost = 1;
  ASSERT_TRUE(runFramePass());
  EXPECT_EQ(joystickLost, 0);
}

TEST_F(FrameLoopTest, PacingSleepsOnceToTheNextSixteenMillisecondTick) {
  test.paced = true;
  ASSERT_EQ(load(), 0);
  startFrameLoop();
  gameState = NO_SCREEN;
  uint32_t start = test.tick;
  runFramePass();
  EXPECT_EQ(test.tick - start, 16u);
  EXPECT_EQ(test.sleeps, 1);
  test.tick += 40;  // a slow frame is not made up for
  uint32_t late = test.tick;
  runFramePass();
  EXPECT_EQ(test.tick, late);
  EXPECT_EQ(test.sleeps, 1);
  runFramePass();
  EXPECT_EQ(test.tick, late + 16);
}

TEST_F(FrameLoopTest, PacingKeepsExactlySixteenMillisecondsAStepWhenSleepsWakeLate) {
  test.paced = true;
  ASSERT_EQ(load(), 0);
  startFrameLoop();
  gameState = NO_SCREEN;
  test.oversleep = 1;
  uint32_t start = test.tick;
  for (int frame = 0; frame < 100; frame++) runFramePass();
  // Only the last wake-up's lateness shows: the steps did not stretch to 17 ms.
  EXPECT_EQ(test.tick - start, 100u * 16u + 1u);
  EXPECT_EQ(test.sleeps, 100);
}

TEST_F(FrameLoopTest, EachPassHandlesTheWindowEventsOnceAndEachReread) {
  ASSERT_EQ(load(), 0);
  startFrameLoop();
  gameState = NO_SCREEN;
  runFramePass();
  EXPECT_EQ(test.pumps, 1);
  EXPECT_EQ(test.keyboard.reads, 1);
  appActive = 0;  // an inactive window still has its events handled
  EXPECT_FALSE(runFramePass());
  EXPECT_EQ(test.pumps, 2);
  EXPECT_EQ(test.keyboard.reads, 1);
  appActive = 1;
  test.keyboard.held[KEY_F12] = 0x80;  // the capture key, let go after three reads
  test.keyboard.releaseAfter = test.keyboard.reads + 3;
  runFramePass();
  EXPECT_EQ(test.keyboard.reads, 5);  // the pass's read and the wait's three
  EXPECT_EQ(test.pumps, 6);
}

TEST_F(FrameLoopTest, PacingKeepsItsStepWhenTheTickWrapsRound) {
  test.paced = true;
  ASSERT_EQ(load(), 0);
  test.tick = 0xFFFFFFF8u;  // 49.7 days after start the tick wraps to 0
  startFrameLoop();
  gameState = NO_SCREEN;
  runFramePass();
  EXPECT_EQ(test.tick, 8u);  // still a whole 16 ms step, neither none nor 49 days
}

TEST_F(FrameLoopTest, InactiveWindowRunsNoFrameAndStatesCarryOn) {
  ASSERT_EQ(load(), 0);
  startFrameLoop();
  gameState = NO_SCREEN;
  runFramePass();
  appActive = 0;
  EXPECT_FALSE(runFramePass());
  EXPECT_EQ(frameCounter, 1);
  appActive = 1;
  runFramePass();
  EXPECT_EQ(frameCounter, 2);
}

TEST_F(FrameLoopTest, QuitStateClosesTheWindowWithExitCodeZero) {
  ASSERT_EQ(load(), 0);
  startFrameLoop();
  gameState = STATE_QUIT;
  runFramePass();
  EXPECT_EQ(running, 0);
  EXPECT_TRUE(quitPosted);
  EXPECT_EQ(quitCode, 0);
  EXPECT_FALSE(runFramePass());
}

}  // namespace
