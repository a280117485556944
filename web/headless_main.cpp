// glimb-headless.js: the headless driver built with Emscripten and run under
// Node, reading and writing the machine's own files. The same options as
// `glimb --headless`; there is no window here, so every run is headless.
#include <cstdio>
#include <filesystem>
#include <string>

#include "game/driver.h"
#include "game/headless_platform.h"
#include "game/options.h"

int main(int argc, char** argv) {
  Options options;
  if (const int32_t code = takeCommandLine(argc, argv, options, GLIMB_VERSION " (headless, WebAssembly)"); code >= 0) return code;
  options.headless = true;
  // A world found from here is opened by its whole path; any other name is
  // looked for in the working folder, as the built-in world's is.
  std::error_code ignored;
  if (!options.playWorld.empty() && std::filesystem::exists(options.playWorld, ignored)) {
    makeAbsolute(options.playWorld);
  }
  if (!enterWorkingFolder(options)) return 2;
  HeadlessPlatform headless;
  platform = &headless;
  int32_t code = runGlimb(options);
  platform = nullptr;
  return code;
}
