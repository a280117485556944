// The congratulations screen through runCongratulations and the frame loop:
// its four lines arriving one after another, the last one's overshoot, and
// leaving on a key at any step.
#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "game/front/intermission.h"
#include "game/shell.h"
#include "intermission_support.h"
#include "media/key_codes.h"

namespace {

using CongratulationsTest = IntermissionTest;

TEST_F(CongratulationsTest, LinesArriveOneAfterAnotherAndTheLastOvershootsBy8) {
  ASSERT_TRUE(start(STATE_CONGRATULATIONS));
  std::map<int, int32_t> lastLineX;  // frame -> where line 3 was drawn
  for (int f = 1; f <= 275; f++) {
    frame();
    lastLineX[f] = smallLineAt(240).x;
    if (f == 10) {
      EXPECT_EQ(leftEdgeAt(64), 560);    // the title slides ...
      EXPECT_EQ(leftEdgeAt(128), -1);    // ... and nothing follows it yet
    }
    if (f == 72) EXPECT_EQ(congratsStep, 1) << "the title arrives at 64 in frame 72";
    if (f == 138) EXPECT_EQ(congratsStep, 2);
    if (f == 199) EXPECT_EQ(congratsStep, 3);
  }
  EXPECT_EQ(lastLineX[199], -1);
  EXPECT_EQ(lastLineX[200], 632);
  EXPECT_EQ(lastLineX[266], 104);
  EXPECT_EQ(lastLineX[267], 96);
  EXPECT_EQ(lastLineX[268], 88);  // arrives here ...
  EXPECT_EQ(lastLineX[269], 96);  // ... and stands at its place from now on
  EXPECT_EQ(lastLineX[275], 96);
  EXPECT_EQ(congratsStep, 4);

  EXPECT_EQ(leftEdgeAt(64), 64);
  Line one = smallLineAt(128), two = smallLineAt(160), three = smallLineAt(240);
  EXPECT_EQ(one.text, "You have beaten all of the");
  EXPECT_EQ(one.x, 112);
  EXPECT_EQ(two.text, "levels in this world!");
  EXPECT_EQ(two.x, 152);
  EXPECT_EQ(three.text, "Press any key to continue...");
  EXPECT_EQ(pendingState, 0);
}

TEST_F(CongratulationsTest, WaitsForReleaseThenAKeyWhileTheTitleSlidesEndsIt) {
  ASSERT_TRUE(start(STATE_CONGRATULATIONS));
  test.keyboard.held[KEY_ENTER] = 0x80;  // the jump that reached the last exit
  test.keyboard.releaseAfter = test.keyboard.reads + 4;
  frame();
  EXPECT_EQ(pendingState, 0);
  for (int f = 0; f < 4; f++) frame();
  EXPECT_EQ(congratsStep, 0);

  test.keyboard.releaseAfter = -1;
  test.keyboard.held[KEY_SPACE] = 0x80;
  frame();
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  EXPECT_EQ(fadeMode, FADE_TO_WHITE | FADE_RUNNING);
  EXPECT_EQ(congratsFirstFrame, 1);
  test.keyboard.held[KEY_SPACE] = 0;
  for (int f = 0; f < 20 && gameState == STATE_FADE_HOLD; f++) frame();
  EXPECT_EQ(gameState, STATE_TITLE_MENU);
}

TEST_F(CongratulationsTest, ScreenLeftUpIndefinitelyKeepsItsLinesStanding) {
  ASSERT_TRUE(start(STATE_CONGRATULATIONS));
  congratsFirstFrame = 0;
  congratsStep = 4;
  congratsX = INT32_MIN + 4;  // as after seven weeks of frames, were it still moving
  frame();
  EXPECT_EQ(congratsX, INT32_MIN + 4);
  EXPECT_EQ(leftEdgeAt(64), 64);
  EXPECT_EQ(smallLineAt(240).x, 96);
}

}  // namespace
