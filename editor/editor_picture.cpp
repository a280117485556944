// Turns the 8-bit back buffer into the 32-bit picture the window shows, one
// table look-up a pixel, and draws the edges, grid, selection and tool on it.
#include "editor/editor_picture.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "editor/editor_area.h"
#include "media/pcx.h"

namespace gle {

namespace {

// Source pixel of each picture column and row at the zoom (rebuilt when the
// size or zoom changes).
std::vector<int32_t> gSourceColumn, gSourceRow;
int32_t gMapZoom = 0;

void buildMaps(int32_t width, int32_t height) {
  if (gMapZoom == gZoom && int32_t(gSourceColumn.size()) == width && int32_t(gSourceRow.size()) == height) return;
  const int32_t cell = cellPixels();
  gSourceColumn.resize(size_t(width));
  gSourceRow.resize(size_t(height));
  for (int32_t x = 0; x < width; x++) gSourceColumn[size_t(x)] = x * TILE_SIZE / cell;
  for (int32_t y = 0; y < height; y++) gSourceRow[size_t(y)] = y * TILE_SIZE / cell;
  gMapZoom = gZoom;
}

void lookUpRow(const uint8_t* source, uint32_t* target, int32_t count) {
  int32_t x = 0;
  for (; x + 4 <= count; x += 4) {
    target[x] = gColourTable[source[x]];
    target[x + 1] = gColourTable[source[x + 1]];
    target[x + 2] = gColourTable[source[x + 2]];
    target[x + 3] = gColourTable[source[x + 3]];
  }
  for (; x < count; x++) target[x] = gColourTable[source[x]];
}

// The picture's pixel rectangle of a cell rectangle, not clipped.
struct PixelRect {
  int32_t left, top, right, bottom;  // right and bottom excluded
};
PixelRect pixelsOf(const CellRect& cells) {
  const int32_t cell = cellPixels();
  return PixelRect{(cells.left - gScrollColumn) * cell, (cells.top - gScrollRow) * cell,
                   (cells.right + 1 - gScrollColumn) * cell, (cells.bottom + 1 - gScrollRow) * cell};
}

class Painter {
 public:
  explicit Painter(ViewPicture& picture) : picture(picture) {}
  void plot(int32_t x, int32_t y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < picture.width && y < picture.height)
      picture.data()[size_t(y) * size_t(picture.width) + size_t(x)] = colour;
  }
  uint32_t* row(int32_t y) { return picture.data() + size_t(y) * size_t(picture.width); }
  // Halves every channel of the pixel: the grid's lines.
  void darken(int32_t x, int32_t y) {
    uint32_t& p = row(y)[x];
    p = 0xFF000000 | ((p >> 1) & 0x7F7F7F);
  }
  // A frame `thickness` pixels wide inside the rectangle; `dashed` alternates
  // white and black every 4 pixels so that it shows on every tile.
  void frame(const PixelRect& r, int32_t thickness, uint32_t colour, bool dashed) {
    for (int32_t t = 0; t < thickness; t++) {
      for (int32_t x = r.left; x < r.right; x++) {
        plot(x, r.top + t, dashed ? dash(x) : colour);
        plot(x, r.bottom - 1 - t, dashed ? dash(x) : colour);
      }
      for (int32_t y = r.top; y < r.bottom; y++) {
        plot(r.left + t, y, dashed ? dash(y) : colour);
        plot(r.right - 1 - t, y, dashed ? dash(y) : colour);
      }
    }
  }
  // Blends a quarter of blue into the rectangle: the selected cells.
  void tint(const PixelRect& r) {
    const int32_t left = std::max(r.left, 0), right = std::min(r.right, picture.width);
    for (int32_t y = std::max(r.top, 0); y < std::min(r.bottom, picture.height); y++) {
      uint32_t* pixels = row(y);
      for (int32_t x = left; x < right; x++) {
        const uint32_t p = pixels[x];
        pixels[x] = 0xFF000000 | (((p >> 2) & 0x3F3F3F) * 3 + 0x000040);
      }
    }
  }

