// The player through the real play frame: the jump and the fall along the
// gravity table, a jump per press, both directions held, walls, ceilings
// that break or bump, and the death motion.
#include <vector>

#include "game/game_vars.h"
#include "game/play/play.h"
#include "game/shell.h"
#include "play_test_support.h"

namespace {

// Without a start cell the player starts at (64, 64) in column 2; the
// floor of row 10 holds it at y 288.
constexpr int32_t FLOOR_ROW = 10;
constexpr int32_t STANDING_Y = 288;

class PlayerTest : public PlayTest {
 protected:
  // Starts the level and lets the player drop onto the floor.
  void startOnFloor(int32_t index = 0) {
    start(index);
    for (int32_t f = 0; f < 60 && !(gameState == STATE_ON_GROUND && playerY == STANDING_Y); f++) frame();
    ASSERT_EQ(playerY, STANDING_Y);
    ASSERT_EQ(gameState, STATE_ON_GROUND);
  }
  // playerY's change in each of `frames` frames.
  std::vector<int32_t> moves(int32_t frames) {
    std::vector<int32_t> out;
    for (int32_t f = 0; f < frames; f++) {
      const int32_t before = playerY;
      frame();
      out.push_back(playerY - before);
    }
    return out;
  }
};

TEST_F(PlayerTest, AFallReachesTenPixelsAFrameAndStaysThere) {
  writeWorld({TestLevel(20, 12).floor(FLOOR_ROW)});
  start();  // the start frame already falls the first 2 pixels
  std::vector<int32_t> fall = moves(40);
  const std::vector<int32_t> expected = {2, 2, 2, 2, 4, 4, 4, 4, 6, 6, 6, 8, 8, 8, 10, 10, 10, 10, 10, 10, 10, 10, 10,
                                         10, 10, 10, 10, 10, 10};
  for (size_t f = 0; f < expected.size(); f++) EXPECT_EQ(fall[f], expected[f]) << f;
  EXPECT_EQ(playerY, STANDING_Y);  // landed, on the grid (the last step cut short)
  EXPECT_EQ(jumpStep, 0);
}

TEST_F(PlayerTest, JumpRisesExactly100PixelsIn18FramesThenFallsAlongTheTable) {
  writeWorld({TestLevel(20, 12).floor(FLOOR_ROW)});
  startOnFloor();
  hold(BIND_JUMP);
  std::vector<int32_t> rise = moves(18);
  const std::vector<int32_t> up = {-12, -10, -10, -8, -8, -8, -6, -6, -6, -4, -4, -4, -4, -2, -2, -2, -2, -2};
  EXPECT_EQ(rise, up);
  EXPECT_EQ(playerY, STANDING_Y - 100);
  EXPECT_EQ(jumpStep, 0);
  EXPECT_EQ(gameState, STATE_AIRBORNE);
  hold(BIND_JUMP, false);  // releasing does not shorten a jump; here it is over
  std::vector<int32_t> fall = moves(10);
  const std::vector<int32_t> down = {2, 2, 2, 2, 2, 4, 4, 4, 4, 6};
  EXPECT_EQ(fall, down);
  EXPECT_EQ(gameState, STATE_AIR_RELEASED);
  for (int32_t f = 0; f < 20; f++) frame();
  EXPECT_EQ(playerY, STANDING_Y);
  EXPECT_EQ(gameState, STATE_ON_GROUND);
}

TEST_F(PlayerTest, HoldingJumpJumpsOnceAndASecondJumpNeedsAFreshPress) {
  writeWorld({TestLevel(20, 12).floor(FLOOR_ROW)});
  startOnFloor();
  hold(BIND_JUMP);
  int32_t takeOffs = 0;
  for (int32_t f = 0; f < 120; f++) {
    const int32_t before = playerY;
    frame();
    takeOffs += before == STANDING_Y && playerY < STANDING_Y;
  }
  EXPECT_EQ(takeOffs, 1);
  EXPECT_EQ(playerY, STANDING_Y);
  EXPECT_EQ(gameState, STATE_AIRBORNE);  // landed with Jump held
  hold(BIND_JUMP, false);
  frame();
  EXPECT_EQ(gameState, STATE_ON_GROUND);
  hold(BIND_JUMP);
  frame();
  EXPECT_EQ(playerY, STANDING_Y - 12);
}

TEST_F(PlayerTest, LeftAndRightTogetherDoNotMoveAndWalkHalvesTheSpeed) {
  writeWorld({TestLevel(20, 12).floor(FLOOR_ROW)});
  startOnFloor();
  hold(BIND_LEFT);
  hold(BIND_RIGHT);
  frame();
  EXPECT_EQ(playerX, 64);
  EXPECT_EQ(playerFacing, FACING_RIGHT);
  EXPECT_EQ(walkFrame, 1);  // advanced twice from standing: 0, then 1
  releaseAll();
  frame();
  EXPECT_EQ(walkFrame, WALK_FRAME_STANDING);
  hold(BIND_LEFT);
  frame();
  EXPECT_EQ(playerX, 60);
  EXPECT_EQ(playerFacing, FACING_LEFT);
  hold(BIND_WALK);
  frame();
  EXPECT_EQ(playerX, 58);
}

TEST_F(PlayerTest, ARunIntoAWallEntersAtMostThreePixelsAndIsPushedBackToTheGrid) {
  // A wall at column 5 (x 160) on the floor, and one at column 0 on the left.
  writeWorld({TestLevel(20, 12).floor(FLOOR_ROW).set(5, 9, T_SOLID).set(0, 9, T_SOLID)});
  startOnFloor();
  hold(BIND_RIGHT);
  hold(BIND_WALK);
  frame();  // 66: off the 4-pixel steps, so a run ends 2 pixels into the wall
  hold(BIND_WALK, false);
  for (int32_t f = 0; f < 30; f++) {
    frame();
    EXPECT_LE(playerX, 128) << f;
  }
  EXPECT_EQ(playerX, 128);
  // The move did happen before the push: from 126 it reached 130.
  playerX = 126;
  frame();
  EXPECT_EQ(playerX, 128);
  releaseAll();
  hold(BIND_LEFT);
  for (int32_t f = 0; f < 40; f++) frame();
  EXPECT_EQ(playerX, 32);
}

TEST_F(PlayerTest, HeadHitsBreakTile40AndBumpTile20AndTheFallBegins) {
  // Row 6 (y 192-223) over the player: a breakable block, then a bump block.
  writeWorld({TestLevel(20, 12).floor(FLOOR_ROW).set(2, 9, TILE_START_RIGHT).set(2, 6, TILE_BREAKABLE),
              TestLevel(20, 12).floor(FLOOR_ROW).set(2, 9, TILE_START_RIGHT).set(2, 6, TILE_BUMP_BLOCK)});
  for (int32_t level : {0, 1}) {
    const int32_t tile = level == 0 ? TILE_BREAKABLE : TILE_BUMP_BLOCK;
    startOnFloor(level);
    hold(BIND_JUMP);
    std::vector<int32_t> shown = {tileOf(2, 6)};
    ASSERT_EQ(shown.front(), tile) << level;
    int32_t f = 0;
    while (f < 20 && !activeObjects) {
      frame();
      f++;
    }
    if (shown.back() != tileOf(2, 6)) shown.push_back(tileOf(2, 6));
    ASSERT_NE(activeObjects, nullptr) << level;
    EXPECT_EQ(f, 9) << level;  // 12 + 10 + 10 + 8 + 8 + 8 + 6 + 6 = 68, then the head is in row 6
    EXPECT_EQ(playerY, 224) << level;  // just below the cell
    EXPECT_EQ(jumpStep, 0);
    EXPECT_EQ(activeObjects->kind, level == 0 ? KIND_BREAKING_BLOCK : KIND_BUMPED_BLOCK);
    EXPECT_EQ(activeObjects->x, 64);
    EXPECT_EQ(activeObjects->y, 192);
    EXPECT_EQ(plays(SOUND_BREAK), 1);
    EXPECT_EQ(plays(SOUND_BUMP), level);
    frame();
    EXPECT_EQ(playerY, 226);  // falling
    for (int32_t n = 0; n < 20 && activeObjects; n++) {
      if (shown.empty() || shown.back() != tileOf(2, 6)) shown.push_back(tileOf(2, 6));
      frame();
    }
    EXPECT_EQ(activeObjects, nullptr);
    const std::vector<int32_t> breaking = {TILE_BREAKABLE, 200, 201, 202, 203, TILE_EMPTY};
    const std::vector<int32_t> bumping = {TILE_BUMP_BLOCK, 80, 100, 120, TILE_BUMP_BLOCK};
    EXPECT_EQ(shown, level == 0 ? breaking : bumping);
    EXPECT_EQ(tileOf(2, 6), level == 0 ? TILE_EMPTY : TILE_BUMP_BLOCK);
    EXPECT_EQ(tileLayer->pixelAt(3 * 32 + 5, 7 * 32 + 5), tileOf(2, 6));  // the layer shows it
    hold(BIND_JUMP, false);
  }
}

TEST_F(PlayerTest, DeathLeapsDriftsBackAndFallsAtUpTo12UntilGone) {
  writeWorld({TestLevel(20, 12).floor(FLOOR_ROW)});
  startOnFloor();
  hold(BIND_RETRY);
  frame();
  hold(BIND_RETRY, false);
  EXPECT_EQ(gameState, STATE_DYING);
  const int32_t x = playerX;
  std::vector<int32_t> motion = moves(20);
  int32_t rise = 0;
  for (int32_t d : motion) rise -= d;
  EXPECT_EQ(rise, 102);
  EXPECT_EQ(plays(SOUND_DEATH), 1);
  EXPECT_EQ(playerX, x - 80);  // facing right, it drifts left
  std::vector<int32_t> fall;
  while (playerY < PLAYER_GONE_Y && fall.size() < 200) {
    const int32_t before = playerY;
    frame();
    fall.push_back(playerY - before);
  }
  ASSERT_GT(fall.size(), 40u);
  EXPECT_EQ(fall[0], 1);
  EXPECT_EQ(fall[1], 1);
  EXPECT_EQ(fall[19], 12);
  EXPECT_EQ(fall.back(), 12);
  EXPECT_EQ(pendingState, STATE_LEVEL_INTRO);  // a life lost
  EXPECT_EQ(lives, 2);
}

TEST_F(PlayerTest, AViewBetweenRowsStillLetsThePlayerStandAndJump) {
  // The start cell puts the view at scrollY 304, half a cell off the grid:
  // the player lands on the level's grid, not the screen's, and stays put.
  writeWorld({TestLevel(20, 30).set(5, 15, TILE_START_RIGHT).floor(16)});
  start();
  EXPECT_EQ(scrollY, 304);
  for (int32_t f = 0; f < 30; f++) {
    frame();
    EXPECT_EQ(playerY, 176) << f;
    EXPECT_EQ(gameState, STATE_ON_GROUND) << f;
  }
  hold(BIND_JUMP);
  frame();
  EXPECT_EQ(playerY, 176 - 12);
}

TEST_F(PlayerTest, DroppingIntoAPitDiesWithoutTheLeap) {
  writeWorld({TestLevel(20, 12)});
  start();
  while (gameState != STATE_DYING) frame();
  const int32_t y = playerY;
  frame();
  EXPECT_GT(playerY, y);  // no leap: still falling
  EXPECT_GT(y, PLAYER_BELOW_VIEW_Y);
}

TEST_F(PlayerTest, ALandingOnAFallingFloorStartsItsFall) {
  writeWorld({TestLevel(20, 12).set(2, FLOOR_ROW, TILE_FALLING_FLOOR)});
  start();
  for (int32_t f = 0; f < 30 && !activeObjects; f++) frame();
  ASSERT_NE(activeObjects, nullptr);
  EXPECT_EQ(activeObjects->kind, KIND_FALLING_FLOOR);
  EXPECT_EQ(activeObjects->x, 64);
  EXPECT_EQ(activeObjects->y, 320);
  for (int32_t f = 0; f < 12; f++) frame();
  EXPECT_EQ(tileOf(2, FLOOR_ROW), TILE_EMPTY);
}

}  // namespace
