// The area tools: filling a rectangle, flood fill, picking the tile under the
// pointer, and the selection with copy, cut, paste and delete; and the mouse
// gestures of the view that choose among them and the plain paint brush.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/editor_state.h"

namespace gle {

// One cell's new tile.
struct CellWrite {
  int32_t* cell;
  int32_t value;
};
// The writes that change a cell, as one undo step, shown at once; false, with
// nothing recorded or marked modified, when none changes a cell.
bool applyCellWrites(const std::vector<CellWrite>& writes);

// What a held mouse button is doing (gActiveTool).
constexpr int32_t TOOL_NONE = 0;
constexpr int32_t TOOL_PAINT = 1;      // left button: paint cell by cell
constexpr int32_t TOOL_RECTANGLE = 2;  // Shift + left drag: fill the rectangle on release
constexpr int32_t TOOL_SELECT = 3;     // Ctrl + left drag: select; a Ctrl + click flood fills

// Mouse buttons and modifier keys as the view reports them.
constexpr int32_t BUTTON_LEFT = 1, BUTTON_RIGHT = 2, BUTTON_MIDDLE = 4;
constexpr int32_t MOD_SHIFT = 1, MOD_CONTROL = 2, MOD_ALT = 4;

// The view's mouse: (x, y) are pixels of the view, `button` the one pressed or
// released, `buttons` those held, `modifiers` the MOD_ keys held.
void mousePress(int32_t x, int32_t y, int32_t button, int32_t modifiers);
void mouseMove(int32_t x, int32_t y, int32_t buttons);
void mouseRelease(int32_t x, int32_t y, int32_t button);

// Each of these is one undo step on the edit layer and redraws; false (and no
// step, no modified mark) when it changed nothing.
// Every cell of the rectangle (clipped to the level) gets the selected palette cell's tile.
bool fillRectangle(const CellRect& cells);
// The cells joined to (column, row) through sides, holding its tile, get the selected tile.
bool floodFill(int32_t column, int32_t row);

// Selects the palette cell that paints the tile under (column, row) on the edit
// layer; false, with a note in the status bar, when no palette cell paints it.
bool pickTile(int32_t column, int32_t row);

// The selection on the current level (clipped to it); an empty one clears it.
void selectArea(const CellRect& cells);
void clearSelection();
// The selection on the current level, or an empty rectangle.
CellRect currentSelection();

// The clipboard holds both layers of a rectangle and stays across levels and worlds.
struct AreaClip {
  int32_t columns = 0, rows = 0;
  std::vector<int32_t> foreground, background;  // index column * rows + row
};
extern AreaClip gAreaClip;

// Ctrl+C, Ctrl+X, Ctrl+V, Delete. The layers they touch: both where the level
// has a background layer, otherwise the edit layer. Copy and cut need a
// selection; paste puts the clipboard's top-left at the cursor cell and
// selects what it wrote. False when they did nothing.
bool copySelection();
bool cutSelection();
bool pasteClipboard();
bool deleteSelection();

}  // namespace gle
