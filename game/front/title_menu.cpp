// The title menu (STATE_TITLE_MENU): the demonstration behind it, the input
// edges and joystick mapping of its pages, the main page, the world select
// page with its paging, starting a game and quitting.
#include <cstdio>
#include <cstring>

#include "game/front/title_menu.h"
#include "game/game_vars.h"
#include "game/handlers.h"
#include "game/play/play.h"
#include "game/progress.h"
#include "game/shell.h"
#include "game/trace.h"
#include "media/sprite_surface.h"
#include "media/text.h"

int32_t menuInit = MENU_BUILD_LIST;
int32_t menuPage = MENU_PAGE_MAIN;
int32_t menuCursor = 0;
int32_t listRow = 0;
int32_t listPage = 0;
int32_t menuPrevIdle = 0;
int32_t cursorAnim = 0;
int32_t menuEdge = 0;
int32_t chosenStartLevel = 1;
int32_t chosenStartEntry = -1;

namespace {

constexpr int32_t MAIN_ITEM_COUNT = 3;
constexpr int32_t MAIN_BEGIN = 0, MAIN_SETUP = 1, MAIN_QUIT = 2;

// World select: the pad's shoulder buttons (LB and RB on a game controller)
// choose the level to start at as the - and + keys do.
constexpr int32_t PAD_EARLIER_LEVEL = PAD_BUTTON_LB, PAD_LATER_LEVEL = PAD_BUTTON_RB;
constexpr int32_t WORLD_ROW_HEIGHT = 64;
constexpr int32_t PROGRESS_GAP = 16;  // between a row's text and its progress

bool held(uint8_t code) { return keyState[code] != 0; }

// The stick and the raw buttons 0, 9 (Enter) and 1 (Escape) act as the menu keys.
void mapJoystickOntoKeys() {
  if (!joystickPresent) return;
  if (joyState.lX < 0) keyState[MENU_KEY_LEFT] = 0x80;
  if (joyState.lX > 0) keyState[MENU_KEY_RIGHT] = 0x80;
  if (joyState.lY < 0) keyState[MENU_KEY_UP] = 0x80;
  if (joyState.lY > 0) keyState[MENU_KEY_DOWN] = 0x80;
  if (joyState.rgbButtons[0] || joyState.rgbButtons[9]) keyState[MENU_KEY_ENTER] = 0x80;
  if (joyState.rgbButtons[1]) keyState[MENU_KEY_ESCAPE] = 0x80;
}

void runMainPage() {
  drawTextSmall(184, 32, "Welcome to Glimb!");
  drawTextLarge(184, 128, "BEGIN GAME");
  drawTextLarge(184, 192, "GAME SETUP");
  drawTextLarge(184, 256, "QUIT GLIMB");
  if (menuEdge) {
    if (held(MENU_KEY_DOWN) && menuCursor < MAIN_ITEM_COUNT - 1) {
      menuCursor++;
      playSound(MENU_SOUND_MOVE);
    }
    if (held(MENU_KEY_UP) && menuCursor > 0) {
      menuCursor--;
      playSound(MENU_SOUND_MOVE);
    }
    if (held(MENU_KEY_ESCAPE)) keyState[MENU_KEY_Q] = 1;
  }
  drawMenuPointer(128, (menuCursor + 2) * 64);
  if (menuEdge && held(MENU_KEY_ENTER)) {
    if (menuCursor == MAIN_BEGIN) {
      playSound(MENU_SOUND_CHOOSE);
      listPage = 0;
      listRow = 1;
      chosenStartEntry = -1;
      menuPage = MENU_PAGE_WORLDS;
    } else if (menuCursor == MAIN_SETUP) {
      playSound(MENU_SOUND_CHOOSE);
      listPage = 0;
      listRow = 0;
      menuCursor = 0;
      menuPage = MENU_PAGE_SETUP;
    } else if (menuCursor == MAIN_QUIT) {
      keyState[MENU_KEY_Q] = 1;
    }
  }
}

// Fixes the chosen world, frees the list and asks for the level intro of the
// first level, or of the later one chosen; either way with the usual lives.
void startGame(int32_t entry) {
  playSound(MENU_SOUND_CHOOSE);
  listRow = entry;
  const WorldEntry& e = worldList[entry];
  worldFileName = e.fileName;
  worldName = e.name;
  worldAuthor = e.author;
  worldProgressKey = e.progressKey;
  levelCount = e.levelCount;
  const int32_t first = entry == chosenStartEntry ? chosenStartLevel : 1;
  freeWorldList();
  pickupCount = 0;
  checkpointScrollY = 0;
  checkpointScrollX = 0;
  levelIndex = first - 1;
  lives = 3;
  pendingState = STATE_LEVEL_INTRO;
  fadeMode = FADE_TO_BLACK;
  menuInit = MENU_BUILD_LIST;
}

// Row and page back into range: past the page's end onto the next page,
// before its start onto the previous one, then both clamped to the list.
void clampWorldSelection() {
  if (listRow > WORLDS_PER_PAGE) {
    listRow = 1;
    listPage++;
  }
  if (listRow < 1) {
    listRow = WORLDS_PER_PAGE;
    listPage--;
  }
  if (listPage * WORLDS_PER_PAGE >= worldCount) listPage = (worldCount - 1) / WORLDS_PER_PAGE;
  if (listPage < 0) listPage = 0;
  if (listPage * WORLDS_PER_PAGE + listRow > worldCount) listRow = worldCount - listPage * WORLDS_PER_PAGE;
}

// The furthest level reached in a listed world on the chosen difficulty, no
// further than the world's last level; 0 without progress.
int32_t reachedIn(const WorldEntry& e) {
  const int32_t reached = difficulty >= 0 && difficulty < PROGRESS_DIFFICULTIES ? e.reached[difficulty] : 0;
  return reached < e.levelCount ? reached : e.levelCount;
}

// "Level 6/10" at the right of a world's row: beside its name, or beside its
// author when the name leaves no room. Empty without progress.
std::string progressText(const WorldEntry& e) {
  const int32_t reached = reachedIn(e);
  if (reached < 1) return "";
  return "Level " + std::to_string(reached) + "/" + std::to_string(e.levelCount);
}

void drawProgress(const WorldEntry& e, int32_t rowY) {
  const std::string text = progressText(e);
  if (text.empty()) return;
  const int32_t x = SCREEN_WIDTH - TEXT_SMALL_CELL * int32_t(text.size());
  const int32_t nameEnd = 32 + TEXT_LARGE_CELL * int32_t(e.name.size());
  const int32_t authorEnd = 48 + TEXT_SMALL_CELL * int32_t(e.author.size());
  const bool besideAuthor = nameEnd + PROGRESS_GAP > x && authorEnd + PROGRESS_GAP <= x;
  // Level with the large name's middle, or on the author's line.
  drawTextSmall(x, besideAuthor ? rowY + 32 : rowY + 8, text.c_str());
}

// The level the highlighted world starts at: back to 1 whenever another world
// is highlighted; - and + (or the pad's shoulder buttons) step through the
// levels reached, and a hint above the list says so.
void chooseStartLevel() {
  const int32_t entry = listPage * WORLDS_PER_PAGE + listRow - 1;
  if (entry < 0 || entry >= worldCount) return;
  if (entry != chosenStartEntry) {
    chosenStartEntry = entry;
    chosenStartLevel = 1;
  }
  const int32_t reached = reachedIn(worldList[entry]);
  if (chosenStartLevel > reached) chosenStartLevel = reached < 1 ? 1 : reached;
  if (reached < 2) return;
  if (joystickPresent && joyState.rgbButtons[PAD_EARLIER_LEVEL]) keyState[MENU_KEY_MINUS] = 0x80;
  if (joystickPresent && joyState.rgbButtons[PAD_LATER_LEVEL]) keyState[MENU_KEY_PLUS] = 0x80;
  if (menuEdge && (held(MENU_KEY_MINUS) || held(MENU_KEY_PAD_MINUS)) && chosenStartLevel > 1) {
    chosenStartLevel--;
    playSound(MENU_SOUND_MOVE);
  }
  if (menuEdge && (held(MENU_KEY_PLUS) || held(MENU_KEY_PAD_PLUS)) && chosenStartLevel < reached) {
    chosenStartLevel++;
    playSound(MENU_SOUND_MOVE);
  }
  // The pad's buttons are named where the pad's buttons have names.
  std::string buttons;
  if (gJoystick) {
    const char* earlier = gJoystick->buttonName(PAD_EARLIER_LEVEL);
    const char* later = gJoystick->buttonName(PAD_LATER_LEVEL);
    buttons = earlier && later ? std::string(" ") + earlier + " " + later : " B5 B6";
  }
  std::snprintf(sharedText, sizeof sharedText, "Start at level %i (- +%s)", int(chosenStartLevel), buttons.c_str());
  drawTextSmall(0, 48, sharedText);
}

void runWorldSelectPage() {
  drawTextSmall(144, 32, "Please select a world:");
  std::snprintf(sharedText, sizeof sharedText, "Page %i of %i", int(listPage + 1),
                int((worldCount + WORLDS_PER_PAGE - 1) / WORLDS_PER_PAGE));
  drawTextSmall(640 - 16 * int32_t(std::strlen(sharedText)), 48, sharedText);
  for (int32_t i = 0; i < WORLDS_PER_PAGE && listPage * WORLDS_PER_PAGE + i < worldCount; i++) {
    const WorldEntry& e = worldList[listPage * WORLDS_PER_PAGE + i];
    drawTextLarge(32, 64 * (i + 1), e.name.c_str());
    drawTextSmall(48, 64 * (i + 1) + 32, e.author.c_str());
    drawTextSmall(48, 64 * (i + 1) + 48, e.comment.c_str());
    drawProgress(e, WORLD_ROW_HEIGHT * (i + 1));
  }
  if (menuEdge) {
    if (held(MENU_KEY_DOWN)) {
      listRow++;
      playSound(MENU_SOUND_MOVE);
    }
    if (held(MENU_KEY_UP)) {
      listRow--;
      playSound(MENU_SOUND_MOVE);
    }
    if (held(MENU_KEY_LEFT)) {
      listPage--;
      playSound(MENU_SOUND_MOVE);
    }
    if (held(MENU_KEY_RIGHT)) {
      listPage++;
      playSound(MENU_SOUND_MOVE);
    }
    if (held(MENU_KEY_ESCAPE)) {
      menuCursor = 0;
      menuPage = MENU_PAGE_MAIN;
      playSound(MENU_SOUND_BACK);
    }
  }
  clampWorldSelection();
  if (menuPage != MENU_PAGE_WORLDS) return;
  chooseStartLevel();
  drawMenuPointer(0, 64 * listRow);
  if (menuEdge && held(MENU_KEY_ENTER)) {
    int32_t entry = listPage * WORLDS_PER_PAGE + listRow - 1;
    if (entry >= 0 && entry < worldCount) startGame(entry);
  }
}

}  // namespace

