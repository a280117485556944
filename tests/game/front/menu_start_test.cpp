// glimb headless from program start with scripted keys only: past the intro,
// BEGIN GAME, the built-in world, its first level played to the exit (the
// recorded run of the play tests, shifted to where the level starts here),
// and the level intro of level 2.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

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
                        " --headless --data " + GLIMB_DATA_DIR + " --frames 700 --input " +
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

}  // namespace
