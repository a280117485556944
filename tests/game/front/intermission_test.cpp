// The intro show, the level intro and the congratulations screen through the
// frame loop over a loaded game whose font glyphs are solid blocks coloured
// by frame number, so each line's place and text are read back from the picture.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "game/frame_loop.h"
#include "game/front/intermission.h"
#include "game/game_vars.h"
#include "game_test_support.h"
#include "media/pcx.h"
#include "media/sprite_surface.h"

namespace {

std::vector<uint8_t> blockSheet(int32_t cell, int32_t columns, int32_t rows) {
  int32_t w = cell * columns, h = cell * rows;
  std::vector<uint8_t> pixels(size_t(w) * h);
  for (int32_t y = 0; y < h; y++)
    for (int32_t x = 0; x < w; x++) pixels[size_t(y) * w + x] = uint8_t((y / cell) * columns + x / cell);
  uint8_t palette[768] = {};
  return encodePcx(pixels.data(), w, h, w, palette);
}

// Record k's byte p; records 192-199 (screen rows 384-399) are empty so the credits stand alone.
uint8_t recordByte(int32_t k, int32_t p) { return k >= 192 && k < 200 ? 0 : uint8_t(1 + (p * 7 + k * 3) % 250); }
uint8_t backAt(int32_t x, int32_t y) { return y % 2 ? 0 : recordByte(y / 2, x); }
uint8_t frontAt(int32_t x, int32_t y) { return y % 2 ? recordByte(y / 2, x < 640 ? 1920 + x : 640 + x) : 0; }

// `pictureBytes` of records, then the palette entry i = (i, 2i, 255 - i).
std::vector<uint8_t> showFile(int64_t pictureBytes = 400 * 2560) {
  std::vector<uint8_t> bytes;
  for (int64_t i = 0; i < pictureBytes; i++) bytes.push_back(recordByte(int32_t(i / 2560), int32_t(i % 2560)));
  for (int i = 0; i < 256; i++) bytes.insert(bytes.end(), {uint8_t(i), uint8_t(2 * i), uint8_t(255 - i)});
  return bytes;
}

class IntermissionTest : public LoadedShellTest {
 protected:
  void SetUp() override {
    LoadedShellTest::SetUp();
    writeFile(data.path / "data09.glb", blockSheet(32, 16, 15));  // the large font's frames among 240
    writeFile(data.path / "data12.glb", blockSheet(16, 16, 8));   // 128 small glyphs
    writeFile(data.path / "data00.glb", showFile());
    levelIntroFirstFrame = congratsFirstFrame = 1;
    setClipRect(0, 0, 0, 0);
    ASSERT_EQ(load(), 0);
    startFrameLoop();
  }
  void TearDown() override {
    releaseIntroLayers();
    LoadedShellTest::TearDown();
  }
  void startShow() {
    releaseIntroLayers();
    introPhase = introTimer = introOffset = 0;
    gameState = STATE_INTRO;
    pendingState = fadeMode = 0;
  }
  void frames(int n) {
    for (int i = 0; i < n; i++) ASSERT_TRUE(runFramePass());
  }
  uint8_t shown(int32_t x, int32_t y) const { return primarySurface->pixelAt(x, y); }
  // First drawn pixel of the text line at y (-1 for none), and the small-font text from there.
  int32_t lineX(int32_t y) const {
    for (int32_t x = 0; x < 640; x++)
      if (shown(x, y + 8)) return x;
    return -1;
  }
  std::string lineText(int32_t y) const {
    std::string text;
    for (int32_t x = lineX(y); x >= 0 && x < 640 && shown(x, y + 8); x += 16) text += char(shown(x, y + 8));
    return text;
  }
};

TEST_F(IntermissionTest, IntroLayersInterleaveTheRecordsAndShowTheirOwnPalette) {
  PaletteEntry game = targetPalette[100];
  startShow();
  frames(1);
  for (int32_t y : {0, 1, 398, 799})
    for (int32_t x : {0, 639, 640, 1279}) {
      EXPECT_EQ(introBackLayer->pixelAt(x, y), backAt(x, y)) << x << "," << y;
      EXPECT_EQ(introFrontLayer->pixelAt(x, y), frontAt(x, y)) << x << "," << y;
    }
  EXPECT_EQ(displayDevice->palette[100].green, 200);
  EXPECT_EQ(displayDevice->palette[100].flags, INTRO_PALETTE_FLAGS);
  EXPECT_EQ(targetPalette[100].green, game.green);
  // The credits: 20 characters from symbol 127 at (168, 384), only while picture one slides in.
  EXPECT_EQ(lineX(384), 168);
  EXPECT_EQ(lineText(384).size(), 20u);
  EXPECT_EQ(lineText(384)[0], '\x7f');
  frames(90);
  EXPECT_EQ(lineX(384), -1);
}

TEST_F(IntermissionTest, IntroRuns440FramesThroughSlideHoldScrollHoldSlide) {
  startShow();
  struct { int frame, phase, timer, offset; } at[] = {{41, 0, 0, 328}, {79, 0, 0, 632}, {80, 0, 1, 640},
      {179, 0, 100, 640}, {180, 1, 0, 8}, {220, 1, 0, 328}, {260, 1, 1, 648}, {359, 1, 100, 0},
      {400, 1, 100, 328}, {439, 1, 100, 640}};
  int done = 0;
  for (auto [frame, phase, timer, offset] : at) {
    frames(frame - done);
    done = frame;
    EXPECT_EQ(pendingState, 0) << frame;
    EXPECT_EQ(introPhase * 10000 + introTimer * 1000 + introOffset, phase * 10000 + timer * 1000 + offset) << frame;
    if (frame == 41) {  // slide-in at 320: back from the right, front from the left
      EXPECT_EQ(shown(320, 0), backAt(0, 0));
      EXPECT_EQ(shown(319, 0), 0);
      EXPECT_EQ(shown(0, 1), frontAt(960, 1));
    } else if (frame == 220) {  // cross scroll at 320, the layers in opposite directions
      EXPECT_EQ(shown(0, 0), backAt(320, 0));
      EXPECT_EQ(shown(639, 1), frontAt(959, 1));
    } else if (frame == 400) {  // slide-out at 320: back to the left, front to the right
      EXPECT_EQ(shown(0, 0), backAt(960, 0));
      EXPECT_EQ(shown(320, 1), frontAt(0, 1));
      EXPECT_EQ(shown(319, 1), 0);
    }
  }
  frames(1);
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  EXPECT_EQ(fadeMode, FADE_TO_WHITE | FADE_RUNNING);
  EXPECT_EQ(introBackLayer, nullptr);
}

TEST_F(IntermissionTest, AnyKeySkipsTheIntroAndItsFadeStartsFromBlack) {
  startShow();
  frames(119);
  test.keyboard.held[KEY_SPACE] = 0x80;
  frames(2);
  EXPECT_EQ(gameState, STATE_FADE_HOLD);
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  EXPECT_EQ(introBackLayer, nullptr);
  EXPECT_EQ(displayDevice->palette[77].red, 32);  // a uniform dark grey first
}

TEST_F(IntermissionTest, ShortOrMissingShowFilesNeverReadPastTheirData) {
  writeFile(data.path / "data00.glb", showFile(3 * 2560 + 1300));  // a fourth record cut in its front half
  startShow();
  frames(1);
  ASSERT_NE(introBackLayer, nullptr);
  EXPECT_EQ(introBackLayer->pixelAt(1279, 6), backAt(1279, 6));
  EXPECT_EQ(introFrontLayer->pixelAt(659, 7), frontAt(659, 7));
  EXPECT_EQ(introFrontLayer->pixelAt(660, 7), 0);  // the palette is not taken for picture
  EXPECT_EQ(displayDevice->palette[5].blue, 250);
  // Too short for a palette, or gone: no show at all, straight to the title menu.
  for (bool gone : {false, true}) {
    if (gone) fs::remove(data.path / "data00.glb");
    else writeFile(data.path / "data00.glb", std::vector<uint8_t>(500, 7));
    startShow();
    frames(1);
    EXPECT_EQ(pendingState, STATE_TITLE_MENU);
    EXPECT_EQ(introBackLayer, nullptr);
    EXPECT_EQ(displayDevice->palette[5].blue, 250);
  }
}

TEST_F(IntermissionTest, RestoredSurfacesReloadTheIntroWhereItWas) {
  startShow();
  frames(50);
  introBackLayer->markLost();
  introFrontLayer->markLost();
  surfacesRestored = 1;
  frames(1);
  EXPECT_EQ(surfacesRestored, 0);
  EXPECT_EQ(introFrontLayer->pixelAt(700, 21), frontAt(700, 21));
  EXPECT_EQ(shown(240, 0), backAt(0, 0));  // frame 51 slides at 400
}

TEST_F(IntermissionTest, LevelIntroLinesSlideFrom632AndRestAtTheirPlaces) {
  worldName = "ABCDEFGHIJKLMNOPQRST";  // 20 large characters: centred at 0
  worldAuthor = "Ann Author";
  levelIndex = 1, levelCount = 5, lives = 3, difficulty = DIFFICULTY_HARD;
  gameState = STATE_LEVEL_INTRO;
  frames(1);
  EXPECT_EQ(lineX(64), 632);
  EXPECT_EQ(paletteSettled, 1);  // the game palette is back at once
  frames(59);  // levelIntroX = 160
  EXPECT_EQ(lineX(112), 240);  // reached its centre
  EXPECT_EQ(lineX(160), 288);  // still 128 behind the name
  frames(70);
  EXPECT_EQ(lineX(64), 0);
  std::pair<int32_t, const char*> lines[] = {{112, "Ann Author"}, {160, "Level 2 of 5"}, {192, "Lives: 3"},
                                             {224, "Difficulty: Hard"}, {272, "Press any key to begin!"}};
  for (auto [y, text] : lines) {
    EXPECT_EQ(lineText(y), text);
    EXPECT_EQ(lineX(y), y == 272 ? 160 : 320 - 8 * int32_t(std::strlen(text))) << text;
  }
}

TEST_F(IntermissionTest, KeyHeldWhenALevelIntroBeginsDoesNotStartTheLevel) {
  gameState = STATE_LEVEL_INTRO;
  test.keyboard.held[KEY_SPACE] = 0x80;  // still held from the screen before
  test.keyboard.releaseAfter = test.keyboard.reads + 6;
  frames(5);
  EXPECT_EQ(pendingState, 0);
  test.keyboard.releaseAfter = -1;
  test.keyboard.held[KEY_P] = 0x80;
  frames(1);
  EXPECT_EQ(pendingState, STATE_LEVEL_START);
  EXPECT_EQ(fadeMode, FADE_TO_WHITE | FADE_RUNNING);
  test.keyboard.held[KEY_P] = 0;
  for (int f = 0; f < 20 && gameState == STATE_FADE_HOLD; f++) frames(1);
  EXPECT_EQ(gameState, STATE_LEVEL_START);
  // The next showing waits again and slides from the right edge.
  gameState = STATE_LEVEL_INTRO;
  test.keyboard.held[KEY_P] = 0x80;
  test.keyboard.releaseAfter = test.keyboard.reads + 3;
  frames(1);
  EXPECT_EQ(pendingState, 0);
  EXPECT_EQ(levelIntroX, 632);
}

TEST_F(IntermissionTest, CongratulationsLinesArriveInTurnAndTheLastOvershootsBy8) {
  gameState = STATE_CONGRATULATIONS;
  frames(10);
  EXPECT_EQ(lineX(64), 560);
  EXPECT_EQ(lineX(128), -1);  // nothing follows the title yet
  frames(256);
  EXPECT_EQ(congratsStep, 3);
  int32_t last[3];
  for (int32_t& x : last) {
    frames(1);
    x = lineX(240);
  }
  EXPECT_EQ(last[0], 96);
  EXPECT_EQ(last[1], 88);  // arrives here, then stands at its place
  EXPECT_EQ(last[2], 96);
  EXPECT_EQ(lineX(64), 64);
  EXPECT_EQ(lineText(128), "You have beaten all of the");
  EXPECT_EQ(lineX(160), 152);
  EXPECT_EQ(lineText(240), "Press any key to continue...");
  // Left up for weeks, the position would overflow if it kept moving.
  congratsX = INT32_MIN + 4;
  frames(1);
  EXPECT_EQ(congratsX, INT32_MIN + 4);
  EXPECT_EQ(pendingState, 0);
}

TEST_F(IntermissionTest, CongratulationsWaitsForReleaseThenAnyKeyLeavesAtOnce) {
  gameState = STATE_CONGRATULATIONS;
  test.keyboard.held[KEY_ENTER] = 0x80;
  test.keyboard.releaseAfter = test.keyboard.reads + 4;
  frames(3);
  EXPECT_EQ(pendingState, 0);
  test.keyboard.releaseAfter = -1;
  test.keyboard.held[KEY_SPACE] = 0x80;  // while the title still slides
  frames(1);
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  EXPECT_EQ(congratsFirstFrame, 1);
}

}  // namespace
