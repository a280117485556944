// Painting of the intro panorama and its packing into the show's records. Even screen
// rows come from the back layer, odd rows from the front layer; each layer holds both
// pictures side by side in opposite order, so both slide and scroll as one picture.
#include "content/intro.h"

#include <cmath>

#include "content/fonts.h"
#include "content/palette.h"
#include "content/tile_set.h"

namespace {

constexpr int PAN_W = 1280, PAN_H = 400, PICTURE_W = 640;

Canvas cellOf(const Canvas& sheet, int frame) {
  return sheet.crop((frame % SHEET_COLUMNS) * CELL, (frame / SHEET_COLUMNS) * CELL, CELL, CELL);
}

// Copies with wrap-around in x, so nothing is cut at the panorama's seam.
void blitWrapped(Canvas& pan, const Canvas& src, int x, int y) {
  pan.blit(src, x, y);
  if (x + src.width() > PAN_W) pan.blit(src, x - PAN_W, y);
  if (x < 0) pan.blit(src, x + PAN_W, y);
}

// A height profile made of whole waves per panorama width, so it wraps.
int hillHeight(int x, int base, double a1, int n1, double a2, int n2, double phase) {
  double t = 2 * 3.14159265358979 * x / PAN_W;
  return base + int(std::lround(a1 * std::sin(n1 * t + phase) + a2 * std::sin(n2 * t + 2 * phase)));
}

Canvas bigLetter(char ch) {
  // The glyph design doubled four times with EPX: strokes 16 pixels wide, round steps.
  Canvas shape = glyphShape(ch, 4);  // 96 x 128, capitals in the top 112 rows
  const int pad = 8;
  Canvas out(shape.width() + 2 * pad, 112 + 2 * pad);
  Canvas mask(out.width(), out.height());
  for (int y = 0; y < 112; ++y)
    for (int x = 0; x < shape.width(); ++x)
      if (shape.at(x, y)) mask.set(x + pad, y + pad, 1);
  Canvas thick = mask;
  for (int r = 0; r < 3; ++r) thick.outline(1);
  // Shadow down and to the right, then the outline, then the letter in gold bands.
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      if (thick.at(x - 4, y - 4)) out.set(x, y, shade(NAVY, 1));
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) {
      if (thick.at(x, y)) out.set(x, y, OUTLINE);
      if (!mask.at(x, y)) continue;
      int t = (y - pad) * 6 / 112;
      static const uint8_t bands[6] = {shade(GOLD, 7), shade(GOLD, 6), shade(GOLD, 5), shade(GOLD, 4),
                                       shade(ORANGE, 5), shade(ORANGE, 4)};
      uint8_t c = bands[t < 0 ? 0 : t > 5 ? 5 : t];
      bool top = !mask.at(x, y - 1) || !mask.at(x, y - 2);
      bool lowRight = !mask.at(x + 1, y) || !mask.at(x, y + 1) || !mask.at(x + 2, y) || !mask.at(x, y + 2) ||
                      !mask.at(x + 3, y) || !mask.at(x, y + 3);
      if (lowRight) c = shade(ORANGE, 2);
      if (top) c = WHITE;
      out.set(x, y, c);
    }
  return out;
}

void drawLargeText(Canvas& pan, int x, int y, const char* text) {
  for (const char* p = text; *p; ++p, x += 32) {
    if (*p == ' ') continue;
    // As in the game's large font, '[' is the full stop and '\\' the exclamation mark.
    blitWrapped(pan, largeGlyph(*p == '[' ? '.' : *p == '\\' ? '!' : *p), x, y);
  }
}

}  // namespace

