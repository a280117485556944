// Worlds added in the browser: checked as the game checks them, kept under a
// safe name, linked where the world select page lists them, refused with the
// checker's reason and without touching what was kept before.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/data_folders.h"
#include "game/front/title_menu.h"
#include "web/world_intake.h"
#include "world/world_file.h"

namespace fs = std::filesystem;

namespace {

class WorldIntake : public testing::Test {
 protected:
  void SetUp() override {
    root = fs::path(testing::TempDir()) / ("glimb_world_intake_" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "incoming");
    store = (root / "store").string();
    list = (root / "list").string();
  }
  void TearDown() override { fs::remove_all(root); }

  std::string arrive(const std::vector<uint8_t>& bytes) {
    const std::string path = (root / "incoming" / ("file" + std::to_string(++arrivals))).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
  }

  static std::vector<uint8_t> readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }

  static std::vector<uint8_t> namedWorld(const std::string& name, int32_t levels) {
    World world = blankWorld();
    setWorldText(world.header.worldName, WORLD_NAME_SIZE, storedWorldName(name));
    setWorldText(world.header.authorName, AUTHOR_NAME_SIZE, "Ada");
    while (int32_t(world.levels.size()) < levels) world.levels.push_back(newLevel());
    world.header.levelCount = uint16_t(levels);
    return encodeWorld(world);
  }

  fs::path root;
  std::string store;
  std::string list;
  int arrivals = 0;
};

TEST_F(WorldIntake, KeptNamesAreTheFilesOwnNamesMadeSafe) {
  std::string why;
  EXPECT_EQ(keptWorldName("castle.glw", why), "castle.glw");
  EXPECT_EQ(keptWorldName("C:\\Users\\ada\\My World!.GLW", why), "My World_.GLW");
  EXPECT_EQ(keptWorldName("../../somewhere/deep.glw", why), "deep.glw");
  EXPECT_EQ(keptWorldName(".hidden.glw", why), "_hidden.glw");
  EXPECT_EQ(keptWorldName("caf\xc3\xa9 <b>.glw", why), "caf__ _b_.glw");
  EXPECT_EQ(keptWorldName("notes.txt", why), "");
  EXPECT_EQ(why, "only world files (.glw) can be added");
  EXPECT_EQ(keptWorldName(".glw", why), "");
  EXPECT_EQ(keptWorldName(std::string(200, 'a') + ".glw", why), "");
  EXPECT_NE(why.find("longer than"), std::string::npos);
}

TEST_F(WorldIntake, APlayableWorldIsKeptAndListedOnWorldSelect) {
  const std::vector<uint8_t> bytes = namedWorld("HIGH TOWER", 2);
  const std::string incoming = arrive(bytes);
  std::string message;
  ASSERT_TRUE(addWorld(incoming, "tower.glw", store, list, message)) << message;
  EXPECT_EQ(message, "Added \"HIGH TOWER\" (tower.glw, 2 levels) to the worlds.");
  EXPECT_EQ(readAll(fs::path(store) / "tower.glw"), bytes);
  EXPECT_TRUE(fs::is_symlink(fs::path(list) / "tower.glw"));
  EXPECT_FALSE(fs::exists(incoming));

  // The world select page lists it after the built-in world.
  const fs::path here = fs::current_path();
  fs::current_path(root / "incoming");
  const std::string savedUserFolder = userFolder;
  userFolder = list;
  buildWorldList();
  userFolder = savedUserFolder;
  fs::current_path(here);
  ASSERT_EQ(worldCount, 2);
  EXPECT_EQ(worldList[1].name, "HIGH TOWER");
  EXPECT_EQ(worldList[1].author, "Ada");
  EXPECT_EQ(worldList[1].levelCount, 2);
  freeWorldList();
}

TEST_F(WorldIntake, ADamagedWorldIsRefusedWithTheCheckersReasonAndTheKeptOneStays) {
  std::string message;
  const std::vector<uint8_t> good = namedWorld("FIRST", 1);
  ASSERT_TRUE(addWorld(arrive(good), "mine.glw", store, list, message)) << message;

  // The same name again, cut short in its level: refused, the first kept whole.
  std::vector<uint8_t> cut = namedWorld("SECOND", 1);
  cut.resize(cut.size() - 40);
  const std::string incoming = arrive(cut);
  EXPECT_FALSE(addWorld(incoming, "mine.glw", store, list, message));
  EXPECT_EQ(message.rfind("\"mine.glw\" was not added: ", 0), 0u) << message;
  EXPECT_GT(message.size(), std::string("\"mine.glw\" was not added: .").size());
  EXPECT_FALSE(fs::exists(incoming));
  EXPECT_EQ(readAll(fs::path(store) / "mine.glw"), good);

  // Shorter than a header, or no world at all.
  EXPECT_FALSE(addWorld(arrive({1, 2, 3}), "tiny.glw", store, list, message));
  EXPECT_NE(message.find("\"tiny.glw\" was not added"), std::string::npos);
  EXPECT_FALSE(addWorld(arrive(good), "picture.png", store, list, message));
  EXPECT_EQ(message, "\"picture.png\" was not added: only world files (.glw) can be added.");
  EXPECT_FALSE(fs::exists(fs::path(store) / "tiny.glw"));
  EXPECT_FALSE(fs::exists(fs::path(list) / "tiny.glw"));
}

TEST_F(WorldIntake, AWorldAddedUnderATakenNameReplacesTheKeptOne) {
  std::string message;
  ASSERT_TRUE(addWorld(arrive(namedWorld("OLD", 1)), "w.glw", store, list, message));
  const std::vector<uint8_t> newer = namedWorld("NEW", 3);
  ASSERT_TRUE(addWorld(arrive(newer), "w.glw", store, list, message));
  EXPECT_EQ(readAll(fs::path(list) / "w.glw"), newer);
  EXPECT_FALSE(fs::exists(fs::path(store) / "w.glw.new"));
}

TEST_F(WorldIntake, KeptWorldsAreLinkedAgainOnTheNextVisitAndCanBeRemoved) {
  std::string message;
  ASSERT_TRUE(addWorld(arrive(namedWorld("ONE", 1)), "one.glw", store, list, message));
  ASSERT_TRUE(addWorld(arrive(namedWorld("TWO", 1)), "two.glw", store, list, message));
  std::ofstream(fs::path(store) / "notes.txt") << "not a world";
  // A new visit: the listed folder is empty again, the store is not.
  fs::remove_all(list);
  EXPECT_EQ(linkKeptWorlds(store, list), 2);
  EXPECT_TRUE(fs::exists(fs::path(list) / "one.glw"));
  EXPECT_TRUE(fs::exists(fs::path(list) / "two.glw"));
  EXPECT_FALSE(fs::exists(fs::path(list) / "notes.txt"));

  EXPECT_TRUE(removeWorld("one.glw", store, list, message));
  EXPECT_EQ(message, "Removed \"one.glw\" from the worlds.");
  EXPECT_FALSE(fs::exists(fs::path(store) / "one.glw"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(fs::path(list) / "one.glw")));
  EXPECT_FALSE(removeWorld("one.glw", store, list, message));
  EXPECT_FALSE(removeWorld("../store/two.glw", store, list, message));
  EXPECT_TRUE(fs::exists(fs::path(store) / "two.glw"));
}

}  // namespace
