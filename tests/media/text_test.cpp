// Bitmap text: glyph choice, skipping cells left of the screen, stopping after
// x = 640, and the vertical limits, drawn with real sheets onto a 640 x 400 target.
#include "media/text.h"

#include <gtest/gtest.h>

#include <vector>

#include "media/pcx.h"
#include "media_test_support.h"

namespace {

// Records where each glyph was drawn: every frame of both sheets is filled
// with one value (1 + frame % 250) except frame 0, which is fully transparent,
// so the drawn cells can be read back from the target.
class TextTest : public ::testing::Test {
 protected:
  TextTest() : target(640, 400) {
    smallSheet.loadPicture(makeSheet("small.pcx", 256, 128, 16).c_str());  // 16 x 8 frames
    largeSheet.loadPicture(makeSheet("large.pcx", 640, 416, 32).c_str());  // 20 x 13 frames
    registerTextTargets(&target, &smallSheet, &largeSheet);
  }
  ~TextTest() override { registerTextTargets(nullptr, nullptr, nullptr); }

  std::string makeSheet(const std::string& name, int32_t width, int32_t height, int32_t cell) {
    std::vector<uint8_t> pixels(size_t(width) * height);
    const int32_t columns = width / cell;
    for (int32_t y = 0; y < height; y++)
      for (int32_t x = 0; x < width; x++) {
        const int32_t frame = (y / cell) * columns + x / cell;
        pixels[size_t(y) * width + x] = frame == 0 ? 0 : uint8_t(1 + frame % 250);
      }
    const std::string path = folder.file(name);
    writePcxFile(path, pixels.data(), width, height, width, testPalette().data(), nullptr);
    return path;
  }
  static uint8_t mark(int32_t frame) { return uint8_t(1 + frame % 250); }
  // How many pixels of the row were drawn.
  int32_t columnsDrawn(int32_t row) {
    int32_t n = 0;
    for (int32_t x = 0; x < 640; x++) n += target.pixelAt(x, row) != 0;
    return n;
  }

