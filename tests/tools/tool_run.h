// Runs glimb-world as a shell command in the test's scratch folder and keeps its
// exit status and both outputs.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/world/scratch_dir.h"

struct ToolRun {
  int status;
  std::string out, err;
};

inline std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// `prefix` runs first in the same shell, e.g. "cd FOLDER &&".
inline ToolRun runTool(const std::string& arguments, const std::string& prefix = "") {
  const std::string out = scratchPath("out"), err = scratchPath("err");
  const std::string command = prefix + " '" + GLIMB_WORLD_TOOL + "' " + arguments + " >'" + out + "' 2>'" + err + "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
}
