// The level intro through runLevelIntro and the frame loop: where its six
// lines slide and stop, what they say, the game palette's return, and the
// release wait that keeps a held key from starting the level.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "game/front/intermission.h"
#include "game/game_vars.h"
#include "game/shell.h"
#include "intermission_support.h"
#include "media/key_codes.h"

namespace {

class LevelIntroTest : public IntermissionTest {
 protected:
  void SetUp() override {
    IntermissionTest::SetUp();
    worldName = "ABCDEFGHIJKLMNOPQRST";  // 20 large characters: centred at 0
    worldAuthor = "Ann Author";
    levelIndex = 1;
    levelCount = 5;
    lives = 3;
    difficulty = DIFFICULTY_NORMAL;
  }
};

TEST_F(LevelIntroTest, LinesSlideInFrom632AndStopAtTheirPlaces) {
  ASSERT_TRUE(start(STATE_LEVEL_INTRO));
  frame();
  EXPECT_EQ(levelIntroX, 632);
  EXPECT_EQ(leftEdgeAt(64), 632);  // the name's first cell, partly on screen
  EXPECT_EQ(leftEdgeAt(112), -1);  // the author is still right of the screen
  // The game palette is back at once.
  EXPECT_EQ(paletteSettled, 1);
  EXPECT_EQ(displayDevice->palette[40].red, targetPalette[40].red);

  for (int f = 2; f <= 60; f++) frame();  // levelIntroX = 160
  EXPECT_EQ(leftEdgeAt(64), 160);
  EXPECT_EQ(smallLineAt(112).x, 240);  // centred "Ann Author" already reached
  EXPECT_EQ(smallLineAt(160).x, 288);  // "Level 2 of 5" still coming, 128 behind
  EXPECT_EQ(smallLineAt(272).x, 480);

  for (int f = 61; f <= 130; f++) frame();
  EXPECT_EQ(levelIntroX, -160);
  EXPECT_EQ(leftEdgeAt(64), 0);
  Line author = smallLineAt(112), level = smallLineAt(160), livesLine = smallLineAt(192),
       difficultyLine = smallLineAt(224), prompt = smallLineAt(272);
  EXPECT_EQ(author.text, "Ann Author");
  EXPECT_EQ(author.x, 240);
  EXPECT_EQ(level.text, "Level 2 of 5");
  EXPECT_EQ(level.x, 224);
  EXPECT_EQ(livesLine.text, "Lives: 3");
  EXPECT_EQ(livesLine.x, 256);
  EXPECT_EQ(difficultyLine.text, "Difficulty: Normal");
  EXPECT_EQ(difficultyLine.x, 176);
  EXPECT_EQ(prompt.text, "Press any key to begin!");
  EXPECT_EQ(prompt.x, 160);  // the slide stops before it is centred
  EXPECT_EQ(pendingState, 0);
}

TEST_F(LevelIntroTest, DifficultyNamesFollowTheSetting) {
  ASSERT_TRUE(start(STATE_LEVEL_INTRO));
  for (int f = 0; f < 100; f++) frame();
  const std::pair<int32_t, const char*> cases[] = {{DIFFICULTY_EASY, "Easy"}, {DIFFICULTY_HARD, "Hard"}, {7, "Easy"}};
  for (auto [setting, name] : cases) {
    difficulty = setting;
    frame();
    EXPECT_EQ(smallLineAt(224).text, std::string("Difficulty: ") + name);
  }
}

TEST_F(LevelIntroTest, KeyHeldWhenItBeginsDoesNotStartTheLevel) {
  ASSERT_TRUE(start(STATE_LEVEL_INTRO));
  test.keyboard.held[KEY_SPACE] = 0x80;  // still held from the screen before
  test.keyboard.releaseAfter = test.keyboard.reads + 6;
  frame();
  EXPECT_GT(test.keyboard.reads, 6);  // it waited for the release
  EXPECT_EQ(pendingState, 0);
  EXPECT_EQ(levelIntroFirstFrame, 0);
  for (int f = 0; f < 5; f++) frame();
  EXPECT_EQ(pendingState, 0);

  test.keyboard.releaseAfter = -1;
  test.keyboard.held[KEY_P] = 0x80;  // a new press
  frame();
  EXPECT_EQ(pendingState, STATE_LEVEL_START);
  EXPECT_EQ(fadeMode, FADE_TO_WHITE | FADE_RUNNING);
  EXPECT_EQ(levelIntroFirstFrame, 1);
  test.keyboard.held[KEY_P] = 0;
  for (int f = 0; f < 20 && gameState == STATE_FADE_HOLD; f++) frame();
  EXPECT_EQ(gameState, STATE_LEVEL_START);

  // The next showing waits and slides from the right edge again.
  gameState = STATE_LEVEL_INTRO;
  test.keyboard.held[KEY_P] = 0x80;
  test.keyboard.releaseAfter = test.keyboard.reads + 3;
  frame();
  EXPECT_EQ(pendingState, 0);
  EXPECT_EQ(levelIntroX, 632);
}

}  // namespace
