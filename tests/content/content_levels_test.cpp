// The built-in world and the demonstration level: the world check, what each level
// needs to be played, the creatures the demonstration may hold, and clear messages
// for level text with mistakes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include <unistd.h>

#include "content/levels.h"
#include "content/tile_set.h"
#include "content_fixture.h"
#include "world/world_file.h"

namespace {

TEST(ContentLevels, BuiltInWorldPassesTheWorldCheck) {
  const std::vector<uint8_t>& bytes = file("data10.glb");
  std::string error;
  std::vector<std::string> warnings;
  EXPECT_TRUE(checkWorld(bytes.data(), bytes.size(), &error, &warnings)) << error;
  EXPECT_TRUE(warnings.empty()) << warnings.front();
  World world;
  ASSERT_TRUE(decodeWorld(bytes.data(), bytes.size(), &world, &error)) << error;
  EXPECT_GE(world.levels.size(), 3u);
  for (unsigned char ch : worldText(world.header.worldName, WORLD_NAME_SIZE)) EXPECT_TRUE(isWorldNameByte(ch));
}

// Read back from the generated file, as the game reads it: one start on solid ground,
// an exit, levers and gates only together, and a view that can reach every cell.
TEST(ContentLevels, EveryLevelCanBePlayedThrough) {
  const std::vector<uint8_t>& bytes = file("data10.glb");
  World world;
  std::string error;
  ASSERT_TRUE(decodeWorld(bytes.data(), bytes.size(), &world, &error)) << error;
  const std::set<int> spawners = {9, 11, 13, 15, 33, 34, 53, 55, 58, 59, 77, 79, 121, 144};
  for (size_t n = 0; n < world.levels.size(); ++n) {
    const LevelRecord& level = world.levels[n];
    SCOPED_TRACE("level " + std::to_string(n + 1));
    ASSERT_GE(level.width, 20);
    ASSERT_GE(level.height, 12);
    ASSERT_EQ(level.foreground.size(), size_t(level.width) * level.height);
    int starts = 0, exits = 0, levers = 0, gates = 0, creatures = 0;
    for (int x = 0; x < level.width; ++x)
      for (int y = 0; y < level.height; ++y) {
        int tile = level.foreground[size_t(x) * level.height + y];
        ASSERT_LT(tile, TILE_COUNT) << "at " << x << "," << y;
        if (tile == 65 || tile == 68) {
          ++starts;
          ASSERT_LT(y + 1, level.height) << "the start stands on the bottom edge";
          EXPECT_EQ(tileInfo()[level.foreground[size_t(x) * level.height + y + 1]].tileClass, CLASS_SOLID)
              << "nothing to stand on at the start";
        }
        if (tileInfo()[tile].tileClass == CLASS_EXIT) ++exits;
        if (tile == 77 || tile == 79) ++levers;
        if (tile == 58 || tile == 59) ++gates;
        if (spawners.count(tile) && tile != 58 && tile != 59 && tile != 77 && tile != 79) ++creatures;
      }
    EXPECT_EQ(starts, 1);
    EXPECT_GT(exits, 0);
    EXPECT_EQ(levers > 0, gates > 0) << levers << " levers, " << gates << " lever gates";
    // Without the scroll flags the view stays at its first place and the rest of a
    // bigger level could never be seen.
    if (level.width > 20) {
      EXPECT_TRUE(level.flags & (LEVEL_SCROLL_LEFT | LEVEL_SCROLL_RIGHT));
    }
    if (level.height > 12) {
      EXPECT_TRUE(level.flags & (LEVEL_SCROLL_UP | LEVEL_SCROLL_DOWN));
    }
    if (level.flags & LEVEL_BACKGROUND) {
      EXPECT_EQ(level.background.size(), level.foreground.size());
    }
    EXPECT_GT(creatures, 0);
  }
}

// Every mechanic of play appears somewhere in the built-in world, and so does each
// kind of special level.
TEST(ContentLevels, TheWorldShowsEveryMechanicAndSpecialLevel) {
  const std::vector<uint8_t>& bytes = file("data10.glb");
  World world;
  std::string error;
  ASSERT_TRUE(decodeWorld(bytes.data(), bytes.size(), &world, &error)) << error;
  std::set<int> tiles, classes;
  int32_t flags = 0;
  bool bothWays = false, vertical = false;
  for (const LevelRecord& level : world.levels) {
    for (int32_t t : level.foreground) {
      tiles.insert(t);
      classes.insert(tileInfo()[t].tileClass);
    }
    flags |= level.flags;
    bothWays = bothWays || ((level.flags & LEVEL_SCROLL_LEFT) && (level.flags & LEVEL_SCROLL_RIGHT));
    vertical = vertical || (level.flags & (LEVEL_SCROLL_UP | LEVEL_SCROLL_DOWN));
  }
  EXPECT_GE(world.levels.size(), 10u);
  const std::map<int, std::string> needed = {
      {9, "walker"}, {13, "spiky walker"}, {33, "floater"}, {53, "fish"}, {121, "runner"},
      {17, "checkpoint"}, {20, "bump block"}, {22, "falling floor"}, {26, "extra life"},
      {40, "breakable block"}, {58, "lever gate"}, {59, "inverse lever gate"}, {77, "lever"},
      {86, "bell"}, {88, "crumbling planks"}, {74, "difficulty block"}, {92, "inverse difficulty block"}};
  for (const auto& [tile, what] : needed) {
    bool found = tiles.count(tile) > 0;
    if (tile == 9) found = found || tiles.count(11);
    if (tile == 13) found = found || tiles.count(15);
    if (tile == 33) found = found || tiles.count(34);
    if (tile == 53) found = found || tiles.count(55);
    if (tile == 121) found = found || tiles.count(144);
    if (tile == 74) found = found || tiles.count(75) || tiles.count(76);
    if (tile == 92) found = found || tiles.count(93) || tiles.count(94);
    EXPECT_TRUE(found) << "no " << what;
  }
  for (int c : {CLASS_DEADLY, CLASS_WATER, CLASS_PICKUP}) EXPECT_TRUE(classes.count(c)) << "no class " << c;
  EXPECT_TRUE(flags & LEVEL_BACKGROUND);
  EXPECT_TRUE(flags & LEVEL_ACTORS_BEHIND);
  EXPECT_TRUE(flags & LEVEL_TICK_TIME);
  EXPECT_TRUE(flags & LEVEL_KEEP_LIVES_HARD);
  EXPECT_TRUE(bothWays);
  EXPECT_TRUE(vertical);
}

TEST(ContentLevels, DemonstrationHoldsOnlyTilesItTurnsIntoCreatures) {
  const std::vector<uint8_t>& demo = file("data14.glb");
  // Spawner and start tiles the demonstration does not convert would stand still.
  const std::set<int> inert = {11, 15, 34, 55, 58, 59, 65, 68, 73, 74, 75, 76, 77, 79, 92, 93, 94};
  std::set<int> creatures;
  for (size_t i = 2; i < demo.size(); ++i) {
    EXPECT_FALSE(inert.count(demo[i])) << "tile " << int(demo[i]) << " at cell " << i - 2;
    if (demo[i] == 9 || demo[i] == 13 || demo[i] == 33 || demo[i] == 121 || demo[i] == 144 || demo[i] == 53)
      creatures.insert(demo[i]);
  }
  EXPECT_GE(creatures.size(), 4u);
}

// A source folder with the real glyphs and legend and a world text of our own.
std::string sourceWith(const std::string& worldText) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("glimb-levels-test-" + std::to_string(::getpid()));
  // One folder for the whole run, gone when the run ends.
  static const struct Cleanup {
    fs::path dir;
    ~Cleanup() {
      std::error_code ignored;
      fs::remove_all(dir, ignored);
    }
  } cleanup{dir};
  fs::create_directories(dir / "levels");
  fs::copy_file(fs::path(CONTENT_SOURCE_DIR) / "levels/legend.txt", dir / "levels/legend.txt",
                fs::copy_options::overwrite_existing);
  std::ofstream(dir / "levels/world.txt") << worldText;
  return dir.string();
}

