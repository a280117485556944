// Drawing operations of the content canvas.
#include "content/canvas.h"

#include <cstdlib>
#include <sstream>
#include <stdexcept>

void Canvas::fillRect(int x, int y, int rw, int rh, uint8_t c) {
  for (int j = y; j < y + rh; ++j)
    for (int i = x; i < x + rw; ++i) set(i, j, c);
}

void Canvas::line(int x0, int y0, int x1, int y1, uint8_t c) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
}

void Canvas::fillCircle(int cx, int cy, int r, uint8_t c) { fillEllipse(cx, cy, r, r, c); }

void Canvas::fillEllipse(int cx, int cy, int rx, int ry, uint8_t c) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = -ry; y <= ry; ++y)
    for (int x = -rx; x <= rx; ++x)
      if (int64_t(x) * x * ry * ry + int64_t(y) * y * rx * rx <= int64_t(rx) * rx * ry * ry + (rx * ry) / 2)
        set(cx + x, cy + y, c);
}

void Canvas::blit(const Canvas& src, int x, int y, bool keyed) {
  blitPart(src, 0, 0, src.w, src.h, x, y, keyed);
}

void Canvas::blitPart(const Canvas& src, int sx, int sy, int sw, int sh, int x, int y, bool keyed) {
  for (int j = 0; j < sh; ++j)
    for (int i = 0; i < sw; ++i) {
      if (!src.inside(sx + i, sy + j)) continue;
      uint8_t c = src.at(sx + i, sy + j);
      if (keyed && c == 0) continue;
      set(x + i, y + j, c);
    }
}

Canvas Canvas::crop(int x, int y, int cw, int ch) const {
  Canvas out(cw, ch);
  out.blitPart(*this, x, y, cw, ch, 0, 0, false);
  return out;
}

Canvas Canvas::mirrored() const {
  Canvas out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.set(w - 1 - x, y, at(x, y));
  return out;
}

void Canvas::recolour(uint8_t from, uint8_t to) {
  for (uint8_t& p : px)
    if (p == from) p = to;
}

void Canvas::outline(uint8_t colour) {
  Canvas before = *this;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (before.at(x, y) != 0) continue;
      bool near = (x > 0 && before.at(x - 1, y)) || (x + 1 < w && before.at(x + 1, y)) ||
                  (y > 0 && before.at(x, y - 1)) || (y + 1 < h && before.at(x, y + 1));
      if (near) set(x, y, colour);
    }
}

Canvas scale2x(const Canvas& src) {
  Canvas out(src.width() * 2, src.height() * 2);
  auto get = [&](int x, int y) {
    x = x < 0 ? 0 : x >= src.width() ? src.width() - 1 : x;
    y = y < 0 ? 0 : y >= src.height() ? src.height() - 1 : y;
    return src.at(x, y);
  };
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) {
      uint8_t p = get(x, y), a = get(x, y - 1), b = get(x + 1, y), c = get(x - 1, y), d = get(x, y + 1);
      uint8_t e1 = p, e2 = p, e3 = p, e4 = p;
      if (c == a && c != d && a != b) e1 = a;
      if (a == b && a != c && b != d) e2 = b;
      if (d == c && d != b && c != a) e3 = c;
      if (b == d && b != a && d != c) e4 = d;
      out.set(2 * x, 2 * y, e1);
      out.set(2 * x + 1, 2 * y, e2);
      out.set(2 * x, 2 * y + 1, e3);
      out.set(2 * x + 1, 2 * y + 1, e4);
    }
  return out;
}

Canvas parseMap(const std::string& text, const std::map<char, uint8_t>& legend) {
  std::vector<std::string> rows;
  std::istringstream in(text);
  std::string row;
  while (std::getline(in, row)) {
    while (!row.empty() && (row.back() == '\r')) row.pop_back();
    if (!row.empty()) rows.push_back(row);
  }
  if (rows.empty()) return Canvas();
  Canvas out(int(rows[0].size()), int(rows.size()));
  for (size_t y = 0; y < rows.size(); ++y) {
    if (rows[y].size() != rows[0].size()) throw std::runtime_error("pixel map rows differ in length: " + rows[y]);
    for (size_t x = 0; x < rows[y].size(); ++x) {
      char ch = rows[y][x];
      if (ch == '.' || ch == ' ') continue;
      auto it = legend.find(ch);
      if (it == legend.end()) throw std::runtime_error(std::string("pixel map character without colour: ") + ch);
      out.set(int(x), int(y), it->second);
    }
  }
  return out;
}
