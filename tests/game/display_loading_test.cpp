// Loading and shutdown over a scratch data folder, the display objects that
// prepareDisplay makes, and the load-error messages.
#include <gtest/gtest.h>

#include <cstring>

#include "game/display.h"
#include "game/loading.h"
#include "game/shell.h"
#include "game_test_support.h"
#include "media/sprite_surface.h"

namespace {

using LoadingTest = LoadedShellTest;

// A display that cannot show 640 x 400, or fails every mode, or fails to make
// the n-th off-screen surface.
struct PickyDisplay : DisplayDevice {
  int32_t setDisplayMode(int32_t width, int32_t height) override {
    modesAsked++;
    if (failAll) return DISPLAY_MODE_FAILED;
    if (height == 400 && no400) return DISPLAY_MODE_INVALID;
    return DisplayDevice::setDisplayMode(width, height);
  }
  std::unique_ptr<Surface> createSurface(int32_t width, int32_t height, SurfaceMemory where) override {
    bool layer = (width == LAYER_WIDTH && height == LAYER_HEIGHT) || (width == GAUGE_WIDTH && height == GAUGE_HEIGHT);
    if (layer && ++layersMade == failLayer) return nullptr;
    return DisplayDevice::createSurface(width, height, where);
  }
  bool no400 = false, failAll = false;
  int modesAsked = 0, layersMade = 0, failLayer = 0;
};

TEST_F(LoadingTest, LoadsEverythingFromTheThirtyNineFiles) {
  ASSERT_EQ(load(), 0);
  EXPECT_EQ(letterboxMode, 0);
  EXPECT_EQ(backBuffer->width(), 640);
  EXPECT_EQ(backBuffer->height(), 400);
  EXPECT_EQ(tileClass[5], 261);  // bytes 5 and 1 at offsets 10 and 11
  EXPECT_EQ(tileClass[6], 0);
  EXPECT_EQ(gSoundLoaded, 16);
  EXPECT_EQ(gSoundSlots[15].dataSize, 64u + 0x26);  // data26.glb is slot 15
  EXPECT_EQ(gSheetOpaque.pictureWidth, 64);
  EXPECT_EQ(gFontSmall.pictureWidth, 32);
  EXPECT_NE(gDirectDraw, nullptr);
  EXPECT_NE(gKeyboard, nullptr);
  EXPECT_EQ(joystickPresent, 0);
}

TEST_F(LoadingTest, MissingDataFileFailsBeforeAnyDisplayExists) {
  fs::remove(data.path / "data26.glb");
  EXPECT_EQ(load(), LOAD_MISSING_DATA);
  EXPECT_EQ(test.display, nullptr);
  EXPECT_EQ(displayDevice, nullptr);
}

TEST_F(LoadingTest, EmptySpriteSheetFailsWithTheMissingDataCode) {
  writeFile(data.path / "data12.glb", {});
  EXPECT_EQ(load(), LOAD_MISSING_DATA);
  EXPECT_EQ(backBuffer, nullptr);
}

TEST_F(LoadingTest, TheUnreadFilesMayBeEmptyAndAShortTileTableReadsZeros) {
  writeFile(data.path / "data07.glb", {7, 0, 9});
  ASSERT_EQ(load(), 0);
  EXPECT_EQ(tileClass[0], 7);
  EXPECT_EQ(tileClass[1], 9);  // the half value read; nothing past the file's end
  EXPECT_EQ(tileClass[239], 0);
}

TEST_F(LoadingTest, DisplayWithout400LinesRunsLetterboxed) {
  auto picky = std::make_unique<PickyDisplay>();
  picky->no400 = true;
  PickyDisplay* device = picky.get();
  test.display = std::move(picky);
  ASSERT_EQ(load(), 0);
  EXPECT_EQ(letterboxMode, 1);
  EXPECT_EQ(device->modesAsked, 2);
  EXPECT_EQ(backBuffer->height(), 480);
}

TEST_F(LoadingTest, OtherModeFailureIsCodeThreeWithoutSecondAttempt) {
  auto picky = std::make_unique<PickyDisplay>();
  picky->failAll = true;
  PickyDisplay* device = picky.get();
  test.display = std::move(picky);
  EXPECT_EQ(load(), LOAD_NO_DISPLAY_MODE);
  EXPECT_EQ(device->modesAsked, 1);
}

TEST_F(LoadingTest, DeviceStepsReportTheirCodes) {
  test.failDisplay = true;
  EXPECT_EQ(load(), LOAD_NO_DISPLAY);
  shutdownGame();
  test.failDisplay = false;
  test.failWindow = true;
  EXPECT_EQ(load(), LOAD_NO_WINDOW);
  shutdownGame();
  test.failWindow = false;
  test.keyboardFailure = LOAD_NO_KEYBOARD;
  EXPECT_EQ(load(), LOAD_NO_KEYBOARD);
}

TEST_F(LoadingTest, LayerCreationFailuresGiveTheDisplayCodes) {
  // The layers are made in the order tileLayer, backgroundLayer, gaugeSurface.
  for (auto [failing, code] : {std::pair{1, 33}, std::pair{2, 34}, std::pair{3, 34}}) {
    auto picky = std::make_unique<PickyDisplay>();
    picky->failLayer = failing;
    test.display = std::move(picky);
    EXPECT_EQ(load(), code) << "surface " << failing;
    shutdownGame();
    test.display.reset();
  }
}

TEST_F(LoadingTest, ShutdownReleasesInOrderAndIsSafeTwice) {
  ASSERT_EQ(load(), 0);
  shutdownGame();
  EXPECT_EQ(test.released, (std::vector<std::string>{"keyboard", "input", "sound", "display"}));
  EXPECT_EQ(gSoundDevice, nullptr);
  EXPECT_EQ(gDirectDraw, nullptr);
  EXPECT_EQ(backBuffer, nullptr);
  EXPECT_EQ(primarySurface, nullptr);
  shutdownGame();
  EXPECT_EQ(test.released.size(), 4u);
}

TEST_F(LoadingTest, WithoutSoundDeviceTheGameRunsSilent) {
  test.withSound = false;
  ASSERT_EQ(load(), 0);
  EXPECT_EQ(gSoundDevice, nullptr);
  playSound(3);  // does nothing
  EXPECT_EQ(loadSound("data01.glb"), -1);
}

TEST_F(LoadingTest, PrepareDisplayMakesTheObjectsOnceAndRewritesOnlyTheGauges) {
  ASSERT_EQ(load(), 0);
  EXPECT_TRUE(tileLayer->colourKeyed());
  EXPECT_TRUE(backgroundLayer->colourKeyed());
  EXPECT_FALSE(gaugeSurface->colourKeyed());
  EXPECT_EQ(gaugeSurface->pixelAt(639, 0), 144);
  EXPECT_EQ(gaugeSurface->pixelAt(0, 6), 144);
  EXPECT_EQ(gaugeSurface->pixelAt(0, 7), 145);
  EXPECT_EQ(gaugeSurface->pixelAt(0, 111), 159);
  EXPECT_EQ(gaugeSurface->pixelAt(0, 112), 245);
  EXPECT_EQ(gaugeSurface->pixelAt(0, 115), 243);
  EXPECT_EQ(gaugeSurface->pixelAt(0, 118), 242);
  EXPECT_EQ(gaugeSurface->pixelAt(0, 123), 242);
  // The game palette is the picture's trailer with flags 6.
  EXPECT_EQ(targetPalette[10].red, 10);
  EXPECT_EQ(targetPalette[10].green, 245);
  EXPECT_EQ(targetPalette[10].blue, 5);
  EXPECT_EQ(targetPalette[10].flags, 6);

  Surface* layer = tileLayer;
  targetPalette[10].red = 99;
  gaugeSurface->fillAll(1);
  EXPECT_EQ(prepareDisplay(), 0);
  EXPECT_EQ(tileLayer, layer);
  EXPECT_EQ(targetPalette[10].red, 99);
  EXPECT_EQ(surfacesRestored, 0);
  EXPECT_EQ(gaugeSurface->pixelAt(0, 112), 245);
}

TEST(LoadErrorMessage, MissingFilesAndOtherCodesHaveTheirTexts) {
  EXPECT_EQ(loadErrorMessage(-1),
            "Not all of the data files are present for this program.\nPlease reinstall Glimb to correct this error.");
  std::string other = loadErrorMessage(33);
  EXPECT_EQ(other.rfind("Error trying to load Glimb!\nCode:33\nPlease contact ", 0), 0u);
  EXPECT_EQ(other.substr(other.size() - 17), " with this error.");
}

}  // namespace
