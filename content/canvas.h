// An 8-bit drawing canvas of palette indices with the few drawing operations the
// art needs, a fixed pseudo-random generator, and text pixel maps.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A small fixed generator (xorshift32), so the output is the same on every run.
class Prng {
 public:
  explicit Prng(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
  uint32_t next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  int below(int n) { return int(next() % uint32_t(n)); }

 private:
  uint32_t state;
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, uint8_t fill = 0) : w(width), h(height), px(size_t(width) * height, fill) {}

  int width() const { return w; }
  int height() const { return h; }
  const uint8_t* data() const { return px.data(); }
  std::vector<uint8_t>& pixels() { return px; }
  const std::vector<uint8_t>& pixels() const { return px; }

  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  uint8_t at(int x, int y) const { return inside(x, y) ? px[size_t(y) * w + x] : 0; }
  void set(int x, int y, uint8_t c) {
    if (inside(x, y)) px[size_t(y) * w + x] = c;
  }
  void fillRect(int x, int y, int rw, int rh, uint8_t c);
  void hline(int x0, int x1, int y, uint8_t c) { fillRect(x0, y, x1 - x0 + 1, 1, c); }
  void vline(int x, int y0, int y1, uint8_t c) { fillRect(x, y0, 1, y1 - y0 + 1, c); }
  void line(int x0, int y0, int x1, int y1, uint8_t c);
  void fillCircle(int cx, int cy, int r, uint8_t c);
  void fillEllipse(int cx, int cy, int rx, int ry, uint8_t c);
  // Copies `src` (whole) to (x, y); with `keyed`, pixels of index 0 are skipped.
  void blit(const Canvas& src, int x, int y, bool keyed = true);
  // The part (sx, sy, sw, sh) of `src` to (x, y).
  void blitPart(const Canvas& src, int sx, int sy, int sw, int sh, int x, int y, bool keyed = true);
  Canvas crop(int x, int y, int cw, int ch) const;
  Canvas mirrored() const;
  // Replaces every pixel of colour `from` by `to`.
  void recolour(uint8_t from, uint8_t to);
  // Puts `colour` on every empty pixel next (4-neighbour) to a non-empty one.
  void outline(uint8_t colour);

 private:
  int w = 0, h = 0;
  std::vector<uint8_t> px;
};

// Doubles a picture with the EPX rule, which rounds diagonal steps instead of
// making blocks, so small designs stay crisp at twice the size.
Canvas scale2x(const Canvas& src);

// A pixel map: rows of equal length, one character per pixel, each character
// looked up in `legend` ('.' and ' ' are always index 0).
Canvas parseMap(const std::string& text, const std::map<char, uint8_t>& legend);
