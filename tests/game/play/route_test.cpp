// The recorded routes through the built-in world: routes/NN-DIFFICULTY.txt is an
// --input script that plays level NN from its level intro to its exit. Each route
// is replayed headless with --play and its trace must show the exit reached
// without a single life lost.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "game/shell.h"
#include "game_test_support.h"

namespace {

struct Route {
  std::string file;  // the name in routes/
  int level = 0;     // 1-based, as --level takes it
  std::string difficulty;
};

std::vector<Route> allRoutes() {
  std::vector<Route> routes;
  const std::regex name("([0-9]+)-(easy|normal|hard)\\.txt");
  for (const auto& entry : fs::directory_iterator(ROUTES_DIR)) {
    std::smatch m;
    std::string file = entry.path().filename().string();
    if (std::regex_match(file, m, name)) routes.push_back({file, std::stoi(m[1]), m[2]});
  }
  std::sort(routes.begin(), routes.end(), [](const Route& a, const Route& b) { return a.file < b.file; });
  return routes;
}

int64_t fieldOf(const std::string& line, const std::string& field) {
  size_t at = line.find("\"" + field + "\":");
  if (at == std::string::npos) return INT64_MIN;
  return std::atoll(line.c_str() + at + field.size() + 3);
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
  const fs::path script = fs::path(ROUTES_DIR) / route.file;
  ScratchFolder scratch;
  setenv("XDG_CONFIG_HOME", (scratch.path / "config").c_str(), 1);
  const fs::path tracePath = scratch.path / "trace.jsonl";
  const int frames = lastScriptFrame(script) + 30;
  std::string command = std::string(GLIMB_BINARY) + " --headless --data " + GLIMB_DATA_DIR +
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

}  // namespace
