// Putting tiles into the current level: the mouse paints from the selected
// palette cell, typed characters place fixed, toggling, random or block tiles.
#include "editor/editor_paint.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "editor/editor_area.h"
#include "editor/editor_picture.h"
#include "editor/editor_platform.h"
#include "editor/editor_state.h"
#include "editor/editor_undo.h"
#include "editor/editor_view.h"

namespace gle {

namespace {

// A toggling tile: a cell holding `first` becomes `second`, any other becomes `first`.
struct TogglePair {
  int32_t first, second;
};
// The toggles, in the order of palette cells 92 to 97 and of the keys "2" to "7".
constexpr TogglePair TOGGLES[] = {{65, 68}, {9, 11}, {13, 15}, {33, 34}, {53, 55}, {121, 144}};
// Random tiles: 130 + a random number mod 5.
constexpr int32_t RANDOM_TILE_FIRST = 130, RANDOM_TILE_SPREAD = 5;

struct SingleTile {
  char key;
  int32_t tile;
};
constexpr SingleTile SINGLE_TILES[] = {
    {'\'', 87}, {'/', 114}, {'1', 17}, {'8', 26},  {'9', 41},  {';', 105}, {'\\', 164}, {'`', 73},
    {'a', 40},  {'b', 22},  {'c', 66}, {'d', 0},   {'e', 161}, {'h', 117}, {'i', 108},  {'l', 140},
    {'n', 23},  {'o', 109}, {'q', 160}, {'s', 20}, {'v', 21},  {'w', 85},  {'x', 69},   {'z', 88},
    {'!', 230}, {'>', 173},
};
// Upper-case letters place their code plus an offset, by range.
struct LetterRange {
  char first, last;
  int32_t offset;
};
constexpr LetterRange LETTER_RANGES[] = {{'A', 'J', 119}, {'K', 'P', 129}, {'Q', 'Z', 139}};

// A block of columns x rows whose cell (i, j) gets first + i + 20 * j, following
// the tile sheet's 20 frames to a row.
struct TileBlock {
  char key;
  int32_t columns, rows, first;
};
constexpr TileBlock BLOCKS[] = {
    {',', 2, 1, 112}, {'.', 2, 1, 135}, {'f', 2, 1, 106}, {'j', 2, 1, 90}, {'k', 2, 1, 70},
    {'m', 2, 1, 110}, {'t', 2, 1, 43},  {'y', 2, 1, 63},  {'0', 2, 2, 27}, {'[', 2, 2, 81},
    {']', 2, 2, 83},  {'p', 2, 2, 98},  {'r', 2, 2, 95},  {'u', 4, 2, 29},
};
constexpr int32_t SHEET_COLUMNS = 20;

int32_t randomTile() { return RANDOM_TILE_FIRST + editorRandom() % RANDOM_TILE_SPREAD; }

int32_t toggled(const TogglePair& pair, int32_t current) {
  return current == pair.first ? pair.second : pair.first;
}

bool insideLevel(int32_t column, int32_t row) {
  return gCurrentLevel && column >= 0 && row >= 0 && column < gCurrentLevel->width &&
         row < gCurrentLevel->height;
}

int32_t& editCell(int32_t column, int32_t row) {
  return editLayer()[size_t(column) * gCurrentLevel->height + size_t(row)];
}

// What `character` stands for at the cursor cell: the cells it writes, none
// for characters without a tile.
std::vector<CellWrite> placementsFor(int32_t character) {
  const int32_t column = gCursorColumn, row = gCursorRow;
  if (!insideLevel(column, row)) return {};
  // Delete erases the cursor cell as "d" does.
  if (character == DELETE_CHARACTER) character = 'd';
  for (const TileBlock& block : BLOCKS) {
    if (character != block.key) continue;
    std::vector<CellWrite> writes;
    for (int32_t i = 0; i < block.columns; i++)
      for (int32_t j = 0; j < block.rows; j++)
        if (insideLevel(column + i, row + j)) writes.push_back({&editCell(column + i, row + j), block.first + i + SHEET_COLUMNS * j});
    return writes;
  }
  const int32_t cell = editCell(column, row);
  for (const SingleTile& single : SINGLE_TILES)
    if (character == single.key) return {{&editCell(column, row), single.tile}};
  for (const LetterRange& range : LETTER_RANGES)
    if (character >= range.first && character <= range.last) return {{&editCell(column, row), character + range.offset}};
  if (character >= '2' && character <= '7') return {{&editCell(column, row), toggled(TOGGLES[character - '2'], cell)}};
  if (character == 'g') return {{&editCell(column, row), randomTile()}};
  return {};
}

// The level without a background layer whose background tiles the author was
// last asked about, so that one stroke or key asks once.
const EditorLevel* gBackgroundAsked = nullptr;

}  // namespace

int32_t* editLayer() {
  if (!gCurrentLevel) return nullptr;
  return gEditBackground ? gCurrentLevel->background.get() : gCurrentLevel->foreground.get();
}

int32_t paletteTileFor(int32_t cell, int32_t current) {
  // Cells past the palette map have no tile; they never paint.
  if (cell < 0 || cell >= PALETTE_CELLS) return -1;
  if (cell == RANDOM_TILE_CELL) return randomTile();
  const int32_t toggle = cell - FIRST_TOGGLE_CELL;
  if (toggle >= 0 && toggle < int32_t(std::size(TOGGLES))) return toggled(TOGGLES[toggle], current);
  // A map entry no tile byte can hold would be painted, then cut to its low
  // byte on saving: such a cell paints nothing.
  const int32_t tile = gPaletteMap[cell];
  return tile >= 0 && tile <= TILE_VALUE_MAX ? tile : -1;
}

void mouseInView(int32_t x, int32_t y, bool leftButton) {
  // A pointer left of or above the view (while dragging) is outside the level.
  if (!gCurrentLevel || x < 0 || y < 0) return;
  const int32_t column = x / cellPixels() + gScrollColumn;
  const int32_t row = y / cellPixels() + gScrollRow;
  if (!insideLevel(column, row)) return;
  const bool moved = column != gCursorColumn || row != gCursorRow;
  gCursorColumn = column;
  gCursorRow = row;
  if (!leftButton) {
    endPaintStroke();
    if (moved) redrawEditor();
    return;
  }
  int32_t& cell = editCell(column, row);
  const int32_t tile = paletteTileFor(gSelectedCell, cell);
  // Painting a cell with what it holds is no change (a toggle always changes).
  if (tile < 0 || tile == cell) {
    if (moved) redrawEditor();
    return;
  }
  recordStrokeUndo();
  cell = tile;
  gModified = true;
  // Shown at once, with the cursor, Undo enabled and the title's mark: one
  // redraw for the move and the paint.
  redrawEditor();
  noteBackgroundEdit();
}

void mouseInTools(int32_t x, int32_t y, bool leftButton) {
  if (!leftButton) return;
  // Only the picture itself selects: 20 x 9 cells of 16 x 16 pixels.
  if (x < 0 || y < 0 || x >= TOOLS_WIDTH / 2 || y >= TOOLS_HEIGHT / 2) return;
  gSelectedCell = (y / TOOLS_CELL) * PALETTE_COLUMNS + x / TOOLS_CELL;
  redrawEditor();
}

void typeCharacter(int32_t character) {
  if ((character == '+' || character == '=') && gSelectedCell < PALETTE_STEP_LIMIT) {
    gSelectedCell++;
    redrawEditor();
    return;
  }
  if (character == '-' && gSelectedCell > 0) {
    gSelectedCell--;
    redrawEditor();
    return;
  }
  // Delete clears the selection when there is one on this level.
  if (character == DELETE_CHARACTER && deleteSelection()) return;
  if (character == ESCAPE_CHARACTER) {
    clearSelection();
    return;
  }
  // A key that writes nothing new records no undo step and leaves the world unmodified.
  applyCellWrites(placementsFor(character));
}

std::vector<TypedKey> typedKeys() {
  std::vector<TypedKey> keys;
  for (const SingleTile& single : SINGLE_TILES) keys.push_back({single.key, TYPED_TILE, single.tile});
  for (const LetterRange& range : LETTER_RANGES)
    for (char c = range.first; c <= range.last; c++) keys.push_back({c, TYPED_TILE, c + range.offset});
  for (int32_t i = 0; i < int32_t(std::size(TOGGLES)); i++)
    keys.push_back({'2' + i, TYPED_TOGGLE, TOGGLES[i].first, TOGGLES[i].second});
  keys.push_back({'g', TYPED_RANDOM, RANDOM_TILE_FIRST, RANDOM_TILE_FIRST + RANDOM_TILE_SPREAD - 1});
  for (const TileBlock& block : BLOCKS)
    keys.push_back({block.key, TYPED_BLOCK, block.first, 0, block.columns, block.rows});
  std::sort(keys.begin(), keys.end(), [](const TypedKey& a, const TypedKey& b) { return a.character < b.character; });
  return keys;
}

int32_t paletteCellFor(int32_t tile) {
  for (int32_t cell = 0; cell < PALETTE_CELLS; cell++) {
    const bool special = cell == RANDOM_TILE_CELL ||
                         (cell >= FIRST_TOGGLE_CELL && cell < FIRST_TOGGLE_CELL + int32_t(std::size(TOGGLES)));
    if (!special && gPaletteMap[cell] == tile) return cell;
  }
  for (int32_t i = 0; i < int32_t(std::size(TOGGLES)); i++)
    if (TOGGLES[i].first == tile || TOGGLES[i].second == tile) return FIRST_TOGGLE_CELL + i;
  if (tile >= RANDOM_TILE_FIRST && tile < RANDOM_TILE_FIRST + RANDOM_TILE_SPREAD) return RANDOM_TILE_CELL;
  return -1;
}

void noteBackgroundEdit() {
  if (!gEditBackground || !gCurrentLevel || (gCurrentLevel->flags & LEVEL_BACKGROUND)) return;
  if (gBackgroundAsked == gCurrentLevel) return;
  gBackgroundAsked = gCurrentLevel;
  endPaintStroke();
  if (!editorPlatform().askYesNo(backgroundOfferText(gCurrentIndex))) return;
  recordUndo();
  gCurrentLevel->flags |= LEVEL_BACKGROUND;
  gModified = true;
  redrawEditor();
}

std::string backgroundOfferText(int32_t levelIndex) {
  return "Level " + std::to_string(levelIndex + 1) +
         " has no background layer, so its background tiles are not saved.\n"
         "Switch \"Background support\" on for it?";
}

}  // namespace gle
