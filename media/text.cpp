// Bitmap text: skipping the cells left of the screen, choosing each byte's
// glyph frame and drawing cell by cell until the text or the screen ends.
#include "media/text.h"

const int32_t largeFontFrames[29] = {
    184, 185, 186, 187, 188, 189, 190, 191, 192, 193,  // A to J
    204, 205, 206, 207, 208, 209, 220, 221, 222, 223,  // K to T
    224, 225, 226, 227, 228, 229, 173, 230, 8,         // U to Z, [ \ ]
};

Surface* gTextTarget = nullptr;
SpriteSurface* gTextSmallSheet = nullptr;
SpriteSurface* gTextLargeSheet = nullptr;

void registerTextTargets(Surface* target, SpriteSurface* smallSheet, SpriteSurface* largeSheet) {
  gTextTarget = target;
  gTextSmallSheet = smallSheet;
  gTextLargeSheet = largeSheet;
}

static int32_t smallGlyph(uint8_t byte) { return byte < 128 ? byte : 0; }

static int32_t largeGlyph(uint8_t byte) {
  return byte >= LARGE_FONT_FIRST && byte <= LARGE_FONT_LAST ? largeFontFrames[byte - LARGE_FONT_FIRST] : 0;
}

static void drawText(SpriteSurface* sheet, int32_t cell, int32_t (*glyph)(uint8_t), int32_t x, int32_t y,
                     const char* text) {
  if (gTextTarget == nullptr || sheet == nullptr || text == nullptr) return;
  if (y < -(cell - 1) || y > TEXT_SCREEN_HEIGHT - 1) return;
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  // Positions are worked out in 64 bits so that far-off starting points
  // cannot wrap round onto the screen.
  int64_t left = x;
  if (left < -(cell - 1)) {
    // Whole cells left of the screen are skipped, but never past the end of the text.
    int64_t skip = -left / cell;
    while (skip > 0 && *p != 0) {
      p++;
      skip--;
      left += cell;
    }
  }
  for (; *p != 0; p++) {
    sheet->setPosition(int32_t(left), y);
    sheet->selectFrame(glyph(*p));
    sheet->draw(*gTextTarget);
    left += cell;
    if (left > TEXT_SCREEN_WIDTH) break;
  }
}

void drawTextSmall(int32_t x, int32_t y, const char* text) {
  drawText(gTextSmallSheet, TEXT_SMALL_CELL, smallGlyph, x, y, text);
}

void drawTextLarge(int32_t x, int32_t y, const char* text) {
  drawText(gTextLargeSheet, TEXT_LARGE_CELL, largeGlyph, x, y, text);
}
