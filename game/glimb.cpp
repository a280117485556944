// glimb: the game program's entry. Reads the command line, moves into the
// working folder, sets up the SDL platform and runs the game.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/driver.h"
#include "game/options.h"
#include "game/sdl_platform.h"

namespace {

// Files named on the command line are taken from the folder the program was
// started in, before it moves into the working folder.
void makeAbsolute(std::string& path) {
  if (!path.empty()) path = std::filesystem::absolute(path).string();
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string error;
  if (!parseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "glimb: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(optionsHelp(), stdout);
    return 0;
  }
  makeAbsolute(options.inputFile);
  makeAbsolute(options.recordFile);
  makeAbsolute(options.traceFile);
  // A world named on the command line is looked for here first, then in the working folder.
  std::error_code ignored;
  if (!options.playWorld.empty() && std::filesystem::exists(options.playWorld, ignored)) {
    makeAbsolute(options.playWorld);
  }
  if (chdir(options.dataDir.c_str()) != 0) {
    std::fprintf(stderr, "glimb: cannot use \"%s\" as the working folder\n", options.dataDir.c_str());
    return 2;
  }
  if (!openDriverFiles(options, error)) {
    std::fprintf(stderr, "glimb: %s\n", error.c_str());
    return 2;
  }
  if (options.headless) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  int32_t code;
  {
    SdlPlatform sdl(options);
    platform = &sdl;
    code = runGlimb(options);
    platform = nullptr;
  }
  SDL_Quit();
  return code;
}
