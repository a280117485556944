// Fuzzes the demonstration level's reader (data14.glb) through the title menu
// as the frame loop runs it: the grid holds the columns the file holds whole
// (widened to the view), and the demonstration scrolls, scans its columns for
// creatures, lets them move, fades out and starts again without leaving the grid.
#include <cstdlib>

#include "fuzz/fuzz_require.h"
#include "fuzz/game/fuzz_game.h"
#include "game/front/title_menu.h"
#include "game/play/play.h"
#include "game/shell.h"

namespace {

constexpr int32_t DEMO_ROWS = 12;
// Enough frames to scroll across a few hundred columns, and for a narrow
// level to fade out and start again.
constexpr int32_t MOST_FRAMES = 400;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzGameScope scope;
  releaseFuzzInput();
  writeFuzzFile(DEMO_FILE_NAME, data, size);
  gameState = STATE_TITLE_MENU;
  pendingState = 0;
  fadeMode = 0;
  paletteSettled = 1;
  menuPage = MENU_PAGE_MAIN;
  menuInit = MENU_LOAD_DEMO;
  runFuzzFrame();

  // The columns the file holds whole, at most as many as its count declares.
  int64_t stored = 0;
  if (size >= 2) {
    const int64_t declared = int64_t(data[0] | data[1] << 8) + 1;
    const int64_t present = int64_t(size - 2) / DEMO_ROWS;
    stored = declared < present ? declared : present;
  }
  REQUIRE(levelHeight == DEMO_ROWS);
  REQUIRE(levelWidth == (stored < VIEW_COLUMNS ? VIEW_COLUMNS : stored));
  REQUIRE(tileMap.size() == size_t(levelWidth) * DEMO_ROWS);
  // Cells beyond the first scan keep the file's tiles.
  for (int64_t i = int64_t(VIEW_COLUMNS + 1) * DEMO_ROWS; i < stored * DEMO_ROWS; i++) {
    REQUIRE(tileMap[size_t(i)] == data[2 + i]);
  }

  const int64_t frames = int64_t(levelWidth) * 8 + 40;
  for (int64_t frame = 0; frame < frames && frame < MOST_FRAMES; frame++) {
    runFuzzFrame();
    REQUIRE(gameState == STATE_TITLE_MENU);
    REQUIRE(scrollX >= 0 && scrollX <= levelWidth * CELL_SIZE - SCREEN_WIDTH);
  }
  return 0;
}
