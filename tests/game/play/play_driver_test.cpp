// glimb run headless with --play: over a test world the trace shows the
// level starting, the time running down one unit a frame, and "OUT OF TIME"
// putting the game into STATE_DYING; the built-in world's first level,
// replayed from a recorded input, is played through to its exit.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "game/play/level_grid.h"
#include "game/shell.h"
#include "game_test_support.h"
#include "world/world_file.h"

namespace {

int64_t fieldOf(const std::string& line, const std::string& name) {
  size_t at = line.find("\"" + name + "\":");
  if (at == std::string::npos) return INT64_MIN;
  return std::atoll(line.c_str() + at + name.size() + 3);
}

TEST(PlayDriverTest, PlayedLevelRunsOutOfTimeIntoDying) {
  ScratchFolder scratch;
  fs::path data = scratch.path / "data";
  fs::create_directories(data);
  writeDataFiles(data);
  setenv("XDG_CONFIG_HOME", (scratch.path / "config").c_str(), 1);
  // Width 20, time step 3, Normal: 320 units of one frame each.
  World world = blankWorld();
  world.levels[0].flags = withTimeStep(LEVEL_SCROLL_RIGHT, 3);
  // A class table where tile 5 is solid, and tile 5 along the bottom row for
  // the player to stand on.
  std::string classes(TILE_CLASS_COUNT * 2, '\0');
  classes[2 * 5] = char(CLASS_SOLID);
  std::ofstream(data / "data07.glb", std::ios::binary) << classes;
  LevelRecord& level = world.levels[0];
  for (int32_t column = 0; column < level.width; column++) {
    level.foreground[size_t(column) * size_t(level.height) + size_t(level.height - 1)] = 5;
  }
  std::string error;
  ASSERT_TRUE(writeWorldFile((data / "timer.glw").string(), world, &error)) << error;
  std::ofstream(scratch.path / "keys.txt") << "10: SPACE\n11:\n";
  const fs::path tracePath = scratch.path / "trace.jsonl";
  std::string command = std::string(GLIMB_BINARY) + " --headless --data " + data.string() +
                        " --play timer.glw --difficulty normal --frames 400 --input " +
                        (scratch.path / "keys.txt").string() + " --trace " + tracePath.string();
  int status = std::system(command.c_str());
  unsetenv("XDG_CONFIG_HOME");
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  std::vector<std::string> trace;
  std::ifstream in(tracePath);
  for (std::string line; std::getline(in, line);) trace.push_back(line);
  ASSERT_EQ(trace.size(), 400u);
  size_t started = 0;
  while (started < trace.size() && fieldOf(trace[started], "gameState") < STATE_ON_GROUND) started++;
  ASSERT_LT(started, trace.size());
  EXPECT_EQ(fieldOf(trace[started - 1], "gameState"), STATE_LEVEL_START);
  EXPECT_EQ(fieldOf(trace[started], "timeLeft"), 320);
  EXPECT_EQ(fieldOf(trace[started], "airLeft"), 500);
  EXPECT_EQ(fieldOf(trace[started], "playerX"), 64);
  EXPECT_NE(trace[started].find("\"objects\":[]"), std::string::npos);
  size_t f = started + 1;
  // The player drops onto the grass and stands there until the time is out.
  for (; f < trace.size() && fieldOf(trace[f], "gameState") != STATE_DYING; f++) {
    EXPECT_EQ(fieldOf(trace[f], "timeLeft"), fieldOf(trace[f - 1], "timeLeft") - 1) << trace[f];
  }
  ASSERT_LT(f, trace.size());
  EXPECT_EQ(f - started, 320u);
  EXPECT_EQ(fieldOf(trace[f], "timeLeft"), 0);
  EXPECT_EQ(fieldOf(trace[f], "gameState"), STATE_DYING);
  EXPECT_EQ(fieldOf(trace.back(), "gameState"), STATE_DYING);
  EXPECT_EQ(fieldOf(trace.back(), "timeLeft"), 0);
}

TEST(PlayDriverTest, ReplayOfTheFirstBuiltInLevelReachesItsExit) {
  ScratchFolder scratch;
  setenv("XDG_CONFIG_HOME", (scratch.path / "config").c_str(), 1);
  const fs::path tracePath = scratch.path / "trace.jsonl";
  std::string command = std::string(GLIMB_BINARY) + " --headless --data " + GLIMB_DATA_DIR +
                        " --play data10.glb --difficulty normal --frames 520 --input " + FIRST_LEVEL_INPUT +
                        " --trace " + tracePath.string();
  int status = std::system(command.c_str());
  unsetenv("XDG_CONFIG_HOME");
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  std::vector<std::string> trace;
  std::ifstream in(tracePath);
  for (std::string line; std::getline(in, line);) trace.push_back(line);
  ASSERT_EQ(trace.size(), 520u);
  size_t done = 0;
  bool died = false, stomped = false;
  for (; done < trace.size() && fieldOf(trace[done], "gameState") != STATE_LEVEL_DONE; done++) {
    died = died || fieldOf(trace[done], "gameState") == STATE_DYING;
    stomped = stomped || trace[done].find("{\"kind\":2,") != std::string::npos;
  }
  ASSERT_LT(done, trace.size());
  EXPECT_FALSE(died);
  EXPECT_TRUE(stomped);  // the first walker is flattened on the way
  EXPECT_EQ(fieldOf(trace[done], "levelIndex"), 1);
  EXPECT_EQ(fieldOf(trace[done - 1], "levelIndex"), 0);
  EXPECT_EQ(fieldOf(trace[done], "lives"), 3);
  // 26 frames of the level-done pause, then the next level's intro.
  EXPECT_EQ(fieldOf(trace[done + 25], "gameState"), STATE_LEVEL_DONE);
  EXPECT_EQ(fieldOf(trace[done + 26], "pendingState"), STATE_LEVEL_INTRO);
  EXPECT_EQ(fieldOf(trace.back(), "gameState"), STATE_FADE_HOLD);
  EXPECT_EQ(fieldOf(trace.back(), "pendingState"), STATE_LEVEL_INTRO);
}

}  // namespace
