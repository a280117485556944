// Bitmap text: one line of a zero-terminated byte string drawn glyph by glyph
// with the 16-pixel or the 32-pixel font sheet onto the registered target.
#pragma once

#include <cstdint>

#include "media/sprite_surface.h"
#include "media/surface.h"

constexpr int32_t TEXT_SMALL_CELL = 16;
constexpr int32_t TEXT_LARGE_CELL = 32;
constexpr int32_t TEXT_SCREEN_WIDTH = 640;
constexpr int32_t TEXT_SCREEN_HEIGHT = 400;
constexpr int32_t LARGE_FONT_FIRST = 'A';
constexpr int32_t LARGE_FONT_LAST = ']';

// Frames of the large font's glyphs for the bytes 'A' to ']', in the keyed sheet.
extern const int32_t largeFontFrames[29];

// What the text functions draw onto and with; set by the program (its back
// buffer, its small font sheet, its keyed sheet). Nothing is drawn while any is unset.
extern Surface* gTextTarget;
extern SpriteSurface* gTextSmallSheet;
extern SpriteSurface* gTextLargeSheet;
void registerTextTargets(Surface* target, SpriteSurface* smallSheet, SpriteSurface* largeSheet);

// Draw `text` with its first cell's top-left at (x, y); the sheet keeps the
// position and frame of the last character drawn.
void drawTextSmall(int32_t x, int32_t y, const char* text);
void drawTextLarge(int32_t x, int32_t y, const char* text);
