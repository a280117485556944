// Palette conversion of the shown picture for the canvas.
#include "web/picture_rgba.h"

#include <cstring>

namespace {

constexpr uint8_t OPAQUE = 255;

}  // namespace

void convertToRgba(const Surface& picture, const PaletteEntry palette[PALETTE_SIZE], uint8_t* rgba) {
  uint32_t colours[PALETTE_SIZE];
  for (int32_t i = 0; i < PALETTE_SIZE; i++) {
    const uint8_t bytes[4] = {palette[i].red, palette[i].green, palette[i].blue, OPAQUE};
    std::memcpy(&colours[i], bytes, 4);
  }
  const uint8_t black[4] = {0, 0, 0, OPAQUE};
  uint32_t strip;
  std::memcpy(&strip, black, 4);
  const int32_t width = picture.width();
  const int32_t top = picture.height() > SCREEN_HEIGHT ? LETTERBOX_SHIFT : 0;
  const int32_t bottom = top + SCREEN_HEIGHT;
  for (int32_t row = 0; row < picture.height(); row++) {
    uint32_t* out = reinterpret_cast<uint32_t*>(rgba) + size_t(row) * size_t(width);
    if (row < top || row >= bottom) {
      for (int32_t x = 0; x < width; x++) out[x] = strip;
      continue;
    }
    const uint8_t* in = picture.pixels() + size_t(row) * size_t(picture.pitch());
    for (int32_t x = 0; x < width; x++) out[x] = colours[in[x]];
  }
}
