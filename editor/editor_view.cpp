// The editing view: redrawEditor, scrolling arithmetic, resizing, and the menu
// toggles of the layers, the cursor and the Tools window.
#include "editor/editor_view.h"

#include <algorithm>
#include <cstdio>

#include "editor/editor_picture.h"
#include "editor/editor_platform.h"
#include "editor/editor_state.h"
#include "editor/editor_status.h"

namespace gle {

std::string editorTitle() {
  std::string title = "Glimb Level Editor - ";
  title += gFileName;
  title += gModified ? " *" : "  ";
  return title;
}

// The cursor mark when the cursor is not drawn as a tile: the cell's top edge
// from x + 15 back to x + 1 and its left edge from y down to y + 14, the pixels
// a line from (x + 15, y) to (x, y) and on to (x, y + 15) covers without its end points.
static void drawCornerMark(Surface& target, int32_t x, int32_t y) {
  auto plot = [&target](int32_t px, int32_t py) {
    if (px < 0 || py < 0 || px >= target.width() || py >= target.height()) return;
    target.pixels()[size_t(py) * target.pitch() + px] = gWhiteIndex;
  };
  for (int32_t i = 1; i <= 15; i++) plot(x + i, y);
  for (int32_t j = 0; j < 15; j++) plot(x, y + j);
}

// Inverts every pixel of the rectangle that lies inside the surface.
static void invertRect(Surface& target, Rect r) {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, target.width());
  r.bottom = std::min(r.bottom, target.height());
  uint8_t* pixels = target.lock();
  if (!pixels) return;
  for (int32_t py = r.top; py < r.bottom; py++) {
    uint8_t* row = pixels + size_t(py) * target.pitch();
    for (int32_t px = r.left; px < r.right; px++) row[px] = uint8_t(~row[px]);
  }
  target.unlock();
}

static void drawTiles(Surface& target) {
  const EditorLevel& level = *gCurrentLevel;
  const int32_t n = std::min(gPageColumns + 1, level.width - gScrollColumn);
  const int32_t m = std::min(gPageRows + 1, level.height - gScrollRow);
  for (int32_t i = 0; i < n; i++) {
    for (int32_t j = 0; j < m; j++) {
      const size_t k = size_t(gScrollColumn + i) * level.height + size_t(gScrollRow + j);
      gTileSheet.setPosition(i * TILE_SIZE, j * TILE_SIZE);
      gTileSheet.selectFrame(level.background[k]);
      if (gShowBackground) gTileSheet.draw(target);
      gTileSheet.colourKeyed = 1;
      gTileSheet.selectFrame(level.foreground[k]);
      if (gShowForeground) gTileSheet.draw(target);
      gTileSheet.colourKeyed = 0;
    }
  }
}

static void drawCursor(Surface& target) {
  const int32_t x = (gCursorColumn - gScrollColumn) * TILE_SIZE;
  const int32_t y = (gCursorRow - gScrollRow) * TILE_SIZE;
  if (gCursorAsTile) {
    gPaletteSheet.setPosition(x, y);
    gPaletteSheet.selectFrame(gSelectedCell);
    gPaletteSheet.draw(target);
  } else {
    drawCornerMark(target, x, y);
  }
}

// The Tools window's picture: the palette sheet's top 640 x 288 pixels with
// the selected cell inverted, in a staging surface of its own so that it does
// not depend on the main view being at least that large.
static int32_t gToolsDrawnCell = -1;  // the selected cell the staging picture shows; -1: none yet

static void drawTools() {
  if (!gToolsBuffer) {
    gToolsBuffer = createDeviceSurface(TOOLS_WIDTH, TOOLS_HEIGHT);
    gToolsDrawnCell = -1;
  }
  if (!gToolsBuffer) return;
  // The palette changes only with the selected cell; the window keeps the last picture.
  if (gToolsDrawnCell == gSelectedCell) return;
  gToolsDrawnCell = gSelectedCell;
  gToolsBuffer->fillAll(0);
  setClipRect(0, 0, TOOLS_WIDTH, TOOLS_HEIGHT);
  gPaletteSheet.setPosition(0, 0);
  gPaletteSheet.drawWhole(*gToolsBuffer);
  const int32_t left = (gSelectedCell % PALETTE_COLUMNS) * TILE_SIZE;
  const int32_t top = (gSelectedCell / PALETTE_COLUMNS) * TILE_SIZE;
  if (gSelectedCell >= 0) invertRect(*gToolsBuffer, Rect{left, top, left + TILE_SIZE, top + TILE_SIZE});
  editorPlatform().presentTools(*gToolsBuffer);
}

// The 8-bit back buffer: whole cells covering the view at its zoom, 32 pixels each.
static bool ensureBackBuffer() {
  if (gBackBuffer) return true;
  if (!gDirectDraw) return false;
  if (gClientRect.right <= 0 || gClientRect.bottom <= 0) return false;
  const int32_t cell = cellPixels();
  gBackBuffer = createDeviceSurface((gClientRect.right + cell - 1) / cell * TILE_SIZE,
                                    (gClientRect.bottom + cell - 1) / cell * TILE_SIZE);
  return gBackBuffer != nullptr;
}

