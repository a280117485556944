// Pixel surfaces: copies, fills, locking and the lost/restore cycle.
#include "media/surface.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

Surface::Surface(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t pitch)
    : surfaceWidth(std::max(width, 0)), surfaceHeight(std::max(height, 0)), bits(std::clamp(bitsPerPixel, 1, 32)) {
  // Row bytes are worked out wide so that an absurd width fails to allocate
  // instead of wrapping round to a small buffer.
  int64_t rowBytes = int64_t(surfaceWidth) * bytesPerPixel();
  if (rowBytes > INT32_MAX) throw std::length_error("surface row too wide");
  rowPitch = pitch > rowBytes ? pitch : int32_t(rowBytes);
  memory.assign(size_t(rowPitch) * surfaceHeight, 0);
}

uint8_t* Surface::lock() {
  // A surface without pixels has nothing to hand out; it is not left locked.
  if (lost || locked || memory.empty()) return nullptr;
  locked = true;
  return memory.data();
}

void Surface::unlock() { locked = false; }

static bool insideSurface(const Rect& r, const Surface& s) {
  return r.left >= 0 && r.top >= 0 && r.right <= s.width() && r.bottom <= s.height();
}

// Keyed copy of one 8-bit row: pixels of value 0 leave the target alone.
// Sixteen pixels are merged at a time without branches (where the source is
// 0 the target byte is kept, elsewhere the source byte is taken), which keeps
// a full-view layer copy within a few times a plain memory copy.
typedef uint8_t Pixels16 __attribute__((vector_size(16)));

static void copyRowKeyed8(uint8_t* d, const uint8_t* s, int32_t w) {
  int32_t i = 0;
  for (; i + 16 <= w; i += 16) {
    Pixels16 from, to;
    std::memcpy(&from, s + i, 16);
    std::memcpy(&to, d + i, 16);
    const Pixels16 keep = (Pixels16)(from == 0);
    to = (to & keep) | from;  // `from` is 0 wherever `keep` is set
    std::memcpy(d + i, &to, 16);
  }
  for (; i < w; i++) {
    if (s[i] != 0) d[i] = s[i];
  }
}

// Keyed copy of one row of deeper pixels: a pixel whose bytes are all 0 is
// the key and leaves the target alone.
static void copyRowKeyedWide(uint8_t* d, const uint8_t* s, int32_t w, int32_t bpp) {
  for (int32_t i = 0; i < w; i++, s += bpp, d += bpp) {
    bool key = true;
    for (int32_t b = 0; b < bpp; b++) key = key && s[b] == 0;
    if (!key) std::memcpy(d, s, size_t(bpp));
  }
}

int32_t Surface::bltFast(int32_t x, int32_t y, const Surface& source, const Rect& src, bool keyed) {
  if (lost || source.lost) return SURFACE_LOST;
  if (locked || source.locked) return SURFACE_LOCKED;
  if (src.right <= src.left || src.bottom <= src.top) return SURFACE_INVALID_RECT;
  if (!insideSurface(src, source)) return SURFACE_INVALID_RECT;
  int32_t w = src.right - src.left;
  int32_t h = src.bottom - src.top;
  // The destination is checked in 64 bits: x + w must not wrap round into the surface.
  if (x < 0 || y < 0 || int64_t(x) + w > surfaceWidth || int64_t(y) + h > surfaceHeight) return SURFACE_INVALID_RECT;
  if (source.bits != bits) return SURFACE_INVALID_RECT;

  const int32_t bpp = bytesPerPixel();
  const size_t rowBytes = size_t(w) * bpp;
  const bool useKey = keyed && source.hasColourKey;

  // A copy within one surface reads the whole source first: through a
  // scratch copy for keyed draws, by row order and memmove for opaque ones.
  std::vector<uint8_t> scratch;
  const uint8_t* from = source.memory.data() + size_t(src.top) * source.rowPitch + size_t(src.left) * bpp;
  size_t fromPitch = size_t(source.rowPitch);
  if (&source == this && useKey) {
    scratch.resize(rowBytes * h);
    for (int32_t row = 0; row < h; row++) std::memcpy(&scratch[row * rowBytes], from + row * fromPitch, rowBytes);
    from = scratch.data();
    fromPitch = rowBytes;
  }
  uint8_t* to = memory.data() + size_t(y) * rowPitch + size_t(x) * bpp;

  if (useKey) {
    for (int32_t row = 0; row < h; row++) {
      const uint8_t* s = from + row * fromPitch;
      uint8_t* d = to + size_t(row) * rowPitch;
      if (bpp == 1) {
        copyRowKeyed8(d, s, w);
      } else {
        copyRowKeyedWide(d, s, w, bpp);
      }
    }
  } else if (&source == this && y > src.top) {
    for (int32_t row = h - 1; row >= 0; row--)
      std::memmove(to + size_t(row) * rowPitch, from + row * fromPitch, rowBytes);
  } else {
    for (int32_t row = 0; row < h; row++)
      std::memmove(to + size_t(row) * rowPitch, from + row * fromPitch, rowBytes);
  }
  return SURFACE_OK;
}

int32_t Surface::fill(const Rect& area, uint32_t value) {
  if (lost) return SURFACE_LOST;
  if (locked) return SURFACE_LOCKED;
  if (area.right <= area.left || area.bottom <= area.top || !insideSurface(area, *this)) return SURFACE_INVALID_RECT;
  const int32_t bpp = bytesPerPixel();
  for (int32_t row = area.top; row < area.bottom; row++) {
    uint8_t* d = memory.data() + size_t(row) * rowPitch + size_t(area.left) * bpp;
    if (bpp == 1) {
      std::memset(d, int(value & 0xFF), size_t(area.right - area.left));
      continue;
    }
    for (int32_t i = 0; i < area.right - area.left; i++)
      for (int32_t b = 0; b < bpp; b++) d[i * bpp + b] = uint8_t(value >> (8 * b));
  }
  return SURFACE_OK;
}

int32_t Surface::restore() {
  if (lost) {
    std::fill(memory.begin(), memory.end(), 0);
    lost = false;
  }
  return SURFACE_OK;
}

std::unique_ptr<Surface> SurfaceDevice::createSurface(int32_t width, int32_t height, SurfaceMemory) {
  if (width <= 0 || height <= 0 || int64_t(width) * height > SURFACE_MAX_PIXELS) return nullptr;
  return std::make_unique<Surface>(width, height);
}
