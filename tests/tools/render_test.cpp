// glimb-world render: the picture of a whole level (sky, background, foreground,
// frames by tile number), level numbering, PNG output and the refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "media/pcx.h"
#include "tests/tools/tool_run.h"
#include "world/world_file.h"

namespace {

constexpr uint8_t FRAME_BASE = 100;  // frame n of the test sheet is filled with 100 + n
constexpr int32_t HALF_CLEAR = 3;    // except that this frame's left half is colour 0

class RenderTest : public testing::Test {
 protected:
  const std::string data = scratchPath("data"), world = scratchPath("render.glw");

  // A 2-row sheet (40 frames) and a palette of distinct colours.
  static std::vector<uint8_t> sheet(int32_t width = 640) {
    std::vector<uint8_t> pixels(size_t(width) * 64);
    for (size_t i = 0; i < pixels.size(); i++) {
      const int32_t x = int32_t(i % width), frame = int32_t(i / width) / 32 * 20 + x / 32;
      pixels[i] = frame == 0 || (frame == HALF_CLEAR && x % 32 < 16) ? 0 : uint8_t(FRAME_BASE + frame);
    }
    uint8_t palette[768];
    for (int i = 0; i < 768; i++) palette[i] = uint8_t(i % 3 == 0 ? i / 3 : i % 3 == 1 ? 255 - i / 3 : i * 7);
    return encodePcx(pixels.data(), width, 64, width, palette);
  }
  void writeSheet(const std::vector<uint8_t>& bytes) {
    std::ofstream(data + "/data09.glb", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  static LevelRecord level(int32_t width, int32_t height, int32_t flags = LEVEL_SCROLL_RIGHT) {
    LevelRecord level{height, width, flags, std::vector<int32_t>(size_t(width) * height), {}};
    level.background = level.foreground;
    return level;
  }
  static void put(std::vector<int32_t>& layer, int32_t column, int32_t row, int32_t tile) {
    layer[size_t(column) * 12 + row] = tile;
  }

  // Level 1: tile 1 at (0, 0). Level 2 has a background: tile 1 over tile 2 at (1, 1),
  // the half-clear tile over tile 2 at (2, 2) and over nothing at (3, 3), frame 25 of
  // the second sheet row at (4, 4), tile 50 (past the sheet) at (5, 5).
  void SetUp() override {
    std::filesystem::create_directories(data);
    writeSheet(sheet());
    World sample = blankWorld();
    put(sample.levels[0].foreground, 0, 0, 1);
    LevelRecord second = level(20, 12, LEVEL_SCROLL_RIGHT | LEVEL_BACKGROUND);
    for (auto [cell, front, back] :
         {std::tuple{1, 1, 2}, {2, HALF_CLEAR, 2}, {3, HALF_CLEAR, 0}, {4, 25, 0}, {5, 50, 0}}) {
      put(second.foreground, cell, cell, front);
      put(second.background, cell, cell, back);
    }
    sample.levels.push_back(second);
    ASSERT_TRUE(writeWorldFile(world, sample, nullptr));
  }

  ToolRun render(const std::string& level, const std::string& out, const std::string& file = "") {
    return runTool("render --data '" + data + "' '" + (file.empty() ? world : file) + "' " + level + " '" + out + "'");
  }
  static PcxPicture picture(const std::string& path) {
    PcxPicture picture;
    std::string error;
    EXPECT_TRUE(readPcxFile(path, &picture, &error)) << error;
    return picture;
  }
  static int at(const PcxPicture& picture, int32_t x, int32_t y) {
    return picture.pixels.at(size_t(y) * picture.width + x);
  }
  static int sky(int32_t y) { return 144 + y * 16 / 384; }  // the play sky's 16 bands over the level's height
};

TEST_F(RenderTest, DrawsTheChosenLevelsLayersOverTheSkyWithColourZeroClear) {
  const std::string out = scratchPath("level2.pcx");
  ASSERT_EQ(render("2", out).status, 0);
  const PcxPicture second = picture(out);
  ASSERT_EQ(second.width * 1000 + second.height, 640 * 1000 + 384);
  EXPECT_EQ(second.palette[3 * 200 + 1], 55);  // the sheet's palette
  EXPECT_EQ(at(second, 0, 0), 144);
  EXPECT_EQ(at(second, 639, 383), 159);
  EXPECT_EQ(at(second, 32 + 10, 32 + 20), FRAME_BASE + 1) << "foreground over background";
  EXPECT_EQ(at(second, 64 + 5, 64 + 5), FRAME_BASE + 2) << "background through the clear half";
  EXPECT_EQ(at(second, 64 + 20, 64 + 5), FRAME_BASE + HALF_CLEAR);
  EXPECT_EQ(at(second, 96 + 5, 96 + 5), sky(96 + 5)) << "sky through the clear half";
  EXPECT_EQ(at(second, 128 + 31, 128), FRAME_BASE + 25) << "a frame of the second sheet row";
  EXPECT_EQ(at(second, 160 + 3, 160 + 3), sky(160 + 3)) << "a tile past the sheet draws nothing";
  EXPECT_EQ(at(second, 5, 5), 144) << "level 1's tile is not in level 2";

  // Without --data the sheet is taken from the working folder.
  const ToolRun run = runTool("render '" + world + "' 1 '" + out + "'", "cd '" + data + "' &&");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(at(picture(out), 5, 5), FRAME_BASE + 1);
}

TEST_F(RenderTest, PngHoldsTheSamePictureAsPcx) {
  const std::string png = scratchPath("level2.PNG"), pcx = scratchPath("same.pcx"), rgb = scratchPath("png.rgb");
  ASSERT_EQ(render("2", png).status, 0);
  ASSERT_EQ(render("2", pcx).status, 0);
  const std::string bytes = slurp(png);
  EXPECT_EQ(bytes.substr(0, 24),
            std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x02\x80\0\0\x01\x80", 24));  // 640 x 384
  if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick convert is missing";
  ASSERT_EQ(std::system(("convert '" + png + "' -depth 8 'rgb:" + rgb + "'").c_str()), 0);
  const std::string decoded = slurp(rgb);
  const PcxPicture expected = picture(pcx);
  ASSERT_EQ(decoded.size(), expected.pixels.size() * 3);
  for (size_t i = 0; i < decoded.size(); i++) {
    ASSERT_EQ(uint8_t(decoded[i]), expected.palette[3 * expected.pixels[i / 3] + i % 3]) << "byte " << i;
  }
}

TEST_F(RenderTest, RefusesBadLevelsWorldsAndSheetsAndWritesNothing) {
  const std::string out = scratchPath("never.png");
  for (const char* level : {"0", "3", "x", "1.5", "''", "99999999999"})
    EXPECT_EQ(render(level, out).status, 2) << level;
  EXPECT_NE(render("3", out).err.find("has 2 levels; there is no level 3"), std::string::npos);
  EXPECT_EQ(runTool("render '" + world + "' 1").status, 2);

  World unplayable = blankWorld(), huge = blankWorld();
  unplayable.levels[0] = level(10, 12);
  huge.levels[0] = level(300, 300);
  ASSERT_TRUE(writeWorldFile(scratchPath("small.glw"), unplayable, nullptr));
  ASSERT_TRUE(writeWorldFile(scratchPath("huge.glw"), huge, nullptr));
  const ToolRun unsound = render("1", out, scratchPath("small.glw"));
  EXPECT_EQ(unsound.status, 1);
  EXPECT_NE(unsound.err.find("small.glw: "), std::string::npos) << unsound.err;
  const ToolRun tooBig = render("1", out, scratchPath("huge.glw"));
  EXPECT_EQ(tooBig.status, 1);
  EXPECT_NE(tooBig.err.find("9600 x 9600 pixels, more than the 64 Mpixel"), std::string::npos) << tooBig.err;

  writeSheet(sheet(320));
  EXPECT_NE(render("1", out).err.find("must be 640 wide"), std::string::npos);
  writeSheet({'n', 'o', 't'});
  EXPECT_EQ(render("1", out).status, 1);
  std::filesystem::remove(data + "/data09.glb");
  const ToolRun noSheet = render("1", out);
  EXPECT_EQ(noSheet.status, 1);
  EXPECT_NE(noSheet.err.find("data09.glb is not in " + data), std::string::npos) << noSheet.err;
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(RenderTest, AFailedWriteNamesThePathAndLeavesNoPartialPicture) {
  const std::string folder = scratchPath("pictures");
  std::filesystem::create_directories(folder + "/taken.png");
  const ToolRun run = render("1", folder + "/taken.png");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(folder + "/taken.png: cannot be written"), std::string::npos) << run.err;
  EXPECT_EQ(render("1", folder + "/missing/out.pcx").status, 1);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "only the folder in the way";
}

}  // namespace
