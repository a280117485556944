// The play view: following the player, keeping the two layer surfaces
// around the view (full rebuild, one-column and one-row shifts), and the
// composition of the view into the back buffer.
#include "game/play/view.h"

#include "game/play/play.h"
#include "game/shell.h"
#include "media/sprite_surface.h"

int32_t scrollX = 0;
int32_t scrollY = 0;
int32_t scrollDx = 0;
int32_t scrollDy = 0;
int32_t layersValid = 0;
int32_t prevFineX = 0;
int32_t prevFineY = 0;

namespace {

constexpr int32_t LAYER_PIXEL_WIDTH = LAYER_COLUMNS * CELL_SIZE;
constexpr int32_t LAYER_PIXEL_HEIGHT = LAYER_ROWS * CELL_SIZE;

// The view follows a player in the outer strips of the screen, faster
// further out.
constexpr int32_t FOLLOW_LEFT = 256, FOLLOW_LEFT_FAST = 176;
constexpr int32_t FOLLOW_RIGHT = 384, FOLLOW_RIGHT_FAST = 464;
constexpr int32_t FOLLOW_VERTICAL = 176;
constexpr int32_t SCROLL_SLOW = 2, SCROLL_FAST = 4;

bool withBackground() { return (levelFlags & LEVEL_BACKGROUND) && backgroundLayer; }

// Draws level cell (column, row) of `cells` at layer cell (i, j). Cells
// outside the grid are empty: they lie in the hidden margin of the layer
// and are cleared to the colour key, like tile 0.
void drawLayerCell(Surface& layer, const std::vector<int32_t>& cells, int32_t column, int32_t row, int32_t i,
                   int32_t j) {
  if (column < 0 || column >= levelWidth || row < 0 || row >= levelHeight) {
    layer.fill(Rect{i * CELL_SIZE, j * CELL_SIZE, (i + 1) * CELL_SIZE, (j + 1) * CELL_SIZE}, 0);
    return;
  }
  size_t index = size_t(column) * size_t(levelHeight) + size_t(row);
  gSheetOpaque.setPosition(i * CELL_SIZE, j * CELL_SIZE);
  gSheetOpaque.selectFrame(index < cells.size() ? cells[index] : TILE_EMPTY);
  gSheetOpaque.draw(layer);
}

// Draws layer column i (level column `column`) of both layers, the rows
// starting at level row `firstRow`.
void drawLayerColumn(int32_t i, int32_t column, int32_t firstRow) {
  for (int32_t j = 0; j < LAYER_ROWS; j++) {
    drawLayerCell(*tileLayer, tileMap, column, firstRow + j, i, j);
    if (withBackground()) drawLayerCell(*backgroundLayer, backgroundMap, column, firstRow + j, i, j);
  }
}

void drawLayerRow(int32_t j, int32_t row, int32_t firstColumn) {
  for (int32_t i = 0; i < LAYER_COLUMNS; i++) {
    drawLayerCell(*tileLayer, tileMap, firstColumn + i, row, i, j);
    if (withBackground()) drawLayerCell(*backgroundLayer, backgroundMap, firstColumn + i, row, i, j);
  }
}

// Moves a layer's content by one cell; the copy reads its source whole first.
void shiftLayer(Surface& layer, int32_t dx, int32_t dy) {
  Rect source{0, 0, LAYER_PIXEL_WIDTH, LAYER_PIXEL_HEIGHT};
  if (dx < 0) source.left = CELL_SIZE;
  if (dx > 0) source.right -= CELL_SIZE;
  if (dy < 0) source.top = CELL_SIZE;
  if (dy > 0) source.bottom -= CELL_SIZE;
  layer.bltFast(dx > 0 ? CELL_SIZE : 0, dy > 0 ? CELL_SIZE : 0, layer, source, false);
}

void shiftLayers(int32_t dx, int32_t dy) {
  shiftLayer(*tileLayer, dx, dy);
  if (withBackground()) shiftLayer(*backgroundLayer, dx, dy);
}

void rebuildLayers() {
  spawnScan(SPAWN_AROUND_VIEW);
  tileLayer->fillAll(0);
  if (backgroundLayer) backgroundLayer->fillAll(0);
  const int32_t firstColumn = scrollX / CELL_SIZE - 1;
  const int32_t firstRow = scrollY / CELL_SIZE - 1;
  for (int32_t j = 0; j < LAYER_ROWS; j++) {
    for (int32_t i = 0; i < LAYER_COLUMNS; i++) {
      drawLayerCell(*tileLayer, tileMap, firstColumn + i, firstRow + j, i, j);
      if (withBackground()) drawLayerCell(*backgroundLayer, backgroundMap, firstColumn + i, firstRow + j, i, j);
    }
  }
  layersValid = 1;
}

void copyLayer(Surface& layer, const Rect& visible) { backBuffer->bltFast(0, 0, layer, visible, true); }

}  // namespace

