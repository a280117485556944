// World files that are sound: sizes, the skip over background layers, the time-step code,
// tile and text encoding, the writer's choices, and random round trips.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>

#include "tests/world/scratch_dir.h"
#include "world/world_file.h"

namespace {

LevelRecord filledLevel(int32_t width, int32_t height, int32_t flags, int32_t tile, int32_t back) {
  LevelRecord level;
  level.width = width;
  level.height = height;
  level.flags = flags;
  level.foreground.assign(size_t(width) * height, tile);
  level.background.assign(size_t(width) * height, back);
  return level;
}

World worldOf(std::vector<LevelRecord> levels) {
  World world;
  world.header.levelCount = uint16_t(levels.size());
  world.levels = std::move(levels);
  return world;
}

std::string tempPath(const std::string& name) { return scratchPath(name); }

TEST(WorldFile, NewWorldIs350BytesAnd590WithBackground) {
  World world = blankWorld();
  EXPECT_EQ(encodeWorld(world).size(), 350u);
  world.levels[0].flags |= LEVEL_BACKGROUND;
  const std::vector<uint8_t> bytes = encodeWorld(world);
  EXPECT_EQ(bytes.size(), 590u);
  World back;
  ASSERT_TRUE(decodeWorld(bytes.data(), bytes.size(), &back, nullptr));
  EXPECT_EQ(back, world);
}

TEST(WorldFile, SingleLevelReadSkipsOnlyTheBackgroundLayersThatExist) {
  // Level 0 has a background, level 1 has one in memory only: 8 + 2 x 240, then 8 + 273.
  const World world = worldOf({filledLevel(20, 12, LEVEL_BACKGROUND, 1, 2),
                               filledLevel(21, 13, LEVEL_SCROLL_RIGHT, 3, 9),
                               filledLevel(22, 14, LEVEL_SCROLL_RIGHT, 4, 0)});
  const std::vector<uint8_t> bytes = encodeWorld(world);
  const size_t level2 = 102 + (8 + 2 * 240) + (8 + 21 * 13);
  ASSERT_EQ(bytes.size(), level2 + 8 + 22 * 14);
  EXPECT_EQ(bytes[level2], 14);      // height first
  EXPECT_EQ(bytes[level2 + 2], 22);  // then width

  const std::string path = tempPath("skip.glw");
  ASSERT_TRUE(writeWorldFile(path, world, nullptr));
  LevelRecord level;
  std::string error;
  ASSERT_TRUE(readWorldLevel(path, 2, &level, &error)) << error;
  EXPECT_EQ(level.width, 22);
  EXPECT_EQ(level.height, 14);
  EXPECT_EQ(level.foreground, std::vector<int32_t>(22 * 14, 4));
  EXPECT_TRUE(level.background.empty());  // the game gets no background without the flag
  ASSERT_TRUE(readWorldLevel(path, 0, &level, &error)) << error;
  EXPECT_EQ(level.background, std::vector<int32_t>(240, 2));
}

TEST(WorldFile, TimeCodeAndStepMapBothWays) {
  constexpr int32_t STEP_OF_CODE[16] = {3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  for (int32_t code = 0; code < 16; code++) {
    EXPECT_EQ(timeStepFromCode(code), STEP_OF_CODE[code]) << code;
    EXPECT_EQ(timeCodeFromStep(STEP_OF_CODE[code]), code) << code;
    EXPECT_EQ(levelTimeStep(LEVEL_TICK_TIME | LEVEL_BACKGROUND | (code << 8) | 0x1000), STEP_OF_CODE[code]);
  }
  EXPECT_EQ(timeCodeFromStep(3), 0);  // storing step 3 writes code 0, not 3
  EXPECT_EQ(withTimeStep(0xF12, 3), 0x012);
  EXPECT_EQ(withTimeStep(0x012, 0), 0x112);
}

TEST(WorldFile, TimeLimitFollowsStepWidthOrTick) {
  EXPECT_EQ(levelTimeLimitMs(LEVEL_SCROLL_RIGHT, 20), 10000);            // code 0 = step 3
  EXPECT_EQ(levelTimeLimitMs(withTimeStep(0, 12), 40), 65000);            // 3.25 x 40 / 2
  EXPECT_EQ(levelTimeLimitMs(withTimeStep(0, 0), 21), 6300);              // 0.6 x 21 / 2
  EXPECT_EQ(levelTimeLimitMs(withTimeStep(LEVEL_TICK_TIME, 4), 300), 75000);
  EXPECT_EQ(levelTimeLimitMs(withTimeStep(0, 15), 40), -1);
  EXPECT_EQ(levelTimeLimitMs(withTimeStep(LEVEL_TICK_TIME, 15), 40), -1);
}

TEST(WorldFile, TileBytesAreUnsignedAndOnlyTheLowByteIsStored) {
  World world = worldOf({filledLevel(20, 12, LEVEL_BACKGROUND, 200, 255)});
  world.levels[0].foreground[5] = 256 + 7;
  const std::vector<uint8_t> bytes = encodeWorld(world);
  World back;
  ASSERT_TRUE(decodeWorld(bytes.data(), bytes.size(), &back, nullptr));
  EXPECT_EQ(back.levels[0].foreground[0], 200);
  EXPECT_EQ(back.levels[0].foreground[5], 7);
  EXPECT_EQ(back.levels[0].background[239], 255);
  LevelRecord level;
  ASSERT_TRUE(decodeWorldLevel(bytes.data(), bytes.size(), 0, &level, nullptr));
  EXPECT_EQ(level.foreground[0], 200);
}

TEST(WorldFile, TextsEndAtTheirZeroOrTheFieldEnd) {
  World world = blankWorld();
  setWorldText(world.header.worldName, WORLD_NAME_SIZE, storedWorldName("HELLO!"));
  std::vector<uint8_t> bytes = encodeWorld(world);
  EXPECT_EQ(std::string(bytes.begin() + 2, bytes.begin() + 9), std::string("HELLO\x5C\0", 7));

  // Leftover bytes after a terminator are neither read nor written back.
  std::memcpy(bytes.data() + 22, "Ann\0junk", 8);
  std::memset(bytes.data() + 62, 'c', COMMENT_SIZE);  // no zero byte at all
  bytes[2 + 5] = 0x5B;
  World back;
  ASSERT_TRUE(decodeWorld(bytes.data(), bytes.size(), &back, nullptr));
  EXPECT_EQ(displayWorldName(worldText(back.header.worldName, WORLD_NAME_SIZE)), "HELLO.");
  EXPECT_EQ(worldText(back.header.authorName, AUTHOR_NAME_SIZE), "Ann");
  EXPECT_EQ(worldText(back.header.comment, COMMENT_SIZE), std::string(40, 'c'));
  const std::vector<uint8_t> again = encodeWorld(back);
  EXPECT_EQ(std::string(again.begin() + 22, again.begin() + 30), std::string("Ann\0\0\0\0\0", 8));
  EXPECT_EQ(again[101], 'c');

  setWorldText(world.header.worldName, WORLD_NAME_SIZE, std::string(30, 'A'));
  EXPECT_EQ(worldText(world.header.worldName, WORLD_NAME_SIZE), std::string(19, 'A'));
}

TEST(WorldFile, BackgroundWithClearFlagIsDroppedOnSave) {
  World world = worldOf({filledLevel(20, 12, LEVEL_SCROLL_RIGHT, 1, 5)});
  std::vector<uint8_t> bytes = encodeWorld(world);
  EXPECT_EQ(bytes.size(), 350u);
  World back;
  ASSERT_TRUE(decodeWorld(bytes.data(), bytes.size(), &back, nullptr));
  EXPECT_EQ(back.levels[0].background, std::vector<int32_t>(240, 0));
  back.levels[0].flags |= LEVEL_BACKGROUND;  // turned on again: an empty background
  bytes = encodeWorld(back);
  ASSERT_TRUE(decodeWorld(bytes.data(), bytes.size(), &world, nullptr));
  EXPECT_EQ(world.levels[0].background, std::vector<int32_t>(240, 0));
}

TEST(WorldFile, AFailedSaveLeavesTheOldFileAsItWas) {
  const std::string path = tempPath("save.glw");
  const World world = blankWorld();
  ASSERT_TRUE(writeWorldFile(path, world, nullptr));
  World bigger = world;
  bigger.levels[0].flags |= LEVEL_BACKGROUND;
  // Files may grow to 400 bytes only: the 590-byte save fails in the middle of writing.
  struct rlimit old {};
  getrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 400;
  setrlimit(RLIMIT_FSIZE, &small);
  std::string error;
  const bool saved = writeWorldFile(path, bigger, &error);
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(saved);
  EXPECT_EQ(error, path + ": cannot save: File too large (the old file is unchanged)");

  World broken = world;
  broken.levels[0].foreground.pop_back();
  EXPECT_FALSE(writeWorldFile(path, broken, &error));
  EXPECT_EQ(error, path + ": cannot save: level 1 has 239 foreground tiles instead of 240");
  EXPECT_FALSE(writeWorldFile(scratchPath(""), world, &error));
  EXPECT_FALSE(writeWorldFile(tempPath("no/such/folder/x.glw"), world, &error));

  World back;
  ASSERT_TRUE(readWorldFile(path, &back, nullptr));
  EXPECT_EQ(back, world);
  for (const auto& entry : std::filesystem::directory_iterator(scratchPath(""))) {
    EXPECT_EQ(entry.path().string().find(".saving-"), std::string::npos) << entry.path();
  }
}

// Random worlds with playable levels, so every reader can read every level.
World randomWorld(std::mt19937& random) {
  auto pick = [&](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random);
  };
  World world;
  for (char* field : {world.header.worldName, world.header.authorName, world.header.comment}) {
    const size_t size = field == world.header.worldName ? WORLD_NAME_SIZE : AUTHOR_NAME_SIZE;
    const size_t length = size_t(pick(0, int32_t(size)));  // size: no terminator
    for (size_t i = 0; i < length; i++) field[i] = char(pick(1, 255));
  }
  const int32_t count = pick(1, 4);
  for (int32_t i = 0; i < count; i++) {
    LevelRecord level = filledLevel(pick(20, 40), pick(12, 20), int32_t(random()), 0, 0);
    for (int32_t& tile : level.foreground) tile = pick(0, 255);
    if (level.flags & LEVEL_BACKGROUND) {
      for (int32_t& tile : level.background) tile = pick(0, 255);
    }
    world.levels.push_back(level);
  }
  world.header.levelCount = uint16_t(count);
  return world;
}

TEST(WorldFile, RandomWorldsComeBackIdenticalThroughWriterAndReaders) {
  std::mt19937 random(20261208);
  const std::string path = tempPath("random.glw");
  for (int round = 0; round < 300; round++) {
    const World world = randomWorld(random);
    const std::vector<uint8_t> bytes = encodeWorld(world);
    World back;
    std::string error;
    ASSERT_TRUE(decodeWorld(bytes.data(), bytes.size(), &back, &error)) << error;
    ASSERT_EQ(back, world) << "round " << round;
    ASSERT_TRUE(checkWorld(bytes.data(), bytes.size(), &error)) << error;
    for (size_t i = 0; i < world.levels.size(); i++) {
      LevelRecord level;
      ASSERT_TRUE(decodeWorldLevel(bytes.data(), bytes.size(), int32_t(i), &level, &error)) << error;
      LevelRecord expected = world.levels[i];
      if (!(expected.flags & LEVEL_BACKGROUND)) expected.background.clear();
      ASSERT_EQ(level, expected) << "round " << round << " level " << i;
    }
    if (round % 30 == 0) {
      ASSERT_TRUE(writeWorldFile(path, world, &error)) << error;
      ASSERT_TRUE(readWorldFile(path, &back, &error)) << error;
      ASSERT_EQ(back, world);
      WorldHeader header;
      ASSERT_TRUE(readWorldHeader(path, &header, &error)) << error;
      ASSERT_EQ(header, world.header);
    }
  }
}

}  // namespace
