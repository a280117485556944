// The 32 x 32 tile sheet (data09.glb), the editor's palette picture and map
// (glegfx.pcx, data06.glb) and the contact sheet for checking the art by eye.
#pragma once

#include <array>
#include <cstdint>

#include "content/canvas.h"

// 640 x 416: 20 frames to a row, 13 rows; frames 240-259 stay blank.
Canvas tileSheet();

constexpr int PALETTE_CELLS = 240;
constexpr int PALETTE_RANDOM_CELL = 13;
constexpr int PALETTE_TOGGLE_FIRST = 92;  // 92-97 toggle between two tiles
// The tile each palette cell paints (for the toggle and random cells, their first tile).
std::array<uint16_t, PALETTE_CELLS> paletteMap();
std::array<uint8_t, 2 * PALETTE_CELLS> paletteMapBytes();
// 640 x 384: the palette cells' pictures, 20 to a row.
Canvas palettePicture(const Canvas& sheet);
// Every tile with its number and class below it, on a checkerboard.
Canvas contactSheet(const Canvas& sheet);
