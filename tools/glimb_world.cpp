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
  bool takesData;  // accepts --data DIR
  int (*run)(const std::vector<std::string>& args);
};

constexpr size_t MANY = ~size_t(0);
constexpr Command COMMANDS[] = {
    {"info", "FILE", "print the header, and each level's size, flags and time step", 1, 1,
     false, runInfo},
    {"check", "FILE...", "exit 0 when every FILE is a sound world the game can play;\n"
                         "                    otherwise print the reason and exit 1",
     1, MANY, false, runCheck},
    {"render", "[--data DIR] FILE LEVEL OUT",
     "draw level LEVEL (from 1) of FILE, 32 pixels a tile, into the\n"
     "                    picture OUT: PNG when it ends in .png, otherwise PCX; the tile\n"
     "                    sheet data09.glb comes from DIR, else the installed data\n"
     "                    folder beside the program, else the current folder",
     3, 3, true, runRender},
};

void printUsage(FILE* to) {
  std::fprintf(to,
               "usage: glimb-world COMMAND ARGUMENTS\n"
               "Looks into Glimb world files (*.glw, and the built-in world data10.glb).\n\n"
               "Commands:\n");
  for (const Command& command : COMMANDS) {
    std::string synopsis = std::string(command.name) + " " + command.arguments;
    if (synopsis.size() > 16) synopsis += "\n                  ";
    std::fprintf(to, "  %-16s  %s\n", synopsis.c_str(), command.summary);
  }
  std::fprintf(to,
               "\nOptions:\n  --help            show this help\n  --version         show the version\n\n"
               "Exit status: 0 success, 1 a file cannot be read or is unsound, 2 bad usage\n"
               "(for render also a LEVEL the world does not have).\n");
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
    std::vector<std::string> rest;
    for (size_t i = 1; i < args.size(); i++) {
      const std::string& arg = args[i];
      if (command.takesData && arg == "--data") {
        if (i + 1 == args.size() || args[i + 1].empty()) return usageError("--data needs a folder");
        renderDataFolder = args[++i];
      } else if (command.takesData && arg.rfind("--data=", 0) == 0 && arg.size() > 7) {
        renderDataFolder = arg.substr(7);
      } else if (arg.size() > 1 && arg[0] == '-') {
        return usageError("unknown option " + arg);
      } else {
        rest.push_back(arg);
      }
    }
    if (rest.size() < command.minArgs || rest.size() > command.maxArgs) {
      return usageError(std::string(command.name) + " takes " + command.arguments);
    }
    return command.run(rest);
  }
  return usageError("unknown command " + args[0]);
}
