// The view: following the player within the level, the layers shifted and
// redrawn at cell crossings (both ways, also vertically), the empty margins
// at the level's edges, and the draw order in the composed back buffer.
#include "game/game_vars.h"
#include "game/play/play.h"
#include "game/shell.h"
#include "play_test_support.h"

namespace {

// Tile 160 + column (or + row) in every cell, so that a layer pixel tells
// which level cell was drawn there.
TestLevel striped(int32_t width, int32_t height, int32_t flags, bool byRow) {
  TestLevel level(width, height, flags);
  for (int32_t c = 0; c < width; c++) {
    for (int32_t r = 0; r < height; r++) level.set(c, r, 160 + (byRow ? r : c) % 64);
  }
  return level;
}

TEST_F(PlayTest, CrossingACellBoundaryShiftsTheLayersAndDrawsTheNewColumn) {
  writeWorld({striped(60, 12, LEVEL_SCROLL_LEFT | LEVEL_SCROLL_RIGHT, false)});
  start();
  scrollX = 60;
  layersValid = 0;
  playerX = 320;
  frame();
  EXPECT_EQ(tileLayer->pixelAt(5, 40), 160);  // layer column 0 is level column 0 (row 0 is the margin above)
  playerX = 500;
  frame();
  EXPECT_EQ(scrollX, 64);
  EXPECT_EQ(playerX, 496);
  EXPECT_EQ(prevFineX, 0);
  EXPECT_EQ(tileLayer->pixelAt(672 + 5, 40), 160 + 22);
  EXPECT_EQ(tileLayer->pixelAt(5, 40), 161);
  EXPECT_EQ(backBuffer->pixelAt(5, 300), 162);  // the view starts at world x 64
  playerX = 100;  // and back to the left: 64 to 60
  frame();
  EXPECT_EQ(scrollX, 60);
  EXPECT_EQ(tileLayer->pixelAt(5, 40), 160);
  EXPECT_EQ(tileLayer->pixelAt(672 + 5, 40), 160 + 21);
  EXPECT_EQ(backBuffer->pixelAt(3, 300), 161);  // world x 63
  EXPECT_EQ(backBuffer->pixelAt(4, 300), 162);
}

TEST_F(PlayTest, VerticalCrossingsShiftTheLayersByARow) {
  writeWorld({striped(20, 30, LEVEL_SCROLL_UP | LEVEL_SCROLL_DOWN, true)});
  start();
  scrollY = 28;
  layersValid = 0;
  playerY = 174;  // falls 2 to 176, where the view stays
  frame();
  EXPECT_EQ(backBuffer->pixelAt(5, 3), 160);  // world y 31
  playerY = 200;
  frame();
  EXPECT_EQ(scrollY, 32);
  EXPECT_EQ(tileLayer->pixelAt(40, 416 + 5), 160 + 13);
  EXPECT_EQ(backBuffer->pixelAt(5, 3), 161);
  EXPECT_EQ(backBuffer->pixelAt(5, 383), 160 + 12);
  playerY = 100;
  frame();
  EXPECT_EQ(scrollY, 28);
  EXPECT_EQ(backBuffer->pixelAt(5, 3), 160);
  EXPECT_EQ(backBuffer->pixelAt(5, 4), 161);
}

TEST_F(PlayTest, TheViewStaysInsideTheLevelAndItsMarginsAreEmpty) {
  const int32_t all = LEVEL_SCROLL_LEFT | LEVEL_SCROLL_RIGHT | LEVEL_SCROLL_UP | LEVEL_SCROLL_DOWN;
  writeWorld({striped(20, 12, all, false), striped(22, 12, LEVEL_SCROLL_RIGHT, false)});
  start(0);
  for (auto [x, y] : {std::pair{600, 300}, std::pair{10, 10}}) {
    playerX = x;
    playerY = y;
    frame();
    EXPECT_EQ(scrollX, 0);
    EXPECT_EQ(scrollY, 0);
    EXPECT_EQ(playerX, x);
  }
  EXPECT_EQ(tileLayer->pixelAt(5, 40), 0);  // level column -1
  start(1);
  for (int32_t f = 0; f < 40; f++) {
    playerX = 500;
    frame();
  }
  EXPECT_EQ(scrollX, 64);  // 22 x 32 - 640 exactly
  EXPECT_EQ(tileLayer->pixelAt(672 + 5, 40), 0);  // level column 22
  EXPECT_EQ(tileLayer->pixelAt(640 + 5, 40), 160 + 21);
}

TEST_F(PlayTest, ActorsBehindHidesThePlayerBehindForegroundTiles) {
  const int32_t flags = LEVEL_BACKGROUND | LEVEL_ACTORS_BEHIND;
  writeWorld({TestLevel(20, 12, flags).floor(3).set(2, 2, T_PLAIN).setBack(2, 2, T_PLAIN2).setBack(3, 2, T_PLAIN2),
              TestLevel(20, 12, LEVEL_BACKGROUND).floor(3).set(2, 2, T_PLAIN).setBack(3, 2, T_PLAIN2)});
  const int32_t figure = playerFrames[FACING_RIGHT][WALK_FRAME_STANDING];
  start(0);
  EXPECT_EQ(backBuffer->pixelAt(70, 70), T_PLAIN);  // the player at (64, 64) is behind the tile
  EXPECT_EQ(backBuffer->pixelAt(100, 70), T_PLAIN2);
  playerX = 96;
  frame();
  EXPECT_EQ(backBuffer->pixelAt(100, 70), figure);  // the background stays behind
  EXPECT_EQ(backBuffer->pixelAt(70, 70), T_PLAIN);
  start(1);
  EXPECT_EQ(backBuffer->pixelAt(70, 70), figure);
  // Under the layers: the sky and the gauges.
  EXPECT_EQ(backBuffer->pixelAt(300, 10), gaugeSurface->pixelAt(300, 10));
  EXPECT_EQ(backBuffer->pixelAt(5, 388), gaugeSurface->pixelAt(5, 114));
  EXPECT_EQ(backBuffer->pixelAt(5, 396), gaugeSurface->pixelAt(5, 120));
}

}  // namespace
