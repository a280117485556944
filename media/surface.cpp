// Pixel surfaces: copies, fills, locking and the lost/restore cycle.
#include "media/surface.h"

#include <algorithm>
#include <cstring>

Surface::Surface(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t pitch)
    : surfaceWidth(std::max(width, 0)), surfaceHeight(std::max(height, 0)), bits(bitsPerPixel) {
  int32_t rowBytes = surfaceWidth * bytesPerPixel();
  rowPitch = pitch > rowBytes ? pitch : rowBytes;
  memory.assign(size_t(rowPitch) * surfaceHeight, 0);
}

uint8_t* Surface::lock() {
  if (lost || locked) return nullptr;
  locked = true;
  return memory.data();
}

void Surface::unlock() { locked = false; }

static bool insideSurface(const Rect& r, const Surface& s) {
  return r.left >= 0 && r.top >= 0 && r.right <= s.width() && r.bottom <= s.height();
}

int32_t Surface::bltFast(int32_t x, int32_t y, const Surface& source, const Rect& src, bool keyed) {
  if (lost || source.lost) return SURFACE_LOST;
  if (locked || source.locked) return SURFACE_LOCKED;
  if (src.right <= src.left || src.bottom <= src.top) return SURFACE_INVALID_RECT;
  if (!insideSurface(src, source)) return SURFACE_INVALID_RECT;
  int32_t w = src.right - src.left;
  int32_t h = src.bottom - src.top;
  Rect dst{x, y, x + w, y + h};
  if (!insideSurface(dst, *this)) return SURFACE_INVALID_RECT;
  if (source.bits != bits) return SURFACE_INVALID_RECT;

  const int32_t bpp = bytesPerPixel();
  const size_t rowBytes = size_t(w) * bpp;
  const bool useKey = keyed && source.hasColourKey && bits == 8;

  // A copy within one surface reads the whole source first: through a
  // scratch copy for keyed draws, by row order and memmove for opaque ones.
  std::vector<uint8_t> scratch;
  const uint8_t* from = source.memory.data() + size_t(src.top) * source.rowPitch + size_t(src.left) * bpp;
  int32_t fromPitch = source.rowPitch;
  if (&source == this && useKey) {
    scratch.resize(rowBytes * h);
    for (int32_t row = 0; row < h; row++) std::memcpy(&scratch[row * rowBytes], from + size_t(row) * fromPitch, rowBytes);
    from = scratch.data();
    fromPitch = int32_t(rowBytes);
  }
  uint8_t* to = memory.data() + size_t(y) * rowPitch + size_t(x) * bpp;

  if (useKey) {
    for (int32_t row = 0; row < h; row++) {
      const uint8_t* s = from + size_t(row) * fromPitch;
      uint8_t* d = to + size_t(row) * rowPitch;
      for (int32_t i = 0; i < w; i++) {
        if (s[i] != 0) d[i] = s[i];
      }
    }
  } else if (&source == this && y > src.top) {
    for (int32_t row = h - 1; row >= 0; row--)
      std::memmove(to + size_t(row) * rowPitch, from + size_t(row) * fromPitch, rowBytes);
  } else {
    for (int32_t row = 0; row < h; row++)
      std::memmove(to + size_t(row) * rowPitch, from + size_t(row) * fromPitch, rowBytes);
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
