// glimb: the game program's entry. Reads the command line, moves into the
// working folder (or the installed data folder), sets up the SDL platform and runs the game.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/data_folders.h"
#include "game/driver.h"
#include "game/headless_platform.h"
#include "game/options.h"
#include "game/sdl_platform.h"
#include "game/settings.h"

namespace {

std::filesystem::path programPath(const char* argv0) {
  std::error_code failure;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failure);
  if (!failure) return self;
  return std::filesystem::absolute(argv0, failure);
}

// Without --data and without data files here, an installed game reads the
// data of its installed data folder, keeps the player's files in the
// per-user folder, made on first run, and lists the worlds installed for
// everyone too.
void useInstalledFolders(Options& options, const char* argv0) {
  if (options.dataGiven || holdsGameData(".")) return;
  const std::filesystem::path installed = installedDataFolder(programPath(argv0));
  if (!holdsGameData(installed)) return;
  options.dataDir = installed.string();
  for (const std::filesystem::path& folder : xdgSystemWorldFolders()) systemWorldFolders.push_back(folder.string());
  const std::filesystem::path user = perUserFolder();
  std::error_code failure;
  if (!user.empty()) std::filesystem::create_directories(user, failure);
  if (user.empty()) {
    std::fprintf(stderr, "glimb: neither XDG_DATA_HOME nor HOME is set; captures cannot be saved\n");
  } else if (failure) {
    std::fprintf(stderr, "glimb: cannot make the folder \"%s\": %s\n", user.c_str(), failure.message().c_str());
  } else {
    userFolder = user.string();
  }
}

// A world named on the command line is looked for here first, then in the
// player's folder, then among the worlds installed for everyone, then in the
// working folder.
void findPlayWorld(std::string& world) {
  if (world.empty()) return;
  std::error_code ignored;
  if (std::filesystem::exists(world, ignored)) {
    makeAbsolute(world);
    return;
  }
  if (std::filesystem::exists(userFilePath(world), ignored)) {
    world = userFilePath(world);
    return;
  }
  if (std::filesystem::path(world).is_absolute()) return;
  for (const std::string& folder : systemWorldFolders) {
    const std::filesystem::path path = std::filesystem::path(folder) / world;
    if (std::filesystem::is_regular_file(path, ignored)) {
      world = path.string();
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const int32_t code = takeCommandLine(argc, argv, options, GLIMB_VERSION); code >= 0) return code;
  useInstalledFolders(options, argv[0]);
  findPlayWorld(options.playWorld);
  if (!enterWorkingFolder(options)) return 2;
  int32_t code;
  if (options.headless) {
    // Nothing of SDL is started: no window, renderer or sound device.
    HeadlessPlatform headless;
    platform = &headless;
    code = runGlimb(options);
    platform = nullptr;
    return code;
  }
  if (!options.rendererGiven) options.renderer = readRendererSetting(options.renderer);
  {
    SdlPlatform sdl(options);
    platform = &sdl;
    code = runGlimb(options);
    platform = nullptr;
  }
  SDL_Quit();
  return code;
}
