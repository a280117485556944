// Fades frame by frame, the instant restore and the colour cycling.
#include <gtest/gtest.h>

#include "game/palette_step.h"
#include "game/shell.h"
#include "game_test_support.h"

namespace {

class PaletteStepTest : public ::testing::Test {
 protected:
  void SetUp() override { resetShellState(); }

  void fillCurrent(uint8_t v) {
    for (PaletteEntry& e : currentPalette) e = PaletteEntry{v, v, v, 6};
  }
  // Runs palette steps until the fade completes; the number of steps taken.
  int stepsToComplete(int limit = 100) {
    for (int i = 1; i <= limit; i++) {
      paletteStep();
      if (fadeMode == 0) return i;
    }
    return -1;
  }
};

TEST_F(PaletteStepTest, FadeToWhiteRisesSevenStepsAndTheEighthCompletes) {
  fillCurrent(0);
  fadeMode = FADE_TO_WHITE;
  pendingState = STATE_TITLE_MENU;
  gameState = STATE_FADE_HOLD;
  paletteStep();  // the request only starts the fade
  EXPECT_EQ(fadeMode, FADE_TO_WHITE | FADE_RUNNING);
  EXPECT_EQ(currentPalette[7].red, 0);
  for (int step = 1; step <= 7; step++) {
    paletteStep();
    EXPECT_EQ(currentPalette[7].green, 32 * step) << "step " << step;
    EXPECT_EQ(gameState, STATE_FADE_HOLD);
  }
  paletteStep();
  EXPECT_EQ(currentPalette[7].blue, 255);
  EXPECT_EQ(fadeMode, 0);
  EXPECT_EQ(gameState, STATE_TITLE_MENU);
  EXPECT_EQ(pendingState, 0);
}

TEST_F(PaletteStepTest, FadeToBlackTakesThirtyOneStepsAndTheThirtySecondCompletes) {
  fillCurrent(255);
  fadeMode = FADE_TO_BLACK | FADE_RUNNING;
  for (int step = 1; step <= 31; step++) {
    paletteStep();
    ASSERT_EQ(currentPalette[0].red, 255 - 8 * step) << "step " << step;
    ASSERT_NE(fadeMode, 0);
  }
  EXPECT_EQ(currentPalette[0].red, 7);
  paletteStep();
  EXPECT_EQ(currentPalette[0].red, 0);
  EXPECT_EQ(fadeMode, 0);
}

TEST_F(PaletteStepTest, FadeInRisesBySixteenFallsByEightAndSnapsToTheTarget) {
  fillCurrent(100);
  targetPalette[0] = PaletteEntry{150, 60, 110, 6};
  for (int i = 1; i < PALETTE_SIZE; i++) targetPalette[i] = PaletteEntry{100, 100, 100, 6};
  fadeMode = FADE_IN | FADE_RUNNING;
  paletteStep();
  EXPECT_EQ(currentPalette[0].red, 116);   // 100 < 150 - 16: up 16
  EXPECT_EQ(currentPalette[0].green, 92);  // 100 > 60 + 8: down 8
  EXPECT_EQ(currentPalette[0].blue, 110);  // within 16 below: snaps
  EXPECT_EQ(paletteSettled, 0);
  paletteStep();
  EXPECT_EQ(currentPalette[0].red, 132);
  paletteStep();
  EXPECT_EQ(currentPalette[0].red, 148);
  EXPECT_EQ(currentPalette[0].green, 76);
  // Red snaps to 150 while green goes to 68; then green snaps to 60 and that
  // step, changing nothing by a counted step, completes the fade.
  EXPECT_EQ(stepsToComplete(), 2);
  EXPECT_EQ(currentPalette[0].red, 150);
  EXPECT_EQ(currentPalette[0].green, 60);
  EXPECT_EQ(paletteSettled, 1);
}

TEST_F(PaletteStepTest, CompletedFadeInKeepsTheBackBufferAndOthersClearIt) {
  Surface buffer(640, 400);
  backBuffer = &buffer;
  buffer.fillAll(9);
  fadeMode = FADE_IN | FADE_RUNNING;  // already at the target: completes at once
  paletteStep();
  EXPECT_EQ(buffer.pixelAt(5, 5), 9);
  fillCurrent(255);
  fadeMode = FADE_TO_WHITE | FADE_RUNNING;
  paletteStep();
  EXPECT_EQ(fadeMode, 0);
  EXPECT_EQ(buffer.pixelAt(5, 5), 0);
  backBuffer = nullptr;
}

TEST_F(PaletteStepTest, RestoreCopiesTheGamePaletteAtOnce) {
  targetPalette[3] = PaletteEntry{1, 2, 3, 6};
  fadeMode = FADE_RESTORE;
  paletteStep();
  EXPECT_EQ(currentPalette[3].blue, 3);
  EXPECT_EQ(paletteSettled, 1);
  EXPECT_EQ(fadeMode, 0);
}

TEST_F(PaletteStepTest, ColourCyclingWalksTheSixEntriesOnOddFrames) {
  constexpr int dark[6] = {248, 249, 250, 251, 252, 253};
  gameState = STATE_TITLE_MENU;
  for (int phase = 0; phase < 6; phase++) {
    frameCounter = 2 * phase;  // even: nothing happens
    paletteStep();
    EXPECT_EQ(cyclePhase, phase);
    frameCounter = 2 * phase + 1;
    for (int e = 248; e <= 253; e++) targetPalette[e].blue = 50;
    paletteStep();
    EXPECT_EQ(targetPalette[dark[phase]].blue, 0) << "phase " << phase;
    EXPECT_EQ(targetPalette[253 - (dark[phase] - 248)].blue, 127) << "phase " << phase;
    EXPECT_EQ(currentPalette[248].blue, 0);  // only the game palette cycles
  }
  EXPECT_EQ(cyclePhase, 0);
}

TEST_F(PaletteStepTest, NoColourCyclingDuringTheIntro) {
  gameState = STATE_INTRO;
  frameCounter = 1;
  paletteStep();
  EXPECT_EQ(cyclePhase, 0);
  EXPECT_EQ(targetPalette[253].blue, 0);
}

}  // namespace
