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
constexpr int32_t CMD_SWAP_WITH_NEXT = 40014;  // greyed; nothing is bound to it
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

// Runs a menu command; ids without a command do nothing.
void editorCommand(int32_t id);

// The main window is about to close: the save prompt; true unless it was
// cancelled, in which case the window stays. Clears gRunning when closing.
bool confirmClose();

}  // namespace gle
