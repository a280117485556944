// The level editor's process-wide state: the world in memory as a list of
// levels, the view and interaction flags, and the graphics the view draws with.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "media/sprite_surface.h"
#include "media/surface.h"
#include "world/world_file.h"

namespace gle {

// One level of the world in memory, in a singly linked list in file order.
// Both layers are always width x height long, index column * height + row;
// the background is all zero when the level has no background layer.
struct EditorLevel {
  int32_t width = 0;
  int32_t height = 0;
  int32_t flags = 0;
  std::unique_ptr<int32_t[]> foreground;
  std::unique_ptr<int32_t[]> background;
  std::unique_ptr<EditorLevel> next;
};

// The name a world carries until it is first saved.
inline constexpr const char* UNTITLED_NAME = "Untitled";

// World in memory. The count and the three text fields follow the file header.
extern int16_t gLevelCount;
extern char gWorldName[WORLD_NAME_SIZE];
extern char gAuthorName[AUTHOR_NAME_SIZE];
extern char gComment[COMMENT_SIZE];
extern std::unique_ptr<EditorLevel> gFirstLevel;  // owns the whole list
extern EditorLevel* gCurrentLevel;
extern int32_t gCurrentIndex;
extern std::string gFileName;
extern bool gModified;

// View and interaction state.
extern int32_t gScrollColumn, gScrollRow;
extern int32_t gPageColumns, gPageRows;
extern int32_t gCursorColumn, gCursorRow;
extern int32_t gSelectedCell;
extern int32_t gEditBackground;
extern int32_t gShowForeground;
extern int32_t gShowBackground;
extern int32_t gCursorAsTile;
extern int32_t gToolsVisible;
extern int32_t gRunning;
extern int32_t gActive;
extern Rect gClientRect;  // right and bottom are the view's width and height

// A rectangle of cells, both corners included; empty while right < left.
struct CellRect {
  int32_t left = 0, top = 0, right = -1, bottom = -1;
  bool empty() const { return right < left || bottom < top; }
  int32_t columns() const { return empty() ? 0 : right - left + 1; }
  int32_t rows() const { return empty() ? 0 : bottom - top + 1; }
  bool contains(int32_t column, int32_t row) const {
    return column >= left && column <= right && row >= top && row <= bottom;
  }
  bool operator==(const CellRect&) const = default;
};
// The rectangle spanned by two corner cells in any order.
CellRect spanOf(int32_t column0, int32_t row0, int32_t column1, int32_t row1);

// Zoom of the view in percent, one of ZOOM_STEPS; a cell is shown
// TILE_SIZE x gZoom / 100 pixels wide and high.
constexpr int32_t ZOOM_STEPS[] = {25, 50, 75, 100, 150, 200, 300, 400};
extern int32_t gZoom;
extern int32_t gShowGrid;  // 1: cell lines drawn over the view (View -> "&Grid")

// The selection: a rectangle of level gSelectionLevel (-1: nothing selected).
extern CellRect gSelection;
extern int32_t gSelectionLevel;

// The area tool the mouse is using (TOOL_ values of editor_area.h) and the
// rectangle it spans while a button is held; drawn on the view.
extern int32_t gActiveTool;
extern CellRect gToolRect;

// The view as shown: 0xRRGGBB pixels, rows `width` apart, as large as the view.
// The pixels are shared: a window may go on showing a picture the core has
// since replaced by one of another size.
struct ViewPicture {
  int32_t width = 0, height = 0;
  std::shared_ptr<std::vector<uint32_t>> store = std::make_shared<std::vector<uint32_t>>();
  uint32_t* data() const { return store->data(); }
  uint32_t at(int32_t x, int32_t y) const { return (*store)[size_t(y) * size_t(width) + size_t(x)]; }
};
extern ViewPicture gViewPicture;
// Each palette index as shown: 0xFFRRGGBB from gGamePalette.
extern uint32_t gColourTable[256];

// Tile palette: cells of 32 x 32, 20 to a row; the Tools window shows the top 9 rows.
constexpr int32_t TILE_SIZE = 32;
constexpr int32_t PALETTE_COLUMNS = 20;
constexpr int32_t PALETTE_CELLS = 240;
constexpr int32_t TOOLS_WIDTH = 640, TOOLS_HEIGHT = 288;  // shown at half size
constexpr int32_t TOOLS_CELL = 16;                        // a palette cell as shown there

// Graphics: the game's tile sheet, the palette picture, which tile each palette
// cell paints, the view's back buffer and the Tools window's staging picture,
// and the game palette (red, green, blue per entry) both are shown through.
extern SpriteSurface gTileSheet;
extern SpriteSurface gPaletteSheet;
extern int32_t gPaletteMap[PALETTE_CELLS];
constexpr int32_t TILE_VALUE_MAX = 255;  // a tile is one byte in the file
extern std::unique_ptr<Surface> gBackBuffer;
extern std::unique_ptr<Surface> gToolsBuffer;
extern uint8_t gGamePalette[256][3];
extern uint8_t gWhiteIndex;  // the palette entry nearest to white: the cursor mark's colour
// The tile class table of the game ("data07.glb"), for naming what a tile does;
// all zero when the file is missing.
constexpr int32_t TILE_CLASS_COUNT = 240;
extern int32_t gTileClass[TILE_CLASS_COUNT];

// The editor's random numbers (random tiles), seeded at graphics set-up.
extern std::mt19937 gRandom;
int32_t editorRandom();

// Frees every level of the list (gFirstLevel and gCurrentLevel become null).
void freeLevelList();

// Resets every variable above to its start value and frees the world and the graphics.
void resetEditorState();

}  // namespace gle
