// The recorded routes through the built-in world: routes/NN-DIFFICULTY.txt is an
// --input script that plays the level of content/levels/world/NN-*.txt from its
// level intro to its exit (the level files are played in name order, so that
// level's place in the world is its place in the folder). Each route
// is replayed headless with --play and its trace must show the exit reached
// without a single life lost.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "game/shell.h"
#include "game_test_support.h"
#include "world/world_file.h"

namespace {

// How many levels have routes on Easy and Hard as well as on Normal, at least.
constexpr int MIN_LEVELS_ON_EVERY_DIFFICULTY = 3;

struct Route {
  std::string file;  // the name in routes/
  int level = 0;     // 1-based, as --level takes it; 0 when no level file has the number
  std::string difficulty;
};

void PrintTo(const Route& route, std::ostream* out) { *out << route.file; }

// The level files of the built-in world in the order the world holds them.
std::vector<std::string> levelFiles() {
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(LEVELS_DIR))
    if (entry.path().extension() == ".txt") files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<Route> allRoutes() {
  std::vector<Route> routes;
  const std::vector<std::string> levels = levelFiles();
  const std::regex name("([0-9]+)-(easy|normal|hard)\\.txt");
  for (const auto& entry : fs::directory_iterator(ROUTES_DIR)) {
    std::smatch m;
    std::string file = entry.path().filename().string();
    if (!std::regex_match(file, m, name)) continue;
    const std::string prefix = m[1].str() + "-";
    int level = 0;
    for (size_t i = 0; i < levels.size(); i++)
      if (levels[i].rfind(prefix, 0) == 0) level = int(i) + 1;
    routes.push_back({file, level, m[2]});
  }
  std::sort(routes.begin(), routes.end(), [](const Route& a, const Route& b) { return a.file < b.file; });
  return routes;
}

// The last frame named in an input script: the route is over by then.
int lastScriptFrame(const fs::path& script) {
  std::ifstream in(script);
  int last = 0;
  for (std::string line; std::getline(in, line);) {
    size_t colon = line.find(':');
    size_t hash = line.find('#');
    if (colon == std::string::npos || (hash != std::string::npos && hash < colon)) continue;
    last = std::max(last, std::atoi(line.c_str()));
  }
  return last;
}

class RouteTest : public testing::TestWithParam<Route> {};

TEST_P(RouteTest, ReachesTheExitWithoutLosingALife) {
  const Route& route = GetParam();
  ASSERT_GT(route.level, 0) << route.file << ": no level file in " << LEVELS_DIR << " has its number";
  const fs::path script = fs::path(ROUTES_DIR) / route.file;
  ScratchFolder scratch;
  setenv("XDG_CONFIG_HOME", (scratch.path / "config").c_str(), 1);
  const fs::path tracePath = scratch.path / "trace.jsonl";
  const int frames = lastScriptFrame(script) + 30;
  std::string command = std::string(GLIMB_BINARY) + " --headless --no-progress --data " + GLIMB_DATA_DIR +
                        " --play data10.glb --level " + std::to_string(route.level) + " --difficulty " +
                        route.difficulty + " --frames " + std::to_string(frames) + " --input " +
                        script.string() + " --trace " + tracePath.string();
  int status = std::system(command.c_str());
  unsetenv("XDG_CONFIG_HOME");
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;

  std::ifstream in(tracePath);
  std::vector<std::string> trace;
  for (std::string line; std::getline(in, line);) trace.push_back(line);
  ASSERT_FALSE(trace.empty());
  const int64_t startLives = fieldOf(trace.front(), "lives");
  size_t done = 0;
  for (; done < trace.size(); done++) {
    const std::string& t = trace[done];
    int64_t state = fieldOf(t, "gameState");
    if (state == STATE_LEVEL_DONE) break;
    ASSERT_NE(state, STATE_DYING) << route.file << ": a life is lost at frame " << done << "\n" << t;
    ASSERT_GE(fieldOf(t, "lives"), startLives) << route.file << " at frame " << done;
    ASSERT_EQ(fieldOf(t, "levelIndex"), route.level - 1) << route.file << " at frame " << done;
  }
  ASSERT_LT(done, trace.size()) << route.file << ": the exit is not reached in " << frames << " frames; at the end\n"
                                << trace.back();
  EXPECT_EQ(fieldOf(trace[done], "levelIndex"), route.level);
  EXPECT_EQ(fieldOf(trace[done], "difficulty"),
            route.difficulty == "easy" ? 0 : route.difficulty == "normal" ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(BuiltInWorld, RouteTest, testing::ValuesIn(allRoutes()),
                         [](const testing::TestParamInfo<Route>& info) {
                           std::string name = info.param.file.substr(0, info.param.file.size() - 4);
                           std::replace(name.begin(), name.end(), '-', '_');
                           return "Level" + name;
                         });

// The world's levels are read from the data file the game plays, so a level file
// added without a route is caught.
TEST(RouteCoverage, EveryLevelHasARouteOnNormal) {
  World world;
  std::string error;
  ASSERT_TRUE(readWorldFile(std::string(GLIMB_DATA_DIR) + "/data10.glb", &world, &error)) << error;
  ASSERT_EQ(world.levels.size(), levelFiles().size());
  std::map<int, std::set<std::string>> byLevel;
  for (const Route& r : allRoutes()) byLevel[r.level].insert(r.difficulty);
  int allThree = 0;
  for (int level = 1; level <= int(world.levels.size()); level++) {
    EXPECT_TRUE(byLevel[level].count("normal")) << levelFiles()[level - 1] << " has no route on Normal";
    if (byLevel[level].size() == 3) allThree++;
  }
  EXPECT_GE(allThree, MIN_LEVELS_ON_EVERY_DIFFICULTY);
}

}  // namespace