 private:
  static uint32_t dash(int32_t at) { return (at / 4) % 2 ? 0xFF000000 : 0xFFFFFFFF; }
  ViewPicture& picture;
};

void drawGrid(Painter& painter, int32_t levelRight, int32_t levelBottom) {
  const int32_t cell = cellPixels();
  for (int32_t y = 0; y < levelBottom; y++) {
    if (y % cell == 0) {
      for (int32_t x = 0; x < levelRight; x++) painter.darken(x, y);
      continue;
    }
    for (int32_t x = 0; x < levelRight; x += cell) painter.darken(x, y);
  }
}

void drawOverlays(Painter& painter, int32_t levelRight, int32_t levelBottom);

}  // namespace

int32_t cellPixels() { return TILE_SIZE * gZoom / 100; }

void setColourTable() {
  for (int32_t i = 0; i < 256; i++)
    gColourTable[i] = 0xFF000000u | uint32_t(gGamePalette[i][0]) << 16 | uint32_t(gGamePalette[i][1]) << 8 |
                      uint32_t(gGamePalette[i][2]);
}

void composeViewPicture(const Surface& source, int32_t width, int32_t height) {
  ViewPicture& picture = gViewPicture;
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (picture.width != width || picture.height != height) {
    picture.width = width;
    picture.height = height;
    picture.store = std::make_shared<std::vector<uint32_t>>(size_t(width) * size_t(height), OUTSIDE_COLOUR);
  }
  if (width == 0 || height == 0) return;
  const int32_t cell = cellPixels();
  // The part of the picture the level covers; the rest is shaded.
  int32_t levelRight = 0, levelBottom = 0;
  if (gCurrentLevel) {
    levelRight = std::clamp((gCurrentLevel->width - gScrollColumn) * cell, 0, width);
    levelBottom = std::clamp((gCurrentLevel->height - gScrollRow) * cell, 0, height);
  }
  // Never read past the back buffer, whatever its size.
  levelRight = std::min(levelRight, int32_t(int64_t(source.width()) * cell / TILE_SIZE));
  levelBottom = std::min(levelBottom, int32_t(int64_t(source.height()) * cell / TILE_SIZE));
  Painter painter(picture);
  const bool oneToOne = cell == TILE_SIZE;
  if (!oneToOne) buildMaps(width, height);
  for (int32_t y = 0; y < height; y++) {
    uint32_t* target = painter.row(y);
    if (y < levelBottom) {
      const int32_t sourceY = oneToOne ? y : gSourceRow[size_t(y)];
      const uint8_t* sourceRow = source.pixels() + size_t(sourceY) * size_t(source.pitch());
      if (oneToOne) {
        lookUpRow(sourceRow, target, levelRight);
      } else {
        for (int32_t x = 0; x < levelRight; x++) target[x] = gColourTable[sourceRow[gSourceColumn[size_t(x)]]];
      }
      std::fill(target + levelRight, target + width, OUTSIDE_COLOUR);
    } else {
      std::fill(target, target + width, OUTSIDE_COLOUR);
    }
  }
  // The cursor cell may lie outside the level; its mark is drawn there too.
  const int32_t cursorX = (gCursorColumn - gScrollColumn) * cell, cursorY = (gCursorRow - gScrollRow) * cell;
  if (gCurrentLevel && (gCursorColumn >= gCurrentLevel->width || gCursorRow >= gCurrentLevel->height) &&
      cursorX >= 0 && cursorY >= 0 && cursorX < width && cursorY < height) {
    for (int32_t y = cursorY; y < std::min(cursorY + cell, height); y++) {
      const int32_t sourceY = std::min(y * TILE_SIZE / cell, source.height() - 1);
      const uint8_t* sourceRow = source.pixels() + size_t(sourceY) * size_t(source.pitch());
      for (int32_t x = cursorX; x < std::min(cursorX + cell, width); x++)
        painter.row(y)[x] = gColourTable[sourceRow[std::min(x * TILE_SIZE / cell, source.width() - 1)]];
    }
  }

  drawOverlays(painter, levelRight, levelBottom);
}

