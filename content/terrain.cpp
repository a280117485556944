// Drawing of the terrain and block tiles. Each function paints one cell (or a block of
// cells) of the 640-wide sheet; textures take their noise from a Prng seeded per tile.
#include "content/terrain.h"

#include "content/fonts.h"
#include "content/palette.h"
#include "content/sprites.h"
#include "content/tile_set.h"

namespace {

int cellX(int frame) { return (frame % SHEET_COLUMNS) * CELL; }
int cellY(int frame) { return (frame / SHEET_COLUMNS) * CELL; }

void put(Canvas& sheet, int frame, const Canvas& c) { sheet.blit(c, cellX(frame), cellY(frame), false); }
// Puts a picture of several cells with its top-left cell at `frame`.
void putBlock(Canvas& sheet, int frame, const Canvas& c) {
  for (int j = 0; j < c.height() / CELL; ++j)
    for (int i = 0; i < c.width() / CELL; ++i)
      put(sheet, frame + i + SHEET_COLUMNS * j, c.crop(i * CELL, j * CELL, CELL, CELL));
}

// A bevelled rectangle: outline, light top-left edge, dark bottom-right edge.
void bevel(Canvas& c, int x, int y, int w, int h, Ramp ramp, int base, bool outline = true) {
  c.fillRect(x, y, w, h, shade(ramp, base));
  c.hline(x, x + w - 1, y, shade(ramp, base + 2));
  c.vline(x, y, y + h - 1, shade(ramp, base + 2));
  c.hline(x + 1, x + w - 1, y + h - 1, shade(ramp, base - 2));
  c.vline(x + w - 1, y + 1, y + h - 1, shade(ramp, base - 2));
  if (outline) {
    c.hline(x, x + w - 1, y, OUTLINE);
    c.hline(x, x + w - 1, y + h - 1, OUTLINE);
    c.vline(x, y, y + h - 1, OUTLINE);
    c.vline(x + w - 1, y, y + h - 1, OUTLINE);
    c.hline(x + 1, x + w - 2, y + 1, shade(ramp, base + 2));
    c.vline(x + 1, y + 1, y + h - 2, shade(ramp, base + 2));
    c.hline(x + 1, x + w - 2, y + h - 2, shade(ramp, base - 2));
    c.vline(x + w - 2, y + 2, y + h - 2, shade(ramp, base - 2));
  }
}

void speckle(Canvas& c, int x, int y, int w, int h, Prng& rng, int count, uint8_t a, uint8_t b) {
  for (int i = 0; i < count; ++i) {
    int px = x + rng.below(w), py = y + rng.below(h);
    c.set(px, py, a);
    c.set(px + 1, py, b);
  }
}

// Earth: brown soil with pebbles.
Canvas earth(uint32_t seed) {
  Canvas c(32, 32, shade(EARTH, 4));
  Prng rng(seed);
  for (int i = 0; i < 14; ++i) {
    int x = rng.below(30), y = rng.below(30);
    c.set(x, y, shade(EARTH, 2));
    c.set(x + 1, y, shade(EARTH, 2));
    c.set(x, y + 1, shade(EARTH, 3));
    c.set(x + 1, y + 1, shade(EARTH, 3));
  }
  for (int i = 0; i < 5; ++i) {
    int x = 2 + rng.below(26), y = 2 + rng.below(26);
    c.fillRect(x, y, 3, 2, shade(STONE, 4));
    c.hline(x, x + 2, y, shade(STONE, 6));
    c.hline(x, x + 2, y + 2, shade(EARTH, 2));
  }
  speckle(c, 0, 0, 32, 32, rng, 10, shade(EARTH, 6), shade(EARTH, 5));
  return c;
}

// Grass on earth; `edges` bit 1 rounds the left end, bit 2 the right end.
Canvas grass(uint32_t seed, int edges) {
  Canvas c = earth(seed);
  Prng rng(seed * 7 + 1);
  c.fillRect(0, 0, 32, 8, shade(GRASS, 4));
  c.hline(0, 31, 0, shade(GRASS, 6));
  c.hline(0, 31, 1, shade(GRASS, 5));
  for (int x = 0; x < 32; ++x) {
    int depth = 8 + ((x * 5 + int(seed)) % 3) + ((x % 4 == 1) ? 2 : 0);
    c.vline(x, 8, depth, shade(GRASS, 2));
    c.set(x, depth + 1, shade(EARTH, 2));
  }
  // Each draw is its own statement so the order of the draws never depends on the compiler.
  for (int i = 0; i < 8; ++i) {
    int x = rng.below(32), y = 2 + rng.below(5);
    c.set(x, y, shade(GRASS, 6));
  }
  for (int i = 0; i < 6; ++i) {
    int x = rng.below(32), y = 3 + rng.below(4);
    c.set(x, y, shade(GRASS, 3));
  }
  c.hline(0, 31, 0, OUTLINE);
  if (edges & 1) {
    for (int y = 0; y < 32; ++y) {
      int cut = y < 4 ? 4 - y : 0;
      for (int x = 0; x < cut; ++x) c.set(x, y, 0);
      c.set(cut, y, OUTLINE);
    }
  }
  if (edges & 2) {
    for (int y = 0; y < 32; ++y) {
      int cut = y < 4 ? 4 - y : 0;
      for (int x = 0; x < cut; ++x) c.set(31 - x, y, 0);
      c.set(31 - cut, y, OUTLINE);
    }
  }
  return c;
}

// Stone bricks in two courses, with mortar lines.
Canvas bricks(Ramp ramp, int base, uint32_t seed, bool outline) {
  Canvas c(32, 32, shade(ramp, 1));
  Prng rng(seed);
  for (int row = 0; row < 2; ++row) {
    int off = row ? 8 : 0;
    for (int b = -1; b < 2; ++b) {
      int x = b * 16 + off;
      bevel(c, x + 1, row * 16 + 1, 15, 15, ramp, base + (rng.below(3) == 0 ? 1 : 0), false);
    }
  }
  speckle(c, 0, 0, 32, 32, rng, 6, shade(ramp, base - 1), shade(ramp, base));
  if (outline) {
    c.hline(0, 31, 0, OUTLINE);
    c.hline(0, 31, 31, OUTLINE);
  }
  return c;
}

// A lumpy rock block; five seeds give five looks of the same rock.
Canvas rock(uint32_t seed) {
  Canvas c(32, 32, shade(STONE, 3));
  Prng rng(seed);
  for (int i = 0; i < 5; ++i) {
    int x = rng.below(26), y = rng.below(26), rx = 4 + rng.below(5), ry = 3 + rng.below(4);
    c.fillEllipse(x + 3, y + 3, rx, ry, shade(STONE, 4));
    c.fillEllipse(x + 2, y + 2, rx - 2, ry - 2, shade(STONE, 5));
    c.set(x + 1, y + 1, shade(STONE, 6));
  }
  for (int i = 0; i < 3; ++i) {
    int x = rng.below(28), y = rng.below(28);
    int dx = 3 + rng.below(3), dy = 2 + rng.below(3);
    c.line(x, y, x + dx, y + dy, shade(STONE, 1));
  }
  c.hline(0, 31, 0, shade(STONE, 6));
  c.vline(0, 0, 31, shade(STONE, 5));
  c.hline(0, 31, 31, shade(STONE, 1));
  c.vline(31, 0, 31, shade(STONE, 1));
  return c;
}

// The bump block: a riveted gold block with a star; `lift` pixels higher while bumped.
Canvas bumpBlock(int lift) {
  Canvas block(32, 32);
  bevel(block, 0, 0, 32, 32, GOLD, 4);
  block.fillRect(3, 3, 26, 26, shade(GOLD, 4));
  for (int p : {4, 26}) {
    block.fillRect(p, 4, 2, 2, shade(GOLD, 1));
    block.fillRect(p, 26, 2, 2, shade(GOLD, 1));
  }
  // A question mark, with a dark drop shadow.
  Canvas mark = glyphShape('?', 2);  // 24 x 32, the mark in the top 28 rows
  for (int y = 0; y < 28; ++y)
    for (int x = 0; x < 24; ++x)
      if (mark.at(x, y)) {
        block.set(x + 5, y + 3, shade(ORANGE, 2));
        block.set(x + 4, y + 2, WHITE);
      }
  Canvas c(32, 32);
  c.blit(block, 0, -lift, false);
  return c;
}

// The falling floor: pale sandstone slabs with cracks; `stage` 1-4 comes apart and drops.
Canvas fallingFloor(int stage) {
  Canvas slab(32, 32);
  bevel(slab, 0, 0, 32, 16, SAND, 4);
  bevel(slab, 0, 16, 16, 16, SAND, 3);
  bevel(slab, 16, 16, 16, 16, SAND, 3);
  slab.line(6, 2, 11, 8, shade(SAND, 0));
  slab.line(11, 8, 9, 13, shade(SAND, 0));
  slab.line(22, 3, 19, 10, shade(SAND, 0));
  slab.line(26, 18, 22, 27, shade(SAND, 0));
  // Dots under the top edge mark it as loose.
  for (int x = 4; x < 30; x += 6) slab.set(x, 13, shade(SAND, 1));
  if (stage == 0) return slab;
  Canvas c(32, 32);
  int drop = stage * stage * 2;
  int spread = stage * 2;
  c.blitPart(slab, 0, 0, 16, 32, -spread, drop, true);
  c.blitPart(slab, 16, 0, 16, 32, 16 + spread, drop + stage, true);
  if (stage >= 2) {
    // Cracked right through.
    for (int y = 0; y < 32; ++y) c.set(15 - spread, y, 0);
  }
  if (stage >= 4) {
    Canvas dust(32, 32);
    Prng rng(44);
    for (int i = 0; i < 18; ++i) {
      int x = rng.below(32), y = 10 + rng.below(22), tone = 2 + rng.below(3);
      dust.set(x, y, shade(SAND, tone));
    }
    return dust;
  }
  return c;
}

// The breakable block: red clay bricks, visibly cracked; `stage` 1-4 bursts apart.
Canvas breakable(int stage) {
  Canvas b = bricks(BRICK, 4, 40, true);
  b.line(9, 3, 14, 12, OUTLINE);
  b.line(14, 12, 11, 20, OUTLINE);
  b.line(11, 20, 16, 29, OUTLINE);
  b.line(22, 5, 19, 14, OUTLINE);
  b.line(24, 18, 27, 26, OUTLINE);
  if (stage == 0) return b;
  Canvas c(32, 32);
  int d = stage * 3;
  c.blitPart(b, 0, 0, 16, 16, -d, -d, true);
  c.blitPart(b, 16, 0, 16, 16, 16 + d, -d, true);
  c.blitPart(b, 0, 16, 16, 16, -d, 16 + d, true);
  c.blitPart(b, 16, 16, 16, 16, 16 + d, 16 + d, true);
  if (stage >= 3) {
    Canvas bits(32, 32);
    Prng rng(77 + stage);
    for (int i = 0; i < 14; ++i) {
      int x = rng.below(30), y = rng.below(30);
      bits.fillRect(x, y, 2 + (stage == 3), 2, shade(BRICK, 3 + rng.below(3)));
    }
    return bits;
  }
  return c;
}

// Gates: steel posts, bars filling `bars` pixels from the top; a badge on request.
Canvas gate(int bars) {
  Canvas c(32, 32);
  for (int x : {0, 26}) {
    c.fillRect(x, 0, 6, 32, shade(STEEL, 3));
    c.vline(x + 1, 0, 31, shade(STEEL, 5));
    c.vline(x, 0, 31, OUTLINE);
    c.vline(x + 5, 0, 31, OUTLINE);
  }
  c.fillRect(0, 0, 32, 4, shade(STEEL, 2));
  c.hline(0, 31, 0, OUTLINE);
  c.hline(0, 31, 3, OUTLINE);
  for (int x = 8; x <= 22; x += 5) {
    c.fillRect(x, 4, 3, bars, shade(STEEL, 4));
    c.vline(x, 4, 3 + bars, shade(STEEL, 6));
    c.vline(x + 2, 4, 3 + bars, OUTLINE);
    if (bars > 2) c.fillRect(x, 2 + bars, 3, 2, shade(STEEL, 6));
  }
  if (bars >= 16) {
    c.fillRect(6, 15, 20, 2, shade(STEEL, 2));
    c.hline(6, 25, 17, OUTLINE);
  }
  return c;
}

void badge(Canvas& c, Ramp ramp, const char* glyph3x5) {
  c.fillRect(11, 10, 11, 13, OUTLINE);
  c.fillRect(12, 11, 9, 11, shade(ramp, 4));
  for (int j = 0; j < 5; ++j)
    for (int i = 0; i < 3; ++i)
      if (glyph3x5[j * 3 + i] == '#') c.fillRect(13 + 2 * i + (i > 0 ? 0 : 0), 12 + 2 * j, 2, 2, WHITE);
}

// Rotten planks in a gate frame: they give way as the player pushes through.
Canvas rottenPlanks() {
  Canvas c = gate(0);
  Prng rng(88);
  for (int y = 5; y < 31; y += 7) {
    c.fillRect(6, y, 20, 5, shade(WOOD, 3));
    c.hline(6, 25, y, shade(WOOD, 5));
    c.hline(6, 25, y + 5, OUTLINE);
    for (int i = 0; i < 3; ++i) {
      int x = 7 + rng.below(17);
      int dy = 1 + rng.below(2), w = 2 + rng.below(2);
      c.fillRect(x, y + dy, w, 2, 0);
    }
    c.set(8 + rng.below(16), y + 2, shade(OLIVE, 3));
  }
  return c;
}

// Water: blue with lighter wave bands and shimmer glints; `surface` leaves sky above.
Canvas water(bool surface, uint32_t seed) {
  Canvas c(32, 32, shade(WATER, 3));
  Prng rng(seed);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      int wave = (x + (y / 4) * 5) % 16;
      if (y % 8 == 3 && wave < 6) c.set(x, y, shade(WATER, 4));
      if (y % 8 == 4 && wave > 1 && wave < 5) c.set(x, y, shade(WATER, 5));
    }
  for (int i = 0; i < 4; ++i) {
    int x = rng.below(32), y = rng.below(32);
    c.set(x, y, uint8_t(SHIMMER_FIRST + i % SHIMMER_COUNT));
  }
  if (surface) {
    for (int x = 0; x < 32; ++x) {
      int top = 6 + ((x / 2) % 8 < 4 ? (x / 2) % 4 : 3 - (x / 2) % 4);
      for (int y = 0; y < top; ++y) c.set(x, y, 0);
      c.set(x, top, shade(WATER, 7));
      c.set(x, top + 1, shade(WATER, 5));
      if (x % 5 == 2) c.set(x, top + 1, uint8_t(SHIMMER_FIRST + (x / 5) % SHIMMER_COUNT));
    }
  }
  return c;
}

