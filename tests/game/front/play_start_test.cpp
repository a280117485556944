// glimb headless with --play: the level intro stays up until a scripted key,
// then fades to white into the play state that starts the level.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include "game_test_support.h"
#include "world/world_file.h"

namespace {

int32_t field(const std::string& line, const std::string& name) {
  size_t at = line.find("\"" + name + "\":");
  return at == std::string::npos ? INT32_MIN : std::atoi(line.c_str() + at + name.size() + 3);
}

TEST(PlayStartTest, LevelIntroHandsOverToLevelStartAfterAScriptedKey) {
  ScratchFolder scratch;
  fs::path data = scratch.path / "data";
  fs::create_directories(data);
  writeDataFiles(data);
  std::string error;
  ASSERT_TRUE(writeWorldFile((data / "start.glw").string(), blankWorld(), &error)) << error;
  std::ofstream(scratch.path / "keys.txt") << "10: SPACE\n11:\n";
  std::string command = "XDG_CONFIG_HOME=" + (scratch.path / "config").string() + " " + GLIMB_BINARY +
                        " --headless --data " + data.string() + " --play start.glw --frames 30 --input " +
                        (scratch.path / "keys.txt").string() + " --trace " + (scratch.path / "t.jsonl").string();
  int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  std::ifstream in(scratch.path / "t.jsonl");
  std::vector<std::string> trace;
  for (std::string line; std::getline(in, line);) trace.push_back(line);
  ASSERT_EQ(trace.size(), 30u);
  for (int f = 0; f < 9; f++) EXPECT_EQ(field(trace[f], "gameState"), STATE_LEVEL_INTRO) << trace[f];
  EXPECT_EQ(field(trace[9], "pendingState"), STATE_LEVEL_START) << trace[9];
  size_t f = 10;
  while (f < trace.size() && field(trace[f], "gameState") == STATE_FADE_HOLD) f++;
  ASSERT_LT(f, trace.size());
  EXPECT_EQ(field(trace[f], "gameState"), STATE_LEVEL_START) << trace[f];  // the fade is over
}

}  // namespace
