// The area tools and the mouse gestures that start them. Every change is
// gathered as a list of cell writes first, so that one that writes nothing new
// records no undo step and leaves the world unmodified.
#include "editor/editor_area.h"

#include <algorithm>

#include "editor/editor_paint.h"
#include "editor/editor_picture.h"
#include "editor/editor_platform.h"
#include "editor/editor_undo.h"
#include "editor/editor_view.h"

namespace gle {

AreaClip gAreaClip;

namespace {

// The press that started the tool in use, and whether the pointer has left its cell.
int32_t gAnchorColumn = 0, gAnchorRow = 0;
bool gPointerMoved = false;

bool hasLevel() { return gCurrentLevel != nullptr; }

int32_t* cellOf(int32_t* layer, int32_t column, int32_t row) {
  return layer + size_t(column) * size_t(gCurrentLevel->height) + size_t(row);
}

CellRect clippedToLevel(const CellRect& cells) {
  if (!hasLevel() || cells.empty()) return CellRect{};
  CellRect r{std::max(cells.left, 0), std::max(cells.top, 0), std::min(cells.right, gCurrentLevel->width - 1),
             std::min(cells.bottom, gCurrentLevel->height - 1)};
  return r.empty() ? CellRect{} : r;
}

// The layers the selection commands work on.
std::vector<int32_t*> selectionLayers() {
  if (gCurrentLevel->flags & LEVEL_BACKGROUND) return {gCurrentLevel->foreground.get(), gCurrentLevel->background.get()};
  return {editLayer()};
}

// The cell under view pixel (x, y), held inside the level.
void cellUnder(int32_t x, int32_t y, int32_t* column, int32_t* row) {
  const int32_t cell = cellPixels();
  *column = std::clamp(std::max(x, 0) / cell + gScrollColumn, 0, gCurrentLevel->width - 1);
  *row = std::clamp(std::max(y, 0) / cell + gScrollRow, 0, gCurrentLevel->height - 1);
}

void moveCursorTo(int32_t column, int32_t row) {
  if (column == gCursorColumn && row == gCursorRow) return;
  gCursorColumn = column;
  gCursorRow = row;
  redrawEditor();
}

}  // namespace

bool applyCellWrites(const std::vector<CellWrite>& writes) {
  const bool changes = std::any_of(writes.begin(), writes.end(), [](const CellWrite& w) { return *w.cell != w.value; });
  if (!changes) return false;
  endPaintStroke();
  recordUndo();
  for (const CellWrite& write : writes) *write.cell = write.value;
  gModified = true;
  redrawEditor();
  noteBackgroundEdit();
  return true;
}

bool fillRectangle(const CellRect& cells) {
  const CellRect r = clippedToLevel(cells);
  if (r.empty() || paletteTileFor(gSelectedCell, 0) < 0) return false;
  std::vector<CellWrite> writes;
  int32_t* layer = editLayer();
  for (int32_t column = r.left; column <= r.right; column++)
    for (int32_t row = r.top; row <= r.bottom; row++) {
      int32_t* cell = cellOf(layer, column, row);
      writes.push_back({cell, paletteTileFor(gSelectedCell, *cell)});
    }
  return applyCellWrites(writes);
}

bool floodFill(int32_t column, int32_t row) {
  if (!hasLevel() || column < 0 || row < 0 || column >= gCurrentLevel->width || row >= gCurrentLevel->height)
    return false;
  const int32_t width = gCurrentLevel->width, height = gCurrentLevel->height;
  int32_t* layer = editLayer();
  const int32_t old = *cellOf(layer, column, row);
  if (paletteTileFor(gSelectedCell, old) < 0) return false;
  // Cells are visited once each, through an explicit stack: a region may be
  // millions of cells.
  std::vector<bool> seen(size_t(width) * size_t(height), false);
  std::vector<size_t> stack{size_t(column) * size_t(height) + size_t(row)};
  seen[stack.back()] = true;
  std::vector<CellWrite> writes;
  while (!stack.empty()) {
    const size_t index = stack.back();
    stack.pop_back();
    writes.push_back({layer + index, paletteTileFor(gSelectedCell, old)});
    const int32_t c = int32_t(index / size_t(height)), r = int32_t(index % size_t(height));
    auto visit = [&](int32_t nc, int32_t nr) {
      if (nc < 0 || nr < 0 || nc >= width || nr >= height) return;
      const size_t next = size_t(nc) * size_t(height) + size_t(nr);
      if (seen[next] || layer[next] != old) return;
      seen[next] = true;
      stack.push_back(next);
    };
    visit(c - 1, r);
    visit(c + 1, r);
    visit(c, r - 1);
    visit(c, r + 1);
  }
  return applyCellWrites(writes);
}

bool pickTile(int32_t column, int32_t row) {
  if (!hasLevel() || column < 0 || row < 0 || column >= gCurrentLevel->width || row >= gCurrentLevel->height)
    return false;
  const int32_t tile = *cellOf(editLayer(), column, row);
  const int32_t cell = paletteCellFor(tile);
  if (cell < 0) {
    editorPlatform().showStatusNote("Tile " + std::to_string(tile) + " is on no palette cell; type its key instead");
    return false;
  }
  gSelectedCell = cell;
  redrawEditor();
  return true;
}

void selectArea(const CellRect& cells) {
  const CellRect r = clippedToLevel(cells);
  gSelection = r;
  gSelectionLevel = r.empty() ? -1 : gCurrentIndex;
  redrawEditor();
}

void clearSelection() {
  if (gSelectionLevel < 0) return;
  gSelection = CellRect{};
  gSelectionLevel = -1;
  redrawEditor();
}

CellRect currentSelection() {
  if (gSelectionLevel != gCurrentIndex) return CellRect{};
  return clippedToLevel(gSelection);
}

bool copySelection() {
  const CellRect r = currentSelection();
  if (r.empty()) return false;
  AreaClip clip;
  clip.columns = r.columns();
  clip.rows = r.rows();
  for (int32_t column = r.left; column <= r.right; column++)
    for (int32_t row = r.top; row <= r.bottom; row++) {
      clip.foreground.push_back(*cellOf(gCurrentLevel->foreground.get(), column, row));
      clip.background.push_back(*cellOf(gCurrentLevel->background.get(), column, row));
    }
  gAreaClip = std::move(clip);
  return true;
}

bool deleteSelection() {
  const CellRect r = currentSelection();
  if (r.empty()) return false;
  std::vector<CellWrite> writes;
  for (int32_t* layer : selectionLayers())
    for (int32_t column = r.left; column <= r.right; column++)
      for (int32_t row = r.top; row <= r.bottom; row++) writes.push_back({cellOf(layer, column, row), 0});
  return applyCellWrites(writes);
}

bool cutSelection() { return copySelection() && deleteSelection(); }

bool pasteClipboard() {
  if (!hasLevel() || gAreaClip.columns <= 0 || gAreaClip.rows <= 0) return false;
  const CellRect target = clippedToLevel(
      CellRect{gCursorColumn, gCursorRow, gCursorColumn + gAreaClip.columns - 1, gCursorRow + gAreaClip.rows - 1});
  if (target.empty() || gCursorColumn < 0 || gCursorRow < 0) return false;
  const bool bothLayers = gCurrentLevel->flags & LEVEL_BACKGROUND;
  std::vector<CellWrite> writes;
  for (int32_t column = target.left; column <= target.right; column++)
    for (int32_t row = target.top; row <= target.bottom; row++) {
      const size_t from = size_t(column - gCursorColumn) * size_t(gAreaClip.rows) + size_t(row - gCursorRow);
      if (bothLayers) {
        writes.push_back({cellOf(gCurrentLevel->foreground.get(), column, row), gAreaClip.foreground[from]});
        writes.push_back({cellOf(gCurrentLevel->background.get(), column, row), gAreaClip.background[from]});
      } else {
        writes.push_back({cellOf(editLayer(), column, row), gAreaClip.foreground[from]});
      }
    }
  applyCellWrites(writes);
  // What was pasted is selected, so it can be moved on with cut and paste.
  selectArea(target);
  return true;
}

void mousePress(int32_t x, int32_t y, int32_t button, int32_t modifiers) {
  if (!hasLevel()) return;
  int32_t column = 0, row = 0;
  cellUnder(x, y, &column, &row);
  const bool insideView = x >= 0 && y >= 0;
  const bool inLevel = insideView && std::max(x, 0) / cellPixels() + gScrollColumn < gCurrentLevel->width &&
                       std::max(y, 0) / cellPixels() + gScrollRow < gCurrentLevel->height;
  if (!inLevel) return;
  if (button == BUTTON_MIDDLE || (button == BUTTON_LEFT && (modifiers & MOD_ALT))) {
    gActiveTool = TOOL_NONE;
    moveCursorTo(column, row);
    pickTile(column, row);
    return;
  }
  if (button == BUTTON_LEFT && (modifiers & (MOD_SHIFT | MOD_CONTROL))) {
    gActiveTool = (modifiers & MOD_SHIFT) ? TOOL_RECTANGLE : TOOL_SELECT;
    gAnchorColumn = column;
    gAnchorRow = row;
    gPointerMoved = false;
    gToolRect = spanOf(column, row, column, row);
    gCursorColumn = column;
    gCursorRow = row;
    redrawEditor();
    return;
  }
  gActiveTool = button == BUTTON_LEFT ? TOOL_PAINT : TOOL_NONE;
  mouseInView(x, y, button == BUTTON_LEFT);
}

void mouseMove(int32_t x, int32_t y, int32_t buttons) {
  if (!hasLevel()) return;
  if (gActiveTool == TOOL_RECTANGLE || gActiveTool == TOOL_SELECT) {
    int32_t column = 0, row = 0;
    cellUnder(x, y, &column, &row);
    if (column == gCursorColumn && row == gCursorRow) return;
    gPointerMoved = gPointerMoved || column != gAnchorColumn || row != gAnchorRow;
    gToolRect = spanOf(gAnchorColumn, gAnchorRow, column, row);
    gCursorColumn = column;
    gCursorRow = row;
    redrawEditor();
    return;
  }
  mouseInView(x, y, (buttons & BUTTON_LEFT) && gActiveTool == TOOL_PAINT);
}

void mouseRelease(int32_t x, int32_t y, int32_t button) {
  (void)x, (void)y;
  if (button != BUTTON_LEFT) return;
  const int32_t tool = gActiveTool;
  const CellRect area = gToolRect;
  gActiveTool = TOOL_NONE;
  gToolRect = CellRect{};
  endPaintStroke();
  if (!hasLevel()) return;
  if (tool == TOOL_RECTANGLE) {
    if (!fillRectangle(area)) redrawEditor();
  } else if (tool == TOOL_SELECT) {
    if (gPointerMoved) {
      selectArea(area);
    } else if (!floodFill(gAnchorColumn, gAnchorRow)) {
      redrawEditor();
    }
  }
}

}  // namespace gle
