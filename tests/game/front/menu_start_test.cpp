// glimb headless from program start with scripted keys only: past the intro,
// BEGIN GAME, the built-in world, its first level played to the exit (the
// recorded run of the play tests, shifted to where the level starts here),
// and the level intro of level 2; and the progress that run keeps, seen on
// world select by the runs after it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/shell.h"
#include "game_test_support.h"

namespace {

int32_t field(const std::string& line, const std::string& name) {
  size_t at = line.find("\"" + name + "\":");
  return at == std::string::npos ? INT32_MIN : std::atoi(line.c_str() + at + name.size() + 3);
}

// The level's recorded keys start with the level intro's key at frame 10;
// here that key comes at frame `introKey`.
std::string shiftedLevelInput(int64_t introKey) {
  std::ifstream in(FIRST_LEVEL_INPUT);
  std::ostringstream out;
  for (std::string line; std::getline(in, line);) {
    line = line.substr(0, line.find('#'));
    size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    out << std::atoll(line.c_str()) + introKey - 10 << line.substr(colon) << "\n";
  }
  return out.str();
}

TEST(MenuStartTest, FromProgramStartThroughTheMenusAndTheFirstLevelToTheSecondLevelIntro) {
  ScratchFolder scratch;
  // Any key ends the intro; Enter on BEGIN GAME, Enter on the built-in world.
  std::ofstream(scratch.path / "keys.txt") << "20: SPACE\n22:\n70: ENTER\n72:\n80: ENTER\n82:\n"
                                           << shiftedLevelInput(140);
  std::string command = "XDG_CONFIG_HOME=" + (scratch.path / "config").string() + " " + GLIMB_BINARY +
                        " --headless --no-progress --data " + GLIMB_DATA_DIR + " --frames 700 --input " +
                        (scratch.path / "keys.txt").string() + " --trace " + (scratch.path / "t.jsonl").string();
  int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  std::ifstream in(scratch.path / "t.jsonl");
  std::vector<std::string> trace;
  for (std::string line; std::getline(in, line);) trace.push_back(line);
  ASSERT_EQ(trace.size(), 700u);
  // Frame F of the script is trace line F - 1.
  EXPECT_EQ(field(trace[18], "gameState"), STATE_INTRO);
  EXPECT_EQ(field(trace[68], "gameState"), STATE_TITLE_MENU);
  EXPECT_EQ(field(trace[68], "menuPage"), 0);
  EXPECT_EQ(field(trace[68], "difficulty"), 1);  // a run starts on Normal
  EXPECT_EQ(field(trace[69], "menuPage"), 1);  // BEGIN GAME
  EXPECT_EQ(field(trace[69], "listRow"), 1);
  EXPECT_EQ(field(trace[79], "pendingState"), STATE_LEVEL_INTRO);  // the built-in world
  EXPECT_EQ(field(trace[79], "menuInit"), 0);
  EXPECT_EQ(field(trace[79], "lives"), 3);
  EXPECT_EQ(field(trace[138], "gameState"), STATE_LEVEL_INTRO);
  EXPECT_EQ(field(trace[138], "levelIndex"), 0);

  size_t done = 139;
  bool died = false;
  for (; done < trace.size() && field(trace[done], "gameState") != STATE_LEVEL_DONE; done++) {
    died = died || field(trace[done], "gameState") == STATE_DYING;
  }
  ASSERT_LT(done, trace.size()) << "the first level's exit was not reached";
  EXPECT_FALSE(died);
  EXPECT_EQ(field(trace[done], "levelIndex"), 1);
  size_t intro = done;
  while (intro < trace.size() && field(trace[intro], "gameState") != STATE_LEVEL_INTRO) intro++;
  ASSERT_LT(intro, trace.size()) << "no level intro after the first level";
  EXPECT_EQ(field(trace[intro], "levelIndex"), 1);
  EXPECT_EQ(field(trace[intro], "lives"), 3);
}

// The string a trace line gives a field, "?" when it has none.
std::string textField(const std::string& line, const std::string& name) {
  size_t at = line.find("\"" + name + "\":\"");
  if (at == std::string::npos) return "?";
  at += name.size() + 4;
  return line.substr(at, line.find('"', at) - at);
}

class ProgressRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(data());
    for (const fs::directory_entry& file : fs::directory_iterator(GLIMB_DATA_DIR)) {
      if (file.path().extension() == ".glb") fs::copy_file(file.path(), data() / file.path().filename());
    }
    // A world of the player's: the built-in one under a name of its own.
    fs::copy_file(data() / "data10.glb", data() / "mine.glw");
  }
  fs::path data() const { return scratch.path / "data"; }
  // Runs glimb over the copy with the keys; its trace, one line a frame.
  std::vector<std::string> run(const std::string& keys, int frames, const std::string& more = "") {
    std::ofstream(scratch.path / "keys.txt") << keys;
    const std::string command = "XDG_CONFIG_HOME=" + (scratch.path / "config").string() + " " + GLIMB_BINARY +
                                " --headless --data " + data().string() + " --frames " + std::to_string(frames) +
                                " --input " + (scratch.path / "keys.txt").string() + " --trace " +
                                (scratch.path / "t.jsonl").string() + " " + more + " 2>" +
                                (scratch.path / "err.txt").string();
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    std::ifstream in(scratch.path / "t.jsonl");
    std::vector<std::string> trace;
    for (std::string line; std::getline(in, line);) trace.push_back(line);
    return trace;
  }
  std::string read(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  ScratchFolder scratch;
};