Canvas waterfall() {
  Canvas c(32, 32, shade(WATER, 4));
  for (int x = 0; x < 32; ++x) {
    int band = (x * 7) % 5;
    for (int y = 0; y < 32; ++y) {
      if (band == 0) c.set(x, y, shade(WATER, 6));
      if (band == 3 && (y + x) % 8 < 4) c.set(x, y, shade(WATER, 5));
      if (band == 1 && (y + 3 * x) % 12 == 0) c.set(x, y, uint8_t(SHIMMER_FIRST + (y / 4) % SHIMMER_COUNT));
    }
  }
  return c;
}

// Lava: glowing red-orange with bubbles; `surface` leaves sky above.
Canvas lava(bool surface) {
  Canvas c(32, 32, shade(LAVA, 3));
  Prng rng(140);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      int v = (x * 3 + y * 5 + (x * y) % 7) % 11;
      if (v < 3) c.set(x, y, shade(LAVA, 4));
      if (v == 0) c.set(x, y, shade(LAVA, 5));
    }
  for (int i = 0; i < 4; ++i) {
    int x = 3 + rng.below(26), y = 8 + rng.below(20);
    c.fillCircle(x, y, 2, shade(LAVA, 6));
    c.set(x - 1, y - 1, shade(LAVA, 7));
  }
  if (surface) {
    for (int x = 0; x < 32; ++x) {
      int top = 8 + ((x * 3) % 7 < 3 ? 1 : 0) + (x % 11 == 0 ? -2 : 0);
      for (int y = 0; y < top; ++y) c.set(x, y, 0);
      c.set(x, top, shade(LAVA, 7));
      c.set(x, top + 1, shade(LAVA, 6));
    }
    c.fillCircle(22, 6, 2, shade(LAVA, 5));
    c.set(21, 5, shade(LAVA, 7));
  }
  return c;
}

