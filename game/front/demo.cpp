// The demonstration behind the title menu: a level from data14.glb that
// scrolls to the right by itself with its objects, drawn the way play draws
// its picture but without a player and without a background layer.
#include <cstdio>
#include <vector>

#include "game/front/title_menu.h"
#include "game/play/play.h"
#include "game/shell.h"
#include "media/regular_file.h"
#include "media/sprite_surface.h"
#include "media/text.h"

int32_t menuLayersValid = 0;
int32_t menuPrevFineX = 0;
int32_t menuPrevFineY = 0;

namespace {

constexpr int32_t DEMO_ROWS = 12;
constexpr int32_t DEMO_SCROLL_STEP = 4;
constexpr int32_t DEMO_SPAWN_COLUMNS = 20;
// The count, and 65536 columns of 12 cells at most.
constexpr size_t DEMO_MAX_BYTES = 2 + size_t(65536) * DEMO_ROWS;

// Object tiles: the cell becomes `becomes`; kind 0 adds no object.
struct DemoObjectTile {
  int32_t tile, becomes, kind, parameter;
};
constexpr DemoObjectTile DEMO_OBJECT_TILES[] = {
    {9, 0, 1, 0}, {13, 0, 3, 0}, {33, 0, 4, 0}, {121, 0, 7, 0}, {144, 0, 7, 16}, {53, 85, 6, 0}, {87, 86, 0, 0},
};

// The status line: the small font's lives icon (2) and pick-up icon (1).
constexpr char DEMO_STATUS[] = {2, 'x', '0', ' ', 1, 'x', '0', '0', 0};

// Level cell (column, row) at layer cell (i, j); cells outside the level
// are left as the colour key.
void drawDemoCell(int32_t column, int32_t row, int32_t i, int32_t j) {
  Rect cell{i * CELL_SIZE, j * CELL_SIZE, (i + 1) * CELL_SIZE, (j + 1) * CELL_SIZE};
  if (column < 0 || column >= levelWidth || row < 0 || row >= levelHeight) {
    tileLayer->fill(cell, 0);
    return;
  }
  size_t index = size_t(column) * size_t(levelHeight) + size_t(row);
  gSheetOpaque.setPosition(cell.left, cell.top);
  gSheetOpaque.selectFrame(index < tileMap.size() ? tileMap[index] : TILE_EMPTY);
  gSheetOpaque.draw(*tileLayer);
}

void updateDemoLayer() {
  if (!tileLayer) return;
  int32_t firstColumn = scrollX / CELL_SIZE - 1, firstRow = scrollY / CELL_SIZE - 1;
  if (menuLayersValid == 0) {
    tileLayer->fill(Rect{0, 0, tileLayer->width(), tileLayer->height()}, 0);
    for (int32_t i = 0; i < LAYER_COLUMNS; i++)
      for (int32_t j = 0; j < LAYER_ROWS; j++) drawDemoCell(firstColumn + i, firstRow + j, i, j);
    menuLayersValid = 1;
  } else if (scrollDx > 0 && scrollX % CELL_SIZE < menuPrevFineX) {
    // A cell boundary was crossed: shift one column left, draw the new one.
    tileLayer->bltFast(0, 0, *tileLayer, Rect{CELL_SIZE, 0, LAYER_COLUMNS * CELL_SIZE, LAYER_ROWS * CELL_SIZE}, false);
    for (int32_t j = 0; j < LAYER_ROWS; j++) drawDemoCell(scrollX / CELL_SIZE + 20, firstRow + j, LAYER_COLUMNS - 1, j);
  }
}

}  // namespace

void scanDemonstrationColumns(int32_t firstColumn, int32_t columns, int32_t originX) {
  for (int32_t k = firstColumn; k < firstColumn + columns && k < levelWidth; k++) {
    for (int32_t r = 0; r < levelHeight; r++) {
      size_t index = size_t(k) * size_t(levelHeight) + size_t(r);
      if (index >= tileMap.size()) return;
      for (const DemoObjectTile& t : DEMO_OBJECT_TILES) {
        if (tileMap[index] != t.tile) continue;
        tileMap[index] = t.becomes;
        if (t.kind) addObject(originX + CELL_SIZE * (k - firstColumn), CELL_SIZE * r, t.kind, t.parameter);
        break;
      }
    }
  }
}

