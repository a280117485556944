// The SDL window's conversion of the 8-bit picture: every line through the
// palette, except the black strips of the 640 x 480 letterbox display; and the
// window's scale and whole-screen state as the settings keep them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "game/sdl_platform.h"
#include "game/settings.h"

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

// A window of SDL's dummy video driver, whose desktop is 1024 x 768.
class SdlWindowSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  }
  void TearDown() override {
    display.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    windowScale = SCALE_AUTOMATIC;
    fullscreenSetting = 0;
  }
  void open(bool fullscreen = false) {
    display = std::make_unique<SdlDisplay>(fullscreen);
    ASSERT_TRUE(display->createWindow());
    ASSERT_EQ(display->setDisplayMode(SCREEN_WIDTH, SCREEN_HEIGHT), 0);
  }
  int width() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(display->sdlWindow(), &w, &h);
    return w;
  }
  std::unique_ptr<SdlDisplay> display;
};

TEST_F(SdlWindowSettings, TheWindowIsMadeAtTheScaleAskedForAsFarAsTheDesktopHoldsIt) {
  windowScale = 1;
  open();
  EXPECT_EQ(width(), SCREEN_WIDTH);
  display.reset();
  windowScale = 3;  // 1920 x 1200 is more than the desktop has room for
  open();
  EXPECT_EQ(width(), SCREEN_WIDTH);
  EXPECT_EQ(windowScale, 3);  // the wish stays for a larger desktop
}

TEST_F(SdlWindowSettings, ResizingToAnotherWholeMultipleBecomesTheScaleKept) {
  open();
  display->windowResized(1280, 800);
  EXPECT_EQ(windowScale, 2);
  display->windowResized(2000, 1300);  // the largest whole multiple that fits
  EXPECT_EQ(windowScale, 3);
  display->windowResized(100, 100);  // less than the picture: nothing to keep
  EXPECT_EQ(windowScale, 3);
  // Back at the size it was made at, the window keeps its setting: automatic.
  display->windowResized(SCREEN_WIDTH, SCREEN_HEIGHT);
  EXPECT_EQ(windowScale, SCALE_AUTOMATIC);
}

}  // namespace
