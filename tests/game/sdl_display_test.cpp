// The SDL window's conversion of the 8-bit picture: every line through the
// palette, except the black strips of the 640 x 480 letterbox display.
#include <gtest/gtest.h>

#include <vector>

#include "game/sdl_platform.h"

namespace {

constexpr uint32_t BLACK = 0xFF000000u;
constexpr uint32_t SKY = 0xFF96C8FAu;  // entry 0: the pale sky every screen is cleared to

class SdlDisplayPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    PaletteEntry entries[PALETTE_SIZE];
    for (int32_t i = 0; i < PALETTE_SIZE; i++) entries[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), 7, 0};
    entries[0] = PaletteEntry{0x96, 0xC8, 0xFA, 0};
    display.createPalette(entries);
    display.setPaletteEntries(0, PALETTE_SIZE, entries);
  }
  // The picture converted: 32-bit pixels, row by row.
  std::vector<uint32_t> convert(const Surface& picture) {
    std::vector<uint32_t> pixels(size_t(picture.width()) * size_t(picture.height()));
    display.convertPicture(picture, pixels.data(), picture.width() * 4);
    return pixels;
  }
  SdlDisplay display{false};
};

TEST_F(SdlDisplayPicture, LetterboxStripsAreBlackThoughTheirBytesAreTheSkyColour) {
  Surface shown(SCREEN_WIDTH, LETTERBOX_HEIGHT);
  shown.fillAll(0);
  shown.fill(Rect{100, 0, 101, LETTERBOX_HEIGHT}, 9);  // a line through strips and picture
  std::vector<uint32_t> pixels = convert(shown);
  auto at = [&](int32_t x, int32_t y) { return pixels[size_t(y) * SCREEN_WIDTH + size_t(x)]; };
  for (int32_t y : {0, 39, 440, 479}) {
    EXPECT_EQ(at(0, y), BLACK) << "line " << y;
    EXPECT_EQ(at(100, y), BLACK) << "line " << y;
  }
  EXPECT_EQ(at(0, 40), SKY);
  EXPECT_EQ(at(639, 439), SKY);
  EXPECT_EQ(at(100, 40), 0xFF09F607u);
  EXPECT_EQ(at(100, 439), 0xFF09F607u);
}

TEST_F(SdlDisplayPicture, The400LineDisplayShowsEveryLineThroughThePalette) {
  Surface shown(SCREEN_WIDTH, SCREEN_HEIGHT);
  shown.fillAll(0);
  std::vector<uint32_t> pixels = convert(shown);
  EXPECT_EQ(pixels.front(), SKY);
  EXPECT_EQ(pixels.back(), SKY);
  EXPECT_EQ(pixels[size_t(39) * SCREEN_WIDTH], SKY);
}

}  // namespace
