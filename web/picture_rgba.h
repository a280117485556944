// The 8-bit picture turned into the canvas's RGBA pixels through the palette.
#pragma once

#include <cstdint>

#include "game/shell.h"

// Writes width x height x 4 bytes (red, green, blue, opaque alpha) to `rgba`.
// A picture taller than 400 lines is the 640 x 480 display with the picture
// 40 lines down: the lines above and below it are the display's black
// strips, whatever colour their bytes have in the palette.
void convertToRgba(const Surface& picture, const PaletteEntry palette[PALETTE_SIZE], uint8_t* rgba);
