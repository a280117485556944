// PCX: the writer's run rules, the reader's stream decoding at every depth,
// the header checks, and random pictures through writer and reader.
#include "media/pcx.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "media_test_support.h"

namespace {

// The run-length data of an encoded picture: what lies between header and palette trailer.
std::vector<uint8_t> encodedData(const std::vector<uint8_t>& pixels, int32_t width, int32_t height) {
  const std::vector<uint8_t> bytes = encodePcx(pixels.data(), width, height, width, testPalette().data());
  EXPECT_GE(bytes.size(), 128u + 769u);
  return std::vector<uint8_t>(bytes.begin() + 128, bytes.end() - 769);
}

TEST(PcxWriterTest, RunsStopAt63AndAtTheEndOfEachRow) {
  std::vector<uint8_t> expected;
  for (int i = 0; i < 10; i++) expected.insert(expected.end(), {0xFF, 0x21});
  expected.insert(expected.end(), {0xCA, 0x21});
  EXPECT_EQ(encodedData(std::vector<uint8_t>(640, 0x21), 640, 1), expected);

  // Two rows of one equal pixel each are never joined into one run.
  EXPECT_EQ(encodedData({0x05, 0x05}, 1, 2), (std::vector<uint8_t>{0x05, 0x05}));
  EXPECT_EQ(encodedData({0xD0, 0xD0}, 1, 2), (std::vector<uint8_t>{0xC1, 0xD0, 0xC1, 0xD0}));
  EXPECT_EQ(encodedData({7, 7, 7, 7, 7, 7}, 3, 2), (std::vector<uint8_t>{0xC3, 7, 0xC3, 7}));
}

TEST(PcxWriterTest, SinglePixelsAreBareBelow0xC0AndMarkedFrom0xC0) {
  EXPECT_EQ(encodedData({0xC0}, 1, 1), (std::vector<uint8_t>{0xC1, 0xC0}));
  EXPECT_EQ(encodedData({0xBF}, 1, 1), (std::vector<uint8_t>{0xBF}));
  EXPECT_EQ(encodedData({0x05, 0x05}, 2, 1), (std::vector<uint8_t>{0xC2, 0x05}));
  EXPECT_EQ(encodedData({0, 0xFF, 0xFF, 1}, 4, 1), (std::vector<uint8_t>{0, 0xC2, 0xFF, 1}));
}

TEST(PcxWriterTest, HeaderAndTrailerCarryTheWriterValues) {
  const std::vector<uint8_t> palette = testPalette();
  const std::vector<uint8_t> pixels(301 * 3, 4);
  const std::vector<uint8_t> bytes = encodePcx(pixels.data(), 301, 3, 301, palette.data());
  ASSERT_GT(bytes.size(), 128u + 769u);
  const std::vector<uint8_t> header(bytes.begin(), bytes.begin() + 128);
  std::vector<uint8_t> expected(128, 0);
  expected[0] = 0x0A;
  expected[1] = 5;
  expected[2] = 1;
  expected[3] = 8;
  expected[8] = 300 & 0xFF;
  expected[9] = 300 >> 8;
  expected[10] = 2;
  expected[12] = 72;
  expected[14] = 72;
  expected[65] = 1;
  expected[66] = 301 & 0xFF;
  expected[67] = 301 >> 8;
  EXPECT_EQ(header, expected);
  EXPECT_EQ(bytes[bytes.size() - 769], 0x0C);
  EXPECT_TRUE(std::equal(palette.begin(), palette.end(), bytes.end() - 768));
  EXPECT_TRUE(encodePcx(pixels.data(), 0, 3, 301, palette.data()).empty());
  EXPECT_TRUE(encodePcx(pixels.data(), 32769, 1, 301, palette.data()).empty());
}

// Decodes `data` as an 8-bit picture into memory `pitch` bytes a row, with 0xEE everywhere else.
std::vector<uint8_t> decode8(const std::vector<uint8_t>& data, int32_t width, int32_t height, int32_t pitch,
                             int64_t* decoded = nullptr) {
  std::vector<uint8_t> memory(size_t(pitch) * height, 0xEE);
  int64_t n = decodePcxPixels(data.data(), data.size(), width, height, memory.data(), pitch, 8, testPalette().data());
  if (decoded) *decoded = n;
  return memory;
}

TEST(PcxReaderTest, DecodesOneStreamWhoseRunsCrossRows) {
  // 0xC3 0x07 at the end of the first row continues into the second; pitch padding stays untouched.
  const std::vector<uint8_t> out = decode8({1, 0xC3, 0x07, 0xC0, 2}, 2, 3, 4);
  EXPECT_EQ(out, (std::vector<uint8_t>{1, 7, 0xEE, 0xEE, 7, 7, 0xEE, 0xEE, 0xC0, 2, 0xEE, 0xEE}));
}

TEST(PcxReaderTest, OvershootIsDroppedAndEndOfDataLeavesZeros) {
  int64_t decoded = 0;
  // A run of 63 into a 2 x 2 picture: four pixels, nothing past them.
  EXPECT_EQ(decode8({0xFF, 9}, 2, 2, 3, &decoded), (std::vector<uint8_t>{9, 9, 0xEE, 9, 9, 0xEE}));
  EXPECT_EQ(decoded, 4);
  // Data ends after three pixels; a run marker without its value ends it too.
  EXPECT_EQ(decode8({0xC3, 9, 0xC5}, 2, 3, 2, &decoded), (std::vector<uint8_t>{9, 9, 9, 0, 0, 0}));
  EXPECT_EQ(decoded, 3);
  EXPECT_EQ(decode8({}, 2, 1, 2, &decoded), (std::vector<uint8_t>{0, 0}));
  EXPECT_EQ(decoded, 0);
}

TEST(PcxReaderTest, DeeperSurfacesStorePaletteColoursInTheirOwnLayout) {
  const std::vector<uint8_t> palette = testPalette();  // entry 200: (200, 55, 1400 & 0xFF = 120)
  const uint32_t r = 200, g = 55, b = 120;
  auto decodeAt = [&](int32_t bits, int32_t bytes) {
    std::vector<uint8_t> memory(size_t(2 * bytes + 1) * 2, 0xEE);  // 2 x 2 with one spare byte a row
    decodePcxPixels(std::vector<uint8_t>{0xC4, 200}.data(), 2, 2, 2, memory.data(), 2 * bytes + 1, bits, palette.data());
    return memory;
  };
  auto word16 = [](const std::vector<uint8_t>& m, size_t at) { return uint32_t(m[at] | m[at + 1] << 8); };
  auto m15 = decodeAt(15, 2);
  EXPECT_EQ(word16(m15, 7), (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
  EXPECT_EQ(m15[4], 0xEE);
  auto m16 = decodeAt(16, 2);
  EXPECT_EQ(word16(m16, 0), (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
  auto m24 = decodeAt(24, 3);
  EXPECT_EQ((std::vector<uint8_t>(m24.begin() + 10, m24.begin() + 13)), (std::vector<uint8_t>{200, 55, 120}));
  auto m32 = decodeAt(32, 4);
  uint32_t word;
  std::memcpy(&word, m32.data() + 9 + 4, 4);
  EXPECT_EQ(word, r << 16 | g << 8 | b);
  // Any other depth stores nothing, though the pixels still count.
  std::vector<uint8_t> m12(8, 0xEE);
  EXPECT_EQ(decodePcxPixels(std::vector<uint8_t>{0xC4, 200}.data(), 2, 2, 2, m12.data(), 4, 12, palette.data()), 4);
  EXPECT_EQ(m12, std::vector<uint8_t>(8, 0xEE));
}

TEST(PcxReaderTest, HeaderChecksRefuseSizesTheFileCannotBack) {
  int32_t w = -1, h = -1;
  auto check = [&](int32_t width, int32_t height, uint64_t fileSize) {
    return checkPcxHeader(pcxHeader(width, height).data(), fileSize, &w, &h);
  };
  EXPECT_EQ(check(4, 4, 128 + 767), PcxProblem::TOO_SHORT);
  EXPECT_EQ(check(0, 4, 2000), PcxProblem::BAD_SIZE);
  EXPECT_EQ(check(4, -7, 2000), PcxProblem::BAD_SIZE);
  EXPECT_EQ(check(-32767, 4, 2000), PcxProblem::BAD_SIZE);  // XMax 0x8000
  EXPECT_EQ(check(32768, 32768, uint64_t(1) << 40), PcxProblem::TOO_LARGE);
  // 768 bytes of data hold at most 384 runs of 63 pixels; 769 one pixel more.
  EXPECT_EQ(check(24192, 1, 128 + 768), PcxProblem::NONE);
  EXPECT_EQ(w, 24192);
  EXPECT_EQ(h, 1);
  EXPECT_EQ(check(24193, 1, 128 + 768), PcxProblem::TOO_LITTLE_DATA);
  EXPECT_EQ(check(24193, 1, 128 + 769), PcxProblem::NONE);
  EXPECT_EQ(check(32768, 1, 128 + 1041), PcxProblem::TOO_LITTLE_DATA);

  PcxPicture picture;
  const std::vector<uint8_t> bad = pcxFile(30000, 500, {});
  EXPECT_EQ(decodePcx(bad.data(), bad.size(), &picture), PcxProblem::TOO_LITTLE_DATA);
  EXPECT_TRUE(picture.pixels.empty());
  EXPECT_EQ(decodePcx(bad.data(), 100, &picture), PcxProblem::TOO_SHORT);
}

TEST(PcxRoundTripTest, RandomPicturesComeBackIdentical) {
  std::mt19937 random(20261208);
  const std::vector<uint8_t> palette = testPalette();
  for (int round = 0; round < 60; round++) {
    const int32_t width = 1 + int32_t(random() % 150);
    const int32_t height = 1 + int32_t(random() % 40);
    const int32_t pitch = width + int32_t(random() % 5);
    std::vector<uint8_t> pixels(size_t(pitch) * height);
    // Runs of random length and value (many at or above 0xC0) mixed with noise.
    for (size_t i = 0; i < pixels.size();) {
      const uint8_t value = random() % 3 == 0 ? uint8_t(0xC0 + random() % 64) : uint8_t(random());
      size_t run = random() % 4 == 0 ? random() % 140 : 1;
      for (; run > 0 && i < pixels.size(); run--) pixels[i++] = value;
    }
    const std::vector<uint8_t> bytes = encodePcx(pixels.data(), width, height, pitch, palette.data());
    PcxPicture picture;
    ASSERT_EQ(decodePcx(bytes.data(), bytes.size(), &picture), PcxProblem::NONE);
    ASSERT_EQ(picture.width, width);
    ASSERT_EQ(picture.height, height);
    for (int32_t y = 0; y < height; y++)
      ASSERT_TRUE(std::equal(pixels.begin() + y * pitch, pixels.begin() + y * pitch + width,
                             picture.pixels.begin() + y * width))
          << "round " << round << " row " << y;
    EXPECT_TRUE(std::equal(palette.begin(), palette.end(), picture.palette));
  }
}

TEST(PcxFileTest, FilesAreWrittenReadAndTheirPaletteTakenFromTheEnd) {
  TempFolder folder;
  const std::vector<uint8_t> palette = testPalette();
  const std::vector<uint8_t> pixels = {1, 2, 0xC0, 0xC0, 5, 6};
  const std::string path = folder.file("picture.pcx");
  std::string error;
  ASSERT_TRUE(writePcxFile(path, pixels.data(), 3, 2, 3, palette.data(), &error)) << error;
  PcxPicture picture;
  ASSERT_TRUE(readPcxFile(path, &picture, &error)) << error;
  EXPECT_EQ(picture.pixels, pixels);
  uint8_t read[768] = {};
  ASSERT_TRUE(readPcxPalette(path, read));
  EXPECT_TRUE(std::equal(palette.begin(), palette.end(), read));

  EXPECT_FALSE(writePcxFile(folder.file("no/such/folder.pcx"), pixels.data(), 3, 2, 3, palette.data(), &error));
  EXPECT_NE(error.find("folder.pcx"), std::string::npos);
  EXPECT_FALSE(readPcxFile(folder.file("missing.pcx"), &picture, &error));
  EXPECT_NE(error.find("missing.pcx"), std::string::npos);
  writeBytes(path, std::vector<uint8_t>(500, 1));
  EXPECT_FALSE(readPcxFile(path, &picture, &error));
  EXPECT_NE(error.find("shorter"), std::string::npos);
  uint8_t untouched[768] = {9};
  writeBytes(path, std::vector<uint8_t>(767, 1));
  EXPECT_FALSE(readPcxPalette(path, untouched));
  EXPECT_EQ(untouched[0], 9);
}

}  // namespace
