// Parsing glimb's command line.
#include "game/options.h"

#include <cstdio>
#include <cstring>

#include "game/game_vars.h"
#include "game/settings.h"

namespace {

bool readNumber(const char* text, int64_t low, int64_t high, int64_t& out) {
  if (!text || !*text) return false;
  int64_t value = 0;
  for (const char* p = text; *p; p++) {
    if (*p < '0' || *p > '9') return false;
    value = value * 10 + (*p - '0');
    if (value > high) return false;
  }
  if (value < low) return false;
  out = value;
  return true;
}

}  // namespace

bool parseRendererChoice(const std::string& name, RendererChoice& choice) {
  if (name == "auto") {
    choice = RendererChoice::AUTO;
  } else if (name == "software") {
    choice = RendererChoice::SOFTWARE;
  } else if (name == "gpu") {
    choice = RendererChoice::GPU;
  } else {
    return false;
  }
  return true;
}

const char* optionsHelp() {
  return "Usage: glimb [OPTION]...\n"
         "Plays Glimb. The data files are read from the working folder: the --data\n"
         "folder, else the current folder when it holds them, else the installed\n"
         "data folder; then worlds and captures are kept in $XDG_DATA_HOME/glimb,\n"
         "and the worlds in $XDG_DATA_DIRS/glimb are listed too.\n"
         "\n"
         "  --window              play in a window (Alt+Enter toggles; the last\n"
         "                        choice is kept for the next run)\n"
         "  --fullscreen          play on the whole desktop\n"
         "  --scale N             make the window N times the picture's size (kept)\n"
         "  --volume N            sound volume from 0 to 100, and the sound on (kept)\n"
         "  --mute                no sound (kept; --volume turns it on again)\n"
         "  --letterbox           show the 640 x 480 display, the picture 40 lines down\n"
         "  --renderer R          how the window shows the picture: auto (the default, or\n"
         "                        the settings file's \"renderer\" line), software (the\n"
         "                        processor scales it into the window) or gpu\n"
         "  --data DIR            the working folder: data files, worlds, captures\n"
         "  --headless            no window, no sound, no pacing; input only from --input\n"
         "  --frames N            quit normally after frame N\n"
         "  --input FILE          hold keys by script: lines \"F: KEY KEY ...\" hold the keys\n"
         "                        from frame F until the next line; \"F:\" releases all.\n"
         "                        Keys are names (LEFT RIGHT UP DOWN ENTER ESCAPE SPACE,\n"
         "                        A-Z, 0-9, F1-F12, ...) or key codes of two or more\n"
         "                        digits; '#' starts a comment. PAD (a game controller)\n"
         "                        or JOY (a joystick) on a line plugs a pad in for as\n"
         "                        long as the lines hold it, with its buttons B1-B32\n"
         "                        and its stick X=-1024..1024, Y=-1024..1024\n"
         "  --record FILE         write the held keys and the pad in the --input format\n"
         "  --trace FILE          write one JSON object per frame (JSON Lines)\n"
         "  --capture-at F,F,...  save a capture after each listed frame\n"
         "  --play WORLD          start at the level intro of WORLD, skipping the menus\n"
         "  --level N             with --play: start at level N (default 1)\n"
         "  --difficulty D        with --play: easy, normal or hard\n"
         "  --start COLUMN,ROW    with --play: the player starts on this cell of the\n"
         "                        level (counted from 0) instead of its start tile\n"
         "  --no-progress         keep no progress for this run and show none (test\n"
         "                        plays of the level editor)\n"
         "  --version             show the version\n"
         "  --help                show this text\n"
         "\n"
         "Every reading of the keys is a frame. A wait for released keys (after F12 or\n"
         "Pause, and as the level intro or the congratulations begin) reads them again\n"
         "once a frame until nothing is held, and its reads count as frames for --frames,\n"
         "--input, --record and --capture-at: a script moves on one frame per read. The\n"
         "trace has one line per picture, numbered with the last frame read for it, so\n"
         "its numbers skip the frames of a wait. A wait ends at the --frames limit too,\n"
         "and a script that has run out while holding keys lets them go in a wait.\n";
}

