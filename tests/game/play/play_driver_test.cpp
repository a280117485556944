// glimb run headless with --play: over a test world the trace shows the
// level starting, the time running down one unit a frame, and "OUT OF TIME"
// putting the game into STATE_DYING; the built-in world's first level,
// replayed from a recorded input, is played through to its exit.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "game/play/level_grid.h"
#include "game/play/objects.h"
#include "game/shell.h"
#include "game_test_support.h"
#include "media/pcx.h"
#include "play_test_support.h"
#include "world/world_file.h"

namespace {

struct TracedObject {
  int64_t kind, x, y;
};

// The "objects" of a trace line, in list order.
std::vector<TracedObject> objectsOf(const std::string& line) {
  static const std::regex object("\\{\"kind\":(-?[0-9]+),\"x\":(-?[0-9]+),\"y\":(-?[0-9]+),");
  std::vector<TracedObject> out;
  for (auto it = std::sregex_iterator(line.begin(), line.end(), object); it != std::sregex_iterator(); ++it) {
    out.push_back({std::stoll((*it)[1]), std::stoll((*it)[2]), std::stoll((*it)[3])});
  }
  return out;
}

// glimb run headless over a world of the test's own, drawn with the colour-
// coded sheet and the test class table, so that a pixel of a capture tells
// which tile or figure is there.
class ColourCodedRun : public testing::Test {
 protected:
  void SetUp() override {
    data = scratch.path / "data";
    fs::create_directories(data);
    writeDataFiles(data);
    writeColourSheet(data / "data09.glb", 32, 16, 16);
    writeColourSheet(data / "data12.glb", 16, 16, 8);
    writeTestClasses(data / "data07.glb");
    setenv("XDG_CONFIG_HOME", (scratch.path / "config").c_str(), 1);
  }
  void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

  // Plays the level on Normal for `frames` frames with the input script,
  // capturing after each frame of `captures`; the trace, one line a frame.
  void play(const TestLevel& level, const std::string& input, int frames, const std::vector<int>& captures = {}) {
    World world = blankWorld();
    world.levels = {level.record};
    world.header.levelCount = 1;
    std::string error;
    ASSERT_TRUE(writeWorldFile((data / "test.glw").string(), world, &error)) << error;
    std::ofstream(scratch.path / "keys.txt") << input;
    std::string command = std::string(GLIMB_BINARY) + " --headless --data " + data.string() +
                          " --play test.glw --difficulty normal --frames " + std::to_string(frames) + " --input " +
                          (scratch.path / "keys.txt").string() + " --trace " + (scratch.path / "trace.jsonl").string();
    if (!captures.empty()) {
      std::string list;
      for (int f : captures) {
        if (!list.empty()) list += ',';
        list += std::to_string(f);
      }
      command += " --capture-at " + list;
    }
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    trace.clear();
    std::ifstream in(scratch.path / "trace.jsonl");
    for (std::string line; std::getline(in, line);) trace.push_back(line);
    ASSERT_EQ(trace.size(), size_t(frames));
  }
  // The trace line of frame f (counted from 1).
  const std::string& at(int f) const { return trace[size_t(f - 1)]; }
  // The first frame in which play runs.
  int firstPlayFrame() const {
    for (size_t i = 0; i < trace.size(); i++)
      if (fieldOf(trace[i], "gameState") >= STATE_ON_GROUND) return int(i) + 1;
    return 0;
  }
  // The n-th capture (from 0) as the player saw it.
  PcxPicture capture(int n) const {
    char name[16];
    std::snprintf(name, sizeof name, "capt%04d.pcx", n);
    PcxPicture picture;
    std::string error;
    EXPECT_TRUE(readPcxFile((data / name).string(), &picture, &error)) << error;
    return picture;
  }

