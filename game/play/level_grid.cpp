// The level grid: loading one level of the chosen world, the tile classes,
// the probe that answers what is at a world point, and clearing a cell.
#include "game/play/level_grid.h"

#include <cstdio>
#include <string>
#include <utility>

#include "game/game_vars.h"
#include "game/handlers.h"
#include "game/play/view.h"
#include "game/shell.h"
#include "media/sprite_surface.h"

int32_t levelWidth = 0;
int32_t levelHeight = 0;
uint32_t levelFlags = 0;
std::vector<int32_t> tileMap;
std::vector<int32_t> backgroundMap;
int32_t crumbleCellX = 0;
int32_t crumbleCellY = 0;
int32_t leverState = 0;

void freeLevelCells() {
  tileMap.clear();
  tileMap.shrink_to_fit();
  backgroundMap.clear();
  backgroundMap.shrink_to_fit();
  levelWidth = 0;
  levelHeight = 0;
  levelFlags = 0;
}

int32_t loadLevel(int32_t index) {
  // The world was checked when it was listed, but it may have changed or
  // gone since: the checked reader refuses anything that is not a whole
  // playable level, and nothing of a half-read level is kept.
  LevelRecord level;
  std::string why;
  if (!readWorldLevel(worldFileName, index, &level, &why)) {
    freeLevelCells();
    std::fprintf(stderr, "glimb: cannot play level %d of \"%s\": %s\n", int(index) + 1, worldFileName.c_str(),
                 why.c_str());
    return -1;
  }
  levelHeight = level.height;
  levelWidth = level.width;
  levelFlags = uint32_t(level.flags);
  tileMap = std::move(level.foreground);
  backgroundMap.clear();
  if (levelFlags & LEVEL_BACKGROUND) backgroundMap = std::move(level.background);
  return 0;
}

int32_t tileClassOf(int32_t tile) {
  return tile >= 0 && tile < TILE_CLASS_COUNT ? tileClass[tile] : 0;
}

int32_t cellIndexAt(int32_t wx, int32_t wy) {
  int32_t column = wx >> CELL_SHIFT;
  int32_t row = wy >> CELL_SHIFT;
  if (column < 0 || column >= levelWidth || row < 0 || row >= levelHeight) return -1;
  size_t index = size_t(column) * size_t(levelHeight) + size_t(row);
  return index < tileMap.size() ? int32_t(index) : -1;
}

int32_t cellAt(int32_t wx, int32_t wy) {
  int32_t index = cellIndexAt(wx, wy);
  return index < 0 ? TILE_EMPTY : tileMap[size_t(index)];
}

bool isSolid(int32_t wx, int32_t wy) { return tileClassOf(cellAt(wx, wy)) == CLASS_SOLID; }

void clearCell(int32_t index) {
  if (index < 0 || size_t(index) >= tileMap.size() || levelHeight <= 0) return;
  tileMap[size_t(index)] = TILE_EMPTY;
  int32_t layerColumn = index / levelHeight - scrollX / CELL_SIZE + 1;
  int32_t layerRow = index % levelHeight - scrollY / CELL_SIZE + 1;
  if (!tileLayer || layerColumn < 0 || layerColumn >= LAYER_COLUMNS || layerRow < 0 || layerRow >= LAYER_ROWS) return;
  setClipRect(0, 0, 0, 0);
  gSheetOpaque.setPosition(layerColumn * CELL_SIZE, layerRow * CELL_SIZE);
  gSheetOpaque.selectFrame(TILE_EMPTY);
  gSheetOpaque.draw(*tileLayer);
}
