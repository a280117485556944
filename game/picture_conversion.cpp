// The picture's area in a window and its conversion through the colour table
// into the window's 32-bit pixels, scaled on the way.
#include "game/picture_conversion.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Whether a line of the picture is one of the letterbox strips: a display
// taller than the 400-line picture shows it 40 lines down, and the lines
// above and below it are black, whatever colour their bytes have (entry 0,
// which the loop fills them with, is the pale sky of every screen).
struct Strips {
  explicit Strips(const Surface& picture)
      : top(picture.height() > SCREEN_HEIGHT ? LETTERBOX_SHIFT : 0), bottom(top + SCREEN_HEIGHT) {}
  bool black(int32_t row) const { return row < top || row >= bottom; }
  int32_t top;
  int32_t bottom;
};

uint32_t* windowRow(uint32_t* pixels, int32_t pitchBytes, int32_t row) {
  return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(pixels) + int64_t(row) * pitchBytes);
}

// One picture line into two window lines, each pixel twice: the common
// window of twice the picture's size. Both copies of a pixel go in one
// 64-bit store, and both lines are written at once rather than the second
// copied from the first.
void convertLineDoubled(const uint8_t* in, int32_t width, const uint32_t* colours, uint32_t* first, uint32_t* second) {
  for (int32_t x = 0; x < width; x++) {
    const uint64_t c = colours[in[x]];
    const uint64_t pair = c | c << 32;
    std::memcpy(first + 2 * x, &pair, sizeof pair);
    std::memcpy(second + 2 * x, &pair, sizeof pair);
  }
}

// One picture line into one window line, each pixel `scale` times.
void convertLine(const uint8_t* in, int32_t width, const uint32_t* colours, int32_t scale, uint32_t* out) {
  switch (scale) {
    case 1:
      for (int32_t x = 0; x < width; x++) out[x] = colours[in[x]];
      break;
    default:
      for (int32_t x = 0; x < width; x++) std::fill_n(out + size_t(x) * scale, scale, colours[in[x]]);
      break;
  }
}

// A whole multiple: each picture line converted once into the first of its
// window lines, then copied into the others (twice: into both at once).
void convertWhole(const Surface& picture, const uint32_t* colours, uint32_t black, const PictureArea& area,
                  int32_t scale, uint32_t* pixels, int32_t pitchBytes, int32_t firstRow, int32_t endRow) {
  const Strips strips(picture);
  const size_t lineBytes = size_t(area.w) * sizeof(uint32_t);
  for (int32_t row = firstRow; row < endRow; row++) {
    uint32_t* first = windowRow(pixels, pitchBytes, area.y + row * scale) + area.x;
    const uint8_t* in = picture.pixels() + size_t(row) * picture.pitch();
    if (strips.black(row)) {
      std::fill_n(first, area.w, black);
    } else if (scale == 2) {
      convertLineDoubled(in, picture.width(), colours, first, windowRow(pixels, pitchBytes, area.y + row * 2 + 1) + area.x);
      continue;
    } else {
      convertLine(in, picture.width(), colours, scale, first);
    }
    for (int32_t k = 1; k < scale; k++) {
      std::memcpy(windowRow(pixels, pitchBytes, area.y + row * scale + k) + area.x, first, lineBytes);
    }
  }
}

// Any other size: every window pixel takes the picture pixel it falls on.
void convertNearest(const Surface& picture, const uint32_t* colours, uint32_t black, const PictureArea& area,
                    uint32_t* pixels, int32_t pitchBytes, int32_t firstRow, int32_t endRow) {
  const Strips strips(picture);
  std::vector<int32_t> column(size_t(area.w));
  for (int32_t x = 0; x < area.w; x++) column[size_t(x)] = int32_t(int64_t(x) * picture.width() / area.w);
  int32_t top = 0, bottom = 0;
  areaRowsShowing(area, picture.height(), firstRow, endRow, top, bottom);
  for (int32_t y = top; y < bottom; y++) {
    const int32_t row = int32_t(int64_t(y - area.y) * picture.height() / area.h);
    uint32_t* out = windowRow(pixels, pitchBytes, y) + area.x;
    if (strips.black(row)) {
      std::fill_n(out, area.w, black);
      continue;
    }
    const uint8_t* in = picture.pixels() + size_t(row) * picture.pitch();
    for (int32_t x = 0; x < area.w; x++) out[x] = colours[in[column[size_t(x)]]];
  }
}

}  // namespace

PictureArea pictureArea(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth, int32_t pictureHeight) {
  PictureArea area{0, 0, windowWidth, windowHeight};
  if (pictureWidth <= 0 || pictureHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) return area;
  const int32_t whole = std::min(windowWidth / pictureWidth, windowHeight / pictureHeight);
  if (whole >= 1) {
    area.w = pictureWidth * whole;
    area.h = pictureHeight * whole;
  } else if (int64_t(windowWidth) * pictureHeight <= int64_t(windowHeight) * pictureWidth) {
    area.w = windowWidth;
    area.h = std::max(1, int32_t(int64_t(windowWidth) * pictureHeight / pictureWidth));
  } else {
    area.h = windowHeight;
    area.w = std::max(1, int32_t(int64_t(windowHeight) * pictureWidth / pictureHeight));
  }
  area.x = (windowWidth - area.w) / 2;
  area.y = (windowHeight - area.h) / 2;
  return area;
}

void areaRowsShowing(const PictureArea& area, int32_t pictureHeight, int32_t firstRow, int32_t endRow, int32_t& top,
                     int32_t& bottom) {
  // Window row y shows picture row (y - area.y) * pictureHeight / area.h.
  top = bottom = area.y;
  if (pictureHeight <= 0 || area.h <= 0) return;
  firstRow = std::clamp(firstRow, 0, pictureHeight);
  endRow = std::clamp(endRow, firstRow, pictureHeight);
  top = area.y + int32_t((int64_t(firstRow) * area.h + pictureHeight - 1) / pictureHeight);
  bottom = area.y + int32_t((int64_t(endRow) * area.h + pictureHeight - 1) / pictureHeight);
}

void convertPicture(const Surface& picture, const uint32_t* colours, uint32_t black, const PictureArea& area,
                    uint32_t* pixels, int32_t pitchBytes, int32_t firstRow, int32_t endRow) {
  if (picture.width() <= 0 || picture.height() <= 0 || area.w <= 0 || area.h <= 0) return;
  firstRow = std::clamp(firstRow, 0, picture.height());
  endRow = std::clamp(endRow, firstRow, picture.height());
  const int32_t scale = area.w / picture.width();
  if (scale >= 1 && area.w == picture.width() * scale && area.h == picture.height() * scale) {
    convertWhole(picture, colours, black, area, scale, pixels, pitchBytes, firstRow, endRow);
  } else {
    convertNearest(picture, colours, black, area, pixels, pitchBytes, firstRow, endRow);
  }
}
