// The page bridge: the calls into the page script (the Glimb object of
// glimb-page.js) and the functions the page and its tests call.
#include "web/web_page.h"

#include <emscripten.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "game/frame_loop.h"
#include "game/front/title_menu.h"
#include "game/game_vars.h"
#include "game/settings.h"
#include "game/shell.h"
#include "web/frame_clock.h"
#include "web/world_intake.h"

namespace {

// The animation frame's time (ms since the page was opened).
EM_ASYNC_JS(double, waitForAnimationFrame, (), {
  return await new Promise(function(resolve) { requestAnimationFrame(resolve); });
});
EM_JS(void, glimbShowMessage, (const char* text, int error), { Glimb.showMessage(UTF8ToString(text), error != 0); });
EM_JS(void, glimbOfferDownload, (const char* path), { Glimb.offerDownload(UTF8ToString(path)); });
EM_JS(void, glimbSyncStorage, (), { Glimb.syncStorage(); });
// The next file that arrived: where the page wrote it and the name it came
// with; 0 when none waits.
EM_JS(int, glimbNextIncoming, (char* path, int pathSize, char* name, int nameSize), {
  const next = Glimb.takeIncoming();
  if (!next) return 0;
  stringToUTF8(next.path, path, pathSize);
  stringToUTF8(next.name, name, nameSize);
  return 1;
});
EM_JS(int, glimbNextRemoval, (char* out, int size), {
  const next = Glimb.takeRemoval();
  if (!next) return 0;
  stringToUTF8(next, out, size);
  return 1;
});
EM_JS(void, glimbWorldsChanged, (), { Glimb.worldsChanged(); });
EM_JS(int, glimbQueryNumber, (const char* name, int absent), { return Glimb.queryNumber(UTF8ToString(name), absent); });
EM_JS(void, glimbEnded, (int code), { Glimb.ended(code); });

FrameClock frameClock;
double lastAnimationFrame = -1;
double workStarted = -1;
double workTotal = 0;
int32_t workFrames = 0;
double holdAfterFrame = -1;
bool holdRead = false;

std::set<std::string> offeredCaptures;
uint8_t savedKeys[KEY_BINDING_COUNT] = {};
uint8_t savedButtons[JOY_BINDING_COUNT] = {};
bool settingsSeen = false;

bool isCaptureName(const std::string& name) {
  return name.size() == 12 && name.rfind("capt", 0) == 0 && name.substr(8) == ".pcx";
}

}  // namespace

void awaitFrameTurn() {
  const double now = emscripten_get_now();
  if (workStarted >= 0) {
    workTotal += now - workStarted;
    workFrames++;
  }
  if (!holdRead) {
    holdAfterFrame = glimbQueryNumber("hold", -1);
    holdRead = true;
  }
  for (;;) {
    const bool held = holdAfterFrame >= 0 && double(framesRun) > holdAfterFrame;
    if (!held && lastAnimationFrame >= 0 && frameClock.stepDue(lastAnimationFrame)) break;
    lastAnimationFrame = waitForAnimationFrame();
  }
  frameClock.stepStarted(lastAnimationFrame);
  workStarted = emscripten_get_now();
}

void waitForPageFrame() { lastAnimationFrame = waitForAnimationFrame(); }

void showPageMessage(const std::string& text, bool error) { glimbShowMessage(text.c_str(), error); }

void offerNewCaptures() {
  std::error_code failure;
  for (std::filesystem::directory_iterator it(PLAYER_FOLDER, failure), end; !failure && it != end;
       it.increment(failure)) {
    const std::string name = it->path().filename().string();
    if (!isCaptureName(name) || offeredCaptures.count(name)) continue;
    offeredCaptures.insert(name);
    glimbOfferDownload(it->path().c_str());
  }
}

void takeIncomingWorlds() {
  char path[64];
  char name[1024];
  bool changed = false;
  while (glimbNextIncoming(path, sizeof path, name, sizeof name)) {
    std::string message;
    const bool added = addWorld(path, name, KEPT_WORLDS_FOLDER, PLAYER_FOLDER, message);
    showPageMessage(message, !added);
    changed = changed || added;
  }
  while (glimbNextRemoval(name, sizeof name)) {
    std::string message;
    const bool removed = removeWorld(name, KEPT_WORLDS_FOLDER, PLAYER_FOLDER, message);
    showPageMessage(message, !removed);
    changed = changed || removed;
  }
  if (!changed) return;
  syncStorage();
  glimbWorldsChanged();
  // The title menu lists the worlds at once; any other screen finds the
  // list built anew when the title menu comes back.
  if (gameState == STATE_TITLE_MENU && menuInit != MENU_BUILD_LIST) buildWorldList();
}

void keepSettings() {
  const bool same = std::memcmp(savedKeys, keyBindings, sizeof savedKeys) == 0 &&
                    std::memcmp(savedButtons, joyBindings, sizeof savedButtons) == 0;
  if (settingsSeen && same) return;
  // The bindings as start-up read them need no writing; a change does.
  if (settingsSeen) {
    writeBindings();
    syncStorage();
  }
  std::memcpy(savedKeys, keyBindings, sizeof savedKeys);
  std::memcpy(savedButtons, joyBindings, sizeof savedButtons);
  settingsSeen = true;
}

void syncStorage() { glimbSyncStorage(); }

bool pageAsksForLetterbox() { return glimbQueryNumber("letterbox", 0) != 0; }

void pageGameEnded(int code) { glimbEnded(code); }

// Hooks for the page's tests (window.glimbTest in glimb-page.js).
extern "C" {

EMSCRIPTEN_KEEPALIVE double glimb_frames_run() { return double(framesRun); }
// Frames after `frame` wait until the hold moves on; -1 lets the game run.
EMSCRIPTEN_KEEPALIVE void glimb_hold_after(double frame) {
  holdRead = true;
  holdAfterFrame = frame;
}
EMSCRIPTEN_KEEPALIVE int glimb_game_state() { return gameState; }
EMSCRIPTEN_KEEPALIVE int glimb_level_index() { return levelIndex; }
EMSCRIPTEN_KEEPALIVE int glimb_menu_page() { return menuPage; }
EMSCRIPTEN_KEEPALIVE int glimb_menu_cursor() { return menuCursor; }
EMSCRIPTEN_KEEPALIVE int glimb_key_binding(int index) {
  return index >= 0 && index < KEY_BINDING_COUNT ? keyBindings[index] : -1;
}
EMSCRIPTEN_KEEPALIVE int glimb_world_count() { return worldCount; }
EMSCRIPTEN_KEEPALIVE const char* glimb_world_name(int index) {
  if (index < 0 || index >= worldCount) return "";
  return worldList[index].name.c_str();
}
// Milliseconds of work per frame, the waits for the frame step left out.
EMSCRIPTEN_KEEPALIVE double glimb_frame_work_ms() { return workFrames ? workTotal / workFrames : 0; }
EMSCRIPTEN_KEEPALIVE int glimb_frames_measured() { return workFrames; }
EMSCRIPTEN_KEEPALIVE void glimb_reset_frame_work() {
  workTotal = 0;
  workFrames = 0;
  workStarted = -1;
}
}
