// Palette conversion of the shown picture for the canvas.
#include "web/picture_rgba.h"

#include <cstring>

#include "game/picture_conversion.h"

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
  // The canvas shows the picture one to one; its letterbox strips are black.
  convertPicture(picture, colours, strip, PictureArea{0, 0, picture.width(), picture.height()},
                 reinterpret_cast<uint32_t*>(rgba), picture.width() * 4, 0, picture.height());
}
