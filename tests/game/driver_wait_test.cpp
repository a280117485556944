// The waits for released keys under the scripted driver: a script holds keys
// across a wait as a player would, the wait's re-reads count as frames of the
// run, and the record of such a run replays to the same trace.
#include "driver_fixture.h"
#include "game/play/level_grid.h"
#include "game/shell.h"
#include "world/world_file.h"

namespace {

constexpr int32_t FLOOR_TILE = 5, EXIT_TILE = 6, DEADLY_TILE = 7;

class DriverWaitTest : public DriverTest {
 protected:
  // A world of one level, 20 x 12 cells with no time limit, on a floor of
  // `floorTile`; with `exitAtStart`, the player starts inside the exit.
  void writeWorld(int32_t floorTile, bool exitAtStart = false) {
    std::string classes(TILE_CLASS_COUNT * 2, '\0');
    classes[2 * FLOOR_TILE] = char(CLASS_SOLID);
    classes[2 * EXIT_TILE] = char(CLASS_EXIT);
    classes[2 * DEADLY_TILE] = char(CLASS_DEADLY);
    std::ofstream(dataDir() / "data07.glb", std::ios::binary) << classes;
    World world = blankWorld();
    LevelRecord& level = world.levels[0];
    level.flags = withTimeStep(LEVEL_SCROLL_RIGHT, 15);
    auto set = [&](int32_t column, int32_t row, int32_t tile) {
      level.foreground[size_t(column) * size_t(level.height) + size_t(row)] = tile;
    };
    for (int32_t column = 0; column < level.width; column++) set(column, level.height - 1, floorTile);
    if (exitAtStart) {
      for (int32_t row = 1; row < level.height - 1; row++) set(2, row, EXIT_TILE), set(3, row, EXIT_TILE);
    }
    std::string error;
    ASSERT_TRUE(writeWorldFile((dataDir() / "w.glw").string(), world, &error)) << error;
  }
  // Runs the world for `frames` frames with the script; the trace's lines.
  std::vector<std::string> play(const std::string& script, int frames, const std::string& more = "") {
    std::ofstream(file("keys.txt")) << script;
    EXPECT_EQ(run(headless() + " --play w.glw --frames " + std::to_string(frames) + " --input " +
                  file("keys.txt").string() + " --trace " + file("trace.jsonl").string() + more),
              0)
        << read(file("stderr.txt"));
    return lines(file("trace.jsonl"));
  }
};

// The first trace line at or after `frame`, or nullptr.
const std::string* lineAt(const std::vector<std::string>& trace, int64_t frame) {
  for (const std::string& line : trace) {
    if (fieldOf(line, "frame") >= frame) return &line;
  }
  return nullptr;
}

TEST_F(DriverWaitTest, KeyHeldAsTheLevelIntroBeginsIsWaitedOutThenANewPressStartsTheLevel) {
  writeWorld(FLOOR_TILE);
  std::vector<std::string> trace = play("1: SPACE\n30:\n40: ENTER\n41:\n", 60);
  ASSERT_FALSE(trace.empty());
  // The intro's first frame waits until the script lets go at frame 30.
  EXPECT_EQ(fieldOf(trace[0], "frame"), 30);
  EXPECT_EQ(fieldOf(trace[0], "gameState"), STATE_LEVEL_INTRO);
  for (const std::string& line : trace) {
    if (fieldOf(line, "frame") < 40) {
      EXPECT_EQ(fieldOf(line, "pendingState"), 0) << line;
    }
  }
  ASSERT_NE(lineAt(trace, 40), nullptr);
  EXPECT_EQ(fieldOf(*lineAt(trace, 40), "frame"), 40);
  EXPECT_EQ(fieldOf(*lineAt(trace, 40), "pendingState"), STATE_LEVEL_START);
}

TEST_F(DriverWaitTest, PauseKeyHeldByTheScriptPausesOnceAndTheNextPressResumesAfterItsRelease) {
  writeWorld(FLOOR_TILE);
  std::vector<std::string> trace = play("5: SPACE\n6:\n30: P\n40:\n60: SPACE\n70:\n", 90);
  ASSERT_NE(lineAt(trace, 29), nullptr);
  EXPECT_GE(fieldOf(*lineAt(trace, 29), "gameState"), STATE_ON_GROUND);
  // Frames 30 to 39 went by in the pause's wait: the next line is frame 40.
  EXPECT_EQ(fieldOf(*lineAt(trace, 30), "frame"), 40);
  for (int64_t frame = 40; frame < 60; frame++) {
    ASSERT_NE(lineAt(trace, frame), nullptr);
    EXPECT_EQ(fieldOf(*lineAt(trace, frame), "gameState"), STATE_PAUSED) << "frame " << frame;
  }
  // SPACE resumes once it is let go, at frame 70, and nothing pauses again.
  EXPECT_EQ(fieldOf(*lineAt(trace, 60), "frame"), 70);
  for (const std::string& line : trace) {
    if (fieldOf(line, "frame") >= 70) {
      EXPECT_GE(fieldOf(line, "gameState"), STATE_ON_GROUND) << line;
    }
  }
}

TEST_F(DriverWaitTest, CaptureKeyHeldByTheScriptMakesOneCapturePerPress) {
  // The second press is never let go: the script ends holding F12.
  std::ofstream(file("keys.txt")) << "10: F12\n20:\n30: F12\n";
  ASSERT_EQ(run(headless() + " --frames 60 --input " + file("keys.txt").string() + " --record " +
                file("rec.txt").string() + " --trace " + file("first.jsonl").string()),
            0)
      << read(file("stderr.txt"));
  EXPECT_TRUE(fs::exists(dataDir() / "capt0000.pcx"));
  EXPECT_TRUE(fs::exists(dataDir() / "capt0001.pcx"));
  EXPECT_FALSE(fs::exists(dataDir() / "capt0002.pcx"));
  std::vector<std::string> trace = lines(file("first.jsonl"));
  EXPECT_EQ(fieldOf(*lineAt(trace, 10), "frame"), 20);
  EXPECT_EQ(fieldOf(*lineAt(trace, 30), "frame"), 31);  // let go when the script ran out
  EXPECT_EQ(fieldOf(trace.back(), "frame"), 60);
  // The record holds every read, the wait's among them, and replays the same.
  EXPECT_EQ(read(file("rec.txt")), "10: F12\n20:\n30: F12\n31:\n");
  ASSERT_EQ(run(headless() + " --frames 60 --input " + file("rec.txt").string() + " --trace " +
                file("second.jsonl").string()),
            0);
  EXPECT_EQ(lines(file("second.jsonl")), trace);
  EXPECT_TRUE(fs::exists(dataDir() / "capt0003.pcx"));
  EXPECT_FALSE(fs::exists(dataDir() / "capt0004.pcx"));
}

TEST_F(DriverWaitTest, CaptureAtAFrameInsideAWaitIsTakenAfterItAndFramesEndsTheWait) {
  std::ofstream(file("keys.txt")) << "10: F12\n100:\n";
  ASSERT_EQ(run(headless() + " --frames 50 --capture-at 15,40 --input " + file("keys.txt").string() +
                " --trace " + file("trace.jsonl").string()),
            0)
      << read(file("stderr.txt"));
  std::vector<std::string> trace = lines(file("trace.jsonl"));
  ASSERT_EQ(trace.size(), 10u);  // frames 1-9, then the pass whose wait reached the limit
  EXPECT_EQ(fieldOf(trace.back(), "frame"), 50);
  // F12 made one capture, and the two asked for inside the wait come after it.
  EXPECT_TRUE(fs::exists(dataDir() / "capt0002.pcx"));
  EXPECT_FALSE(fs::exists(dataDir() / "capt0003.pcx"));
}

TEST_F(DriverWaitTest, KeyHeldAsTheCongratulationsBeginIsWaitedOutThenANewPressLeaves) {
  writeWorld(FLOOR_TILE, true);
  std::vector<std::string> trace = play("5: SPACE\n6:\n20: RIGHT\n200:\n210: ENTER\n", 230);
  size_t shown = 0;
  while (shown < trace.size() && fieldOf(trace[shown], "gameState") != STATE_CONGRATULATIONS) shown++;
  // The fade ends into the screen; its first frame waits until RIGHT is let go.
  ASSERT_LT(shown + 1, trace.size());
  EXPECT_LT(fieldOf(trace[shown], "frame"), 190);
  EXPECT_EQ(fieldOf(trace[shown + 1], "frame"), 200);
  for (int64_t frame = 200; frame < 210; frame++) {
    EXPECT_EQ(fieldOf(*lineAt(trace, frame), "gameState"), STATE_CONGRATULATIONS) << "frame " << frame;
    EXPECT_EQ(fieldOf(*lineAt(trace, frame), "pendingState"), 0) << "frame " << frame;
  }
  EXPECT_EQ(fieldOf(*lineAt(trace, 210), "pendingState"), STATE_TITLE_MENU);
}

TEST_F(DriverWaitTest, GameOverStaysUntilAScriptedKeyAndAKeyHeldIntoItLeavesAtOnce) {
  // Every life ends on the deadly floor; each level intro is answered 4 frames after it appears.
  writeWorld(DEADLY_TILE);
  const std::string lives = "5: SPACE\n6:\n180: SPACE\n181:\n355: SPACE\n356:\n530: SPACE\n531:\n";
  std::vector<std::string> trace = play(lives + "700: SPACE\n701:\n", 720);
  int64_t over = -1;
  for (const std::string& line : trace) {
    if (over < 0 && fieldOf(line, "gameState") == STATE_GAME_OVER) over = fieldOf(line, "frame");
  }
  ASSERT_GT(over, 600);
  ASSERT_LT(over, 700);
  for (int64_t frame = over; frame < 700; frame++) {
    EXPECT_EQ(fieldOf(*lineAt(trace, frame), "gameState"), STATE_GAME_OVER) << "frame " << frame;
    EXPECT_EQ(fieldOf(*lineAt(trace, frame), "pendingState"), 0) << "frame " << frame;
  }
  EXPECT_EQ(fieldOf(*lineAt(trace, 700), "pendingState"), STATE_TITLE_MENU);

  trace = play(lives + std::to_string(over - 10) + ": ENTER\n", 720);
  EXPECT_EQ(fieldOf(*lineAt(trace, over), "gameState"), STATE_FADE_HOLD);
  EXPECT_EQ(fieldOf(*lineAt(trace, over), "pendingState"), STATE_TITLE_MENU);
}

}  // namespace
