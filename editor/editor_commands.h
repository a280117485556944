// The editor's menu commands by id and what each runs, and the close request
// of the main window.
#pragma once

#include <cstdint>

namespace gle {

constexpr int32_t CMD_NEW = 40001;
constexpr int32_t CMD_OPEN = 40002;
constexpr int32_t CMD_SAVE = 40003;
constexpr int32_t CMD_SAVE_AS = 40004;
constexpr int32_t CMD_EXIT = 40006;
constexpr int32_t CMD_TILE_SELECT_WINDOW = 40007;
constexpr int32_t CMD_NEXT_LEVEL = 40008;
constexpr int32_t CMD_PREVIOUS_LEVEL = 40009;
constexpr int32_t CMD_FIRST_LEVEL = 40010;
constexpr int32_t CMD_LAST_LEVEL = 40011;
constexpr int32_t CMD_ADD_LEVEL = 40012;
constexpr int32_t CMD_DELETE_LEVEL = 40013;
constexpr int32_t CMD_SWAP_WITH_NEXT = 40014;  // moves the current level down one place
constexpr int32_t CMD_CURSOR_AS_TILE = 40015;
constexpr int32_t CMD_EXPAND_LEVEL = 40016;
constexpr int32_t CMD_SHRINK_LEVEL = 40017;
constexpr int32_t CMD_WORLD_PROPERTIES = 40018;
constexpr int32_t CMD_LEVEL_PROPERTIES = 40019;
constexpr int32_t CMD_EDIT_BACKGROUND = 40021;
constexpr int32_t CMD_FOREGROUND_LAYER = 40022;
constexpr int32_t CMD_BACKGROUND_LAYER = 40023;
constexpr int32_t CMD_UNDO = 40030;
constexpr int32_t CMD_REDO = 40031;
constexpr int32_t CMD_CUT = 40032;
constexpr int32_t CMD_COPY = 40033;
constexpr int32_t CMD_PASTE = 40034;
constexpr int32_t CMD_ERASE = 40035;  // the Delete key: the selection, else the cursor cell
constexpr int32_t CMD_RESIZE_LEVEL = 40036;
constexpr int32_t CMD_MOVE_LEVEL_UP = 40037;
constexpr int32_t CMD_MOVE_LEVEL_DOWN = 40038;
constexpr int32_t CMD_DUPLICATE_LEVEL = 40039;
constexpr int32_t CMD_TEST_LEVEL = 40040;
constexpr int32_t CMD_TEST_FROM_HERE = 40041;
constexpr int32_t CMD_TEST_EASY = 40042;
constexpr int32_t CMD_TEST_NORMAL = 40043;
constexpr int32_t CMD_TEST_HARD = 40044;
constexpr int32_t CMD_GRID = 40045;
constexpr int32_t CMD_ZOOM_IN = 40046;
constexpr int32_t CMD_ZOOM_OUT = 40047;
constexpr int32_t CMD_ZOOM_RESET = 40048;
constexpr int32_t CMD_PALETTE_DOCK = 40049;
constexpr int32_t CMD_KEYS = 40050;
constexpr int32_t CMD_SELECT_ALL = 40051;
constexpr int32_t CMD_RECENT = 40099;  // the File -> Open Recent submenu
constexpr int32_t CMD_RECENT_FIRST = 40100;  // its entries, up to RECENT_MAX of them

// Runs a menu command; ids without a command do nothing.
void editorCommand(int32_t id);

// File -> Open Recent: the save prompt, then the world; a world that cannot
// be opened leaves the list.
bool openRecentWorld(int32_t index);

// The main window is about to close: the save prompt; true unless it was
// cancelled, in which case the window stays. Clears gRunning when closing.
bool confirmClose();

}  // namespace gle