Canvas introPanorama(const Canvas& sheet) {
  Canvas pan(PAN_W, PAN_H);
  // Sky: the sixteen sky colours spread over the upper 300 rows, dithered at the edges.
  for (int y = 0; y < PAN_H; ++y)
    for (int x = 0; x < PAN_W; ++x) {
      int band = y * 16 / 300 + (((x + y) & 1) && (y * 16 % 300) > 240 ? 1 : 0);
      pan.set(x, y, uint8_t(SKY_FIRST + (band > 15 ? 15 : band)));
    }
  // Far mountains, mid hills, near meadow: each wraps around the panorama.
  for (int x = 0; x < PAN_W; ++x) {
    int far = hillHeight(x, 210, 34, 3, 14, 7, 0.4);
    for (int y = far; y < PAN_H; ++y) pan.set(x, y, y < far + 2 ? shade(PALE, 2) : shade(VIOLET, 5));
    if (far < 190)
      for (int y = far; y < 190 && y < far + 10; ++y) pan.set(x, y, shade(PALE, 6));  // snow caps
    int mid = hillHeight(x, 262, 22, 4, 10, 9, 1.3);
    for (int y = mid; y < PAN_H; ++y) pan.set(x, y, y < mid + 2 ? shade(FOLIAGE, 6) : shade(FOLIAGE, 4));
    int near = hillHeight(x, 300, 10, 5, 6, 11, 2.1);
    for (int y = near; y < PAN_H; ++y) pan.set(x, y, y < near + 3 ? shade(GRASS, 6) : shade(GRASS, 4));
  }
  // Trees dotted along the mid hills.
  for (int i = 0; i < 26; ++i) {
    int x = (i * 211 + 37) % PAN_W, base = hillHeight(x, 262, 22, 4, 10, 9, 1.3) + 6;
    Canvas tree(20, 34);
    tree.fillRect(8, 22, 4, 12, shade(WOOD, 2));
    tree.fillEllipse(10, 13, 9, 12, shade(FOLIAGE, 2 + i % 2));
    tree.fillEllipse(7, 9, 4, 5, shade(FOLIAGE, 5));
    tree.outline(OUTLINE);
    blitWrapped(pan, tree, x, base - 34);
  }
  // Clouds.
  Canvas cloud = sheet.crop((95 % 20) * 32, (95 / 20) * 32, 64, 64);
  const int clouds[][2] = {{40, 20}, {300, 70}, {560, 12}, {820, 40}, {1010, 90}, {1180, 24}};
  for (const auto& c : clouds) blitWrapped(pan, cloud, c[0], c[1]);
  // Ground: a strip of grass and earth tiles along the bottom (40 tiles wrap exactly).
  for (int x = 0; x < PAN_W; x += 32) {
    pan.blit(cellOf(sheet, 21), x, 336, false);
    pan.blit(cellOf(sheet, 41), x, 368, false);
  }

  // Picture one: the title, the hero and friends.
  const char* title = "GLIMB";
  for (int i = 0; i < 5; ++i) {
    Canvas letter = bigLetter(title[i]);
    pan.blit(letter, 28 + i * 116, 28 - (i % 2) * 8);
  }
  pan.blit(cellOf(sheet, 65), 96, 304);
  pan.blit(cellOf(sheet, 9), 240, 304);
  pan.blit(cellOf(sheet, 33), 360, 236);
  pan.blit(cellOf(sheet, 13), 470, 304);
  for (int i = 0; i < 3; ++i) pan.blit(cellOf(sheet, 66), 150 + i * 36, 250);
  pan.blit(cellOf(sheet, 20), 200, 200);
  pan.blit(cellOf(sheet, 81), 8, 272);
  pan.blit(cellOf(sheet, 82), 40, 272);
  pan.blit(cellOf(sheet, 101), 8, 304);
  pan.blit(cellOf(sheet, 102), 40, 304);

  // Picture two: what to do, each line with its figure.
  drawLargeText(pan, 672, 64, "STOMP CRITTERS");
  drawLargeText(pan, 672, 140, "GRAB THE COINS");
  drawLargeText(pan, 672, 216, "REACH THE EXIT\\");
  pan.blit(cellOf(sheet, 10), 1150, 64);
  pan.blit(cellOf(sheet, 57), 1200, 56);
  pan.blit(cellOf(sheet, 66), 1180, 176);
  pan.blit(cellOf(sheet, 109), 1216, 176);
  pan.blit(cellOf(sheet, 83), 1180, 272);
  pan.blit(cellOf(sheet, 84), 1212, 272);
  pan.blit(cellOf(sheet, 103), 1180, 304);
  pan.blit(cellOf(sheet, 104), 1212, 304);
  pan.blit(cellOf(sheet, 3), 1120, 304);
  pan.blit(cellOf(sheet, 122), 860, 304);
  pan.blit(cellOf(sheet, 54), 990, 304);

  // Nothing in the show may be index 0: in the front layer it would let the
  // unwritten rows of the back layer through.
  pan.recolour(0, BLACK);
  return pan;
}

std::vector<uint8_t> introFile(const Canvas& pan) {
  constexpr int RECORDS = 400, RECORD = 2560, SHOWN = PAN_H / 2;
  std::vector<uint8_t> out(size_t(RECORDS) * RECORD, 0);
  for (int k = 0; k < SHOWN; ++k) {
    uint8_t* rec = out.data() + size_t(k) * RECORD;
    int even = 2 * k, odd = 2 * k + 1;
    // Back layer row 2k: picture one then picture two.
    for (int x = 0; x < PAN_W; ++x) rec[x] = pan.at(x, even);
    // Front layer row 2k+1: columns 640-1279 (picture one) from byte 1280,
    // columns 0-639 (picture two) from byte 1920.
    for (int x = 0; x < PICTURE_W; ++x) {
      rec[1280 + x] = pan.at(x, odd);
      rec[1920 + x] = pan.at(PICTURE_W + x, odd);
    }
  }
  auto pal = paletteBytes(introPalette());
  out.insert(out.end(), pal.begin(), pal.end());
  return out;
}
