// The set of files, their sizes, the class table and the editor's palette map, and
// that two runs of the generator write the same bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include <unistd.h>

#include "content/sheet.h"
#include "content/tile_set.h"
#include "content_fixture.h"

namespace {

uint16_t classOf(int tile) {
  const std::vector<uint8_t>& t = file("data07.glb");
  return uint16_t(t[2 * tile] | t[2 * tile + 1] << 8);
}

TEST(ContentFiles, AllThirtyNineDataFilesAndTheEditorPictureAndTileNamesAreMade) {
  for (int i = 0; i <= 0x26; ++i) EXPECT_TRUE(content().count(dataFileName(i))) << dataFileName(i);
  EXPECT_TRUE(content().count("glegfx.pcx"));
  EXPECT_TRUE(content().count("gletiles.txt"));
  EXPECT_EQ(content().size(), 41u);
  const std::vector<uint8_t>& names = file("gletiles.txt");
  const std::string text(names.begin(), names.end());
  EXPECT_NE(text.find("\n41 earth\n"), std::string::npos);
  EXPECT_EQ(text.rfind("0 empty\n", 0), 0u);
  EXPECT_EQ(dataFileName(0x0a), "data0a.glb");
  EXPECT_EQ(dataFileName(0x26), "data26.glb");
}

TEST(ContentFiles, FixedSizeFilesHaveTheirSizes) {
  EXPECT_EQ(file("data00.glb").size(), 1024000u + 768u);
  EXPECT_EQ(file("data07.glb").size(), 480u);
  EXPECT_EQ(file("data06.glb").size(), 480u);
  const std::vector<uint8_t>& demo = file("data14.glb");
  ASSERT_GE(demo.size(), 2u);
  size_t columns = size_t(demo[0] | demo[1] << 8) + 1;
  EXPECT_GE(columns, 20u);
  EXPECT_EQ(demo.size(), 2 + columns * 12);
}

TEST(ContentFiles, ClassTableAgreesWithTheFixedTileNumbers) {
  EXPECT_EQ(classOf(0), CLASS_NONE);
  EXPECT_EQ(classOf(17), CLASS_CHECKPOINT);
  EXPECT_NE(classOf(18), CLASS_CHECKPOINT);
  EXPECT_NE(classOf(19), CLASS_CHECKPOINT);
  for (int solid : {20, 22, 38, 40}) EXPECT_EQ(classOf(solid), CLASS_SOLID) << solid;
  EXPECT_NE(classOf(69), CLASS_SOLID);
  EXPECT_EQ(classOf(86), CLASS_SIDE_TRIGGER);
  EXPECT_NE(classOf(105), CLASS_SIDE_TRIGGER);  // a rung bell does not ring again
  EXPECT_EQ(classOf(88), CLASS_CRUMBLING);
  EXPECT_EQ(classOf(85), CLASS_WATER);  // what the fish leaves behind
  // Figures and spawners never block or hurt by themselves.
  for (int t : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 13, 15, 33, 34, 53, 55, 65, 68, 77, 78, 79, 121, 144, 26})
    EXPECT_EQ(classOf(t), CLASS_NONE) << t;
  // Every class play tests is used by some tile, and no other class appears.
  std::set<uint16_t> used;
  for (int t = 0; t < TILE_COUNT; ++t) used.insert(classOf(t));
  EXPECT_EQ(used, (std::set<uint16_t>{0, 1, 3, 4, 5, 6, 7, 9, 17}));
}

TEST(ContentFiles, EditorPaletteMapsEveryCellToATileOfTheSheet) {
  const std::vector<uint8_t>& m = file("data06.glb");
  std::set<int> painted;
  for (int i = 0; i < PALETTE_CELLS; ++i) {
    int tile = m[2 * i] | m[2 * i + 1] << 8;
    EXPECT_LT(tile, TILE_COUNT) << "cell " << i;
    painted.insert(tile);
  }
  int random = m[2 * PALETTE_RANDOM_CELL];
  EXPECT_GE(random, 130);
  EXPECT_LE(random, 134);
  // Every tile a typed key places can also be painted from the palette.
  for (int t : {87, 114, 17, 26, 41, 105, 164, 73, 40, 22, 66, 161, 117, 108, 140, 23, 109, 160, 20, 21, 85, 69,
                88, 112, 135, 106, 90, 70, 110, 43, 63, 27, 81, 83, 98, 95, 29, 184, 204, 220, 230, 173})
    EXPECT_TRUE(painted.count(t)) << t;
}

std::map<std::string, std::string> readFolder(const std::filesystem::path& dir) {
  std::map<std::string, std::string> out;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    out[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
  }
  return out;
}

TEST(ContentFiles, TwoRunsOfTheGeneratorWriteIdenticalFiles) {
  namespace fs = std::filesystem;
  fs::path base = fs::temp_directory_path() / ("glimb-content-test-" + std::to_string(::getpid()));
  fs::remove_all(base);
  std::map<std::string, std::string> runs[2];
  for (int r = 0; r < 2; ++r) {
    fs::path dir = base / std::to_string(r);
    fs::create_directories(dir);
    std::string command = std::string("\"") + CONTENT_GENERATOR + "\" all \"" + CONTENT_SOURCE_DIR + "\" \"" +
                          dir.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    runs[r] = readFolder(dir);
  }
  fs::remove_all(base);
  ASSERT_EQ(runs[0].size(), 41u);
  for (const auto& [name, bytes] : runs[0]) {
    ASSERT_TRUE(runs[1].count(name)) << name;
    EXPECT_TRUE(bytes == runs[1].at(name)) << name << " differs between runs";
    EXPECT_TRUE(bytes == std::string(file(name).begin(), file(name).end())) << name << " differs from memory";
  }
}

}  // namespace