  ScratchFolder scratch;
  fs::path data;
  std::vector<std::string> trace;
};

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

// The first frame of play of a 40 x 12 level with the start tile on column 2,
// run with the given extra options: the player's world x and the row its
// top lies in (the player may have begun to fall within that frame).
std::pair<int64_t, int64_t> startPositionWith(const std::string& extra, int* exitCode) {
  ScratchFolder scratch;
  fs::path data = scratch.path / "data";
  fs::create_directories(data);
  writeDataFiles(data);
  setenv("XDG_CONFIG_HOME", (scratch.path / "config").c_str(), 1);
  World world = blankWorld();
  LevelRecord& level = world.levels[0];
  level.width = 40;
  level.foreground.assign(size_t(40 * 12), 0);
  level.background.clear();
  level.foreground[size_t(2 * 12 + 9)] = TILE_START_RIGHT;
  std::string error;
  EXPECT_TRUE(writeWorldFile((data / "start.glw").string(), world, &error)) << error;
  // The level intro waits for a key.
  std::ofstream(scratch.path / "keys.txt") << "10: SPACE\n11:\n";
  const fs::path tracePath = scratch.path / "trace.jsonl";
  std::string command = std::string(GLIMB_BINARY) + " --headless --data " + data.string() +
                        " --play start.glw --frames 400 --input " + (scratch.path / "keys.txt").string() +
                        " --trace " + tracePath.string() + " " + extra +
                        " 2>/dev/null";
  int status = std::system(command.c_str());
  unsetenv("XDG_CONFIG_HOME");
  *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream in(tracePath);
  for (std::string line; std::getline(in, line);) {
    if (fieldOf(line, "gameState") >= STATE_ON_GROUND)
      return {fieldOf(line, "playerX") + fieldOf(line, "scrollX"),
              (fieldOf(line, "playerY") + fieldOf(line, "scrollY")) / 32};
  }
  return {-1, -1};
}

TEST(PlayDriverTest, StartOptionPutsThePlayerOnTheCellInsteadOfTheStartTile) {
  int code = 0;
  EXPECT_EQ(startPositionWith("", &code), std::make_pair(int64_t(2 * 32), int64_t(9)));
  EXPECT_EQ(code, 0);
  // Near the level's right end the view is held inside and the player moves on screen.
  EXPECT_EQ(startPositionWith("--start 38,3", &code), std::make_pair(int64_t(38 * 32), int64_t(3)));
  EXPECT_EQ(code, 0);
  // A cell outside the level is not used: the level's own start tile is.
  EXPECT_EQ(startPositionWith("--start 40,3", &code), std::make_pair(int64_t(2 * 32), int64_t(9)));
  startPositionWith("--start 5", &code);
  EXPECT_EQ(code, 2);
}

TEST(PlayDriverTest, ReplayOfTheFirstBuiltInLevelReachesItsExit) {
  ScratchFolder scratch;
  setenv("XDG_CONFIG_HOME", (scratch.path / "config").c_str(), 1);
  const fs::path tracePath = scratch.path / "trace.jsonl";
  std::string command = std::string(GLIMB_BINARY) + " --headless --no-progress --data " + GLIMB_DATA_DIR +
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

namespace {

// The summit, the built-in world's eleventh level, climbs and then descends
// into a valley far below the first view: its runner comes alive when the view,
// following the player down, shows the valley floor's row, and then runs.
TEST(PlayDriverTest, TheSummitsValleyRunnerComesAliveAsTheViewDescends) {
  constexpr int64_t VALLEY_ROW = 26;
  ScratchFolder scratch;
  setenv("XDG_CONFIG_HOME", (scratch.path / "config").c_str(), 1);
  const fs::path tracePath = scratch.path / "trace.jsonl";
  std::string command = std::string(GLIMB_BINARY) + " --headless --no-progress --data " + GLIMB_DATA_DIR +
                        " --play data10.glb --level 11 --difficulty normal --frames 900 --input " + SUMMIT_INPUT +
                        " --trace " + tracePath.string();
  int status = std::system(command.c_str());
  unsetenv("XDG_CONFIG_HOME");
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  std::vector<std::string> trace;
  std::ifstream in(tracePath);
  for (std::string line; std::getline(in, line);) trace.push_back(line);
  size_t alive = 0;
  for (size_t f = 0; f < trace.size() && !alive; f++) {
    for (const TracedObject& o : objectsOf(trace[f])) alive = o.kind == KIND_FAST_WALKER ? f : alive;
  }
  ASSERT_GT(alive, 0u) << "the runner never came alive";
  EXPECT_EQ(fieldOf(trace[alive], "scrollY") / 32 + 12, VALLEY_ROW);  // the lower edge row was just scanned
  EXPECT_LT(fieldOf(trace[alive - 1], "scrollY") / 32 + 12, VALLEY_ROW);
  auto runnerX = [&](size_t f) {
    for (const TracedObject& o : objectsOf(trace[f]))
      if (o.kind == KIND_FAST_WALKER) return o.x + fieldOf(trace[f], "scrollX");
    return INT64_MIN;
  };
  for (const TracedObject& o : objectsOf(trace[alive])) {
    if (o.kind == KIND_FAST_WALKER) {
      EXPECT_EQ(o.y + fieldOf(trace[alive], "scrollY"), VALLEY_ROW * 32);
    }
  }
  EXPECT_NE(runnerX(alive + 10), runnerX(alive));
  size_t done = alive;
  while (done < trace.size() && fieldOf(trace[done], "gameState") != STATE_LEVEL_DONE) done++;
  ASSERT_LT(done, trace.size());
  EXPECT_EQ(fieldOf(trace[done], "lives"), 3);
}

constexpr int32_t T_WALKER_LEFT = 9, T_GATE = 58, T_LEVER = 77;

// In a level that scrolls down, the walker on the floor below the first view
// comes alive once the view follows the player down from its ledge, walks up
// to where the player stands and kills it.
TEST_F(ColourCodedRun, AWalkerBelowTheFirstViewWalksAndKillsInALevelScrollingDown) {
  TestLevel level(20, 30, timeFlags(TIME_STEP_UNLIMITED, LEVEL_SCROLL_DOWN));
  for (int32_t c = 0; c <= 5; c++) level.set(c, 13, T_SOLID);
  level.floor(20).set(3, 12, TILE_START_RIGHT).set(17, 19, T_WALKER_LEFT);
  play(level, "10: SPACE\n11:\n20: RIGHT\n48:\n", 400);
  const int start = firstPlayFrame();
  ASSERT_GT(start, 0);
  EXPECT_EQ(fieldOf(at(start), "scrollY"), 12 * 32 - 176);
  int alive = 0;
  for (int f = start; f <= 400 && !alive; f++) {
    if (!objectsOf(at(f)).empty()) alive = f;
  }
  ASSERT_GT(alive, 0) << "the walker never came alive";
  std::vector<TracedObject> objects = objectsOf(at(alive));
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0].kind, KIND_WALKER);
  EXPECT_EQ(fieldOf(at(alive), "scrollY") / 32 + 12, 19);  // its row has just come to the view's edge
  EXPECT_EQ(objects[0].x + fieldOf(at(alive), "scrollX"), 17 * 32 - 2);
  EXPECT_EQ(objects[0].y + fieldOf(at(alive), "scrollY"), 19 * 32);
  int died = 0;
  for (int f = alive + 1; f <= 400 && !died; f++) {
    ASSERT_EQ(objectsOf(at(f)).size(), 1u);
    EXPECT_LE(objectsOf(at(f))[0].x + fieldOf(at(f), "scrollX"), objectsOf(at(f - 1))[0].x + fieldOf(at(f - 1), "scrollX"));
    if (fieldOf(at(f), "gameState") == STATE_DYING) died = f;
  }
  ASSERT_GT(died, 0) << "the walker never reached the player";
  EXPECT_GT(died - alive, 50);  // it walked there
  EXPECT_LT(std::abs(objectsOf(at(died))[0].x - fieldOf(at(died), "playerX")), 28);
  EXPECT_EQ(fieldOf(at(died), "playerY") + fieldOf(at(died), "scrollY"), 19 * 32);
}

// Running and walking right past a gate and a lever, back left and right
// again: in every capture, at every even scroll phase (the view moves 2 or 4
// pixels at a time from a whole cell), the closed gate and the lever show in
// their own cells only, and the trace never holds two of either.
TEST_F(ColourCodedRun, CapturesShowNoPhantomGateWhileScrollingBackAndForth) {
  constexpr int32_t GATE = 24, LEVER = 26, ROW = 5;
  TestLevel level(60, 12, timeFlags(TIME_STEP_UNLIMITED, LEVEL_SCROLL_LEFT | LEVEL_SCROLL_RIGHT));
  level.floor(10).set(6, 9, TILE_START_RIGHT).set(GATE, ROW, T_GATE).set(LEVER, ROW, T_LEVER);
  const std::string input = "10: SPACE\n11:\n20: RIGHT\n140: RIGHT DOWN\n260: LEFT\n330: LEFT DOWN\n470: RIGHT\n520:\n";
  std::vector<int> captures;
  for (int f = 30; f <= 520; f++) captures.push_back(f);
  play(level, input, 520, captures);
  std::set<int64_t> phasesRight, phasesLeft;
  for (size_t n = 0; n < captures.size(); n++) {
    const std::string& line = at(captures[n]);
    const int64_t scrollX = fieldOf(line, "scrollX");
    int gates = 0, levers = 0;
    for (const TracedObject& o : objectsOf(line)) {
      gates += o.kind == KIND_GATE;
      levers += o.kind == KIND_LEVER_UP || o.kind == KIND_LEVER_DOWN;
    }
    ASSERT_LE(gates, 1) << line;
    ASSERT_LE(levers, 1) << line;
    const int64_t gateX = GATE * 32 - scrollX;
    if (gateX <= -32 || gateX >= 640) continue;
    const int64_t before = fieldOf(at(captures[n] - 1), "scrollX");
    if (scrollX != before) (scrollX > before ? phasesRight : phasesLeft).insert(scrollX % 32);
    PcxPicture picture = capture(int(n));
    ASSERT_EQ(picture.width, 640);
    for (int32_t x = 0; x < 640; x++) {
      const int64_t column = (x + scrollX) / 32;
      const uint8_t pixel = picture.pixels[size_t(ROW * 32 + 16) * 640 + size_t(x)];
      ASSERT_EQ(pixel == TILE_GATE_CLOSED, column == GATE) << "frame " << captures[n] << ", x " << x << "\n" << line;
      ASSERT_EQ(pixel == T_LEVER, column == LEVER) << "frame " << captures[n] << ", x " << x << "\n" << line;
    }
  }
  EXPECT_EQ(phasesRight.size(), 16u);
  EXPECT_EQ(phasesLeft.size(), 16u);
}

// Running into a bell from the left rings the bell and nothing beside it: the
// picture in the cell the player came from stays.
TEST_F(ColourCodedRun, ABellRunIntoRingsOnlyItself) {
  TestLevel level(20, 12, timeFlags(TIME_STEP_UNLIMITED));
  level.floor(10).set(2, 9, TILE_START_RIGHT).set(7, 9, T_PLAIN).set(8, 9, T_BELL).set(9, 9, T_PLAIN2);
  play(level, "10: SPACE\n11:\n20: RIGHT\n110:\n", 120, {119});
  PcxPicture picture = capture(0);
  ASSERT_EQ(picture.width, 640);
  auto pixel = [&](int32_t column) { return picture.pixels[size_t(9 * 32 + 16) * 640 + size_t(column * 32 + 16)]; };
  EXPECT_EQ(pixel(8), T_BELL_RUNG);
  EXPECT_EQ(pixel(7), T_PLAIN);
  EXPECT_EQ(pixel(9), T_PLAIN2);
  for (int32_t column : {3, 4, 5, 6, 10}) EXPECT_EQ(pixel(column), 0) << column;
  EXPECT_GT(fieldOf(at(119), "playerX"), 12 * 32);  // the player has run past
}

}  // namespace
