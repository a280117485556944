// The glimb program run as a child process over a scratch data folder: its
// exit code and error output, the files it writes, the fields of its trace.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game_test_support.h"

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dataDir());
    writeDataFiles(dataDir());
    setenv("XDG_CONFIG_HOME", (scratch.path / "config").c_str(), 1);
  }
  void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

  fs::path dataDir() const { return scratch.path / "data"; }
  fs::path file(const std::string& name) const { return scratch.path / name; }

  // Runs glimb with the arguments; its exit code, with its error output kept.
  // A run that hangs is ended by `timeout` and fails with 124.
  int run(const std::string& arguments) {
    std::string command =
        "timeout 300 " + std::string(GLIMB_BINARY) + " " + arguments + " 2>" + file("stderr.txt").string();
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string read(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::vector<std::string> lines(const fs::path& path) const {
    std::vector<std::string> out;
    std::istringstream in(read(path));
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
  }
  std::string headless() const { return "--headless --data " + dataDir().string(); }

  ScratchFolder scratch;
};

// The number a trace line gives a field, INT64_MIN when it has none.
inline int64_t fieldOf(const std::string& line, const std::string& name) {
  size_t at = line.find("\"" + name + "\":");
  if (at == std::string::npos) return INT64_MIN;
  return std::atoll(line.c_str() + at + name.size() + 3);
}
