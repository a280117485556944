// The intro show through runIntro and the frame loop: the layers as the
// records lay them out, the show's own palette, the 440 frames of its three
// phases, the credits line, skipping on a key, short files and the restore.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "game/front/intermission.h"
#include "game/handlers.h"
#include "game/shell.h"
#include "intermission_support.h"
#include "media/key_codes.h"

namespace {

// Record k's byte p; the records behind rows 384-399 are empty so that the
// credits line stands alone there.
uint8_t recordByte(int32_t k, int32_t p) {
  if (k >= 192 && k < 200) return 0;
  return uint8_t(1 + (p * 7 + k * 3) % 250);
}

// What the layers must hold at (x, y) for a record fully read.
uint8_t backAt(int32_t x, int32_t y) { return y % 2 == 0 ? recordByte(y / 2, x) : 0; }
uint8_t frontAt(int32_t x, int32_t y) {
  if (y % 2 == 0) return 0;
  return recordByte(y / 2, x < 640 ? 1920 + x : 1280 + (x - 640));
}

// `pictureBytes` bytes of records (the last one possibly cut short), then the palette.
std::vector<uint8_t> showFile(int64_t pictureBytes) {
  std::vector<uint8_t> bytes;
  for (int64_t i = 0; i < pictureBytes; i++) bytes.push_back(recordByte(int32_t(i / 2560), int32_t(i % 2560)));
  for (int i = 0; i < 256; i++) bytes.insert(bytes.end(), {uint8_t(i), uint8_t(2 * i), uint8_t(255 - i)});
  return bytes;
}
constexpr int64_t FULL_PICTURE = 400 * 2560;

class IntroTest : public IntermissionTest {
 protected:
  void writeShow(const std::vector<uint8_t>& bytes) { writeFile(data.path / "data00.glb", bytes); }
  // Re-arms the show as at program start (the fixture's load happened once).
  void restartShow() {
    releaseIntroLayers();
    introPhase = introTimer = introOffset = 0;
    gameState = STATE_INTRO;
    pendingState = 0;
    fadeMode = 0;
  }
};

TEST_F(IntroTest, LayersHoldTheRecordsInterleavedAndTheShowUsesItsOwnPalette) {
  writeShow(showFile(FULL_PICTURE));
  ASSERT_TRUE(start(STATE_INTRO));
  PaletteEntry gameColours[PALETTE_SIZE];
  std::memcpy(gameColours, targetPalette, sizeof gameColours);
  frame();
  ASSERT_NE(introBackLayer, nullptr);
  ASSERT_NE(introFrontLayer, nullptr);
  for (int32_t y : {0, 1, 2, 3, 398, 399, 798, 799}) {
    for (int32_t x : {0, 1, 639, 640, 641, 1279}) {
      EXPECT_EQ(introBackLayer->pixelAt(x, y), backAt(x, y)) << x << "," << y;
      EXPECT_EQ(introFrontLayer->pixelAt(x, y), frontAt(x, y)) << x << "," << y;
    }
  }
  EXPECT_TRUE(introFrontLayer->colourKeyed());
  for (int i : {0, 1, 128, 255}) {
    const PaletteEntry& e = displayDevice->palette[i];
    EXPECT_EQ(e.red, i);
    EXPECT_EQ(e.green, uint8_t(2 * i));
    EXPECT_EQ(e.blue, 255 - i);
    EXPECT_EQ(e.flags, INTRO_PALETTE_FLAGS);
  }
  EXPECT_EQ(std::memcmp(gameColours, targetPalette, sizeof gameColours), 0);
  EXPECT_EQ(currentPalette[128].red, 0);  // the fades still start from their own palette
}

TEST_F(IntroTest, WithoutInputTheShowLasts440FramesThroughItsThreePhases) {
  writeShow(showFile(FULL_PICTURE));
  ASSERT_TRUE(start(STATE_INTRO));
  struct Expected {
    int frame, phase, timer, offset;
  };
  // After these frames: the slide-in ends, the hold ends, the cross scroll
  // begins in the hold's last frame + 1, and so on to the slide-out.
  const Expected expected[] = {{1, 0, 0, 8},     {79, 0, 0, 632},   {80, 0, 1, 640},   {179, 0, 100, 640},
                               {180, 1, 0, 8},   {260, 1, 1, 648},  {358, 1, 99, 648}, {359, 1, 100, 0},
                               {360, 1, 100, 8}, {439, 1, 100, 640}};
  size_t next = 0;
  for (int f = 1; f <= 439; f++) {
    frame();
    ASSERT_EQ(pendingState, 0) << "frame " << f;
    if (next < std::size(expected) && expected[next].frame == f) {
      EXPECT_EQ(introPhase, expected[next].phase) << "frame " << f;
      EXPECT_EQ(introTimer, expected[next].timer) << "frame " << f;
      EXPECT_EQ(introOffset, expected[next].offset) << "frame " << f;
      next++;
    }
    // Spot checks of the picture in each movement.
    if (f == 41) {  // slide-in at 320: back half from the right, front half from the left
      EXPECT_EQ(shown(319, 0), 0);
      EXPECT_EQ(shown(320, 0), backAt(0, 0));
      EXPECT_EQ(shown(639, 2), backAt(319, 2));
      EXPECT_EQ(shown(0, 1), frontAt(960, 1));
      EXPECT_EQ(shown(319, 1), frontAt(1279, 1));
      EXPECT_EQ(shown(320, 1), 0);
    }
    if (f == 100) {  // picture one stands
      EXPECT_EQ(shown(5, 0), backAt(5, 0));
      EXPECT_EQ(shown(5, 1), frontAt(645, 1));
    }
    if (f == 220) {  // the cross scroll at 320: the layers move in opposite directions
      EXPECT_EQ(shown(0, 0), backAt(320, 0));
      EXPECT_EQ(shown(0, 1), frontAt(320, 1));
      EXPECT_EQ(shown(639, 1), frontAt(959, 1));
    }
    if (f == 300) {  // picture two stands
      EXPECT_EQ(shown(5, 0), backAt(645, 0));
      EXPECT_EQ(shown(5, 1), frontAt(5, 1));
    }
    if (f == 400) {  // slide-out at 320: back half to the left, front half to the right
      EXPECT_EQ(shown(0, 0), backAt(960, 0));
      EXPECT_EQ(shown(320, 0), 0);
      EXPECT_EQ(shown(319, 1), 0);
      EXPECT_EQ(shown(320, 1), frontAt(0, 1));
    }
  }
  frame();
  EXPECT_EQ(introPhase, 2);
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  EXPECT_EQ(gameState, STATE_FADE_HOLD);
  EXPECT_EQ(fadeMode, FADE_TO_WHITE | FADE_RUNNING);
  EXPECT_EQ(introBackLayer, nullptr);
  EXPECT_EQ(introFrontLayer, nullptr);
}

TEST_F(IntroTest, CreditsLineShowsWhilePictureOneSlidesIn) {
  writeShow(showFile(FULL_PICTURE));
  ASSERT_TRUE(start(STATE_INTRO));
  frame();
  Line credits = smallLineAt(384);
  EXPECT_EQ(credits.x, 168);
  ASSERT_EQ(credits.text.size(), 20u);
  EXPECT_EQ(credits.text[0], '\x7f');
  EXPECT_EQ(shown(168 + 320, 392), 0);
  while (introTimer == 0) frame();
  frame();
  EXPECT_EQ(leftEdgeAt(384), -1);
}

TEST_F(IntroTest, AnyKeySkipsTheShowAndItsFadeStartsFromTheFadePalette) {
  writeShow(showFile(FULL_PICTURE));
  ASSERT_TRUE(start(STATE_INTRO));
  for (int f = 1; f < 120; f++) frame();
  ASSERT_EQ(pendingState, 0);
  test.keyboard.held[KEY_SPACE] = 0x80;
  frame();
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  EXPECT_EQ(fadeMode, FADE_TO_WHITE | FADE_RUNNING);
  EXPECT_EQ(introBackLayer, nullptr);
  // At start currentPalette is all black: the first step is a uniform dark grey.
  frame();
  EXPECT_EQ(displayDevice->palette[77].red, 32);
  EXPECT_EQ(displayDevice->palette[200].blue, 32);
  for (int f = 0; f < 20 && gameState != STATE_TITLE_MENU; f++) frame();
  EXPECT_EQ(gameState, STATE_TITLE_MENU);
}

TEST_F(IntroTest, KeyHeldAtProgramStartSkipsTheShowInItsFirstFrame) {
  writeShow(showFile(FULL_PICTURE));
  ASSERT_TRUE(start(STATE_INTRO));
  test.keyboard.held[KEY_ENTER] = 0x80;
  frame();
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  EXPECT_EQ(introBackLayer, nullptr);
}

TEST_F(IntroTest, ShortShowFileFillsOnlyTheRowsItHoldsAndKeepsThePaletteApart) {
  // Three records and 100 bytes of a fourth: only the back row of the fourth begins.
  writeShow(showFile(3 * 2560 + 100));
  ASSERT_TRUE(start(STATE_INTRO));
  frame();
  ASSERT_NE(introBackLayer, nullptr);
  EXPECT_EQ(pendingState, 0);  // the show runs with what there is
  EXPECT_EQ(introBackLayer->pixelAt(1279, 4), backAt(1279, 4));
  EXPECT_EQ(introFrontLayer->pixelAt(0, 5), frontAt(0, 5));
  EXPECT_EQ(introBackLayer->pixelAt(99, 6), backAt(99, 6));
  EXPECT_EQ(introBackLayer->pixelAt(100, 6), 0);  // palette bytes are not taken for picture
  EXPECT_EQ(introFrontLayer->pixelAt(640, 7), 0);
  EXPECT_EQ(introBackLayer->pixelAt(0, 8), 0);
  EXPECT_EQ(displayDevice->palette[5].blue, 250);

  // A fourth record cut inside its front layer's right half.
  writeShow(showFile(3 * 2560 + 1300));
  restartShow();
  frame();
  ASSERT_NE(introFrontLayer, nullptr);
  EXPECT_EQ(introBackLayer->pixelAt(1279, 6), backAt(1279, 6));
  EXPECT_EQ(introFrontLayer->pixelAt(659, 7), frontAt(659, 7));
  EXPECT_EQ(introFrontLayer->pixelAt(660, 7), 0);
  EXPECT_EQ(introFrontLayer->pixelAt(0, 7), 0);
}

TEST_F(IntroTest, ShowFileTooShortForItsPaletteOrGoneIsSkipped) {
  writeShow(std::vector<uint8_t>(500, 7));
  ASSERT_TRUE(start(STATE_INTRO));
  PaletteEntry before = displayDevice->palette[9];
  frame();
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  EXPECT_EQ(introBackLayer, nullptr);
  EXPECT_EQ(displayDevice->palette[9].red, before.red);  // no unread palette sent

  fs::remove(data.path / "data00.glb");
  restartShow();
  frame();
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  EXPECT_EQ(introBackLayer, nullptr);
}

TEST_F(IntroTest, RestoredSurfacesReloadTheShowWhereItWas) {
  writeShow(showFile(FULL_PICTURE));
  ASSERT_TRUE(start(STATE_INTRO));
  for (int f = 0; f < 50; f++) frame();
  introBackLayer->markLost();
  introFrontLayer->markLost();
  displayDevice->palette[3] = PaletteEntry{};
  surfacesRestored = 1;  // as the display restore reports it
  frame();
  EXPECT_EQ(surfacesRestored, 0);
  EXPECT_EQ(introBackLayer->pixelAt(17, 20), backAt(17, 20));
  EXPECT_EQ(introFrontLayer->pixelAt(700, 21), frontAt(700, 21));
  EXPECT_EQ(displayDevice->palette[3].green, 6);
  EXPECT_EQ(introOffset, 51 * 8);
  EXPECT_EQ(shown(240, 0), backAt(0, 0));  // frame 51 draws the slide at 400
}

}  // namespace