namespace {

void drawOverlays(Painter& painter, int32_t levelRight, int32_t levelBottom) {
  const int32_t width = gViewPicture.width, height = gViewPicture.height;
  if (gShowGrid) drawGrid(painter, levelRight, levelBottom);
  // The level's right and bottom edges, just outside its last cells.
  if (gCurrentLevel) {
    for (int32_t y = 0; y < std::min(levelBottom + 1, height); y++) painter.plot(levelRight, y, EDGE_COLOUR);
    for (int32_t x = 0; x < std::min(levelRight + 1, width); x++) painter.plot(x, levelBottom, EDGE_COLOUR);
  }
  if (gSelectionLevel == gCurrentIndex && !gSelection.empty()) {
    const PixelRect r = pixelsOf(gSelection);
    painter.tint(r);
    painter.frame(r, 2, 0, true);
  }
  if (gActiveTool == TOOL_RECTANGLE && !gToolRect.empty()) painter.frame(pixelsOf(gToolRect), 2, TOOL_COLOUR, false);
  if (gActiveTool == TOOL_SELECT && !gToolRect.empty()) painter.frame(pixelsOf(gToolRect), 2, 0, true);
}

// A picture of 32 x 32 frames, 8-bit (for the colour key) and 32-bit, and
// for each frame whether it is all key, has no key pixel, or has both.
constexpr uint8_t FRAME_CLEAR = 0, FRAME_SOLID = 1, FRAME_MIXED = 2;
struct FrameSheet {
  int32_t width = 0, height = 0;
  std::vector<uint8_t> index;
  std::vector<uint32_t> colour;
  std::vector<uint8_t> kind;
  int32_t columns() const { return width / TILE_SIZE; }
  int32_t frames() const { return columns() * (height / TILE_SIZE); }
  size_t origin(int32_t frame) const {
    return size_t(frame / columns()) * TILE_SIZE * size_t(width) + size_t(frame % columns()) * TILE_SIZE;
  }
};
FrameSheet gTileFrames, gPaletteFrames;

bool loadFrames(const std::string& path, FrameSheet& sheet) {
  PcxPicture picture;
  std::string error;
  if (!readPcxFile(path, &picture, &error) || picture.width < TILE_SIZE || picture.height < TILE_SIZE) return false;
  sheet.width = picture.width;
  sheet.height = picture.height;
  sheet.index = std::move(picture.pixels);
  sheet.colour.resize(sheet.index.size());
  for (size_t i = 0; i < sheet.index.size(); i++) sheet.colour[i] = gColourTable[sheet.index[i]];
  sheet.kind.assign(size_t(sheet.frames()), FRAME_MIXED);
  for (int32_t frame = 0; frame < sheet.frames(); frame++) {
    int32_t keyed = 0;
    const size_t origin = sheet.origin(frame);
    for (int32_t y = 0; y < TILE_SIZE; y++)
      for (int32_t x = 0; x < TILE_SIZE; x++) keyed += sheet.index[origin + size_t(y) * size_t(sheet.width) + x] == 0;
    sheet.kind[size_t(frame)] = keyed == TILE_SIZE * TILE_SIZE ? FRAME_CLEAR : keyed == 0 ? FRAME_SOLID : FRAME_MIXED;
  }
  return true;
}

// Draws `frame` at (x, y) of the picture, clipped to `right` x `bottom`;
// keyed: pixels of index 0 leave what is there.
void drawFrame(const FrameSheet& sheet, int32_t frame, int32_t x, int32_t y, int32_t right, int32_t bottom, bool keyed) {
  if (keyed && sheet.kind[size_t(frame)] == FRAME_CLEAR) return;
  const int32_t left = std::max(x, 0), top = std::max(y, 0);
  const int32_t columns = std::min(x + TILE_SIZE, right) - left, rows = std::min(y + TILE_SIZE, bottom) - top;
  if (columns <= 0 || rows <= 0) return;
  const size_t origin = sheet.origin(frame) + size_t(top - y) * size_t(sheet.width) + size_t(left - x);
  const bool copy = !keyed || sheet.kind[size_t(frame)] == FRAME_SOLID;
  for (int32_t j = 0; j < rows; j++) {
    uint32_t* target = gViewPicture.data() + size_t(top + j) * size_t(gViewPicture.width) + size_t(left);
    const uint32_t* colour = sheet.colour.data() + origin + size_t(j) * size_t(sheet.width);
    if (copy) {
      std::memcpy(target, colour, size_t(columns) * sizeof(uint32_t));
      continue;
    }
    const uint8_t* index = sheet.index.data() + origin + size_t(j) * size_t(sheet.width);
    for (int32_t i = 0; i < columns; i++)
      if (index[i]) target[i] = colour[i];
  }
}

}  // namespace