void scrollView() {
  if (levelFlags & LEVEL_SCROLL_LEFT) {
    if (playerX < FOLLOW_LEFT) scrollDx = -SCROLL_SLOW;
    if (playerX < FOLLOW_LEFT_FAST) scrollDx = -SCROLL_FAST;
  }
  if (levelFlags & LEVEL_SCROLL_RIGHT) {
    if (playerX > FOLLOW_RIGHT) scrollDx = SCROLL_SLOW;
    if (playerX > FOLLOW_RIGHT_FAST) scrollDx = SCROLL_FAST;
  }
  if ((levelFlags & LEVEL_SCROLL_UP) && playerY < FOLLOW_VERTICAL) scrollDy = -SCROLL_FAST;
  if ((levelFlags & LEVEL_SCROLL_DOWN) && playerY > FOLLOW_VERTICAL) scrollDy = SCROLL_FAST;

  const int32_t maxX = levelWidth * CELL_SIZE - VIEW_WIDTH;
  if (scrollX + scrollDx > maxX) {
    scrollDx = maxX - scrollX;
  } else if (scrollX + scrollDx < 0) {
    scrollDx = -scrollX;
  }
  playerX -= scrollDx;
  scrollX += scrollDx;

  const int32_t maxY = levelHeight * CELL_SIZE - VIEW_HEIGHT;
  if (scrollY + scrollDy > maxY) {
    scrollDy = maxY - scrollY;
  } else if (scrollY + scrollDy < 0) {
    scrollDy = -scrollY;
  }
  playerY -= scrollDy;
  scrollY += scrollDy;
}

void updateLayers() {
  if (!tileLayer) return;
  setClipRect(0, 0, 0, 0);
  const int32_t fineX = scrollX % CELL_SIZE;
  const int32_t fineY = scrollY % CELL_SIZE;
  if (!layersValid) {
    rebuildLayers();
  } else if (scrollDx != 0 || scrollDy != 0) {
    const bool crossedRight = fineX < prevFineX && scrollDx > 0;
    const bool crossedLeft = prevFineX < fineX && scrollDx < 0;
    // Vertical crossings shift the layers by a row the same way, and scan
    // the edge rows for spawner tiles as a horizontal crossing scans the
    // edge columns, so that a level scrolling up or down shows its rows where
    // they are and brings the creatures above and below the first view alive.
    const bool crossedDown = fineY < prevFineY && scrollDy > 0;
    const bool crossedUp = prevFineY < fineY && scrollDy < 0;
    // The layers' rows still start where they did before this frame until
    // the vertical shift below.
    const int32_t layerFirstRow = scrollY / CELL_SIZE - 1 - (crossedDown ? 1 : 0) + (crossedUp ? 1 : 0);
    if (crossedRight || crossedLeft) {
      shiftLayers(crossedRight ? -1 : 1, 0);
      spawnScan(SPAWN_EDGE_COLUMNS);
      if (crossedRight) {
        drawLayerColumn(LAYER_COLUMNS - 1, scrollX / CELL_SIZE + VIEW_COLUMNS, layerFirstRow);
      } else {
        drawLayerColumn(0, scrollX / CELL_SIZE - 1, layerFirstRow);
      }
    }
    if (crossedDown || crossedUp) {
      shiftLayers(0, crossedDown ? -1 : 1);
      spawnScan(SPAWN_EDGE_ROWS);
      if (crossedDown) {
        drawLayerRow(LAYER_ROWS - 1, scrollY / CELL_SIZE + VIEW_ROWS, scrollX / CELL_SIZE - 1);
      } else {
        drawLayerRow(0, scrollY / CELL_SIZE - 1, scrollX / CELL_SIZE - 1);
      }
    }
  }
  prevFineX = fineX;
  prevFineY = fineY;
}

void composeView() {
  if (!backBuffer || !tileLayer) return;
  const Rect visible{prevFineX + CELL_SIZE, prevFineY + CELL_SIZE, prevFineX + CELL_SIZE + VIEW_WIDTH,
                     prevFineY + CELL_SIZE + VIEW_HEIGHT};
  setClipRect(0, 0, VIEW_WIDTH, VIEW_HEIGHT);
  const bool actorsBehind = levelFlags & LEVEL_ACTORS_BEHIND;
  if (withBackground()) copyLayer(*backgroundLayer, visible);
  if (!actorsBehind) copyLayer(*tileLayer, visible);
  drawObjects();
  const int32_t facing = playerFacing == FACING_LEFT ? FACING_LEFT : FACING_RIGHT;
  const int32_t frame = walkFrame >= 0 && walkFrame <= WALK_FRAME_STANDING ? walkFrame : WALK_FRAME_STANDING;
  gSheetKeyed.setPosition(playerX, playerY);
  gSheetKeyed.selectFrame(playerFrames[facing][frame]);
  gSheetKeyed.draw(*backBuffer);
  if (actorsBehind) copyLayer(*tileLayer, visible);
}