void loadDemonstration() {
  freeObjects();
  tileMap.clear();
  backgroundMap.clear();
  levelFlags = LEVEL_SCROLL_RIGHT;
  levelHeight = DEMO_ROWS;
  levelWidth = 0;
  // A count of n, then n + 1 columns of 12 cells. A file shorter than its
  // count says gives only the columns it holds whole; a level narrower than
  // the view is widened with empty columns so the scroll stays in range.
  // Bytes past the most columns a count can declare are never read.
  std::vector<uint8_t> bytes;
  uint64_t size = 0;
  if (FILE* in = openRegularFile(DEMO_FILE_NAME, &size)) {
    bytes.resize(size_t(size < DEMO_MAX_BYTES ? size : DEMO_MAX_BYTES));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in));
    std::fclose(in);
  }
  if (bytes.size() >= 2) {
    int64_t declared = int64_t(bytes[0] | bytes[1] << 8) + 1;
    int64_t present = int64_t(bytes.size() - 2) / DEMO_ROWS;
    levelWidth = int32_t(declared < present ? declared : present);
  }
  int32_t storedWidth = levelWidth;
  if (levelWidth < VIEW_COLUMNS) levelWidth = VIEW_COLUMNS;
  tileMap.assign(size_t(levelWidth) * DEMO_ROWS, TILE_EMPTY);
  for (size_t i = 0; i < size_t(storedWidth) * DEMO_ROWS; i++) tileMap[i] = bytes[2 + i];

  scrollY = scrollX = 0;
  scrollDx = scrollDy = 0;
  playerX = 0;
  playerY = -32;
  airLeft = AIR_FULL;
  timeLeft = levelWidth;
  menuLayersValid = 0;
  timeTicks = 0;
  scanDemonstrationColumns(0, DEMO_SPAWN_COLUMNS, 0);
  menuPrevIdle = 0;
  menuPrevFineX = 0;
  menuPrevFineY = 0;
  menuInit = MENU_DEMO_RUNNING;
}

void drawDemonstration() {
  // Objects for the column coming into view at the right edge.
  int32_t incoming = scrollX / CELL_SIZE + 20;
  if (incoming < levelWidth) scanDemonstrationColumns(incoming, 1, VIEW_WIDTH - scrollX % CELL_SIZE);

  setClipRect(0, 0, 0, 0);
  backBuffer->bltFast(0, 0, *gaugeSurface, Rect{0, 0, 640, 112}, false);
  int32_t timeWidth = timeLeft > 0 ? (timeLeft < 640 ? timeLeft : 640) : 0;
  int32_t airWidth = airLeft > 0 ? (airLeft < 640 ? airLeft : 640) : 0;
  if (timeWidth > 0) backBuffer->bltFast(0, 386, *gaugeSurface, Rect{0, 112, timeWidth, 118}, false);
  if (airWidth > 0) backBuffer->bltFast(0, 394, *gaugeSurface, Rect{0, 118, airWidth, 124}, false);

  updateDemoLayer();
  menuPrevFineX = scrollX % CELL_SIZE;
  updateObjects();
  if (tileLayer) {
    backBuffer->bltFast(0, 0, *tileLayer,
                        Rect{menuPrevFineX + 32, menuPrevFineY + 32, menuPrevFineX + 672, menuPrevFineY + 416}, true);
  }
  drawTextSmall(512, 384, DEMO_STATUS);
  setClipRect(0, 0, 640, 384);
  drawObjects();
  setClipRect(0, 0, 640, 400);
  drawTextLarge(240, 0, "GLIMB");
}

void drawMenuPointer(int32_t x, int32_t y) {
  gSheetKeyed.setPosition(x, y);
  gSheetKeyed.selectFrameCell(cursorAnim + 1, 0);
  gSheetKeyed.draw(*backBuffer);
}