Canvas spikes() {
  Canvas c(32, 32);
  for (int s = 0; s < 4; ++s) {
    int x0 = s * 8;
    for (int y = 0; y < 17; ++y) {
      int w = 2 + (y * 6) / 16, left = x0 + 4 - w / 2;
      for (int x = left; x < left + w; ++x) c.set(x, 11 + y, x < x0 + 4 ? shade(STEEL, 7) : shade(STEEL, 4));
    }
  }
  c.outline(OUTLINE);
  c.fillRect(0, 28, 32, 4, shade(STEEL, 2));
  c.hline(0, 31, 28, OUTLINE);
  c.hline(0, 31, 31, OUTLINE);
  return c;
}

Canvas flipped(const Canvas& src) {
  Canvas c(src.width(), src.height());
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) c.set(x, src.height() - 1 - y, src.at(x, y));
  return c;
}

Canvas iceBlock() {
  Canvas c(32, 32);
  bevel(c, 0, 0, 32, 32, ICE, 4);
  c.line(5, 10, 12, 3, shade(ICE, 7));
  c.line(5, 11, 13, 3, shade(ICE, 7));
  c.line(8, 20, 20, 8, shade(ICE, 6));
  c.line(20, 26, 26, 20, shade(ICE, 6));
  c.set(25, 6, WHITE);
  return c;
}

