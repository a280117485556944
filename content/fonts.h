// The two bitmap fonts: the 16 x 16 small font sheet (data12.glb) and the large
// font's glyphs, which live in the tile sheet at the frames of largeFontFrames.
#pragma once

#include <string>

#include "content/canvas.h"

// Reads the glyph designs (font_glyphs.txt in the source folder); throws when malformed.
void loadGlyphDesigns(const std::string& sourceDir);

// 256 x 128: frame b (16 to a row) is the glyph for byte b; frame 0 is blank.
Canvas smallFontSheet();
// Draws A-Z, full stop and exclamation mark into the tile sheet.
void drawLargeFont(Canvas& sheet);
// A large-font glyph of any design character, 32 x 32 (for the intro's lettering).
Canvas largeGlyph(char ch);
// The ink of a glyph design doubled `times` times with EPX (value 1 = ink).
Canvas glyphShape(char ch, int times);
// Draws a line of small-font text onto a canvas (for pictures and the contact sheet).
void drawSmallText(Canvas& target, int x, int y, const std::string& text);