  TestDevice device;
  DeviceScope scope{&device};
  TempFolder folder;
  Surface target;
  SpriteSurface smallSheet{16, 16, 1};
  SpriteSurface largeSheet{32, 32, 1};
};

TEST_F(TextTest, SmallTextSkipsWholeCellsLeftOfTheScreen) {
  setClipRect(0, 0, 640, 400);
  drawTextSmall(-40, 10, "ABCDE");
  // C at -8 shows its right half, D at 8, E at 24; A and B never reach the screen.
  EXPECT_EQ(target.pixelAt(0, 10), mark('C'));
  EXPECT_EQ(target.pixelAt(7, 25), mark('C'));
  EXPECT_EQ(target.pixelAt(8, 10), mark('D'));
  EXPECT_EQ(target.pixelAt(24, 10), mark('E'));
  EXPECT_EQ(target.pixelAt(39, 10), mark('E'));
  EXPECT_EQ(target.pixelAt(40, 10), 0);
  EXPECT_EQ(smallSheet.x, 24);
  EXPECT_EQ(smallSheet.frameColumn, 'E' % 16);
  EXPECT_EQ(smallSheet.frameRow, 'E' / 16);
}

TEST_F(TextTest, SkippingNeverRunsPastTheEndOfTheText) {
  setClipRect(0, 0, 640, 400);
  smallSheet.setPosition(123, 45);
  drawTextSmall(-1000, 10, "AB");
  drawTextSmall(-32, 10, "AB");  // exactly two cells to skip: nothing left
  EXPECT_EQ(columnsDrawn(10), 0);
  EXPECT_EQ(smallSheet.x, 123);
  drawTextSmall(INT32_MIN, 10, "AB");
  drawTextSmall(-16, 10, "AB");  // one cell skipped, B at 0
  EXPECT_EQ(target.pixelAt(0, 10), mark('B'));
  EXPECT_EQ(columnsDrawn(10), 16);
}

TEST_F(TextTest, LargeTextAt31LeftSkipsNothingAndShowsBlanksForOtherBytes) {
  setClipRect(0, 0, 640, 400);
  drawTextLarge(-31, 0, "AB");
  EXPECT_EQ(target.pixelAt(0, 0), mark(184));  // A's last column
  EXPECT_EQ(target.pixelAt(1, 0), mark(185));  // B from x = 1
  EXPECT_EQ(target.pixelAt(32, 31), mark(185));
  EXPECT_EQ(target.pixelAt(33, 0), 0);
  target.fillAll(0);
  drawTextLarge(100, 100, "Ab1");
  EXPECT_EQ(columnsDrawn(100), 32);
  EXPECT_EQ(target.pixelAt(100, 100), mark(184));
  EXPECT_EQ(largeSheet.frameColumn, 0);  // the blanks are frame 0
  EXPECT_EQ(largeSheet.frameRow, 0);
  target.fillAll(0);
  drawTextLarge(0, 200, "Z[\\]");
  EXPECT_EQ(target.pixelAt(0, 200), mark(largeFontFrames['Z' - 'A']));
  EXPECT_EQ(target.pixelAt(32, 200), mark(173));
  EXPECT_EQ(target.pixelAt(64, 200), mark(230));
  EXPECT_EQ(target.pixelAt(96, 200), mark(8));
  EXPECT_EQ(largeFontFrames[16], 220);  // Q
}

TEST_F(TextTest, LinesWhollyAboveOrBelowTheScreenDrawNothing) {
  setClipRect(0, 0, 640, 400);
  drawTextSmall(0, 400, "A");
  drawTextSmall(0, -16, "A");
  EXPECT_EQ(smallSheet.x, 0);
  EXPECT_EQ(smallSheet.frameColumn, 0);
  for (int32_t row = 0; row < 400; row++) ASSERT_EQ(columnsDrawn(row), 0);
  drawTextSmall(0, -15, "A");
  EXPECT_EQ(target.pixelAt(0, 0), mark('A'));  // its bottom row on row 0
  EXPECT_EQ(target.pixelAt(0, 1), 0);
  setClipRect(0, 0, 0, 0);
  target.fillAll(0);
  drawTextSmall(0, -15, "A");  // sticks out of the target: not drawn without clipping
  EXPECT_EQ(columnsDrawn(0), 0);
  EXPECT_EQ(smallSheet.y, -15);
}

TEST_F(TextTest, LongLinesStopAfterTheCellStartingAt640) {
  const std::string line(60, 'H');
  Surface wide(700, 400);
  registerTextTargets(&wide, &smallSheet, &largeSheet);
  drawTextSmall(0, 0, line.c_str());
  EXPECT_EQ(smallSheet.x, 640);  // 41 cells: 0, 16, ..., 640
  EXPECT_EQ(wide.pixelAt(640, 0), mark('H'));
  EXPECT_EQ(wide.pixelAt(656, 0), 0);
  // The first character is drawn wherever it starts.
  drawTextSmall(650, 20, "HH");
  EXPECT_EQ(smallSheet.x, 650);
  EXPECT_EQ(wide.pixelAt(650, 20), mark('H'));
  EXPECT_EQ(wide.pixelAt(666, 20), 0);
}

TEST_F(TextTest, SmallFontUsesFrameZeroForBytesFrom128) {
  setClipRect(0, 0, 640, 400);
  drawTextSmall(0, 0, "\xC8" "A");
  EXPECT_EQ(target.pixelAt(0, 0), 0);
  EXPECT_EQ(target.pixelAt(16, 0), mark('A'));
  drawTextSmall(0, 50, "\xC8");
  EXPECT_EQ(smallSheet.frameColumn, 0);
  EXPECT_EQ(smallSheet.frameRow, 0);
}

}  // namespace