Canvas crate() {
  Canvas c(32, 32);
  bevel(c, 0, 0, 32, 32, WOOD, 4);
  c.fillRect(4, 4, 24, 24, shade(WOOD, 3));
  for (int y = 4; y < 28; y += 6) c.hline(4, 27, y, shade(WOOD, 2));
  for (int i = 0; i < 3; ++i) {
    c.line(4 + i, 4, 27, 27 - i, shade(WOOD, 5));
    c.line(4, 4 + i, 27 - i, 27, shade(WOOD, 5));
  }
  c.line(4, 7, 24, 27, shade(WOOD, 1));
  c.hline(3, 28, 3, OUTLINE);
  c.hline(3, 28, 28, OUTLINE);
  c.vline(3, 3, 28, OUTLINE);
  c.vline(28, 3, 28, OUTLINE);
  return c;
}

// Backdrop tiles: dark and flat, without outlines, so they read as behind the action.
Canvas backRock() {
  Canvas c(32, 32, shade(NAVY, 1));
  Prng rng(61);
  for (int i = 0; i < 6; ++i) {
    int x = rng.below(28), y = rng.below(28);
    c.fillEllipse(x + 3, y + 3, 5, 3, shade(NAVY, 2));
    c.hline(x, x + 4, y + 1, shade(NAVY, 3));
  }
  return c;
}