bool parseOptions(int argc, char** argv, Options& options, std::string& error) {
  bool levelGiven = false, difficultyGiven = false, startGiven = false;
  for (int i = 1; i < argc; i++) {
    std::string arg = argv[i];
    auto value = [&](const char*& out) {
      if (i + 1 >= argc) {
        error = "option " + arg + " needs a value";
        return false;
      }
      out = argv[++i];
      return true;
    };
    // The option's value as a whole number from low to high, or a message.
    auto wholeNumber = [&](int64_t low, int64_t high, int32_t& out) {
      const char* v = nullptr;
      if (!value(v)) return false;
      int64_t number = 0;
      if (!readNumber(v, low, high, number)) {
        error = arg + " needs a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                ", not \"" + std::string(v) + "\"";
        return false;
      }
      out = int32_t(number);
      return true;
    };
    const char* v = nullptr;
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--window") {
      options.fullscreen = false;
      options.windowModeGiven = true;
    } else if (arg == "--fullscreen") {
      options.fullscreen = true;
      options.windowModeGiven = true;
    } else if (arg == "--scale") {
      if (!wholeNumber(1, SCALE_MAX, options.scale)) return false;
    } else if (arg == "--volume") {
      if (!wholeNumber(0, VOLUME_MAX, options.volume)) return false;
    } else if (arg == "--mute") {
      options.mute = true;
    } else if (arg == "--no-progress") {
      options.noProgress = true;
    } else if (arg == "--letterbox") {
      options.letterbox = true;
    } else if (arg == "--renderer") {
      if (!value(v)) return false;
      if (!parseRendererChoice(v, options.renderer)) {
        error = "--renderer is auto, software or gpu, not \"" + std::string(v) + "\"";
        return false;
      }
      options.rendererGiven = true;
    } else if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "--data") {
      if (!value(v)) return false;
      options.dataDir = v;
      options.dataGiven = true;
    } else if (arg == "--frames") {
      if (!value(v)) return false;
      if (!readNumber(v, 0, INT64_C(1) << 40, options.frames)) {
        error = "--frames needs a whole number, not \"" + std::string(v) + "\"";
        return false;
      }
    } else if (arg == "--input") {
      if (!value(v)) return false;
      options.inputFile = v;
    } else if (arg == "--record") {
      if (!value(v)) return false;
      options.recordFile = v;
    } else if (arg == "--trace") {
      if (!value(v)) return false;
      options.traceFile = v;
    } else if (arg == "--capture-at") {
      if (!value(v)) return false;
      std::string list = v;
      size_t start = 0;
      while (start <= list.size()) {
        size_t comma = list.find(',', start);
        std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int64_t frame = 0;
        if (!readNumber(item.c_str(), 1, INT64_C(1) << 40, frame)) {
          error = "--capture-at needs frame numbers from 1 separated by commas, not \"" + list + "\"";
          return false;
        }
        options.captureAt.insert(frame);
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
    } else if (arg == "--play") {
      if (!value(v)) return false;
      options.playWorld = v;
    } else if (arg == "--level") {
      if (!value(v)) return false;
      int64_t level = 0;
      if (!readNumber(v, 1, 65535, level)) {
        error = "--level needs a level number from 1, not \"" + std::string(v) + "\"";
        return false;
      }
      options.playLevel = int32_t(level);
      levelGiven = true;
    } else if (arg == "--difficulty") {
      if (!value(v)) return false;
      std::string d = v;
      if (d == "easy") {
        options.playDifficulty = DIFFICULTY_EASY;
      } else if (d == "normal") {
        options.playDifficulty = DIFFICULTY_NORMAL;
      } else if (d == "hard") {
        options.playDifficulty = DIFFICULTY_HARD;
      } else {
        error = "--difficulty is easy, normal or hard, not \"" + d + "\"";
        return false;
      }
      difficultyGiven = true;
    } else if (arg == "--start") {
      if (!value(v)) return false;
      const std::string cell = v;
      const size_t comma = cell.find(',');
      int64_t column = 0, row = 0;
      if (comma == std::string::npos || !readNumber(cell.substr(0, comma).c_str(), 0, 65534, column) ||
          !readNumber(cell.substr(comma + 1).c_str(), 0, 65534, row)) {
        error = "--start needs a cell as COLUMN,ROW counted from 0, not \"" + cell + "\"";
        return false;
      }
      options.startColumn = int32_t(column);
      options.startRow = int32_t(row);
      startGiven = true;
    } else {
      error = "unknown option \"" + arg + "\" (see glimb --help)";
      return false;
    }
  }
  if ((levelGiven || difficultyGiven || startGiven) && options.playWorld.empty()) {
    error = "--level, --difficulty and --start go with --play WORLD";
    return false;
  }
  return true;
}

int32_t takeCommandLine(int argc, char** argv, Options& options, const char* version) {
  std::string error;
  if (!parseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "glimb: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(optionsHelp(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("glimb %s\n", version);
    return 0;
  }
  return -1;
}
