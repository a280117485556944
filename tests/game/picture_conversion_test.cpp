// The picture made into a window's 32-bit pixels: where it goes in windows
// of every size, each line through the palette and scaled, the letterbox
// strips black, only the rows asked for written and nothing outside the area.
#include <gtest/gtest.h>

#include <vector>

#include "game/picture_conversion.h"

namespace {

constexpr uint32_t BLACK = 0xFF000000u;
constexpr uint32_t UNTOUCHED = 0x12345678u;

// Entry i is 0xFF0001ii, so a window pixel names the index it came from,
// and none of them is the strips' black.
constexpr uint32_t ENTRY_BASE = 0xFF000100u;
struct Colours {
  Colours() {
    for (uint32_t i = 0; i < PALETTE_SIZE; i++) table[i] = ENTRY_BASE | i;
  }
  uint32_t table[PALETTE_SIZE];
};

// A window of 32-bit pixels, all UNTOUCHED to begin with.
struct Window {
  Window(int32_t width, int32_t height) : w(width), h(height), pixels(size_t(width) * size_t(height), UNTOUCHED) {}
  uint32_t at(int32_t x, int32_t y) const { return pixels[size_t(y) * size_t(w) + size_t(x)]; }
  void convert(const Surface& picture, const PictureArea& area, int32_t first, int32_t end) {
    convertPicture(picture, Colours().table, BLACK, area, pixels.data(), w * 4, first, end);
  }
  int32_t w, h;
  std::vector<uint32_t> pixels;
};

// A picture whose pixel (x, y) is (x + 3y) % 250 + 1: never the key colour,
// different in neighbouring columns and rows.
Surface patterned(int32_t width, int32_t height) {
  Surface picture(width, height);
  for (int32_t y = 0; y < height; y++) {
    for (int32_t x = 0; x < width; x++) picture.pixels()[size_t(y) * picture.pitch() + x] = uint8_t((x + 3 * y) % 250 + 1);
  }
  return picture;
}

uint32_t colourOf(const Surface& picture, int32_t x, int32_t y) { return ENTRY_BASE | picture.pixelAt(x, y); }

TEST(PictureArea, TakesTheLargestWholeMultipleThatFitsCentred) {
  PictureArea exact = pictureArea(1280, 800, 640, 400);
  EXPECT_EQ(exact.x, 0);
  EXPECT_EQ(exact.y, 0);
  EXPECT_EQ(exact.w, 1280);
  EXPECT_EQ(exact.h, 800);
  PictureArea wide = pictureArea(1920, 1080, 640, 400);  // 3x would need 1200 lines
  EXPECT_EQ(wide.w, 1280);
  EXPECT_EQ(wide.h, 800);
  EXPECT_EQ(wide.x, 320);
  EXPECT_EQ(wide.y, 140);
  PictureArea letterboxed = pictureArea(1280, 1024, 640, 480);
  EXPECT_EQ(letterboxed.w, 1280);
  EXPECT_EQ(letterboxed.h, 960);
  EXPECT_EQ(letterboxed.y, 32);
}

TEST(PictureArea, AWindowSmallerThanThePictureStillHoldsAllOfItWithItsAspect) {
  PictureArea narrow = pictureArea(500, 400, 640, 400);
  EXPECT_EQ(narrow.w, 500);
  EXPECT_EQ(narrow.h, 312);
  EXPECT_EQ(narrow.x, 0);
  EXPECT_EQ(narrow.y, 44);
  PictureArea low = pictureArea(640, 300, 640, 400);
  EXPECT_EQ(low.w, 480);
  EXPECT_EQ(low.h, 300);
  EXPECT_EQ(low.x, 80);
  EXPECT_EQ(low.y, 0);
}

TEST(PictureConversion, The400LineDisplayShowsEveryLineThroughThePalette) {
  Surface picture = patterned(SCREEN_WIDTH, SCREEN_HEIGHT);
  Window window(SCREEN_WIDTH, SCREEN_HEIGHT);
  window.convert(picture, PictureArea{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 0, SCREEN_HEIGHT);
  for (int32_t y : {0, 39, 200, 399}) {
    for (int32_t x : {0, 1, 639}) EXPECT_EQ(window.at(x, y), colourOf(picture, x, y)) << x << "," << y;
  }
}

TEST(PictureConversion, LetterboxStripsAreBlackThoughTheirBytesAreTheSkyColour) {
  Surface shown(SCREEN_WIDTH, LETTERBOX_HEIGHT);
  shown.fillAll(0);
  shown.fill(Rect{100, 0, 101, LETTERBOX_HEIGHT}, 9);  // a line through strips and picture
  Window window(SCREEN_WIDTH * 2, LETTERBOX_HEIGHT * 2);
  window.convert(shown, PictureArea{0, 0, SCREEN_WIDTH * 2, LETTERBOX_HEIGHT * 2}, 0, LETTERBOX_HEIGHT);
  for (int32_t y : {0, 79, 880, 959}) {
    EXPECT_EQ(window.at(0, y), BLACK) << "line " << y;
    EXPECT_EQ(window.at(200, y), BLACK) << "line " << y;
  }
  EXPECT_EQ(window.at(0, 80), ENTRY_BASE);  // entry 0 through the table, not the strips' black
  EXPECT_EQ(window.at(201, 80), ENTRY_BASE | 9);
  EXPECT_EQ(window.at(200, 879), ENTRY_BASE | 9);
}

TEST(PictureConversion, AWholeMultipleRepeatsEachPixelAndLineInsideTheAreaOnly) {
  Surface picture = patterned(8, 5);
  Window window(30, 20);
  const PictureArea area{3, 2, 24, 15};  // three times, off the corner
  window.convert(picture, area, 0, 5);
  for (int32_t y = 0; y < window.h; y++) {
    for (int32_t x = 0; x < window.w; x++) {
      bool inside = x >= area.x && x < area.x + area.w && y >= area.y && y < area.y + area.h;
      uint32_t expected = inside ? colourOf(picture, (x - area.x) / 3, (y - area.y) / 3) : UNTOUCHED;
      ASSERT_EQ(window.at(x, y), expected) << x << "," << y;
    }
  }
}

TEST(PictureConversion, OnlyTheLinesOfTheRowsAskedForAreWritten) {
  Surface picture = patterned(8, 5);
  Window window(16, 10);
  window.convert(picture, PictureArea{0, 0, 16, 10}, 2, 4);
  for (int32_t y = 0; y < 10; y++) {
    bool written = y >= 4 && y < 8;
    EXPECT_EQ(window.at(5, y), written ? colourOf(picture, 2, y / 2) : UNTOUCHED) << "line " << y;
  }
  int32_t top = 0, bottom = 0;
  areaRowsShowing(PictureArea{0, 3, 16, 10}, 5, 2, 4, top, bottom);
  EXPECT_EQ(top, 7);
  EXPECT_EQ(bottom, 11);
}

TEST(PictureConversion, ASmallerAreaTakesTheNearestPixelAndShowsBothEdges) {
  Surface picture = patterned(SCREEN_WIDTH, SCREEN_HEIGHT);
  Window window(320, 200);
  window.convert(picture, PictureArea{0, 0, 320, 200}, 0, SCREEN_HEIGHT);
  EXPECT_EQ(window.at(0, 0), colourOf(picture, 0, 0));
  EXPECT_EQ(window.at(319, 199), colourOf(picture, 638, 398));
  EXPECT_EQ(window.at(100, 50), colourOf(picture, 200, 100));
  // Rows asked for by picture row: picture rows 100-101 are window row 50.
  Window part(320, 200);
  part.convert(picture, PictureArea{0, 0, 320, 200}, 100, 102);
  EXPECT_EQ(part.at(7, 50), colourOf(picture, 14, 100));
  EXPECT_EQ(part.at(7, 49), UNTOUCHED);
  EXPECT_EQ(part.at(7, 51), UNTOUCHED);
}

}  // namespace