Canvas backWall() {
  Canvas c(32, 32, shade(VIOLET, 0));
  for (int row = 0; row < 4; ++row) {
    int off = (row % 2) * 8;
    for (int b = -1; b < 3; ++b) {
      int x = b * 16 + off;
      c.fillRect(x + 1, row * 8 + 1, 15, 7, shade(VIOLET, 1));
      c.hline(x + 1, x + 15, row * 8 + 1, shade(VIOLET, 2));
    }
  }
  return c;
}

Canvas floatingIsland() {
  Canvas c(128, 64);
  for (int i = 0; i < 4; ++i) c.blit(grass(31 + i, i == 0 ? 1 : i == 3 ? 2 : 0), i * 32, 0, false);
  for (int i = 0; i < 4; ++i) c.blit(earth(51 + i), i * 32, 32, false);
  // Round off the underside to a point.
  for (int y = 32; y < 64; ++y) {
    int inset = (y - 32) * (y - 32) / 22 + (y - 32) / 2;
    for (int x = 0; x < 128; ++x)
      if (x < inset || x >= 128 - inset || y > 60) c.set(x, y, 0);
  }
  for (int x = 0; x < 4; ++x) c.set(x, 0, 0);
  c.set(0, 1, 0);
  Canvas outlined = c;
  outlined.outline(OUTLINE);
  // Keep the outline only below the top row (the grass has its own).
  for (int x = 0; x < 128; ++x) outlined.set(x, 0, c.at(x, 0) ? OUTLINE : 0);
  return outlined;
}

Canvas bush() {
  Canvas c(64, 64);
  c.fillEllipse(32, 40, 28, 22, shade(FOLIAGE, 3));
  c.fillEllipse(20, 30, 14, 12, shade(FOLIAGE, 4));
  c.fillEllipse(42, 26, 16, 14, shade(FOLIAGE, 4));
  c.fillEllipse(18, 27, 7, 5, shade(FOLIAGE, 6));
  c.fillEllipse(40, 21, 8, 6, shade(FOLIAGE, 6));
  c.fillEllipse(32, 56, 26, 6, shade(FOLIAGE, 2));
  for (int y = 60; y < 64; ++y) c.hline(0, 63, y, 0);
  c.set(16, 36, shade(RED, 5));
  c.set(44, 38, shade(RED, 5));
  c.set(30, 46, shade(RED, 5));
  c.outline(OUTLINE);
  return c;
}

Canvas cloud() {
  Canvas c(64, 64);
  c.fillEllipse(32, 40, 28, 12, shade(PALE, 5));
  c.fillEllipse(22, 32, 12, 11, shade(PALE, 6));
  c.fillEllipse(38, 26, 14, 14, shade(PALE, 7));
  c.fillEllipse(34, 22, 8, 7, WHITE);
  c.fillEllipse(32, 48, 24, 4, shade(PALE, 4));
  c.outline(shade(PALE, 2));
  return c;
}

Canvas door() {
  Canvas c(64, 64);
  c.fillRect(8, 16, 48, 48, shade(STONE, 3));
  c.fillEllipse(32, 18, 24, 14, shade(STONE, 3));
  c.fillRect(12, 20, 40, 44, shade(WOOD, 3));
  c.fillEllipse(32, 21, 20, 11, shade(WOOD, 3));
  for (int x = 18; x < 52; x += 8) c.vline(x, 12, 63, shade(WOOD, 1));
  c.hline(12, 51, 30, shade(WOOD, 1));
  c.hline(12, 51, 50, shade(WOOD, 1));
  c.fillRect(42, 40, 4, 4, shade(GOLD, 5));
  c.outline(OUTLINE);
  return c;
}

