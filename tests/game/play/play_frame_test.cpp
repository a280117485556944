// The play frame: the level time and its scaling, where a level starts the
// player and the view, the sub-states and keys, the status line and the
// hand-overs to other screens, and a level that cannot be read any more.
#include <cstring>
#include <set>

#include "game/frame_loop.h"
#include "game/game_vars.h"
#include "game/play/play.h"
#include "game/shell.h"
#include "media/text.h"
#include "play_test_support.h"

namespace {

// The time units of a 21-column level before scaling, by step 0..15, on
// Easy, Normal and Hard; and with LEVEL_TICK_TIME.
constexpr int32_t WIDTH_TIME[3][16] = {
    {37, 46, 55, 63, 78, 94, 109, 126, 141, 157, 172, 189, 204, 207, 226, 750},
    {25, 31, 37, 42, 52, 63, 73, 84, 94, 105, 115, 126, 136, 138, 151, 500},
    {18, 23, 27, 31, 39, 47, 54, 63, 70, 78, 86, 94, 102, 103, 113, 375}};
constexpr int32_t TICK_FACTOR[3] = {90, 60, 45};  // units per step, Easy / Normal / Hard

// The gauge value and shift expected for `units`.
void expectScaled(int32_t units, int32_t step, int32_t d) {
  int32_t shift = 0;
  while (units > 500) units /= 2, shift++;
  while (units < 250) units *= 2, shift--;
  EXPECT_EQ(timeLeft, units) << "step " << step << " difficulty " << d;
  EXPECT_EQ(timeShift, shift) << "step " << step << " difficulty " << d;
  EXPECT_EQ(timeUnlimited, step == 15 ? 1 : 0);
}

TEST_F(PlayTest, LevelTimeFollowsTheStepTableOnEveryDifficulty) {
  std::vector<TestLevel> levels;
  for (int32_t step = 0; step < 16; step++) levels.emplace_back(21, 12, timeFlags(step));
  for (int32_t step = 0; step < 16; step++) levels.emplace_back(21, 12, timeFlags(step, LEVEL_TICK_TIME));
  writeWorld(levels);
  for (int32_t d = DIFFICULTY_EASY; d <= DIFFICULTY_HARD; d++) {
    difficulty = d;
    for (int32_t step = 0; step < 16; step++) {
      start(step);
      expectScaled(WIDTH_TIME[d][step], step, d);
      start(16 + step);
      expectScaled(step == 15 ? WIDTH_TIME[d][15] : (step + 1) * TICK_FACTOR[d], step, d);
    }
  }
}

TEST_F(PlayTest, ScaledTimeRunsOutInTheFramesItsShiftGives) {
  // The player stands at (64, 64), on the cell below.
  writeWorld({TestLevel(20, 12, timeFlags(3)).set(2, 3, T_SOLID), TestLevel(20, 12, timeFlags(0)).set(2, 3, T_SOLID),
              TestLevel(20, 12, timeFlags(15)).set(2, 3, T_SOLID)});
  struct Case {
    int32_t level, difficulty, units, shift;
  };
  // Width 20 step 3 Normal: 40 units doubled to 320, one a frame. Step 0 on
  // Hard: 18 units doubled to 288, shift -4 still one a frame.
  for (Case c : {Case{0, DIFFICULTY_NORMAL, 320, -3}, Case{1, DIFFICULTY_HARD, 288, -4}}) {
    difficulty = c.difficulty;
    start(c.level);
    EXPECT_EQ(timeLeft, c.units);  // the start frame's tick came before the start
    EXPECT_EQ(timeShift, c.shift);
    for (int32_t f = 1; f < c.units; f++) frame();
    EXPECT_EQ(timeLeft, 1);
    EXPECT_EQ(gameState, STATE_ON_GROUND);
    frame();
    EXPECT_EQ(timeLeft, 0);
    EXPECT_EQ(gameState, STATE_DYING);  // "OUT OF TIME"
    frame();
    EXPECT_EQ(timeLeft, 0);  // time stands still while dying
  }
  difficulty = DIFFICULTY_EASY;
  start(2);
  for (int32_t f = 0; f < 400; f++) frame();
  EXPECT_EQ(timeLeft, 375);  // 750 halved, never shrinks
  EXPECT_EQ(gameState, STATE_ON_GROUND);
}

TEST_F(PlayTest, AComputedTimeOfZeroStillStartsTheClock) {
  levelWidth = 1;
  levelFlags = uint32_t(timeFlags(0));
  difficulty = DIFFICULTY_HARD;  // 1 x 2 x 0.6 = 1, x 0.75 = 0
  EXPECT_EQ(levelStartTime(), 0);
  setLevelTime();
  EXPECT_EQ(timeLeft, 256);
  EXPECT_EQ(timeShift, -8);
  EXPECT_EQ(timeUnitFrames(), 0);
}

TEST_F(PlayTest, StartCellPlacesViewAndPlayerAndIsClampedAtTheEdges) {
  writeWorld({TestLevel(40, 20).set(2, 1, TILE_START_RIGHT).set(2, 2, T_SOLID),
              TestLevel(40, 20).set(38, 18, TILE_START_LEFT).set(38, 19, T_SOLID),
              TestLevel(40, 20).set(20, 10, TILE_START_RIGHT).set(20, 11, T_SOLID).set(30, 5, TILE_START_LEFT),
              TestLevel(40, 20).set(2, 3, T_SOLID)});
  struct Case {
    int32_t level, scrollX, scrollY, playerX, playerY, facing;
  };
  for (Case c : {Case{0, 0, 0, 64, 32, FACING_RIGHT}, Case{1, 640, 256, 576, 320, FACING_LEFT},
                 Case{2, 336, 144, 304, 176, FACING_RIGHT}, Case{3, 0, 0, 64, 64, FACING_RIGHT}}) {
    start(c.level);
    EXPECT_EQ(scrollX, c.scrollX) << c.level;
    EXPECT_EQ(scrollY, c.scrollY) << c.level;
    EXPECT_EQ(playerX, c.playerX) << c.level;
    EXPECT_EQ(playerY, c.playerY) << c.level;
    EXPECT_EQ(playerFacing, c.facing) << c.level;
  }
  start(2);
  EXPECT_EQ(tileOf(20, 10), TILE_EMPTY);
  EXPECT_EQ(tileOf(30, 5), TILE_START_LEFT);  // only the first start cell is used
}

TEST_F(PlayTest, CheckpointRestartKeepsStartTilesAndShowsTheCheckpointReached) {
  writeWorld({TestLevel(40, 12).set(12, 6, TILE_START_RIGHT).set(12, 7, T_SOLID).set(30, 8, TILE_CHECKPOINT).set(30, 9, T_SOLID)});
  start();
  // Stand on the checkpoint: its touch stores the restart view.
  playerX = 30 * 32 - scrollX;
  playerY = 8 * 32 - scrollY;
  frame();
  EXPECT_EQ(plays(SOUND_CHECKPOINT), 1);
  ASSERT_NE(activeObjects, nullptr);
  EXPECT_EQ(activeObjects->kind, KIND_CHECKPOINT_CELL);
  EXPECT_EQ(checkpointScrollX, 30 * 32 - 304);
  EXPECT_EQ(checkpointScrollY, 8 * 32 - 176);
  start();  // the restart after a lost life
  EXPECT_EQ(activeObjects, nullptr);
  EXPECT_EQ(tileOf(12, 6), TILE_START_RIGHT);
  EXPECT_EQ(tileOf(30, 8), TILE_CHECKPOINT_REACHED);
  EXPECT_EQ(scrollX + playerX, 30 * 32);
  EXPECT_EQ(scrollY + playerY, 8 * 32);
  EXPECT_EQ(tileLayer->pixelAt((30 - scrollX / 32 + 1) * 32 + 3, (8 + 1) * 32 + 3), TILE_CHECKPOINT_REACHED);
}

TEST_F(PlayTest, KeysPauseRetryQuitAndTheDebugKeys) {
  writeWorld({TestLevel(20, 12), TestLevel(20, 12), TestLevel(20, 12)});
  start(1);
  keyState[KEY_P] = 0x80;
  test.keyboard.held[KEY_P] = 0x80;  // released after five more reads
  test.keyboard.releaseAfter = test.keyboard.reads + 5;
  frame();
  EXPECT_EQ(gameState, STATE_PAUSED);
  EXPECT_EQ(test.keyboard.reads, test.keyboard.releaseAfter + 1);  // waited for the release
  const int32_t time = timeLeft;
  frame();
  frame();
  EXPECT_EQ(timeLeft, time);  // time stands still while paused
  keyState[KEY_SPACE] = 0x80;
  frame();
  EXPECT_EQ(gameState, STATE_ON_GROUND);

  keyState[KEY_ESCAPE] = 0x80;
  frame();
  EXPECT_EQ(gameState, STATE_DYING);
  keyState[KEY_ESCAPE] = 0;
  keyState[KEY_Q] = 0x80;
  frame();  // Quit works while dying too
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  EXPECT_EQ(fadeMode, FADE_TO_WHITE);
  keyState[KEY_Q] = 0;
  pendingState = 0;

  start(1);
  keyState[KEY_F2] = keyState[KEY_F5] = 0x80;
  frame();  // without Debug Mode nothing happens
  EXPECT_EQ(levelIndex, 1);
  EXPECT_EQ(lives, 3);
  debugMode = 1;
  timeLeft = airLeft = 7;
  keyState[KEY_F3] = keyState[KEY_F4] = 0x80;
  frame();
  EXPECT_EQ(gameState, STATE_LEVEL_DONE);
  EXPECT_EQ(levelIndex, 2);
  EXPECT_EQ(lives, 4);
  EXPECT_EQ(timeLeft, 500);
  EXPECT_EQ(airLeft, 500);
  std::memset(keyState, 0, sizeof keyState);
  start(2);
  keyState[KEY_F2] = 0x80;  // no level after the last
  frame();
  EXPECT_EQ(levelIndex, 2);
  keyState[KEY_F2] = 0;
  keyState[KEY_F1] = 0x80;
  frame();
  EXPECT_EQ(levelIndex, 1);
  EXPECT_EQ(gameState, STATE_LEVEL_DONE);
}

TEST_F(PlayTest, JoystickSmallDeflectionWalksAndFullDeflectionRuns) {
  writeWorld({TestLevel(20, 12)});
  start();
  joystickPresent = 1;
  joyState.lX = -300;
  frame();
  EXPECT_TRUE(keyState[203] && keyState[208]);
  std::memset(keyState, 0, sizeof keyState);
  joyState.lX = 1024;
  joyState.rgbButtons[0] = 0x80;
  frame();
  EXPECT_TRUE(keyState[205] && keyState[200]);
  EXPECT_FALSE(keyState[208]);
  joyState = JoyState{};
  joystickPresent = 0;
}

TEST_F(PlayTest, ThePadsQuitButtonLeavesTheLevelAndNoDefaultButtonDoesTwoThings) {
  std::set<uint8_t> buttons(DEFAULT_JOY_BINDINGS, DEFAULT_JOY_BINDINGS + JOY_BINDING_COUNT);
  EXPECT_EQ(buttons.size(), size_t(JOY_BINDING_COUNT));
  writeWorld({TestLevel(20, 12).floor(11)});
  start();
  joystickPresent = 1;
  joyState.rgbButtons[DEFAULT_JOY_BINDINGS[JOY_BIND_QUIT]] = 0x80;
  frame();
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  EXPECT_EQ(fadeMode, FADE_TO_WHITE);
  EXPECT_NE(gameState, STATE_DYING);  // it does not retry as well
  joyState = JoyState{};
  joystickPresent = 0;
}

TEST_F(PlayTest, LevelDoneLifeLostAndGameOverHandOver) {
  writeWorld({TestLevel(20, 12).set(2, 2, T_EXIT), TestLevel(20, 12).set(2, 2, T_EXIT)});
  start(0);  // the player stands on the exit at (64, 64)
  EXPECT_EQ(gameState, STATE_LEVEL_DONE);
  EXPECT_EQ(levelIndex, 1);
  for (int32_t f = 0; f < 25; f++) frame();
  EXPECT_EQ(pendingState, 0);
  frame();
  EXPECT_EQ(pendingState, STATE_LEVEL_INTRO);
  EXPECT_EQ(fadeMode, FADE_TO_BLACK);
  pendingState = 0;
  start(1);
  for (int32_t f = 0; f < 26; f++) frame();
  EXPECT_EQ(pendingState, STATE_CONGRATULATIONS);  // that was the last level
  pendingState = 0;

  writeWorld({TestLevel(20, 12)});
  start();
  pickupCount = 5;
  playerY = 390;  // below the view
  frame();
  EXPECT_EQ(gameState, STATE_DYING);
  playerY = 1000;  // where the death motion ends
  frame();
  EXPECT_EQ(lives, 2);
  EXPECT_EQ(pickupCount, 0);
  EXPECT_EQ(pendingState, STATE_LEVEL_INTRO);
  pendingState = 0;
  lives = 0;
  frame();
  EXPECT_EQ(gameState, STATE_GAME_OVER);
  EXPECT_EQ(pendingState, 0);
  keyState[KEY_SPACE] = 0x80;
  frame();
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  EXPECT_EQ(fadeMode, FADE_TO_WHITE);
}

TEST_F(PlayTest, StatusLineIsCappedAndRightAligned) {
  writeWorld({TestLevel(20, 12)});
  start();
  pickupCount = 7;
  frame();
  // "\2x3 \1x07": 8 glyphs from x 512; the font sheet draws glyph n in colour n.
  const char expected[] = "\2x3 \1x07";
  EXPECT_EQ(backBuffer->pixelAt(511, 390), 0);
  for (int32_t i = 0; i < 8; i++) EXPECT_EQ(backBuffer->pixelAt(512 + 16 * i + 8, 392), expected[i]) << i;
  lives = 12;
  pickupCount = 150;
  frame();
  EXPECT_EQ(lives, 9);
  EXPECT_EQ(pickupCount, 99);
  EXPECT_EQ(backBuffer->pixelAt(512 + 16 * 6 + 8, 392), '9');
}

TEST_F(PlayTest, ALevelThatCannotBeReadAnyMoreReturnsToTheTitleMenu) {
  writeWorld({TestLevel(20, 12).set(5, 5, T_SOLID)});
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(readFileBytes(worldPath.string(), &bytes, &error));
  for (bool removed : {true, false}) {
    if (removed) {
      fs::remove(worldPath);
    } else {
      bytes.resize(bytes.size() - 100);  // cut off inside the level
      writeFile(worldPath, bytes);
    }
    pendingState = fadeMode = 0;
    start();
    EXPECT_EQ(pendingState, STATE_TITLE_MENU);
    EXPECT_EQ(fadeMode, FADE_TO_WHITE);
    EXPECT_TRUE(tileMap.empty());
    EXPECT_EQ(levelWidth, 0);
  }
  // Through the loop: the fade runs and the title menu follows.
  pendingState = fadeMode = 0;
  gameState = STATE_LEVEL_START;
  for (int32_t f = 0; f < 20 && gameState != STATE_TITLE_MENU; f++) runFramePass();
  EXPECT_EQ(gameState, STATE_TITLE_MENU);
}

}  // namespace