void runTitleMenu() {
  if (!appActive || !running) return;
  // 1. The demonstration's clock: one time unit every 15 frames.
  timeTicks++;
  if (timeTicks > TIME_UNIT_FRAMES) {
    timeTicks -= TIME_UNIT_FRAMES;
    timeLeft--;
  }
  if (surfacesRestored == 1) {
    menuLayersValid = 0;
    surfacesRestored = 0;
  }
  if (menuInit == MENU_BUILD_LIST) {
    menuCursor = 0;
    menuPage = MENU_PAGE_MAIN;
    buildWorldList();
    listRow = 1;
    listPage = 0;
    menuInit = MENU_LOAD_DEMO;
  }
  if (menuInit == MENU_LOAD_DEMO) loadDemonstration();
  // The demonstration fades to black when its time is up, and restarts
  // during the fade to white that follows.
  if (timeLeft < 1 && menuInit == MENU_DEMO_RUNNING) {
    fadeMode = FADE_TO_BLACK;
    menuInit = MENU_DEMO_FADING;
  }
  if (fadeMode == 0 && menuInit == MENU_DEMO_FADING) {
    fadeMode = FADE_TO_WHITE;
    menuInit = MENU_LOAD_DEMO;
  }
  if (paletteSettled == 0 && fadeMode == 0) fadeMode = FADE_IN;
  scrollDx = 4;
  int32_t scrollEnd = levelWidth * CELL_SIZE - VIEW_WIDTH;
  if (scrollX + 4 > scrollEnd) scrollDx = scrollEnd - scrollX;
  scrollX += scrollDx;

  int32_t idle = nothingPressed(0);
  menuEdge = idle != menuPrevIdle ? 1 : 0;
  mapJoystickOntoKeys();
  drawDemonstration();
  cursorAnim++;
  if (cursorAnim > 3) cursorAnim = 0;

  if (menuPage == MENU_PAGE_MAIN) {
    runMainPage();
  } else if (menuPage == MENU_PAGE_WORLDS) {
    runWorldSelectPage();
  } else if (menuPage == MENU_PAGE_SETUP) {
    runGameSetupPage();
  }

  if (menuEdge && held(MENU_KEY_Q)) {
    playSound(MENU_SOUND_BACK);
    pendingState = STATE_QUIT;
    fadeMode = FADE_TO_BLACK;
  }
  menuPrevIdle = idle;
}

void writeFrontTrace(TraceLine& line) {
  line.field("menuInit", menuInit);
  line.field("menuPage", menuPage);
  line.field("menuCursor", menuCursor);
  line.field("listRow", listRow);
  line.field("listPage", listPage);
  line.field("worldCount", worldCount);
  // The file of the highlighted world, so a script can see where a listed
  // world comes from.
  const int32_t entry = listPage * WORLDS_PER_PAGE + listRow - 1;
  if (menuPage == MENU_PAGE_WORLDS && entry >= 0 && entry < worldCount) {
    line.field("worldFile", worldList[entry].fileName);
    // Its progress on the chosen difficulty, as its row shows it, and the
    // level a game on it would start at.
    line.field("worldReached", reachedIn(worldList[entry]));
    line.field("worldProgress", progressText(worldList[entry]));
    line.field("startLevel", entry == chosenStartEntry ? chosenStartLevel : 1);
  }
}
