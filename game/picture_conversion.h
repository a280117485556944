// The shown picture made into 32-bit pixels for a window: where in the
// window it goes (the largest whole multiple that fits, centred), and its
// 8-bit pixels converted through a 256-entry colour table straight into that
// area, scaled as they go. Nothing here knows the window library.
#pragma once

#include <cstdint>

#include "game/shell.h"

// A rectangle of the window: left, top, width, height.
struct PictureArea {
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
};

// The area the picture fills in a window of this size: the largest whole
// multiple of the picture that fits, or, in a window smaller than the
// picture, the largest size with the picture's aspect that fits; centred.
PictureArea pictureArea(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth, int32_t pictureHeight);

// Converts the picture's rows [firstRow, endRow) into the window pixels of
// the rows of `area` that show them: each pixel is `colours[index]`, except
// on the lines of a display taller than the 400-line picture that lie outside
// it (the letterbox strips), which are `black` whatever their bytes hold. A
// whole multiple repeats each pixel and line; any other size takes the
// nearest pixel. `pixels` is the window's first pixel, rows `pitchBytes`
// apart; nothing outside the area is written.
void convertPicture(const Surface& picture, const uint32_t* colours, uint32_t black, const PictureArea& area,
                    uint32_t* pixels, int32_t pitchBytes, int32_t firstRow, int32_t endRow);

// The rows [top, bottom) of the window that show picture rows [firstRow, endRow).
void areaRowsShowing(const PictureArea& area, int32_t pictureHeight, int32_t firstRow, int32_t endRow, int32_t& top,
                     int32_t& bottom);