// The exit: a stone arch around a glowing gateway with a star on top.
Canvas exitArch() {
  Canvas c(64, 64);
  c.fillRect(4, 18, 56, 46, shade(STONE, 4));
  c.fillEllipse(32, 20, 28, 16, shade(STONE, 4));
  c.fillRect(12, 22, 40, 42, shade(GOLD, 6));
  c.fillEllipse(32, 23, 20, 13, shade(GOLD, 6));
  c.fillRect(16, 26, 32, 38, shade(GOLD, 7));
  c.fillEllipse(32, 26, 16, 10, shade(GOLD, 7));
  c.fillRect(22, 30, 20, 34, WHITE);
  c.fillEllipse(32, 30, 10, 7, WHITE);
  for (int i = 0; i < 10; ++i) c.set(18 + (i * 7) % 28, 28 + (i * 11) % 34, uint8_t(SHIMMER_FIRST + i % SHIMMER_COUNT));
  for (int y = 24; y < 64; y += 8) {
    c.hline(4, 11, y, shade(STONE, 2));
    c.hline(52, 59, y, shade(STONE, 2));
  }
  // The star above the arch.
  c.fillRect(30, 0, 4, 12, shade(GOLD, 5));
  c.fillRect(26, 4, 12, 4, shade(GOLD, 5));
  c.fillRect(31, 1, 2, 10, WHITE);
  c.outline(OUTLINE);
  return c;
}

Canvas pipeHorizontal() {
  Canvas c(64, 32);
  c.fillRect(0, 3, 64, 26, shade(GRASS, 3));
  c.fillRect(0, 6, 64, 5, shade(GRASS, 5));
  c.fillRect(0, 8, 64, 2, shade(GRASS, 7));
  c.fillRect(0, 23, 64, 5, shade(GRASS, 2));
  c.fillRect(0, 0, 6, 32, shade(GRASS, 4));
  c.fillRect(58, 0, 6, 32, shade(GRASS, 4));
  c.vline(1, 0, 31, shade(GRASS, 6));
  c.vline(59, 0, 31, shade(GRASS, 6));
  c.outline(OUTLINE);
  for (int x : {0, 6, 57, 63}) c.vline(x, 0, 31, OUTLINE);
  c.hline(0, 63, 0, OUTLINE);
  c.hline(0, 63, 31, OUTLINE);
  return c;
}

Canvas pipeMouth() {
  Canvas c(64, 64);
  c.fillRect(0, 0, 64, 22, shade(GRASS, 3));
  c.fillRect(4, 0, 10, 22, shade(GRASS, 5));
  c.fillRect(7, 0, 3, 22, shade(GRASS, 7));
  c.fillRect(50, 0, 14, 22, shade(GRASS, 2));
  c.fillRect(6, 22, 52, 42, shade(GRASS, 3));
  c.fillRect(10, 22, 9, 42, shade(GRASS, 5));
  c.fillRect(12, 22, 3, 42, shade(GRASS, 7));
  c.fillRect(46, 22, 12, 42, shade(GRASS, 2));
  for (int x : {0, 63}) c.vline(x, 0, 21, OUTLINE);
  for (int x : {6, 57}) c.vline(x, 22, 63, OUTLINE);
  c.hline(0, 63, 0, OUTLINE);
  c.hline(0, 63, 21, OUTLINE);
  c.hline(0, 63, 22, OUTLINE);
  return c;
}

Canvas bridge() {
  Canvas c(64, 32);
  c.fillRect(0, 0, 64, 8, shade(WOOD, 4));
  c.hline(0, 63, 1, shade(WOOD, 6));
  for (int x = 0; x < 64; x += 8) c.vline(x, 0, 7, shade(WOOD, 2));
  c.hline(0, 63, 0, OUTLINE);
  c.hline(0, 63, 8, OUTLINE);
  // Truss below the deck.
  for (int x = 0; x < 64; x += 16) {
    c.line(x, 9, x + 15, 30, shade(WOOD, 3));
    c.line(x + 1, 9, x + 16, 30, shade(WOOD, 2));
    c.line(x + 15, 9, x, 30, shade(WOOD, 3));
    c.line(x + 16, 9, x + 1, 30, shade(WOOD, 2));
  }
  c.fillRect(0, 29, 64, 3, shade(WOOD, 3));
  c.hline(0, 63, 31, OUTLINE);
  c.hline(0, 63, 28, OUTLINE);
  return c;
}