void drawViewBuffer() {
  if (!ensureBackBuffer()) return;
  Surface& target = *gBackBuffer;
  target.fillAll(0);
  setClipRect(0, 0, target.width(), target.height());
  if (gCurrentLevel) drawTiles(target);
  drawCursor(target);
}

void redrawEditor() {
  EditorPlatform& platform = editorPlatform();
  if (gCurrentLevel)
    platform.setScrollRanges(gCurrentLevel->width - 1, gPageColumns, gCurrentLevel->height - 1, gPageRows);
  platform.setTitle(editorTitle());
  platform.setMenuChecks();
  platform.setStatus(statusFields());
  if (!gRunning || !gActive || !gDirectDraw) return;

  // At 100 % the picture is drawn straight from the 32-bit frames; other
  // zooms scale the 8-bit back buffer through the colour table.
  if (!drawViewDirect(gClientRect.right, gClientRect.bottom)) {
    if (!ensureBackBuffer()) return;
    drawViewBuffer();
    composeViewPicture(*gBackBuffer, gClientRect.right, gClientRect.bottom);
  }
  platform.presentView(gViewPicture);

  // The palette is shown docked beside the view as well as in the Tools window.
  drawTools();
}

int32_t scrollTarget(int32_t code, int32_t current, int32_t tracked, int32_t page, int32_t size) {
  int32_t next = current;
  switch (code) {
    case SCROLL_LINE_BACK: next = current - 1; break;
    case SCROLL_LINE_FORWARD: next = current + 1; break;
    case SCROLL_PAGE_BACK: next = current - page; break;
    case SCROLL_PAGE_FORWARD: next = current + page; break;
    case SCROLL_THUMB_TRACK: next = tracked; break;
    case SCROLL_TO_START: next = 0; break;
    case SCROLL_TO_END: next = size - 1; break;
    default: break;
  }
  if (next > size - 1) next = size - 1;
  if (next < 0) next = 0;
  return next;
}

// Codes that move the view; the thumb's release and the end of a scroll do not.
static bool movesView(int32_t code) {
  return code != SCROLL_THUMB_POSITION && code != SCROLL_END && code >= SCROLL_LINE_BACK &&
         code <= SCROLL_TO_END;
}

void scrollColumns(int32_t code, int32_t tracked) {
  if (!gCurrentLevel || !movesView(code)) return;
  EditorPlatform& platform = editorPlatform();
  gScrollColumn = scrollTarget(code, platform.scrollPosition(true), tracked, gPageColumns, gCurrentLevel->width);
  platform.setScrollPosition(true, gScrollColumn);
  redrawEditor();
}

void scrollRows(int32_t code, int32_t tracked) {
  if (!gCurrentLevel || !movesView(code)) return;
  EditorPlatform& platform = editorPlatform();
  gScrollRow = scrollTarget(code, platform.scrollPosition(false), tracked, gPageRows, gCurrentLevel->height);
  platform.setScrollPosition(false, gScrollRow);
  redrawEditor();
}

void resizeView(int32_t width, int32_t height) {
  gClientRect = Rect{0, 0, std::max(width, 0), std::max(height, 0)};
  gPageColumns = gClientRect.right / cellPixels();
  gPageRows = gClientRect.bottom / cellPixels();
  gBackBuffer.reset();  // the next redraw makes one at the new size
  redrawEditor();
}

void toggleEditBackground() {
  gEditBackground = !gEditBackground;
  // The layer being edited is always shown.
  if (gEditBackground) gShowBackground = 1;
  else gShowForeground = 1;
  redrawEditor();
}

void toggleShowForeground() {
  if (gEditBackground) gShowForeground = !gShowForeground;
  redrawEditor();
}

void toggleShowBackground() {
  if (!gEditBackground) gShowBackground = !gShowBackground;
  redrawEditor();
}

void setZoom(int32_t percent) {
  int32_t chosen = ZOOM_STEPS[0];
  for (int32_t step : ZOOM_STEPS)
    if (step <= percent) chosen = step;
  if (chosen == gZoom) return;
  gZoom = chosen;
  resizeView(gClientRect.right, gClientRect.bottom);
}

void zoomIn() {
  for (int32_t step : ZOOM_STEPS)
    if (step > gZoom) return setZoom(step);
}

void zoomOut() {
  int32_t lower = gZoom;
  for (int32_t step : ZOOM_STEPS)
    if (step < gZoom) lower = step;
  setZoom(lower);
}

void toggleGrid() {
  gShowGrid = !gShowGrid;
  redrawEditor();
}

void toggleCursorAsTile() {
  gCursorAsTile = !gCursorAsTile;
  redrawEditor();
}

void toggleToolsWindow() {
  if (gToolsVisible) {
    editorPlatform().closeToolsWindow();
    gToolsVisible = 0;
  } else {
    editorPlatform().openToolsWindow();
    gToolsVisible = 1;
  }
  redrawEditor();
}

}  // namespace gle
