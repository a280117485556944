// Damaged and hostile world files: each kind is refused by every reader with a message
// saying what is wrong, and nothing the caller holds is changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tests/world/scratch_dir.h"
#include "world/world_file.h"

namespace {

std::vector<uint8_t> header(uint16_t count) {
  std::vector<uint8_t> bytes(WORLD_HEADER_SIZE, 0);
  bytes[0] = uint8_t(count);
  bytes[1] = uint8_t(count >> 8);
  return bytes;
}

void addRecord(std::vector<uint8_t>* bytes, uint16_t width, uint16_t height, uint32_t flags,
               size_t tileBytes) {
  const uint8_t record[8] = {uint8_t(height), uint8_t(height >> 8), uint8_t(width),
                             uint8_t(width >> 8), uint8_t(flags), uint8_t(flags >> 8),
                             uint8_t(flags >> 16), uint8_t(flags >> 24)};
  bytes->insert(bytes->end(), record, record + 8);
  bytes->insert(bytes->end(), tileBytes, 1);
}

std::vector<uint8_t> world(uint16_t count, uint16_t width, uint16_t height, uint32_t flags,
                           size_t tileBytes) {
  std::vector<uint8_t> bytes = header(count);
  addRecord(&bytes, width, height, flags, tileBytes);
  return bytes;
}

struct Damage {
  const char* kind;
  std::vector<uint8_t> bytes;
  const char* message;
};

const std::vector<Damage>& everyReaderRefuses() {
  static const std::vector<Damage> cases = {
      {"short header", std::vector<uint8_t>(101, 1), "101 bytes long, shorter than the 102-byte"},
      {"zero levels", header(0), "declares zero levels"},
      {"fewer records", world(3, 20, 12, 2, 240), "declares 3 levels but the file holds only 1"},
      {"cut record header", [] { auto b = header(1); b.resize(106); return b; }(),
       "4 of its 8 size and flag bytes"},
      {"cut foreground", world(1, 20, 12, 2, 239), "need 240 bytes of foreground, only 239"},
      {"cut background", world(1, 20, 12, LEVEL_BACKGROUND, 479),
       "need 480 bytes of foreground and background, only 479"},
      {"zero width", world(1, 0, 12, 2, 0), "width of 0 columns"},
      {"zero height", world(1, 20, 0, 2, 0), "height of 0 rows"},
      {"huge claim", world(1, 65535, 65535, LEVEL_BACKGROUND, 16), "8589672450 bytes"},
  };
  return cases;
}

LevelRecord sentinelLevel() {
  LevelRecord level;
  level.width = 77;
  level.foreground = {1, 2, 3};
  return level;
}

TEST(WorldReject, EveryReaderRefusesDamagedDataAndLeavesItsResultAlone) {
  for (const Damage& damage : everyReaderRefuses()) {
    SCOPED_TRACE(damage.kind);
    World world = blankWorld();
    std::string error;
    EXPECT_FALSE(decodeWorld(damage.bytes.data(), damage.bytes.size(), &world, &error));
    EXPECT_NE(error.find(damage.message), std::string::npos) << error;
    EXPECT_EQ(world, blankWorld());
    EXPECT_FALSE(checkWorld(damage.bytes.data(), damage.bytes.size(), &error));
    EXPECT_NE(error.find(damage.message), std::string::npos) << error;
    // The game's read of the last declared level passes every record before it.
    const int32_t last = damage.bytes.size() < 2 ? 0 : std::max(0, damage.bytes[0] - 1);
    LevelRecord level = sentinelLevel();
    EXPECT_FALSE(decodeWorldLevel(damage.bytes.data(), damage.bytes.size(), last, &level, &error));
    EXPECT_EQ(level, sentinelLevel());
  }
}

TEST(WorldReject, GameReadersRefuseLevelsSmallerThanTheViewButTheEditorOpensThem) {
  const std::vector<uint8_t> narrow = world(1, 19, 12, 2, 19 * 12);
  const std::vector<uint8_t> low = world(1, 20, 11, 2, 20 * 11);
  std::string error;
  LevelRecord level;
  EXPECT_FALSE(decodeWorldLevel(narrow.data(), narrow.size(), 0, &level, &error));
  EXPECT_NE(error.find("level 1 of 1 is 19 columns wide; a playable level needs at least 20"),
            std::string::npos) << error;
  EXPECT_FALSE(checkWorld(low.data(), low.size(), &error));
  EXPECT_NE(error.find("11 rows high"), std::string::npos) << error;
  World opened;
  ASSERT_TRUE(decodeWorld(narrow.data(), narrow.size(), &opened, &error)) << error;
  EXPECT_EQ(opened.levels[0].width, 19);
}

TEST(WorldReject, AskingForALevelPastTheCountIsRefused) {
  std::vector<uint8_t> bytes = world(2, 20, 12, 2, 240);
  addRecord(&bytes, 20, 12, 2, 240);
  std::string error;
  LevelRecord level = sentinelLevel();
  EXPECT_FALSE(decodeWorldLevel(bytes.data(), bytes.size(), 2, &level, &error));
  EXPECT_NE(error.find("there is no level 3: the world has 2"), std::string::npos) << error;
  EXPECT_FALSE(decodeWorldLevel(bytes.data(), bytes.size(), -1, &level, &error));
  EXPECT_EQ(level, sentinelLevel());
  EXPECT_TRUE(decodeWorldLevel(bytes.data(), bytes.size(), 1, &level, &error)) << error;
}

TEST(WorldReject, TrailingBytesAndOddNamesAreWarningsNotErrors) {
  std::vector<uint8_t> bytes = world(1, 20, 12, 0x1002, 240);
  bytes[2] = 'a';
  bytes.push_back(0xEE);
  std::string error;
  std::vector<std::string> warnings;
  ASSERT_TRUE(checkWorld(bytes.data(), bytes.size(), &error, &warnings)) << error;
  ASSERT_EQ(warnings.size(), 3u);
  EXPECT_EQ(warnings[0], "level 1 has reserved flag bits set");
  EXPECT_NE(warnings[1].find("world name"), std::string::npos);
  EXPECT_EQ(warnings[2], "1 byte follows the last level");
  World read;
  EXPECT_TRUE(decodeWorld(bytes.data(), bytes.size(), &read, &error));
}

TEST(WorldReject, FileReadersNameTheFile) {
  const std::string path = scratchPath("cut.glw");
  const std::vector<uint8_t> cut = world(2, 20, 12, 2, 240);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(cut.data()), cut.size());
  std::string error;
  World opened = blankWorld();
  EXPECT_FALSE(readWorldFile(path, &opened, &error));
  EXPECT_EQ(error, path + ": the header declares 2 levels but the file holds only 1");
  EXPECT_EQ(opened, blankWorld());
  EXPECT_FALSE(checkWorldFile(path, &error));
  EXPECT_EQ(error.rfind(path + ": ", 0), 0u);

  WorldHeader header{};
  EXPECT_TRUE(readWorldHeader(path, &header, &error));  // the header alone is sound
  EXPECT_EQ(header.levelCount, 2);
  const std::string missing = path + ".missing";
  EXPECT_FALSE(readWorldHeader(missing, &header, &error));
  EXPECT_EQ(error, missing + ": cannot open: No such file or directory");
  LevelRecord level;
  EXPECT_FALSE(readWorldLevel(scratchPath(""), 0, &level, &error));
  EXPECT_NE(error.find("is not a regular file"), std::string::npos) << error;
  std::filesystem::resize_file(path, WORLD_FILE_MAX_BYTES + 1);  // sparse: costs no disk
  EXPECT_FALSE(readWorldFile(path, &opened, &error));
  EXPECT_NE(error.find("bytes long, more than a world file may be"), std::string::npos) << error;
}

}  // namespace
