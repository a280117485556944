// The progress kept per world: its key from the file's content, the furthest
// level on each difficulty across reads, and damaged, special and overfull
// progress files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "game/data_folders.h"
#include "game/progress.h"
#include "game_test_support.h"

namespace {

constexpr int32_t EASY = 0, NORMAL = 1, HARD = 2;

class ProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    userFolder = folder.path.string();
    progressKept = true;
    readProgress();
  }
  void TearDown() override {
    userFolder.clear();
    progressFolder.clear();
    progressWritten = nullptr;
    progressKept = true;
  }
  fs::path store() const { return folder.path / "progress"; }
  std::string stored() const {
    std::ifstream in(store(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void writeStore(const std::string& text) { std::ofstream(store(), std::ios::binary) << text; }
  // The stored lines that are records, without the heading.
  std::string records() const {
    std::istringstream in(stored());
    std::string out;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line[0] != '#') out += line + "\n";
    }
    return out;
  }
  ScratchFolder folder;
};

const std::string KEY_A = "350-0123456789abcdef";
const std::string KEY_B = "20-fedcba9876543210";

TEST_F(ProgressTest, AWorldsKeyFollowsItsBytesWhateverItsName) {
  const std::vector<uint8_t> bytes = {1, 2, 3, 4, 5};
  const std::string key = worldContentKey(bytes);
  EXPECT_EQ(key.rfind("5-", 0), 0u) << key;
  EXPECT_EQ(key.size(), 2u + 16u);
  writeFile(folder.path / "one.glw", bytes);
  writeFile(folder.path / "two.glw", bytes);
  EXPECT_EQ(worldFileKey((folder.path / "one.glw").string()), key);
  EXPECT_EQ(worldFileKey((folder.path / "two.glw").string()), key);
  EXPECT_NE(worldContentKey({1, 2, 3, 4, 6}), key);
  EXPECT_NE(worldContentKey({1, 2, 3, 4, 5, 0}), key);
  EXPECT_EQ(worldFileKey((folder.path / "none.glw").string()), "");
}

TEST_F(ProgressTest, TheFurthestLevelOfEachDifficultyIsKeptAndNeverLowered) {
  EXPECT_EQ(levelReached(KEY_A, NORMAL), 0);
  recordLevelReached(KEY_A, NORMAL, 2);
  recordLevelReached(KEY_A, HARD, 4);
  recordLevelReached(KEY_B, EASY, 7);
  readProgress();
  EXPECT_EQ(levelReached(KEY_A, EASY), 0);
  EXPECT_EQ(levelReached(KEY_A, NORMAL), 2);
  EXPECT_EQ(levelReached(KEY_A, HARD), 4);
  EXPECT_EQ(levelReached(KEY_B, EASY), 7);
  const std::string before = stored();
  recordLevelReached(KEY_A, HARD, 3);  // not further: nothing is written
  EXPECT_EQ(stored(), before);
  recordLevelReached(KEY_A, NORMAL, 5);
  // The world advanced last comes last.
  EXPECT_EQ(records(), KEY_B + " 7 0 0\n" + KEY_A + " 0 5 4\n");
  EXPECT_EQ(stored().rfind("# ", 0), 0u);
  // Nothing for an unknown world, a level below 1 or a difficulty out of range.
  recordLevelReached("", NORMAL, 3);
  recordLevelReached(KEY_B, NORMAL, 0);
  recordLevelReached(KEY_B, 3, 9);
  EXPECT_EQ(records(), KEY_B + " 7 0 0\n" + KEY_A + " 0 5 4\n");
  EXPECT_EQ(levelReached(KEY_B, -1), 0);
}

TEST_F(ProgressTest, ADamagedFileIsToldKeepsWhatCanBeReadAndIsWrittenAnew) {
  writeStore("# mine\r\n" + KEY_A + " 1 2 3\r\n" + "garbage line\n" + KEY_B + " 1 x 3\n" + "350-0123 1 2 3\n" +
             KEY_B + " 1 2\n" + KEY_B + " 70000 1 1\n" + std::string("\x01\x02\xff", 3) + "\n" + KEY_A +
             " 4 0 0 later words\n");
  testing::internal::CaptureStderr();
  readProgress();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("progress: damaged (lines 3, 4, 5, 6, 7 and 1 more)"), std::string::npos) << said;
  // A world named twice keeps the furthest of both; words after the numbers stay.
  EXPECT_EQ(levelReached(KEY_A, EASY), 4);
  EXPECT_EQ(levelReached(KEY_A, HARD), 3);
  EXPECT_EQ(levelReached(KEY_B, EASY), 0);
  EXPECT_EQ(records(), KEY_A + " 4 2 3 later words\n");
  testing::internal::CaptureStderr();
  readProgress();  // mended: nothing more to say
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(ProgressTest, APipeOrAnOverlongFileIsPassedOverWithoutWaitingAndReplacedByTheNextRecord) {
  ASSERT_EQ(mkfifo(store().c_str(), 0600), 0);
  testing::internal::CaptureStderr();
  readProgress();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("not a regular file"), std::string::npos);
  recordLevelReached(KEY_A, EASY, 2);
  EXPECT_TRUE(fs::is_regular_file(store()));
  EXPECT_EQ(records(), KEY_A + " 2 0 0\n");

  writeStore(std::string(300 * 1024, '#'));
  testing::internal::CaptureStderr();
  readProgress();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("more than"), std::string::npos);
  EXPECT_EQ(levelReached(KEY_A, EASY), 0);
}

TEST_F(ProgressTest, TheLeastRecentlyAdvancedWorldsGoBeyondTheLimit) {
  std::string text;
  for (int32_t i = 0; i < PROGRESS_RECORDS_MAX; i++) {
    char key[32];
    std::snprintf(key, sizeof key, "%d-%016x", 100 + i, i);
    text += std::string(key) + " 2 0 0\n";
  }
  writeStore(text);
  readProgress();
  EXPECT_EQ(levelReached("100-0000000000000000", EASY), 2);
  recordLevelReached(KEY_A, EASY, 3);
  readProgress();
  EXPECT_EQ(levelReached("100-0000000000000000", EASY), 0);  // the oldest went
  EXPECT_EQ(levelReached("101-0000000000000001", EASY), 2);
  EXPECT_EQ(levelReached(KEY_A, EASY), 3);
}

TEST_F(ProgressTest, ARunThatKeepsNoProgressNeitherReadsNorWritesIt) {
  recordLevelReached(KEY_A, EASY, 3);
  progressKept = false;
  readProgress();
  EXPECT_EQ(levelReached(KEY_A, EASY), 0);
  recordLevelReached(KEY_A, EASY, 5);
  progressKept = true;
  readProgress();
  EXPECT_EQ(levelReached(KEY_A, EASY), 3);
}

int writesTold = 0;

TEST_F(ProgressTest, AProgressFolderOfItsOwnIsWrittenAndEachWritingIsTold) {
  // As the web page keeps it: apart from the player's folder, made when needed.
  progressFolder = (folder.path / "kept" / "glimb").string();
  progressWritten = [] { writesTold++; };
  writesTold = 0;
  recordLevelReached(KEY_A, NORMAL, 2);
  EXPECT_EQ(writesTold, 1);
  EXPECT_FALSE(fs::exists(store()));
  EXPECT_TRUE(fs::exists(folder.path / "kept" / "glimb" / "progress"));
  recordLevelReached(KEY_A, NORMAL, 1);  // not further: nothing written
  EXPECT_EQ(writesTold, 1);
  readProgress();
  EXPECT_EQ(levelReached(KEY_A, NORMAL), 2);
}

}  // namespace
