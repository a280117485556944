// Screen capture: the first free numbered name, the file's layout, refusals
// that leave nothing behind, and a check of the file by ImageMagick.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "media/pcx.h"
#include "media_test_support.h"

namespace {

class CaptureTest : public ::testing::Test {
 protected:
  CaptureTest() : screen(640, 480, 8, 704), palette(testPalette()) {
    // Every pixel of the 640 x 400 picture differs from its neighbours often
    // enough to make short runs; the bytes beyond 640 and row 400 are 0xEE.
    screen.fillAll(0xEE);
    for (int32_t y = 0; y < 400; y++)
      for (int32_t x = 0; x < 640; x++) screen.pixels()[y * 704 + x] = uint8_t((x / 3 + y * 5) % 256);
  }
  void touch(const std::string& name) { writeBytes(folder.file(name), {1}); }
  std::string captureName() {
    std::string path;
    EXPECT_EQ(captureScreen(screen, palette.data(), folder.path.string(), &path), CAPTURE_OK);
    return std::filesystem::path(path).filename().string();
  }

  TempFolder folder;
  Surface screen;
  std::vector<uint8_t> palette;
};

TEST_F(CaptureTest, TakesTheLowestFreeNumberAndGoesPast9999) {
  EXPECT_EQ(captureFileName(7), "capt0007.pcx");
  EXPECT_EQ(captureFileName(10000), "capt10000.pcx");
  touch("capt0001.pcx");
  EXPECT_EQ(captureName(), "capt0000.pcx");  // the gap first
  touch("capt0002.pcx");
  EXPECT_EQ(captureName(), "capt0003.pcx");
  for (int32_t n = 4; n <= 9999; n++) touch(captureFileName(n));
  EXPECT_EQ(captureName(), "capt10000.pcx");
}

TEST_F(CaptureTest, NeverWritesThroughAnExistingName) {
  // A link to a file that does not exist is a taken name, not a way to create that file.
  std::filesystem::create_symlink(folder.path / "elsewhere.pcx", folder.path / "capt0000.pcx");
  std::filesystem::create_directory(folder.path / "capt0001.pcx");
  EXPECT_EQ(captureName(), "capt0002.pcx");
  EXPECT_FALSE(std::filesystem::exists(folder.path / "elsewhere.pcx"));
}

TEST_F(CaptureTest, FileHoldsHeaderRunsMarkAndPaletteOfTheFirst640By400Pixels) {
  const std::string name = captureName();
  const std::vector<uint8_t> bytes = readBytes(folder.file(name));
  std::vector<uint8_t> packed(640 * 400);
  for (int32_t y = 0; y < 400; y++) std::copy(screen.pixels() + y * 704, screen.pixels() + y * 704 + 640, &packed[y * 640]);
  EXPECT_EQ(bytes, encodePcx(packed.data(), 640, 400, 640, palette.data()));
  ASSERT_GT(bytes.size(), 128u + 769u);
  EXPECT_EQ(bytes[8] | bytes[9] << 8, 639);
  EXPECT_EQ(bytes[10] | bytes[11] << 8, 399);
  EXPECT_EQ(bytes[66] | bytes[67] << 8, 640);
  EXPECT_EQ(bytes[bytes.size() - 769], 0x0C);
  EXPECT_TRUE(std::equal(palette.begin(), palette.end(), bytes.end() - 768));
  PcxPicture picture;
  ASSERT_EQ(decodePcx(bytes.data(), bytes.size(), &picture), PcxProblem::NONE);
  EXPECT_EQ(picture.pixels, packed);
  EXPECT_FALSE(screen.isLocked());
}

TEST_F(CaptureTest, RefusalsWriteNothingAndLeaveTheSurfaceUsable) {
  screen.lock();
  EXPECT_EQ(captureScreen(screen, palette.data(), folder.path.string()), CAPTURE_NOT_LOCKED);
  screen.unlock();
  screen.markLost();
  EXPECT_EQ(captureScreen(screen, palette.data(), folder.path.string()), CAPTURE_NOT_LOCKED);
  screen.restore();
  Surface small(320, 400);
  EXPECT_EQ(captureScreen(small, palette.data(), folder.path.string()), CAPTURE_BAD_SURFACE);
  Surface deep(640, 400, 16);
  EXPECT_EQ(captureScreen(deep, palette.data(), folder.path.string()), CAPTURE_BAD_SURFACE);
  EXPECT_EQ(captureScreen(screen, palette.data(), folder.file("missing")), CAPTURE_NOT_CREATED);
  EXPECT_TRUE(std::filesystem::is_empty(folder.path));
  EXPECT_NE(screen.lock(), nullptr);
}

TEST_F(CaptureTest, ImageMagickDecodesTheCaptureToTheSamePixels) {
  if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick's convert is not installed";
  const std::string path = folder.file(captureName());
  const std::string command = "convert '" + path + "' -depth 8 rgb:- 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::vector<uint8_t> rgb;
  uint8_t chunk[65536];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) rgb.insert(rgb.end(), chunk, chunk + n);
  ASSERT_EQ(pclose(pipe), 0);
  ASSERT_EQ(rgb.size(), size_t(640 * 400 * 3));
  for (int32_t y = 0; y < 400; y++)
    for (int32_t x = 0; x < 640; x++) {
      const uint8_t index = screen.pixelAt(x, y);
      const uint8_t* got = &rgb[(y * 640 + x) * 3];
      ASSERT_TRUE(got[0] == palette[index * 3] && got[1] == palette[index * 3 + 1] && got[2] == palette[index * 3 + 2])
          << "pixel " << x << "," << y;
    }
}

}  // namespace
