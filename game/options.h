// The command line of glimb: the window options and the scripted driver's.
#pragma once

#include <cstdint>
#include <set>
#include <string>

// How the window shows the picture: chosen for the machine (a GPU renderer
// where there is a real one, else the window's own pixels), or either forced.
enum class RendererChoice { AUTO, SOFTWARE, GPU };

// "auto", "software" or "gpu"; false, leaving `choice` alone, for anything else.
bool parseRendererChoice(const std::string& name, RendererChoice& choice);

struct Options {
  std::string dataDir = ".";
  bool dataGiven = false;  // --data was on the command line
  bool headless = false;
  bool fullscreen = false;
  bool windowModeGiven = false;  // --window or --fullscreen: otherwise the settings say
  bool letterbox = false;
  int32_t scale = 0;    // --scale: the window's whole multiple of the picture; 0 = as the settings say
  int32_t volume = -1;  // --volume: 0..100; -1 = as the settings say
  bool mute = false;
  bool noProgress = false;  // --no-progress: keep and show no progress
  RendererChoice renderer = RendererChoice::AUTO;
  bool rendererGiven = false;  // --renderer was on the command line
  int64_t frames = -1;  // quit after this frame; -1 = run until quit
  std::string inputFile;
  std::string recordFile;
  std::string traceFile;
  std::set<int64_t> captureAt;
  std::string playWorld;
  int32_t playLevel = 1;
  int32_t playDifficulty = -1;  // -1: as the game setup has it
  int32_t startColumn = -1;     // with --play: the cell the player starts on; -1: the level's start tile
  int32_t startRow = -1;
  bool help = false;
  bool version = false;
};

// False with a message for an unknown option, a missing or malformed value.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);

// The --help text.
const char* optionsHelp();

// Reads the command line of a program named "glimb": a bad option is said on
// the error output (exit code 2), --help and --version are answered on the
// standard output (exit code 0; `version` is what --version shows). Returns
// that exit code, or -1 when the program goes on with `options`.
int32_t takeCommandLine(int argc, char** argv, Options& options, const char* version);