std::string errorOf(const std::string& text) {
  try {
    loadWorldText(sourceWith(text));
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

TEST(ContentLevels, LevelTextIsReadWithPiecesAndFlags) {
  std::string row = "....................";
  std::string text = "world TEST\\\nlevel\nflags right tick\ntime 3\nmap\n" + row + "\n..xx" + row.substr(4) +
                     "\n..xx" + row.substr(4) + "\nend\n";
  World w = loadWorldText(sourceWith(text));
  ASSERT_EQ(w.levels.size(), 1u);
  const LevelRecord& l = w.levels[0];
  EXPECT_EQ(l.width, 20);
  EXPECT_EQ(l.height, 3);
  EXPECT_EQ(l.flags, LEVEL_SCROLL_RIGHT | LEVEL_TICK_TIME);  // step 3 is stored as code 0
  EXPECT_EQ(l.foreground[2 * 3 + 1], 83);
  EXPECT_EQ(l.foreground[3 * 3 + 1], 84);
  EXPECT_EQ(l.foreground[2 * 3 + 2], 103);
  EXPECT_EQ(l.foreground[3 * 3 + 2], 104);
  EXPECT_EQ(worldText(w.header.worldName, WORLD_NAME_SIZE), "TEST\\");
}

TEST(ContentLevels, MistakesInLevelTextNameTheFileAndLine) {
  std::string ragged = "world A\nlevel\nmap\n....\n...\nend\n";
  EXPECT_NE(errorOf(ragged).find("world.txt:5: map rows differ in length"), std::string::npos) << errorOf(ragged);
  std::string unknown = "world A\nlevel\nmap\n..$.\nend\n";
  EXPECT_NE(errorOf(unknown).find("world.txt:4: character not in the legend: $"), std::string::npos);
  std::string badName = "world Hello\nlevel\nmap\n....\nend\n";
  EXPECT_NE(errorOf(badName).find("world name"), std::string::npos);
  std::string noBackground = "world A\nlevel\nflags background\nmap\n....\nend\n";
  EXPECT_NE(errorOf(noBackground).find("background"), std::string::npos);
  EXPECT_NE(errorOf("world A\nlevel\ntime 16\nmap\n....\nend\n").find("time step"), std::string::npos);
}

}  // namespace