Canvas slab() {
  Canvas c(64, 32);
  bevel(c, 0, 0, 64, 32, STONE, 4);
  c.fillRect(3, 3, 58, 26, shade(STONE, 4));
  c.hline(3, 60, 15, shade(STONE, 2));
  c.hline(3, 60, 16, shade(STONE, 6));
  for (int x : {12, 40}) c.fillRect(x, 6, 12, 6, shade(STONE, 3));
  for (int x : {26, 50}) c.fillRect(x, 20, 8, 5, shade(STONE, 3));
  return c;
}

Canvas girder() {
  Canvas c(64, 32);
  c.fillRect(0, 0, 64, 32, shade(RED, 3));
  c.fillRect(0, 0, 64, 5, shade(RED, 5));
  c.fillRect(0, 27, 64, 5, shade(RED, 2));
  for (int x = 4; x < 64; x += 16) {
    c.fillCircle(x + 4, 16, 5, 0);
    c.hline(x - 1, x + 9, 10, shade(RED, 1));
  }
  for (int x = 2; x < 64; x += 8) {
    c.set(x, 2, shade(RED, 1));
    c.set(x, 29, shade(RED, 5));
  }
  Canvas o = c;
  o.outline(OUTLINE);
  o.hline(0, 63, 0, OUTLINE);
  o.hline(0, 63, 31, OUTLINE);
  return o;
}

Canvas fence() {
  Canvas c(64, 32);
  for (int x = 2; x < 64; x += 10) {
    c.fillRect(x, 10, 6, 22, shade(SAND, 5));
    c.vline(x, 10, 31, shade(SAND, 7));
    c.vline(x + 5, 10, 31, shade(SAND, 3));
    c.set(x + 1, 9, shade(SAND, 5));
    c.set(x + 2, 8, shade(SAND, 5));
    c.set(x + 3, 8, shade(SAND, 5));
    c.set(x + 4, 9, shade(SAND, 5));
  }
  c.fillRect(0, 14, 64, 3, shade(SAND, 4));
  c.fillRect(0, 24, 64, 3, shade(SAND, 4));
  c.outline(OUTLINE);
  return c;
}

Canvas flowers() {
  Canvas c(64, 32);
  Prng rng(112);
  for (int i = 0; i < 18; ++i) {
    int x = 1 + rng.below(62);
    int lean = rng.below(3) - 1, top = 24 + rng.below(4), tone = 3 + rng.below(3);
    c.line(x, 31, x + lean, top, shade(GRASS, tone));
  }
  const Ramp petals[4] = {RED, GOLD, PURPLE, ROSE};
  for (int i = 0; i < 5; ++i) {
    int x = 6 + i * 12 + rng.below(4), y = 18 + rng.below(6);
    c.vline(x, y, 31, shade(GRASS, 2));
    Ramp r = petals[i % 4];
    c.fillRect(x - 2, y - 1, 5, 3, shade(r, 5));
    c.fillRect(x - 1, y - 2, 3, 5, shade(r, 5));
    c.set(x, y, shade(GOLD, 7));
  }
  c.outline(OUTLINE);
  return c;
}

Canvas pebbles() {
  Canvas c(64, 32);
  Prng rng(135);
  for (int i = 0; i < 7; ++i) {
    int x = 5 + i * 9 + rng.below(4), r = 2 + rng.below(3);
    c.fillEllipse(x, 31 - r, r + 1, r, shade(STONE, 4));
    c.set(x - 1, 31 - r - r / 2, shade(STONE, 6));
  }
  c.outline(OUTLINE);
  return c;
}

Canvas vines() {
  Canvas c(64, 32);
  Prng rng(90);
  for (int i = 0; i < 6; ++i) {
    int x = 4 + i * 11, len = 14 + rng.below(16);
    for (int y = 0; y < len; ++y) {
      int dx = (y / 4) % 2;
      c.set(x + dx, y, shade(FOLIAGE, 4));
      if (y % 5 == 2) {
        c.set(x + dx - 1, y, shade(FOLIAGE, 6));
        c.set(x + dx - 2, y + 1, shade(FOLIAGE, 5));
      }
    }
  }
  c.outline(OUTLINE);
  return c;
}

Canvas chain() {
  Canvas c(32, 32);
  for (int y = 0; y < 32; y += 8) {
    c.fillRect(14, y, 4, 6, shade(STEEL, 4));
    c.fillRect(15, y + 1, 2, 4, 0);
    c.vline(14, y, y + 5, shade(STEEL, 6));
    c.fillRect(15, y + 5, 2, 4, shade(STEEL, 3));
  }
  c.outline(OUTLINE);
  return c;
}

}  // namespace

