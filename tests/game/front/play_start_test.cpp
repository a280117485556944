// glimb run headless with --play: the level intro stays up until a scripted
// key press, then fades to white into the play state that starts the level.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game_test_support.h"
#include "world/world_file.h"

namespace {

std::vector<std::string> readLines(const fs::path& path) {
  std::ifstream in(path);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

int32_t fieldOf(const std::string& line, const std::string& name) {
  size_t at = line.find("\"" + name + "\":");
  if (at == std::string::npos) return INT32_MIN;
  return std::atoi(line.c_str() + at + name.size() + 3);
}

TEST(PlayStartTest, LevelIntroHandsOverToLevelStartAfterAScriptedKey) {
  ScratchFolder scratch;
  fs::path data = scratch.path / "data";
  fs::create_directories(data);
  writeDataFiles(data);
  setenv("XDG_CONFIG_HOME", (scratch.path / "config").c_str(), 1);
  World world = blankWorld();
  setWorldText(world.header.worldName, sizeof world.header.worldName, "START");
  std::string error;
  ASSERT_TRUE(writeWorldFile((data / "start.glw").string(), world, &error)) << error;
  std::ofstream(scratch.path / "keys.txt") << "10: SPACE\n11:\n";

  std::string command = std::string(GLIMB_BINARY) + " --headless --data " + data.string() +
                        " --play start.glw --frames 30 --input " + (scratch.path / "keys.txt").string() +
                        " --trace " + (scratch.path / "trace.jsonl").string();
  int status = std::system(command.c_str());
  unsetenv("XDG_CONFIG_HOME");
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  std::vector<std::string> trace = readLines(scratch.path / "trace.jsonl");
  ASSERT_EQ(trace.size(), 30u);
  for (int f = 0; f < 9; f++) EXPECT_EQ(fieldOf(trace[f], "gameState"), STATE_LEVEL_INTRO) << trace[f];
  EXPECT_EQ(fieldOf(trace[9], "gameState"), STATE_FADE_HOLD) << trace[9];
  EXPECT_EQ(fieldOf(trace[9], "pendingState"), STATE_LEVEL_START) << trace[9];
  // The fade to white completes and the level start state follows it.
  int started = -1;
  for (int f = 10; f < 30 && started < 0; f++) {
    if (fieldOf(trace[f], "gameState") != STATE_FADE_HOLD) started = f;
  }
  ASSERT_GE(started, 0);
  EXPECT_EQ(fieldOf(trace[started], "gameState"), STATE_LEVEL_START) << trace[started];
  EXPECT_EQ(fieldOf(trace[started], "pendingState"), 0);
}

}  // namespace
