// The title menu's state: the world list, the menu variables shared by its
// three pages, the demonstration behind them and the game setup's key names.
#pragma once

#include <cstdint>
#include <string>

#include "game/progress.h"

// Menu key codes (DirectInput).
constexpr uint8_t MENU_KEY_UP = 200, MENU_KEY_DOWN = 208, MENU_KEY_LEFT = 203, MENU_KEY_RIGHT = 205;
constexpr uint8_t MENU_KEY_ENTER = 28, MENU_KEY_ESCAPE = 1, MENU_KEY_Q = 16;
// World select: an earlier or a later level to start at, of those reached.
constexpr uint8_t MENU_KEY_MINUS = 12, MENU_KEY_PLUS = 13, MENU_KEY_PAD_MINUS = 74, MENU_KEY_PAD_PLUS = 78;

// Sounds of the menu: moving a cursor, choosing, going back or quitting.
constexpr int32_t MENU_SOUND_MOVE = 8;
constexpr int32_t MENU_SOUND_CHOOSE = 7;
constexpr int32_t MENU_SOUND_BACK = 0;

constexpr int32_t MENU_PAGE_MAIN = 0;
constexpr int32_t MENU_PAGE_WORLDS = 1;
constexpr int32_t MENU_PAGE_SETUP = 2;

// menuInit: build the list, (re)load the demonstration, running, fading out.
constexpr int32_t MENU_BUILD_LIST = 0;
constexpr int32_t MENU_LOAD_DEMO = 1;
constexpr int32_t MENU_DEMO_RUNNING = 2;
constexpr int32_t MENU_DEMO_FADING = 3;

// One world offered on the world select page, from its file's header.
struct WorldEntry {
  int32_t levelCount = 0;
  std::string fileName;
  std::string name;  // as stored (the large font draws 0x5B and 0x5C as "." and "!")
  std::string author;
  std::string comment;
  std::string progressKey;  // the world's key in the progress kept
  // The furthest level reached on Easy, Normal and Hard as the list was
  // built (nothing is reached while it is shown); 0 for none.
  int32_t reached[PROGRESS_DIFFICULTIES] = {};
};

constexpr int32_t WORLD_LIST_MAX = 100;
constexpr int32_t WORLDS_PER_PAGE = 5;
constexpr const char* BUILT_IN_WORLD_FILE = "data10.glb";
constexpr const char* DEMO_FILE_NAME = "data14.glb";

extern WorldEntry worldList[WORLD_LIST_MAX];
extern int32_t worldCount;

extern int32_t menuInit;
extern int32_t menuPage;
extern int32_t menuCursor;
extern int32_t listRow;
extern int32_t listPage;
extern int32_t menuPrevIdle;
extern int32_t cursorAnim;
extern int32_t menuLayersValid;
extern int32_t menuPrevFineX;
extern int32_t menuPrevFineY;
// 1 on a frame whose nothing-held result differs from the frame before's.
extern int32_t menuEdge;
// World select: the level the highlighted world starts at (1 unless the
// player chose a later one it has reached), and the entry it was chosen for.
extern int32_t chosenStartLevel;
extern int32_t chosenStartEntry;

// Builds the world list: entry 0 the built-in world, then the playable
// "*.glw" files of the current and the player's folder sorted by name, then
// those of the folders of worlds installed for everyone, at most 100 in all;
// and reads the progress kept for them.
void buildWorldList();
// Empties every entry's strings (a game was started from the list).
void freeWorldList();

// The demonstration: loads data14.glb with its objects and resets its view.
void loadDemonstration();
// Scans cells first..last of the demonstration grid for object tiles; the
// object of cell (k, r) is added at (originX + 32 (k - firstColumn), 32 r).
void scanDemonstrationColumns(int32_t firstColumn, int32_t columns, int32_t originX);
// Steps 11-19 of a menu frame: new objects, gauges, tile layer, objects, title.
void drawDemonstration();

// Pointer sprite of the menu pages at (x, y), animated by cursorAnim.
void drawMenuPointer(int32_t x, int32_t y);

// The game setup page (menuPage 2): one frame of it.
void runGameSetupPage();
constexpr int32_t KEY_NAME_SIZE = 10;
extern char keyNames[7][KEY_NAME_SIZE];
extern int32_t keyNamesValid;
