// Tiles: the start-of-level rules, the touch effects at the player's centre
// height in their order, tile values without a class, and probes and cell
// changes outside the grid.
#include "game/game_vars.h"
#include "game/play/play.h"
#include "game/shell.h"
#include "media/text.h"
#include "play_test_support.h"

namespace {

// The player starts at screen (64, 64) in a level without a start cell, so
// its centre is in cell (2, 2); moving it right by 6 puts its right probe in
// cell (3, 2).
constexpr int32_t PLAYER_CELL = 2;

int32_t countObjects(int32_t kind) {
  int32_t n = 0;
  for (const ActiveObject* node = activeObjects; node; node = node->next) n += node->kind == kind;
  return n;
}

TEST_F(PlayTest, PickupsGiveALifeAtTheCountOfTheDifficulty) {
  writeWorld({TestLevel(20, 12).set(PLAYER_CELL, PLAYER_CELL, T_PICKUP)});
  for (int32_t d : {DIFFICULTY_EASY, DIFFICULTY_NORMAL, DIFFICULTY_HARD}) {
    difficulty = d;
    lives = 3;
    pickupCount = d * 12 + 19;  // the next one is the 20th, 32nd or 44th
    int lifeSounds = plays(SOUND_EXTRA_LIFE), pickupSounds = plays(SOUND_PICKUP);
    start();
    EXPECT_EQ(lives, 4) << d;
    EXPECT_EQ(pickupCount, 0) << d;
    EXPECT_EQ(plays(SOUND_EXTRA_LIFE), lifeSounds + 1);
    EXPECT_EQ(plays(SOUND_PICKUP), pickupSounds);
    EXPECT_EQ(tileOf(PLAYER_CELL, PLAYER_CELL), TILE_EMPTY);
  }
  pickupCount = 0;
  start();
  EXPECT_EQ(pickupCount, 1);
  EXPECT_EQ(lives, 4);
  EXPECT_EQ(tileLayer->pixelAt((PLAYER_CELL + 1) * 32 + 4, (PLAYER_CELL + 1) * 32 + 4), 0);
}

TEST_F(PlayTest, AirFallsOneAFrameInWaterAndRefillsTwo) {
  writeWorld({TestLevel(20, 12).floor(PLAYER_CELL + 1).set(PLAYER_CELL, PLAYER_CELL, T_WATER)});
  start();
  EXPECT_EQ(airLeft, 499);
  for (int32_t f = 0; f < 99; f++) frame();
  EXPECT_EQ(airLeft, 400);
  EXPECT_EQ(plays(SOUND_SPLASH), 1);  // only on entering
  tileMap[PLAYER_CELL * 12 + PLAYER_CELL] = TILE_EMPTY;
  frame();
  EXPECT_EQ(airLeft, 402);
  EXPECT_EQ(sequenceCounter, 0);
  for (int32_t f = 0; f < 49; f++) frame();
  EXPECT_EQ(airLeft, 500);
  frame();
  EXPECT_EQ(airLeft, 500);
  tileMap[PLAYER_CELL * 12 + PLAYER_CELL] = T_WATER;
  airLeft = 1;
  frame();
  EXPECT_EQ(plays(SOUND_SPLASH), 2);
  EXPECT_EQ(gameState, STATE_DYING);
  // "YOU DROWNED\" in the big font: its Y is frame 229 of the keyed sheet.
  EXPECT_EQ(backBuffer->pixelAt(128 + 4, 184 + 4), largeFontFrames['Y' - 'A']);
}

TEST_F(PlayTest, OnlyTheFirstOfTwoCrumblingCellsCrumbles) {
  writeWorld({TestLevel(20, 12).floor(PLAYER_CELL + 1).set(3, PLAYER_CELL, T_CRUMBLING).set(4, PLAYER_CELL, T_CRUMBLING)});
  start();
  for (int32_t x : {70, 100, 150}) {
    playerX = x;
    frame();
    EXPECT_EQ(crumbleCellX, 96);
    EXPECT_EQ(crumbleCellY, 64);
  }
  EXPECT_EQ(activeObjects, nullptr);
  playerX = 180;  // neither side on a crumbling cell any more
  frame();
  ASSERT_NE(activeObjects, nullptr);
  EXPECT_EQ(activeObjects->next, nullptr);
  EXPECT_EQ(activeObjects->kind, KIND_CRUMBLING_CELL);
  EXPECT_EQ(activeObjects->x, 96);
  EXPECT_EQ(activeObjects->y, 64);
  EXPECT_EQ(plays(SOUND_CRUMBLE), 1);
  EXPECT_EQ(crumbleCellX, 0);
}

TEST_F(PlayTest, WallsPushTriggersFireOnBothSidesAndDeadlyCellsKill) {
  writeWorld({TestLevel(20, 12).floor(3).set(3, PLAYER_CELL, T_SOLID),
              TestLevel(20, 12).floor(3).set(0, 2, T_TRIGGER).set(1, 2, T_TRIGGER),
              TestLevel(20, 12).floor(3).set(3, PLAYER_CELL, T_DEADLY), TestLevel(20, 12).floor(3).set(2, 2, TILE_EXTRA_LIFE)});
  start(0);
  playerX = 70;
  frame();
  EXPECT_EQ(playerX, 64);
  start(1);
  playerX = 16;  // left probe in cell 0, right probe in cell 1
  frame();
  EXPECT_EQ(countObjects(KIND_SIDE_TRIGGER_CELL), 2);
  EXPECT_EQ(activeObjects->x, 32);  // the right one was added last
  EXPECT_EQ(activeObjects->next->x, 0);
  EXPECT_EQ(plays(SOUND_SIDE_TRIGGER), 2);
  start(2);
  EXPECT_EQ(gameState, STATE_ON_GROUND);
  playerX = 70;
  frame();
  EXPECT_EQ(gameState, STATE_DYING);
  start(3);
  EXPECT_EQ(lives, 4);
  EXPECT_EQ(tileOf(2, 2), TILE_EMPTY);
}

// Walking or running into a bell from either side, at every pixel the player
// can start from, rings that bell and no other cell: the player's own cell
// (here a plain picture beside the bell) stays as it was.
TEST_F(PlayTest, ABellTouchedFromEitherSideAtAnySpeedRingsOnlyItsOwnCell) {
  constexpr int32_t BELL_COLUMN = 8;
  writeWorld({TestLevel(20, 12)
                  .floor(3)
                  .set(BELL_COLUMN - 1, 2, T_PLAIN)
                  .set(BELL_COLUMN, 2, T_BELL)
                  .set(BELL_COLUMN + 1, 2, T_PLAIN2)});
  for (int32_t binding : {BIND_RIGHT, BIND_LEFT}) {
    for (bool walk : {false, true}) {
      for (int32_t offset = 0; offset < 4; offset++) {
        SCOPED_TRACE(testing::Message() << (binding == BIND_RIGHT ? "from the left" : "from the right")
                                        << (walk ? " walking" : " running") << ", offset " << offset);
        start();
        const int32_t rings = plays(SOUND_SIDE_TRIGGER);
        playerX = (binding == BIND_RIGHT ? 4 * 32 : 12 * 32) + offset;
        hold(binding);
        hold(BIND_WALK, walk);
        for (int32_t f = 0; f < 80; f++) frame();
        releaseAll();
        for (int32_t f = 0; f < 10; f++) frame();  // the ringing ends
        EXPECT_GT(plays(SOUND_SIDE_TRIGGER), rings);
        EXPECT_EQ(countObjects(KIND_SIDE_TRIGGER_CELL), 0);
        for (int32_t c = 0; c < 20; c++) {
          const int32_t expected = c == BELL_COLUMN       ? T_BELL_RUNG
                                   : c == BELL_COLUMN - 1 ? T_PLAIN
                                   : c == BELL_COLUMN + 1 ? T_PLAIN2
                                                          : TILE_EMPTY;
          EXPECT_EQ(tileOf(c, 2), expected) << "column " << c;
        }
        EXPECT_EQ(tileLayer->pixelAt((BELL_COLUMN - 1 + 1) * 32 + 5, 3 * 32 + 5), T_PLAIN);
        EXPECT_EQ(tileLayer->pixelAt((BELL_COLUMN + 1 + 1) * 32 + 5, 3 * 32 + 5), T_PLAIN2);
      }
    }
  }
}

TEST_F(PlayTest, HardRemovesExtraLivesUnlessTheLevelKeepsThem) {
  writeWorld({TestLevel(20, 12).set(10, 5, TILE_EXTRA_LIFE).set(15, 1, TILE_EXTRA_LIFE),
              TestLevel(20, 12, LEVEL_KEEP_LIVES_HARD).set(10, 5, TILE_EXTRA_LIFE).set(15, 1, TILE_EXTRA_LIFE)});
  struct Case {
    int32_t difficulty, level, expected;
  };
  for (Case c : {Case{DIFFICULTY_HARD, 0, TILE_EMPTY}, Case{DIFFICULTY_HARD, 1, TILE_EXTRA_LIFE},
                 Case{DIFFICULTY_NORMAL, 0, TILE_EXTRA_LIFE}, Case{DIFFICULTY_EASY, 0, TILE_EXTRA_LIFE}}) {
    difficulty = c.difficulty;
    start(c.level);
    EXPECT_EQ(tileOf(10, 5), c.expected);
    EXPECT_EQ(tileOf(15, 1), c.expected);
  }
}

TEST_F(PlayTest, DifficultyBlocksCloseOnTheirOwnDifficultyOnly) {
  TestLevel level(20, 12);
  for (int32_t k = 0; k < 3; k++) level.set(10, 1 + k, 74 + k).set(11, 1 + k, 92 + k);
  level.set(12, 1, 73).set(12, 2, 87);
  writeWorld({level});
  for (int32_t d : {DIFFICULTY_EASY, DIFFICULTY_NORMAL, DIFFICULTY_HARD}) {
    difficulty = d;
    start();
    for (int32_t k = 0; k < 3; k++) {
      EXPECT_EQ(tileOf(10, 1 + k), d == k ? TILE_GATE_CLOSED : TILE_GATE_OPEN) << d << " " << k;
      EXPECT_EQ(tileOf(11, 1 + k), d == k ? TILE_GATE_OPEN : TILE_GATE_CLOSED) << d << " " << k;
    }
    EXPECT_EQ(tileOf(12, 1), 72);
    EXPECT_EQ(tileOf(12, 2), 86);
  }
}

TEST_F(PlayTest, TileValuesWithoutAClassAndPointsOffTheGridAreEmpty) {
  for (int32_t tile = 240; tile < 256; tile++) EXPECT_EQ(tileClassOf(tile), 0);
  EXPECT_EQ(tileClassOf(T_SOLID), CLASS_SOLID);
  TestLevel level(20, 12);
  for (int32_t c = 0; c < 20; c++) {
    for (int32_t r = 0; r < 12; r++) level.set(c, r, T_SOLID);
  }
  level.set(2, 2, 0).set(3, 2, 250);
  writeWorld({level});
  start();
  playerX = 70;  // right probe on tile 250: not a wall
  frame();
  EXPECT_EQ(playerX, 70);
  EXPECT_TRUE(isSolid(20 * 32 - 1, 0));
  for (auto [x, y] : {std::pair{20 * 32, 0}, std::pair{0, 12 * 32}, std::pair{-1, 5}, std::pair{5, -1}}) {
    EXPECT_EQ(cellIndexAt(x, y), -1);
    EXPECT_EQ(cellAt(x, y), TILE_EMPTY);
    EXPECT_FALSE(isSolid(x, y));
  }
  std::vector<int32_t> before = tileMap;
  clearCell(-1);
  clearCell(20 * 12);
  EXPECT_EQ(tileMap, before);
  // A player far outside the level probes the clamped cells only.
  playerX = 5000;
  playerY = -500;
  runTouchEffects();
  playerX = -5000;
  playerY = 5000;
  runTouchEffects();
}

}  // namespace
