// glimb-world: looks into world files for level authors and tests. The command table
// below is the one place a new subcommand is added.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/world_commands.h"

namespace {

struct Command {
  const char* name;
  const char* arguments;
  const char* summary;
  size_t minArgs, maxArgs;
  int (*run)(const std::vector<std::string>& args);
};

constexpr size_t MANY = ~size_t(0);
constexpr Command COMMANDS[] = {
    {"info", "FILE", "print the header, and each level's size, flags and time step", 1, 1,
     runInfo},
    {"check", "FILE...", "exit 0 when every FILE is a sound world the game can play;\n"
                         "                    otherwise print the reason and exit 1",
     1, MANY, runCheck},
};

void printUsage(FILE* to) {
  std::fprintf(to,
               "usage: glimb-world COMMAND ARGUMENTS\n"
               "Looks into Glimb world files (*.glw, and the built-in world data10.glb).\n\n"
               "Commands:\n");
  for (const Command& command : COMMANDS) {
    std::string synopsis = std::string(command.name) + " " + command.arguments;
    std::fprintf(to, "  %-16s  %s\n", synopsis.c_str(), command.summary);
  }
  std::fprintf(to,
               "\nOptions:\n  --help            show this help\n  --version         show the version\n\n"
               "Exit status: 0 success, 1 a file cannot be read or is unsound, 2 bad usage.\n");
}

int usageError(const std::string& message) {
  std::fprintf(stderr, "glimb-world: %s\n", message.c_str());
  printUsage(stderr);
  return EXIT_USAGE;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      printUsage(stdout);
      return 0;
    }
    if (arg == "--version") {
      std::printf("glimb-world %s\n", GLIMB_VERSION);
      return 0;
    }
  }
  if (args.empty()) return usageError("no command given");
  for (const Command& command : COMMANDS) {
    if (args[0] != command.name) continue;
    std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const std::string& arg : rest) {
      if (arg.size() > 1 && arg[0] == '-') return usageError("unknown option " + arg);
    }
    if (rest.size() < command.minArgs || rest.size() > command.maxArgs) {
      return usageError(std::string(command.name) + " takes " + command.arguments);
    }
    return command.run(rest);
  }
  return usageError("unknown command " + args[0]);
}