// Past the intro, BEGIN GAME, down to the second world (mine.glw) at frame
// 74; `choose` at 78, then Enter at 80.
std::string toSecondWorld(const std::string& choose) {
  return "20: SPACE\n22:\n70: ENTER\n72:\n74: DOWN\n76:\n78: " + choose + "\n79:\n80: ENTER\n82:\n";
}

TEST_F(ProgressRunTest, FinishingLevelOneIsKeptAndTheNextRunsListItAndStartThere) {
  std::vector<std::string> trace = run(toSecondWorld("") + shiftedLevelInput(140), 700);
  ASSERT_EQ(trace.size(), 700u);
  EXPECT_EQ(textField(trace[76], "worldFile"), "mine.glw");
  EXPECT_EQ(field(trace[76], "worldReached"), 0);
  EXPECT_EQ(textField(trace[76], "worldProgress"), "");
  size_t intro = 160;
  while (intro < trace.size() && !(field(trace[intro], "gameState") == STATE_LEVEL_INTRO &&
                                   field(trace[intro], "levelIndex") == 1)) {
    intro++;
  }
  ASSERT_LT(intro, trace.size()) << "the first level was not finished";
  const std::string kept = read(data() / "progress");
  EXPECT_NE(kept.find(" 0 2 0\n"), std::string::npos) << kept;  // level 2 reached on Normal

  // The next run lists it, on the built-in world too (the same bytes), and
  // starts at level 2 with = (the + key) and Enter, with three lives.
  trace = run(toSecondWorld("EQUALS"), 150);
  ASSERT_EQ(trace.size(), 150u);
  EXPECT_EQ(field(trace[76], "worldReached"), 2);
  EXPECT_EQ(textField(trace[76], "worldProgress"), "Level 2/11");
  EXPECT_EQ(field(trace[76], "startLevel"), 1);
  EXPECT_EQ(field(trace[78], "startLevel"), 2);
  EXPECT_EQ(field(trace[79], "pendingState"), STATE_LEVEL_INTRO);
  EXPECT_EQ(field(trace[149], "gameState"), STATE_LEVEL_INTRO);
  EXPECT_EQ(field(trace[149], "levelIndex"), 1);
  EXPECT_EQ(field(trace[149], "lives"), 3);

  // A plain Enter starts at level 1 as before.
  trace = run(toSecondWorld(""), 150);
  EXPECT_EQ(field(trace[149], "levelIndex"), 0);

  // Renamed, the world keeps its record; edited, it has none.
  fs::rename(data() / "mine.glw", data() / "renamed.glw");
  trace = run(toSecondWorld(""), 78);
  EXPECT_EQ(textField(trace[76], "worldFile"), "renamed.glw");
  EXPECT_EQ(textField(trace[76], "worldProgress"), "Level 2/11");
  {
    std::fstream world(data() / "renamed.glw", std::ios::in | std::ios::out | std::ios::binary);
    world.seekp(62);  // the comment's first byte
    world.put('X');
  }
  trace = run(toSecondWorld(""), 78);
  EXPECT_EQ(field(trace[76], "worldReached"), 0);
  EXPECT_EQ(field(trace[75], "worldCount"), 2);
}

TEST_F(ProgressRunTest, ADamagedProgressFileIsToldAndWrittenAnew) {
  std::ofstream(data() / "progress", std::ios::binary) << "not progress\n\x01\x02\x03\n";
  std::vector<std::string> trace = run(toSecondWorld(""), 78);
  EXPECT_EQ(field(trace[76], "worldReached"), 0);
  const std::string said = read(scratch.path / "err.txt");
  EXPECT_NE(said.find("progress: damaged (lines 1, 2)"), std::string::npos) << said;
  const std::string kept = read(data() / "progress");
  EXPECT_EQ(kept.find("not progress"), std::string::npos) << kept;
  EXPECT_EQ(kept.rfind("# ", 0), 0u) << kept;
}

}  // namespace
