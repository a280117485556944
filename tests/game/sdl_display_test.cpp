// The SDL window showing the picture through its own pixels (on SDL's dummy
// video driver): hidden until the first picture, the picture at the largest
// whole multiple with black strips around it, unchanged frames not sent
// again, changed rows and the rows showing changed colours sent, the strips
// cleared only when the window changes, and a GPU renderer that cannot be
// made falling back; and the window's scale and whole-screen state as the
// settings keep them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "game/sdl_gpu_probe.h"
#include "game/sdl_platform.h"
#include "game/settings.h"

namespace {

constexpr uint32_t MARKER = 0x55555555u;

class SdlDisplayWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    for (int32_t i = 0; i < PALETTE_SIZE; i++) entries[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), 7, 0};
    for (int32_t y = 0; y < picture.height(); y++) {
      for (int32_t x = 0; x < picture.width(); x++) picture.pixels()[size_t(y) * picture.pitch() + x] = uint8_t((x + y) % 256);
    }
    primarySurface = &picture;
  }
  void TearDown() override {
    primarySurface = nullptr;
    display.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  void open(RendererChoice choice, int32_t width, int32_t height) {
    display = std::make_unique<SdlDisplay>(false, choice);
    ASSERT_TRUE(display->createWindow());
    ASSERT_EQ(display->setDisplayMode(SCREEN_WIDTH, SCREEN_HEIGHT), 0);
    display->createPalette(entries);
    SDL_SetWindowSize(display->sdlWindow(), width, height);
  }
  SDL_Surface* surface() { return SDL_GetWindowSurface(display->sdlWindow()); }
  uint32_t at(int32_t x, int32_t y) {
    SDL_Surface* s = surface();
    return static_cast<uint32_t*>(s->pixels)[size_t(y) * size_t(s->pitch / 4) + size_t(x)];
  }
  // The window pixel of palette entry i.
  uint32_t colour(int32_t i) { return SDL_MapRGB(surface()->format, entries[i].red, entries[i].green, entries[i].blue); }
  uint32_t black() { return SDL_MapRGB(surface()->format, 0, 0, 0); }
  void mark() {
    SDL_Surface* s = surface();
    std::memset(s->pixels, 0x55, size_t(s->pitch) * size_t(s->h));
  }

  PaletteEntry entries[PALETTE_SIZE];
  Surface picture{SCREEN_WIDTH, SCREEN_HEIGHT};
  std::unique_ptr<SdlDisplay> display;
};

TEST_F(SdlDisplayWindow, StaysHiddenUntilItsFirstPictureThenShowsItTwiceOverBetweenBlackStrips) {
  open(RendererChoice::AUTO, 1300, 820);
  EXPECT_FALSE(display->throughGpu());  // the dummy driver has no GPU
  EXPECT_EQ(SDL_GetWindowFlags(display->sdlWindow()) & SDL_WINDOW_SHOWN, 0u);
  display->flip();
  EXPECT_NE(SDL_GetWindowFlags(display->sdlWindow()) & SDL_WINDOW_SHOWN, 0u);
  ASSERT_EQ(surface()->format->BytesPerPixel, 4);
  EXPECT_EQ(at(0, 0), black());
  EXPECT_EQ(at(9, 500), black());
  EXPECT_EQ(at(1299, 819), black());
  EXPECT_EQ(at(10, 10), colour(0));
  EXPECT_EQ(at(11, 11), colour(0));
  EXPECT_EQ(at(12, 10), colour(1));
  EXPECT_EQ(at(1289, 809), colour((639 + 399) % 256));
}

TEST_F(SdlDisplayWindow, SendsOnlyWhatChangedAndClearsTheStripsOnlyWhenTheWindowChanges) {
  open(RendererChoice::SOFTWARE, 1300, 820);
  display->flip();
  mark();
  display->flip();  // the same picture and palette: nothing is written
  EXPECT_EQ(at(10, 10), MARKER);
  EXPECT_EQ(at(0, 0), MARKER);

  picture.fill(Rect{0, 100, SCREEN_WIDTH, 101}, 200);
  display->flip();  // one row changed: its two lines are written
  EXPECT_EQ(at(10, 210), colour(200));
  EXPECT_EQ(at(1289, 211), colour(200));
  EXPECT_EQ(at(10, 209), MARKER);
  EXPECT_EQ(at(10, 212), MARKER);

  entries[5].red = 99;
  display->setPaletteEntries(5, 1, &entries[5]);
  display->flip();  // a new palette: every line of the picture, but not the strips
  EXPECT_EQ(at(20, 10), colour(5));
  EXPECT_EQ(at(10, 809), colour(143));
  EXPECT_EQ(at(0, 0), MARKER);

  display->windowChanged();
  display->flip();  // a changed window: the strips are cleared too
  EXPECT_EQ(at(0, 0), black());
  EXPECT_EQ(at(1299, 819), black());
}

TEST_F(SdlDisplayWindow, ANewColourIsSentOnlyWhereTheStillPictureShowsIt) {
  picture.fillAll(1);
  picture.fill(Rect{0, 100, SCREEN_WIDTH, 101}, 200);
  open(RendererChoice::SOFTWARE, 1300, 820);
  display->flip();
  mark();
  entries[77].blue = 200;  // the colour cycling on an entry the picture does not use
  display->setPaletteEntries(77, 1, &entries[77]);
  display->flip();
  EXPECT_EQ(at(10, 10), MARKER);
  EXPECT_EQ(at(10, 210), MARKER);

  entries[200].green = 3;
  display->setPaletteEntries(200, 1, &entries[200]);
  display->flip();  // only the lines of the row in that colour
  EXPECT_EQ(at(10, 210), colour(200));
  EXPECT_EQ(at(1289, 211), colour(200));
  EXPECT_EQ(at(10, 209), MARKER);
  EXPECT_EQ(at(10, 212), MARKER);
}

TEST_F(SdlDisplayWindow, AWindowSmallerThanThePictureShowsAllOfIt) {
  open(RendererChoice::SOFTWARE, 480, 400);
  display->flip();
  // 480 x 300 at (0, 50), each pixel the nearest of the picture's.
  EXPECT_EQ(at(0, 49), black());
  EXPECT_EQ(at(0, 50), colour(0));
  EXPECT_EQ(at(3, 50), colour(4));
  EXPECT_EQ(at(479, 349), colour((638 + 398) % 256));
  EXPECT_EQ(at(479, 350), black());
}

TEST_F(SdlDisplayWindow, AGpuRendererThatCannotBeMadeGivesWayToTheWindowsPixels) {
  open(RendererChoice::GPU, 640, 400);
  EXPECT_FALSE(display->throughGpu());
  display->flip();
  EXPECT_EQ(at(3, 2), colour(5));
}

TEST(GpuProbe, KnowsSoftwareRasterisersByName) {
  EXPECT_TRUE(softwareRasteriserName("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(softwareRasteriserName("Software Rasterizer"));
  EXPECT_TRUE(softwareRasteriserName("Mesa softpipe"));
  EXPECT_FALSE(softwareRasteriserName("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
  EXPECT_FALSE(softwareRasteriserName("NVIDIA GeForce GTX 1060/PCIe/SSE2"));
  EXPECT_FALSE(softwareRasteriserName(nullptr));
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
    display = std::make_unique<SdlDisplay>(fullscreen, RendererChoice::SOFTWARE);
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
