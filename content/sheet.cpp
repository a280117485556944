// Assembly of the tile sheet from the figure, terrain and font drawings, and the
// editor's palette: which tile each of its cells paints and what the cell shows.
#include "content/sheet.h"

#include <string>

#include "content/fonts.h"
#include "content/palette.h"
#include "content/sprites.h"
#include "content/terrain.h"
#include "content/tile_set.h"

namespace {

Canvas cellOf(const Canvas& sheet, int frame) {
  return sheet.crop((frame % SHEET_COLUMNS) * CELL, (frame / SHEET_COLUMNS) * CELL, CELL, CELL);
}

// Palette cells 92-97: the tile pairs the editor toggles between.
constexpr int TOGGLES[6][2] = {{65, 68}, {9, 11}, {13, 15}, {33, 34}, {53, 55}, {121, 144}};

// 3 x 5 digits for the contact sheet labels.
const char* DIGITS[10] = {"####.##.##.####", ".#.##..#..#.###", "###..#####..###", "###..####..####",
                          "#.##.####..#..#", "####..###..####", "####..####.####", "###..#..#..#..#",
                          "####.#####.####", "####.####..####"};

void drawNumber(Canvas& c, int x, int y, int value, uint8_t colour) {
  std::string s = std::to_string(value);
  for (char ch : s) {
    const char* g = DIGITS[ch - '0'];
    for (int j = 0; j < 5; ++j)
      for (int i = 0; i < 3; ++i)
        if (g[j * 3 + i] == '#') c.set(x + i, y + j, colour);
    x += 4;
  }
}

}  // namespace

Canvas tileSheet() {
  Canvas sheet(SHEET_COLUMNS * CELL, SHEET_ROWS * CELL);
  drawSprites(sheet);
  drawTerrain(sheet);
  drawLargeFont(sheet);
  sheet.fillRect(0, 0, CELL, CELL, 0);  // frame 0 is the empty cell and the blank glyph
  return sheet;
}

std::array<uint16_t, PALETTE_CELLS> paletteMap() {
  static const uint16_t rows[][20] = {
      {0, 21, 39, 42, 41, 45, 46, 23, 130, 131, 132, 133, 134, 130, 108, 60, 20, 40, 22, 117},
      {29, 30, 31, 32, 49, 50, 51, 52, 43, 44, 63, 64, 110, 111, 70, 71, 98, 99, 118, 119},
      {24, 85, 62, 25, 140, 160, 161, 66, 109, 26, 17, 86, 88, 61, 83, 84, 103, 104, 81, 82},
      {101, 102, 38, 69, 58, 59, 77, 74, 75, 76, 92, 93, 94, 72, 114, 164, 27, 28, 47, 48},
      {95, 96, 115, 116, 106, 107, 112, 113, 135, 136, 90, 91, 65, 9, 13, 33, 53, 121, 65, 68},
      {9, 11, 13, 15, 33, 34, 53, 55, 121, 144, 87, 105, 79, 89, 19, 73, 0, 0, 0, 0},
      {184, 185, 186, 187, 188, 189, 190, 191, 192, 193, 204, 205, 206, 207, 208, 209, 220, 221, 222, 223},
      {224, 225, 226, 227, 228, 229, 173, 230, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
  };
  std::array<uint16_t, PALETTE_CELLS> map{};
  for (size_t r = 0; r < sizeof rows / sizeof rows[0]; ++r)
    for (int i = 0; i < 20; ++i) map[r * 20 + i] = rows[r][i];
  for (int i = 0; i < 6; ++i) map[PALETTE_TOGGLE_FIRST + i] = uint16_t(TOGGLES[i][0]);
  return map;
}

std::array<uint8_t, 2 * PALETTE_CELLS> paletteMapBytes() {
  std::array<uint8_t, 2 * PALETTE_CELLS> bytes{};
  auto map = paletteMap();
  for (int i = 0; i < PALETTE_CELLS; ++i) {
    bytes[2 * i] = uint8_t(map[i] & 0xFF);
    bytes[2 * i + 1] = uint8_t(map[i] >> 8);
  }
  return bytes;
}

Canvas palettePicture(const Canvas& sheet) {
  Canvas pic(640, 384);
  auto map = paletteMap();
  for (int cell = 0; cell < 12 * 20; ++cell) {
    int x = (cell % 20) * CELL, y = (cell / 20) * CELL;
    if (cell == 0) {
      // The eraser: a red cross on the empty cell.
      for (int i = 6; i < 26; ++i) {
        pic.fillRect(x + i, y + i, 2, 2, shade(RED, 4));
        pic.fillRect(x + 31 - i - 1, y + i, 2, 2, shade(RED, 4));
      }
      continue;
    }
    if (map[cell] == 0) continue;
    pic.blit(cellOf(sheet, map[cell]), x, y, false);
    if (cell == PALETTE_RANDOM_CELL) {
      // The random rock: a question mark badge.
      pic.fillRect(x + 18, y + 2, 12, 14, OUTLINE);
      pic.fillRect(x + 19, y + 3, 10, 12, shade(GOLD, 5));
      drawSmallText(pic, x + 16, y + 1, "?");
    }
    if (cell >= PALETTE_TOGGLE_FIRST && cell < PALETTE_TOGGLE_FIRST + 6) {
      // Toggling cells: the two tiles side by side, each at half width.
      const int* pair = TOGGLES[cell - PALETTE_TOGGLE_FIRST];
      pic.fillRect(x, y, CELL, CELL, 0);
      for (int k = 0; k < 2; ++k) {
        Canvas t = cellOf(sheet, pair[k]);
        for (int j = 0; j < 32; ++j)
          for (int i = 0; i < 16; ++i) pic.set(x + k * 16 + i, y + j, t.at(2 * i + (k == 0 ? 0 : 1), j));
      }
      pic.vline(x + 16, y + 2, y + 29, WHITE);
    }
  }
  return pic;
}

Canvas contactSheet(const Canvas& sheet) {
  const int cw = 40, ch = 50;
  Canvas out(SHEET_COLUMNS * cw, 12 * ch, shade(GREY, 3));
  for (int tile = 0; tile < TILE_COUNT; ++tile) {
    int x = (tile % SHEET_COLUMNS) * cw + 4, y = (tile / SHEET_COLUMNS) * ch + 2;
    for (int j = 0; j < 32; ++j)
      for (int i = 0; i < 32; ++i) out.set(x + i, y + j, ((i / 4 + j / 4) % 2) ? shade(GREY, 6) : shade(GREY, 8));
    out.blit(cellOf(sheet, tile), x, y, true);
    drawNumber(out, x, y + 35, tile, WHITE);
    int cls = tileInfo()[tile].tileClass;
    if (cls) {
      out.fillRect(x + 17, y + 34, 15, 7, shade(RED, 3));
      drawNumber(out, x + 18, y + 35, cls, shade(GOLD, 7));
    }
    if (tileInfo()[tile].name[0] == '\0' && tile != 0) out.fillRect(x, y + 42, 32, 2, shade(GREY, 1));
  }
  return out;
}