void drawTerrain(Canvas& sheet) {
  put(sheet, T_GRASS, grass(21, 0));
  put(sheet, T_GRASS_LEFT, grass(39, 1));
  put(sheet, T_GRASS_RIGHT, grass(42, 2));
  put(sheet, T_EARTH, earth(41));
  Canvas el = earth(45), er = earth(46);
  el.vline(0, 0, 31, OUTLINE);
  el.vline(1, 0, 31, shade(EARTH, 2));
  er.vline(31, 0, 31, OUTLINE);
  er.vline(30, 0, 31, shade(EARTH, 2));
  put(sheet, T_EARTH_LEFT, el);
  put(sheet, T_EARTH_RIGHT, er);
  put(sheet, T_BRICK, bricks(STONE, 4, 23, true));
  for (int i = 0; i < 5; ++i) put(sheet, T_ROCK + i, rock(130 + i * 17));
  put(sheet, T_BUMP, bumpBlock(0));
  put(sheet, T_BUMP_1, bumpBlock(4));
  put(sheet, T_BUMP_2, bumpBlock(7));
  put(sheet, T_BUMP_3, bumpBlock(3));
  put(sheet, T_FALLING_FLOOR, fallingFloor(0));
  for (int i = 0; i < 4; ++i) put(sheet, T_FALLING_1 + i, fallingFloor(i + 1));
  put(sheet, T_BREAKABLE, breakable(0));
  for (int i = 0; i < 4; ++i) put(sheet, T_BREAKING_1 + i, breakable(i + 1));

  put(sheet, T_GATE_CLOSED, gate(27));
  put(sheet, T_GATE_HALF, gate(13));
  put(sheet, T_GATE_OPEN, gate(2));
  put(sheet, T_CRUMBLING, rottenPlanks());
  Canvas gs = gate(27), igs = gate(2);
  // The lever-driven gates carry a small lever badge.
  for (Canvas* g : {&gs, &igs}) {
    g->fillRect(10, 12, 12, 10, OUTLINE);
    g->fillRect(11, 13, 10, 8, shade(GOLD, 5));
    g->line(13, 19, 18, 14, OUTLINE);
    g->fillRect(17, 13, 3, 3, shade(RED, 4));
  }
  put(sheet, T_GATE_SPAWN, gs);
  put(sheet, T_INVERSE_GATE_SPAWN, igs);
  // 1, 2, 3 for Easy, Normal, Hard.
  const char* letters[3] = {".#.##..#..#.###", "###..#####..###", "###..####..####"};
  for (int i = 0; i < 3; ++i) {
    Canvas closed = gate(27), open = gate(2);
    badge(closed, RED, letters[i]);
    badge(open, GRASS, letters[i]);
    put(sheet, T_DIFFICULTY_EASY + i, closed);
    put(sheet, T_INVERSE_EASY + i, open);
  }

  put(sheet, T_WATER, water(false, 85));
  put(sheet, T_WATER_SURFACE, water(true, 24));
  put(sheet, T_WATERFALL, waterfall());
  put(sheet, T_LAVA, lava(false));
  put(sheet, T_LAVA_SURFACE, lava(true));
  Canvas sp = spikes();
  put(sheet, T_SPIKES, sp);
  put(sheet, T_CEILING_SPIKES, flipped(sp));
  put(sheet, T_ICE, iceBlock());
  put(sheet, T_CRATE, crate());
  put(sheet, T_BACK_ROCK, backRock());
  put(sheet, T_BACK_WALL, backWall());
  put(sheet, T_CHAIN, chain());

  putBlock(sheet, T_ISLAND, floatingIsland());
  putBlock(sheet, T_BUSH, bush());
  putBlock(sheet, T_CLOUD, cloud());
  putBlock(sheet, T_DOOR, door());
  putBlock(sheet, T_EXIT, exitArch());
  putBlock(sheet, T_PIPE, pipeHorizontal());
  putBlock(sheet, T_PIPE_MOUTH, pipeMouth());
  putBlock(sheet, T_BRIDGE, bridge());
  putBlock(sheet, T_SLAB, slab());
  putBlock(sheet, T_GIRDER, girder());
  putBlock(sheet, T_FENCE, fence());
  putBlock(sheet, T_FLOWERS, flowers());
  putBlock(sheet, T_PEBBLES, pebbles());
  putBlock(sheet, T_VINES, vines());

  // The editor's torch mark: the torch in a dashed frame; play turns it into the torch.
  Canvas torch = sheet.crop(cellX(T_TORCH), cellY(T_TORCH), CELL, CELL);
  for (int i = 0; i < 32; i += 4) {
    torch.hline(i, i + 1, 0, WHITE);
    torch.hline(i, i + 1, 31, WHITE);
    torch.vline(0, i, i + 1, WHITE);
    torch.vline(31, i, i + 1, WHITE);
  }
  put(sheet, T_TORCH_EDITOR, torch);
}