bool loadDirectFrames(const std::string& tileSheetPath, const std::string& palettePicturePath) {
  releaseDirectFrames();
  if (loadFrames(tileSheetPath, gTileFrames) && loadFrames(palettePicturePath, gPaletteFrames)) return true;
  releaseDirectFrames();
  return false;
}

void releaseDirectFrames() {
  gTileFrames = FrameSheet{};
  gPaletteFrames = FrameSheet{};
}

bool drawViewDirect(int32_t width, int32_t height) {
  if (gZoom != 100 || gTileFrames.frames() == 0 || gPaletteFrames.frames() == 0) return false;
  ViewPicture& picture = gViewPicture;
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (picture.width != width || picture.height != height) {
    picture.width = width;
    picture.height = height;
    picture.store = std::make_shared<std::vector<uint32_t>>(size_t(width) * size_t(height), OUTSIDE_COLOUR);
  }
  if (width == 0 || height == 0) return true;
  int32_t levelRight = 0, levelBottom = 0;
  if (gCurrentLevel) {
    levelRight = std::clamp((gCurrentLevel->width - gScrollColumn) * TILE_SIZE, 0, width);
    levelBottom = std::clamp((gCurrentLevel->height - gScrollRow) * TILE_SIZE, 0, height);
  }
  Painter painter(picture);
  for (int32_t y = 0; y < height; y++) {
    uint32_t* row = painter.row(y);
    if (y < levelBottom) std::fill(row + levelRight, row + width, OUTSIDE_COLOUR);
    else std::fill(row, row + width, OUTSIDE_COLOUR);
  }
  if (gCurrentLevel) {
    // Cell by cell as the 8-bit view draws them: the background opaque (or
    // index 0 while hidden), then the foreground through its colour key. A
    // value outside the sheet keeps the frame last selected, as the sheet does.
    const EditorLevel& level = *gCurrentLevel;
    const int32_t n = std::min(gPageColumns + 1, level.width - gScrollColumn);
    const int32_t m = std::min(gPageRows + 1, level.height - gScrollRow);
    const int32_t frames = gTileFrames.frames();
    static int32_t selected = 0;
    const uint32_t blank = gColourTable[0];
    for (int32_t i = 0; i < n; i++) {
      for (int32_t j = 0; j < m; j++) {
        const size_t k = size_t(gScrollColumn + i) * size_t(level.height) + size_t(gScrollRow + j);
        const int32_t x = i * TILE_SIZE, y = j * TILE_SIZE;
        if (level.background[k] >= 0 && level.background[k] < frames) selected = level.background[k];
        const int32_t under = selected;
        if (level.foreground[k] >= 0 && level.foreground[k] < frames) selected = level.foreground[k];
        // A foreground frame without key pixels hides the background wholly.
        const bool covered = gShowForeground && gTileFrames.kind[size_t(selected)] == FRAME_SOLID;
        if (!covered && gShowBackground) {
          drawFrame(gTileFrames, under, x, y, levelRight, levelBottom, false);
        } else if (!covered) {
          for (int32_t r = y; r < std::min(y + TILE_SIZE, levelBottom); r++)
            std::fill(painter.row(r) + x, painter.row(r) + std::min(x + TILE_SIZE, levelRight), blank);
        }
        if (gShowForeground) drawFrame(gTileFrames, selected, x, y, levelRight, levelBottom, true);
      }
    }
  }
  const int32_t cursorX = (gCursorColumn - gScrollColumn) * TILE_SIZE;
  const int32_t cursorY = (gCursorRow - gScrollRow) * TILE_SIZE;
  if (gCursorAsTile) {
    if (gSelectedCell >= 0 && gSelectedCell < gPaletteFrames.frames())
      drawFrame(gPaletteFrames, gSelectedCell, cursorX, cursorY, width, height, false);
  } else {
    // The corner mark: the top edge from x + 15 back to x + 1, the left from y to y + 14.
    const uint32_t white = gColourTable[gWhiteIndex];
    for (int32_t i = 1; i <= 15; i++) painter.plot(cursorX + i, cursorY, white);
    for (int32_t j = 0; j < 15; j++) painter.plot(cursorX, cursorY + j, white);
  }
  drawOverlays(painter, levelRight, levelBottom);
  return true;
}

}  // namespace gle
