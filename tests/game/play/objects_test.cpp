// The active objects through the real play frame: walkers at walls and
// gaps, stomps and deadly contact, the stunned fast walker, floaters over
// gaps, levers and gates, far-away removal, pausing and drawing.
#include <cstdlib>
#include <set>
#include <vector>

#include "game/play/play.h"
#include "game/shell.h"
#include "play_test_support.h"

namespace {

constexpr int32_t T_WALKER_LEFT = 9, T_WALKER_RIGHT = 11, T_FLOATER_RIGHT = 34, T_RUNNER_LEFT = 121;
constexpr int32_t T_GATE = 58, T_INVERSE_GATE = 59, T_LEVER = 77;

class ObjectsTest : public PlayTest {
 protected:
  ActiveObject* first(int32_t kind) {
    for (ActiveObject* node = activeObjects; node; node = node->next) {
      if (node->kind == kind) return node;
    }
    return nullptr;
  }
  int32_t count(int32_t kind) {
    int32_t n = 0;
    for (ActiveObject* node = activeObjects; node; node = node->next) n += node->kind == kind;
    return n;
  }
  // One frame with the player placed in the strip of the screen that moves
  // the view by dx pixels (2 or 4 either way; 0 keeps it still).
  void scrollBy(int32_t dx) {
    playerX = dx == 4 ? 500 : dx == 2 ? 400 : dx == -2 ? 200 : dx == -4 ? 100 : 320;
    frame();
  }
  // The same vertically: the view follows a player below or above y 176.
  void scrollVerticallyBy(int32_t dy) {
    playerY = dy > 0 ? 200 : dy < 0 ? 100 : 176;
    frame();
  }
  // Puts the player just above a creature, falling: the next frame stomps it.
  void dropOnto(const ActiveObject* creature) {
    playerX = creature->x;
    playerY = creature->y - 20;
    gameState = STATE_AIR_RELEASED;
    jumpStep = 10;
  }
};

TEST_F(ObjectsTest, AWalkerTurnsAtAWallAndLandsOnTheGridAfterAGap) {
  // Floor of row 10 over columns 4-8 with a wall at column 8; row 11 below
  // columns 0-3. The player stands out of the way at column 15.
  TestLevel level(20, 12);
  for (int32_t c = 4; c <= 8; c++) level.set(c, 10, T_SOLID);
  for (int32_t c = 0; c <= 3; c++) level.set(c, 11, T_SOLID);
  level.set(8, 9, T_SOLID).set(5, 9, T_WALKER_RIGHT).set(15, 9, TILE_START_RIGHT).set(15, 10, T_SOLID);
  writeWorld({level});
  start();
  EXPECT_EQ(tileOf(5, 9), TILE_EMPTY);  // the spawner became the object
  ActiveObject* walker = first(KIND_WALKER);
  ASSERT_NE(walker, nullptr);
  EXPECT_EQ(walker->animDir >> 4, 1);
  int32_t maxX = 0;
  for (int32_t f = 0; f < 40; f++) {
    frame();
    if (walker->x > maxX) maxX = walker->x;
    EXPECT_EQ(walker->y, 288);
  }
  EXPECT_EQ(maxX, 224);  // turned back aligned with column 7, against the wall
  EXPECT_EQ(walker->animDir >> 4, 0);
  EXPECT_LT(walker->x, 224);
  std::vector<int32_t> ys;
  for (int32_t f = 0; f < 80 && walker->y != 320; f++) {
    frame();
    if (walker->y != 288) ys.push_back(walker->y);
  }
  const std::vector<int32_t> fall = {290, 292, 294, 296, 298, 302, 306, 310, 314, 320};
  EXPECT_EQ(ys, fall);
  EXPECT_EQ(walker->fallIndex, 0);
  const int32_t x = walker->x;
  frame();
  EXPECT_EQ(walker->y, 320);
  EXPECT_EQ(walker->x, x - 2);  // walks on along the lower floor
  EXPECT_EQ(gameState, STATE_ON_GROUND);
}

TEST_F(ObjectsTest, AStompFromAboveFlattensAWalkerAndBouncesContactFromTheSideKills) {
  writeWorld({TestLevel(20, 12).floor(10).set(10, 9, T_WALKER_LEFT).set(2, 9, TILE_START_RIGHT),
              TestLevel(20, 12).floor(10).set(10, 9, T_WALKER_LEFT).set(2, 9, TILE_START_RIGHT)});
  start(0);
  ActiveObject* walker = first(KIND_WALKER);
  ASSERT_NE(walker, nullptr);
  dropOnto(walker);
  gameState = STATE_AIR_REPRESSED;  // Jump pressed again in the air
  frame();
  EXPECT_EQ(walker->kind, KIND_FLATTENED_WALKER);
  EXPECT_EQ(plays(SOUND_WALKER_STOMP), 1);
  EXPECT_EQ(gameState, STATE_BONUS_JUMP);
  EXPECT_EQ(jumpStep, -5);
  EXPECT_EQ(playerY, 256);  // rounded down onto the grid
  std::vector<int32_t> bounce;
  for (int32_t f = 0; f < 5; f++) {
    const int32_t before = playerY;
    frame();
    bounce.push_back(before - playerY);
  }
  EXPECT_EQ(bounce, (std::vector<int32_t>{2, 2, 2, 1, 1}));
  hold(BIND_JUMP);  // the bonus: a full jump in mid-air
  frame();
  EXPECT_EQ(gameState, STATE_AIRBORNE);
  EXPECT_EQ(playerY, 248 - 12);
  hold(BIND_JUMP, false);
  // Harmless now, and drawn flat.
  playerX = walker->x;
  playerY = walker->y;
  frame();
  EXPECT_NE(gameState, STATE_DYING);
  playerX = 500;
  frame();
  EXPECT_EQ(backBuffer->pixelAt(walker->x + 16, walker->y + 16), 12);

  start(1);  // the player waits at column 2 while the walker comes
  int32_t f = 0;
  for (; f < 200 && gameState != STATE_DYING; f++) frame();
  EXPECT_EQ(gameState, STATE_DYING);
  walker = first(KIND_WALKER);
  ASSERT_NE(walker, nullptr);
  EXPECT_LT(walker->x - playerX, 28);
  EXPECT_EQ(plays(SOUND_WALKER_STOMP), 1);
}

TEST_F(ObjectsTest, AStunnedFastWalkerLasts80FramesAndWalksOffReversed) {
  writeWorld({TestLevel(30, 12).floor(10).set(10, 9, T_RUNNER_LEFT).set(2, 9, TILE_START_RIGHT)});
  start();
  ActiveObject* runner = first(KIND_FAST_WALKER);
  ASSERT_NE(runner, nullptr);
  const int32_t x = runner->x;
  frame();
  EXPECT_EQ(runner->x, x - 4);
  dropOnto(runner);
  frameCounter = 4;  // the stomp frame is a multiple of 5
  frame();
  EXPECT_EQ(runner->kind, KIND_STUNNED_FAST_WALKER);
  EXPECT_EQ(plays(SOUND_FAST_WALKER_STOMP), 1);
  EXPECT_EQ(runner->animDir >> 4, 1);  // turned back
  playerX = 500;  // out of the way
  const int32_t stunnedX = runner->x;
  int32_t frames = 0;
  while (runner->kind == KIND_STUNNED_FAST_WALKER && frames < 200) {
    frame();
    frames++;
    EXPECT_EQ(runner->x, stunnedX);
    if (frames == 59) {
      EXPECT_EQ(backBuffer->pixelAt(runner->x + 16, runner->y + 16), 125);
    }
    if (frames == 61) {
      EXPECT_EQ(backBuffer->pixelAt(runner->x + 16, runner->y + 16), 126);
    }
  }
  EXPECT_EQ(frames, 80);
  frame();
  EXPECT_EQ(runner->x, stunnedX + 4);  // walks off the other way
  EXPECT_EQ(runner->kind, KIND_FAST_WALKER);
}

TEST_F(ObjectsTest, AFloaterCrossesGapsAndTurnsOnlyAtWalls) {
  writeWorld({TestLevel(20, 12).floor(10).set(3, 5, T_FLOATER_RIGHT).set(9, 5, T_SOLID).set(2, 9, TILE_START_RIGHT)});
  start();
  ActiveObject* floater = first(KIND_FLOATER);
  ASSERT_NE(floater, nullptr);
  int32_t maxX = 0;
  for (int32_t f = 0; f < 80; f++) {
    frame();
    EXPECT_EQ(floater->y, 160);
    if (floater->x > maxX) maxX = floater->x;
  }
  EXPECT_EQ(maxX, 256);
  EXPECT_EQ(floater->animDir >> 4, 0);
}

TEST_F(ObjectsTest, ALeverMovesEveryGateWithinTwoFramesAndASecondTouchMovesThemBack) {
  writeWorld({TestLevel(20, 12)
                  .floor(10)
                  .set(2, 9, TILE_START_RIGHT)
                  .set(6, 9, T_LEVER)
                  .set(10, 5, T_GATE)
                  .set(12, 5, T_GATE)
                  .set(14, 5, T_INVERSE_GATE)});
  start();
  EXPECT_EQ(count(KIND_GATE), 2);
  EXPECT_EQ(tileOf(10, 5), TILE_GATE_CLOSED);
  EXPECT_EQ(tileOf(14, 5), TILE_GATE_OPEN);
  EXPECT_EQ(tileOf(6, 9), T_LEVER);  // the spawner tile stays
  for (int32_t touch = 0; touch < 2; touch++) {
    playerX = 6 * 32;  // on the lever
    frame();
    EXPECT_EQ(tileOf(6, 9), 78);  // touched
    frame();
    EXPECT_EQ(leverState, touch == 0 ? 2 : 0);
    frame();
    const int32_t gate = touch == 0 ? TILE_GATE_OPEN : TILE_GATE_CLOSED;
    const int32_t inverse = touch == 0 ? TILE_GATE_CLOSED : TILE_GATE_OPEN;
    EXPECT_EQ(tileOf(10, 5), gate);
    EXPECT_EQ(tileOf(12, 5), gate);
    EXPECT_EQ(tileOf(14, 5), inverse);
    EXPECT_EQ(tileLayer->pixelAt(11 * 32 + 5, 6 * 32 + 5), gate);
    playerX = 2 * 32;  // let go: the lever turns over
    frame();
    EXPECT_EQ(tileOf(6, 9), touch == 0 ? 79 : T_LEVER);
  }
  EXPECT_EQ(plays(SOUND_LEVER), 2);
}

TEST_F(ObjectsTest, AGateScrolledTwoViewsAwayComesBackShowingTheCurrentLeverState) {
  writeWorld({TestLevel(120, 12, LEVEL_SCROLL_LEFT | LEVEL_SCROLL_RIGHT)
                  .floor(10)
                  .set(2, 9, TILE_START_RIGHT)
                  .set(6, 9, T_LEVER)
                  .set(12, 5, T_GATE)});
  start();
  hold(BIND_RIGHT);
  int32_t f = 0;
  for (; f < 1000 && first(KIND_GATE); f++) frame();
  ASSERT_EQ(first(KIND_GATE), nullptr);
  EXPECT_EQ(leverState, 2);  // the player ran past the lever
  EXPECT_EQ(tileOf(12, 5), T_GATE);  // its tile is back in the map
  EXPECT_GT(scrollX, 12 * 32 + 1280);
  releaseAll();
  hold(BIND_LEFT);
  for (f = 0; f < 1000 && !first(KIND_GATE); f++) frame();
  ASSERT_NE(first(KIND_GATE), nullptr);
  EXPECT_EQ(tileOf(12, 5), TILE_GATE_OPEN);  // from its first update on
  EXPECT_EQ(tileLayer->pixelAt(first(KIND_GATE)->x + 63 - (first(KIND_GATE)->x + 63) % 32 + 5, 6 * 32 + 5),
            TILE_GATE_OPEN);
}

// Scrolling back and forth past a gate and a lever, starting at every pixel
// of a cell and at both speeds, so that the view passes them at every scroll
// phase 0-31 in both directions: the gate and the lever stand exactly on their
// cells in every frame, the composed view shows them there and nowhere else,
// no cell ever gets a second gate or lever object (not even from the full
// rebuild after lost surfaces), and a floater starts on its cell too.
TEST_F(ObjectsTest, ScannedObjectsStartOnTheirCellsWithNoPhantomGateAtAnyScrollPhase) {
  constexpr int32_t GATE = 24, LEVER = 26, FLOATER = 28, ROW = 5;
  writeWorld({TestLevel(60, 12, timeFlags(TIME_STEP_UNLIMITED, LEVEL_SCROLL_LEFT | LEVEL_SCROLL_RIGHT))
                  .floor(10)
                  .set(GATE, ROW, T_GATE)
                  .set(LEVER, ROW, T_LEVER)
                  .set(FLOATER, 2, T_FLOATER_RIGHT)});
  std::set<int32_t> phasesRight, phasesLeft;
  int32_t frames = 0;
  auto check = [&](bool floaterNew) {
    frames++;
    ASSERT_LE(count(KIND_GATE), 1) << "scrollX " << scrollX;
    ASSERT_LE(count(KIND_LEVER_UP) + count(KIND_LEVER_DOWN), 1) << "scrollX " << scrollX;
    for (const ActiveObject* o = activeObjects; o; o = o->next) {
      if (o->kind == KIND_GATE) {
        EXPECT_EQ(o->x + scrollX, GATE * 32) << "scrollX " << scrollX;
      }
      if (o->kind == KIND_LEVER_UP) {
        EXPECT_EQ(o->x + scrollX, LEVER * 32) << "scrollX " << scrollX;
      }
      if (o->kind == KIND_FLOATER && floaterNew) {
        EXPECT_EQ(o->x + scrollX, FLOATER * 32 + 2) << "scrollX " << scrollX;
      }
    }
    const int32_t y = ROW * 32 + 16 - scrollY;
    for (int32_t x = 0; x < 640; x++) {
      const int32_t worldColumn = (x + scrollX) / 32;
      const int32_t pixel = backBuffer->pixelAt(x, y);
      ASSERT_EQ(pixel == TILE_GATE_CLOSED, worldColumn == GATE) << "screen x " << x << ", scrollX " << scrollX;
      ASSERT_EQ(pixel == T_LEVER, worldColumn == LEVER) << "screen x " << x << ", scrollX " << scrollX;
    }
  };
  for (int32_t speed : {2, 4}) {
    for (int32_t offset = 0; offset < 4; offset++) {
      SCOPED_TRACE(testing::Message() << speed << " pixels a frame from offset " << offset);
      start();
      // All out of sight to the right; an odd offset gives the odd phases.
      scrollX = 32 + offset;
      layersValid = 0;
      scrollBy(0);
      ASSERT_EQ(activeObjects, nullptr);
      for (int32_t leg = 0; leg < 3; leg++) {
        const int32_t dx = leg == 1 ? -speed : speed;
        auto goOn = [&] { return leg == 1 ? scrollX > 32 : scrollX < (GATE + 2) * 32; };
        for (int32_t f = 0; goOn(); f++) {
          ASSERT_LT(f, 1000) << "the view stopped at scrollX " << scrollX << " in state " << gameState;
          if (frames % 97 == 96) surfacesRestored = 1;
          const bool hadFloater = first(KIND_FLOATER) != nullptr;
          scrollBy(dx);
          (dx > 0 ? phasesRight : phasesLeft).insert(scrollX % 32);
          check(!hadFloater);
          if (HasFatalFailure()) return;
        }
      }
      EXPECT_EQ(leverState, 0);
    }
  }
  EXPECT_EQ(phasesRight.size(), 32u);
  EXPECT_EQ(phasesLeft.size(), 32u);
}

// A level that scrolls down: the walker on the floor below the first view is
// a spawner tile until the view, following the player down from the ledge,
// shows its row; then it becomes a walker that walks up to the player standing
// there and kills it.
TEST_F(ObjectsTest, AWalkerBelowTheFirstViewComesAliveAsTheViewScrollsDownAndKills) {
  TestLevel level(20, 30, LEVEL_SCROLL_DOWN);
  for (int32_t c = 0; c <= 5; c++) level.set(c, 13, T_SOLID);
  level.floor(20).set(3, 12, TILE_START_RIGHT).set(17, 19, T_WALKER_LEFT);
  writeWorld({level});
  start();
  EXPECT_EQ(scrollY, 12 * 32 - 176);
  EXPECT_EQ(tileOf(17, 19), T_WALKER_LEFT);  // rows 5-18 are around the view
  EXPECT_EQ(activeObjects, nullptr);
  hold(BIND_RIGHT);  // off the ledge
  for (int32_t f = 0; f < 25; f++) frame();
  releaseAll();
  ActiveObject* walker = nullptr;
  int32_t f = 0;
  for (; f < 100 && !walker; f++) {
    frame();
    walker = first(KIND_WALKER);
  }
  ASSERT_NE(walker, nullptr);
  EXPECT_EQ(tileOf(17, 19), TILE_EMPTY);
  EXPECT_EQ(scrollY / 32 + 12, 19);  // made when row 19 became the view's lower edge row
  EXPECT_EQ(walker->x + scrollX, 17 * 32 - 2);
  EXPECT_EQ(walker->y + scrollY, 19 * 32);
  int32_t steps = 0;
  for (f = 0; f < 400 && gameState != STATE_DYING; f++) {
    const int32_t worldX = walker->x + scrollX;
    frame();
    steps += walker->x + scrollX < worldX;
  }
  ASSERT_EQ(gameState, STATE_DYING);
  EXPECT_GT(steps, 100);
  EXPECT_LT(std::abs(walker->x - playerX), 28);
  EXPECT_EQ(playerY + scrollY, 19 * 32);  // killed standing on the floor
  EXPECT_EQ(scrollY, 19 * 32 - 176);
}

// A level that scrolls up: a floater above the first view comes alive exactly
// on its cell when the view climbs to its row, and a gate and a lever up
// there are drawn in their own rows at every vertical scroll phase, one
// object each, down and up again.
TEST_F(ObjectsTest, ObjectsAboveTheFirstViewComeAliveOnTheirCellsAsTheViewScrollsUp) {
  constexpr int32_t FLOATER_ROW = 8, GATE_ROW = 12, LEVER_ROW = 14;
  writeWorld({TestLevel(20, 30, timeFlags(TIME_STEP_UNLIMITED, LEVEL_SCROLL_UP | LEVEL_SCROLL_DOWN))
                  .floor(29)
                  .set(3, 28, TILE_START_RIGHT)
                  .set(10, FLOATER_ROW, T_FLOATER_RIGHT)
                  .set(5, GATE_ROW, T_GATE)
                  .set(7, LEVER_ROW, T_LEVER)});
  start();
  EXPECT_EQ(scrollY, 30 * 32 - 384);
  EXPECT_EQ(activeObjects, nullptr);
  std::set<int32_t> phasesUp, phasesDown;
  ActiveObject* floater = nullptr;
  for (int32_t offset = 0; offset < 4; offset++) {
    SCOPED_TRACE(testing::Message() << "offset " << offset);
    if (offset > 0) {
      start();
      scrollY -= offset;  // the other phases; nothing is around the view yet
      layersValid = 0;
    }
    for (int32_t leg = 0; leg < 3; leg++) {
      const int32_t dy = leg == 1 ? 4 : -4;
      auto goOn = [&] { return leg == 1 ? scrollY < 30 * 32 - 384 - 4 : scrollY > (leg == 0 ? 4 : 9 * 32); };
      for (int32_t f = 0; goOn(); f++) {
        ASSERT_LT(f, 200) << "the view stopped at scrollY " << scrollY << " in state " << gameState;
        scrollVerticallyBy(dy);
        (dy > 0 ? phasesDown : phasesUp).insert(scrollY % 32);
        if (!floater && first(KIND_FLOATER)) {
          floater = first(KIND_FLOATER);
          EXPECT_EQ(scrollY / 32 - 1, FLOATER_ROW);  // made when its row became the upper edge row
          EXPECT_EQ(floater->x + scrollX, 10 * 32 + 2);
          EXPECT_EQ(floater->y + scrollY, FLOATER_ROW * 32);
        }
        ASSERT_LE(count(KIND_GATE), 1) << "scrollY " << scrollY;
        ASSERT_LE(count(KIND_LEVER_UP), 1) << "scrollY " << scrollY;
        for (int32_t y = 0; y < 384; y++) {
          const int32_t row = (y + scrollY) / 32;
          ASSERT_EQ(backBuffer->pixelAt(5 * 32 + 16, y) == TILE_GATE_CLOSED, row == GATE_ROW)
              << "screen y " << y << ", scrollY " << scrollY;
          ASSERT_EQ(backBuffer->pixelAt(7 * 32 + 16, y) == T_LEVER, row == LEVER_ROW)
              << "screen y " << y << ", scrollY " << scrollY;
        }
      }
    }
    if (offset == 0) {
      ASSERT_NE(floater, nullptr);
    }
  }
  EXPECT_EQ(phasesUp.size(), 32u);
  EXPECT_EQ(phasesDown.size(), 32u);
}

TEST_F(ObjectsTest, WhilePausedCreaturesStandStillButAnimate) {
  writeWorld({TestLevel(20, 12).floor(10).set(10, 9, T_WALKER_LEFT).set(2, 9, TILE_START_RIGHT)});
  start();
  ActiveObject* walker = first(KIND_WALKER);
  ASSERT_NE(walker, nullptr);
  gameState = STATE_PAUSED;
  const int32_t x = walker->x;
  std::vector<int32_t> steps;
  for (int32_t f = 0; f < 20; f++) {
    frame();
    EXPECT_EQ(walker->x, x);
    steps.push_back(walker->animDir & 15);
  }
  // One step every fifth frame: 0, 1, 2, 3 and round again.
  int32_t changes = 0;
  for (size_t f = 1; f < steps.size(); f++) changes += steps[f] != steps[f - 1];
  EXPECT_EQ(changes, 4);
}

TEST_F(ObjectsTest, CreaturesPassThroughADyingOrPausedPlayer) {
  writeWorld({TestLevel(20, 12).floor(10).set(10, 9, T_WALKER_LEFT).set(2, 9, TILE_START_RIGHT)});
  start();
  ActiveObject* walker = first(KIND_WALKER);
  ASSERT_NE(walker, nullptr);
  for (int32_t state : {STATE_PAUSED, STATE_DYING}) {
    gameState = state;
    playerX = walker->x;
    playerY = walker->y - 20;  // clearly above: a stomp, were the player alive
    const int32_t kind = walker->kind;
    updateObjects();
    EXPECT_EQ(walker->kind, kind) << "state " << state;
    EXPECT_EQ(gameState, state);
  }
  EXPECT_EQ(plays(SOUND_WALKER_STOMP), 0);
}

TEST_F(ObjectsTest, AnEmptyListUpdatesAndDrawsNothingAndFarObjectsGo) {
  writeWorld({TestLevel(20, 12).floor(10)});
  start();
  EXPECT_EQ(activeObjects, nullptr);
  frame();
  EXPECT_EQ(activeObjects, nullptr);
  addObject(2000, 100, KIND_WALKER, 0);
  addObject(100, 100, KIND_BURSTING_FLOATER, 0);
  addObject(100, -900, KIND_FLOATER, 0);
  frame();
  ASSERT_NE(activeObjects, nullptr);
  EXPECT_EQ(activeObjects->kind, KIND_BURSTING_FLOATER);
  EXPECT_EQ(activeObjects->next, nullptr);
  for (int32_t f = 0; f < 20; f++) frame();
  EXPECT_EQ(activeObjects, nullptr);  // the burst ends after 3 steps
}

}  // namespace
