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
  std::string read(const fs::path& path) const { return readText(path); }
  std::vector<std::string> lines(const fs::path& path) const { return fileLines(path); }
  std::string headless() const { return "--headless --data " + dataDir().string(); }

  ScratchFolder scratch;
};

