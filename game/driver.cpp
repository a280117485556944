// The program's run: loading and its error message, the bindings, the frame
// loop with the driver's per-frame work, and the exit sequence.
#include "game/driver.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "game/frame_loop.h"
#include "game/game_vars.h"
#include "game/handlers.h"
#include "game/input_script.h"
#include "game/loading.h"
#include "game/platform.h"
#include "game/play/play.h"
#include "game/progress.h"
#include "game/scripted_keyboard.h"
#include "game/settings.h"
#include "game/shell.h"
#include "game/trace.h"
#include "world/world_file.h"

namespace {

InputScript script;
bool scripted = false;
FILE* recordFile = nullptr;
std::unique_ptr<InputRecorder> recorder;
std::unique_ptr<ScriptedKeyboard> scriptedKeyboard;
const Options* runOptions = nullptr;
WorldHeader playHeader{};
int64_t lastPassFrame = 0;

// The script sits between the keyboard and the snapshot, so that every read
// sees the same keys and pad, a wait's re-reads included; the recorder
// writes down what each read gave, pad and all.
void layerScriptOverKeyboard() {
  if (recorder) inputFrameRead = [] { recorder->record(framesRun, keyState, padInUse()); };
  if (!scripted) return;
  scriptedKeyboard = std::make_unique<ScriptedKeyboard>(gKeyboard, &script, framesRun);
  gKeyboard = scriptedKeyboard.get();
}

void restoreRealKeyboard() {
  inputFrameRead = nullptr;
  if (!scriptedKeyboard) return;
  if (gKeyboard == scriptedKeyboard.get()) gKeyboard = scriptedKeyboard->real();
  scriptedKeyboard.reset();
}

// After each pass. A pass with a wait in it ran several frames; the trace
// line and the captures asked for any of them come after it, showing the
// picture of the pass.
void afterPass(int64_t frame) {
  writeTraceLine(frame);
  const std::set<int64_t>& captures = runOptions->captureAt;
  for (auto at = captures.upper_bound(lastPassFrame); at != captures.end() && *at <= frame; ++at) {
    captureShownPicture();
  }
  lastPassFrame = frame;
  if (runOptions->frames >= 0 && frame >= runOptions->frames) {
    running = 0;
    postQuit(0);
  }
}

// What the world select does when a world is chosen, then straight to the
// level intro of the chosen level.
void startChosenWorld(const Options& options) {
  worldFileName = options.playWorld;
  worldName = worldText(playHeader.worldName, sizeof playHeader.worldName);
  worldAuthor = worldText(playHeader.authorName, sizeof playHeader.authorName);
  // The key takes a read of the whole world: only a run that keeps progress needs it.
  worldProgressKey = progressKept ? worldFileKey(options.playWorld) : "";
  levelCount = playHeader.levelCount;
  pickupCount = 0;
  checkpointScrollX = 0;
  checkpointScrollY = 0;
  levelIndex = options.playLevel - 1;
  lives = 3;
  if (options.playDifficulty >= 0) difficulty = options.playDifficulty;
  if (options.startColumn >= 0) {
    startCellLevel = levelIndex;
    startCellColumn = options.startColumn;
    startCellRow = options.startRow;
  }
  gameState = STATE_LEVEL_INTRO;
}

// The window and sound settings for this run: the store's, with what the
// command line says instead.
void takePlayerSettings(const Options& options) {
  readPlayerSettings();
  if (options.windowModeGiven) fullscreenSetting = options.fullscreen ? 1 : 0;
  if (options.scale > 0) windowScale = options.scale;
  if (options.volume >= 0) {
    soundVolume = options.volume;
    soundMuted = 0;
  }
  if (options.mute) soundMuted = 1;
}

void closeDriverFiles() {
  recorder.reset();
  if (recordFile) std::fclose(recordFile);
  recordFile = nullptr;
  if (traceFile) std::fclose(traceFile);
  traceFile = nullptr;
}

}  // namespace

void makeAbsolute(std::string& path) {
  if (!path.empty()) path = std::filesystem::absolute(path).string();
}

bool enterWorkingFolder(Options& options) {
  makeAbsolute(options.inputFile);
  makeAbsolute(options.recordFile);
  makeAbsolute(options.traceFile);
  if (chdir(options.dataDir.c_str()) != 0) {
    std::fprintf(stderr, "glimb: cannot use \"%s\" as the working folder\n", options.dataDir.c_str());
    return false;
  }
  std::string error;
  if (!openDriverFiles(options, error)) {
    std::fprintf(stderr, "glimb: %s\n", error.c_str());
    return false;
  }
  return true;
}

bool openDriverFiles(const Options& options, std::string& error) {
  if (!options.inputFile.empty()) {
    std::ifstream in(options.inputFile, std::ios::binary);
    if (!in) {
      error = "cannot read the input script \"" + options.inputFile + "\"";
      return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string why;
    if (!script.parse(text.str(), &why)) {
      error = options.inputFile + ": " + why;
      return false;
    }
    scripted = true;
  }
  if (!options.playWorld.empty()) {
    std::string why;
    if (!readWorldHeader(options.playWorld, &playHeader, &why)) {
      // The reader's message begins with the path, which is said once here.
      const std::string named = options.playWorld + ": ";
      if (why.rfind(named, 0) == 0) why.erase(0, named.size());
      error = "cannot play the world \"" + options.playWorld + "\": " + why;
      return false;
    }
    if (options.playLevel > playHeader.levelCount) {
      error = "the world \"" + options.playWorld + "\" has " + std::to_string(playHeader.levelCount) +
              (playHeader.levelCount == 1 ? " level" : " levels") + ", so there is no level " +
              std::to_string(options.playLevel);
      return false;
    }
  }
  if (!options.recordFile.empty()) {
    recordFile = std::fopen(options.recordFile.c_str(), "w");
    if (!recordFile) {
      error = "cannot write the record file \"" + options.recordFile + "\"";
      return false;
    }
    recorder = std::make_unique<InputRecorder>(recordFile);
  }
  if (!options.traceFile.empty()) {
    traceFile = std::fopen(options.traceFile.c_str(), "w");
    if (!traceFile) {
      error = "cannot write the trace file \"" + options.traceFile + "\"";
      closeDriverFiles();
      return false;
    }
  }
  return true;
}

int32_t runGlimb(const Options& options) {
  runOptions = &options;
  takePlayerSettings(options);
  progressKept = !options.noProgress;
  int32_t code = loadGame();
  if (code != 0) {
    platform->showLoadError(loadErrorMessage(code).c_str());
    shutdownGame();
    closeDriverFiles();
    return 1;
  }
  readBindings();
  startFrameLoop();
  if (!options.playWorld.empty()) startChosenWorld(options);
  layerScriptOverKeyboard();
  frameLimit = options.frames;
  lastPassFrame = 0;

  while (!quitPosted) {
    if (runFramePass()) {
      afterPass(framesRun);
    } else if (!quitPosted) {
      // Inactive: keep handling window events without spinning.
      platform->sleepMilliseconds(10);
    }
  }

  freeObjects();
  freeLevelCells();
  restoreRealKeyboard();
  shutdownGame();
  writeBindings();
  closeDriverFiles();
  frameLimit = -1;
  return quitCode;
}
