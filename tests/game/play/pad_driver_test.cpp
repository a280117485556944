// glimb run headless with a pad in its input script: a pad plugged in mid-game
// is used and pulling it out pauses play, its Back button leaves the level,
// a recorded session with a pad replays to the same trace, and the setup
// page's capture shows a game controller's buttons by name.
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
#include "media/pcx.h"

namespace {

class PadDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(data());
    for (const fs::directory_entry& file : fs::directory_iterator(GLIMB_DATA_DIR)) {
      if (file.path().extension() == ".glb") fs::copy_file(file.path(), data() / file.path().filename());
    }
  }
  fs::path data() const { return scratch.path / "data"; }
  // Runs glimb headless over a copy of the data with the keys; its trace.
  std::vector<std::string> run(const std::string& keys, int frames, const std::string& more = "") {
    std::ofstream(scratch.path / "keys.txt") << keys;
    const std::string command = "XDG_CONFIG_HOME=" + (scratch.path / "config").string() + " " + GLIMB_BINARY +
                                " --headless --data " + data().string() + " --frames " +
                                std::to_string(frames) + " --input " + (scratch.path / "keys.txt").string() +
                                " --trace " + (scratch.path / "t.jsonl").string() + " " + more;
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    return fileLines(scratch.path / "t.jsonl");
  }
  ScratchFolder scratch;
};

// The first level of the built-in world: past its intro at frame 10, a pad
// plugged in at 60, the stick pushed right from 70 to 100, Jump (B1) at 110;
// pulled out at 150; plugged in again at 200, where B2 goes on; Back (B8) at 220.
const char* const PAD_SESSION =
    "10: SPACE\n11:\n60: PAD\n70: PAD X=1024\n100: PAD\n110: PAD B1\n112: PAD\n150:\n200: PAD B2\n202: PAD\n"
    "220: PAD B8\n222: PAD\n";

TEST_F(PadDriverTest, APadPluggedInMidGameIsUsedPullingItOutPausesAndTheSessionReplays) {
  const fs::path record = scratch.path / "record.txt";
  const std::vector<std::string> trace = run(PAD_SESSION, 260, "--play data10.glb --record " + record.string());
  ASSERT_FALSE(trace.empty());
  EXPECT_EQ(fieldOf(trace.back(), "frame"), 260);
  // The trace line of frame F (a line a pass: the frames of a wait have none).
  auto at = [&](int64_t frame) -> const std::string& {
    for (const std::string& line : trace) {
      if (fieldOf(line, "frame") >= frame) return line;
    }
    return trace.back();
  };
  EXPECT_EQ(fieldOf(at(59), "joystickPresent"), 0);
  EXPECT_EQ(fieldOf(at(60), "joystickPresent"), 1);
  const int64_t x60 = fieldOf(at(60), "scrollX") + fieldOf(at(60), "playerX");
  const int64_t x100 = fieldOf(at(100), "scrollX") + fieldOf(at(100), "playerX");
  EXPECT_GT(x100 - x60, 100) << "the stick did not run the player right";
  EXPECT_EQ(fieldOf(at(111), "gameState"), 1);  // airborne after B1
  // Pulled out at 150: paused there until a button of the pad plugged in
  // again goes on, as any key does; then Back leaves the level.
  EXPECT_EQ(fieldOf(at(150), "joystickPresent"), 0);
  for (int64_t frame = 150; frame < 200; frame += 7) {
    EXPECT_EQ(fieldOf(at(frame), "gameState"), STATE_PAUSED) << frame;
  }
  EXPECT_GE(fieldOf(at(205), "gameState"), 0);
  EXPECT_EQ(fieldOf(at(220), "pendingState"), STATE_TITLE_MENU) << at(220);
  EXPECT_EQ(fieldOf(trace.back(), "gameState"), STATE_TITLE_MENU);
  EXPECT_EQ(fieldOf(trace.back(), "lives"), 3);  // Back does not retry as well

  // The record holds the pad, and replays to the same trace.
  const std::string recorded = readText(record);
  EXPECT_NE(recorded.find("\n70: PAD X=1024\n"), std::string::npos) << recorded;
  EXPECT_NE(recorded.find("\n150:\n"), std::string::npos) << recorded;
  EXPECT_EQ(run(recorded, 260, "--play data10.glb"), trace);
}

// True when `text` is drawn at (x, y) of the picture in the small font: every
// inked pixel of every glyph is there in its colour.
bool drawnAt(const PcxPicture& picture, const PcxPicture& font, int32_t x, int32_t y, const std::string& text) {
  const int32_t columns = font.width / 16;
  for (size_t i = 0; i < text.size(); i++) {
    const int32_t glyph = static_cast<unsigned char>(text[i]);
    const int32_t gx = (glyph % columns) * 16, gy = (glyph / columns) * 16;
    for (int32_t dy = 0; dy < 16; dy++) {
      for (int32_t dx = 0; dx < 16; dx++) {
        const uint8_t ink = font.pixels[size_t(gy + dy) * font.width + gx + dx];
        const int32_t px = x + 16 * int32_t(i) + dx, py = y + dy;
        if (ink != 0 && picture.pixels[size_t(py) * picture.width + px] != ink) return false;
      }
    }
  }
  return true;
}

TEST_F(PadDriverTest, TheSetupPagesCaptureShowsAGameControllersButtonsByName) {
  // Past the intro, GAME SETUP, down to the pad's section and into its rows,
  // with a game controller plugged in all along; then without one.
  const std::string keys =
      "1: PAD\n20: PAD SPACE\n22: PAD\n70: PAD DOWN\n72: PAD\n74: PAD ENTER\n76: PAD\n78: PAD DOWN\n80: PAD\n"
      "82: PAD ENTER\n84: PAD\n";
  run(keys, 90, "--capture-at 88");
  run("20: SPACE\n22:\n70: DOWN\n72:\n74: ENTER\n76:\n78: DOWN\n80:\n82: ENTER\n84:\n", 90, "--capture-at 88");
  PcxPicture named, numbered, font;
  std::string error;
  ASSERT_TRUE(readPcxFile((data() / "capt0000.pcx").string(), &named, &error)) << error;
  ASSERT_TRUE(readPcxFile((data() / "capt0001.pcx").string(), &numbered, &error)) << error;
  ASSERT_TRUE(readPcxFile((data() / "data12.glb").string(), &font, &error)) << error;
  EXPECT_TRUE(drawnAt(named, font, 224, 224, "Jump  - A"));
  EXPECT_TRUE(drawnAt(named, font, 224, 240, "Walk  - B"));
  EXPECT_TRUE(drawnAt(named, font, 224, 256, "Pause - Start"));
  EXPECT_TRUE(drawnAt(named, font, 224, 272, "Retry - RS"));
  EXPECT_TRUE(drawnAt(named, font, 448, 272, "Quit - Back"));
  EXPECT_TRUE(drawnAt(numbered, font, 224, 224, "Jump  - B1"));
  EXPECT_TRUE(drawnAt(numbered, font, 448, 272, "Quit - B8"));
  EXPECT_FALSE(drawnAt(named, font, 224, 224, "Jump  - B1"));
}

}  // namespace
