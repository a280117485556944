// The editor's menu table: the original commands with their texts and keys,
// and the commands added since (selection, level order, test play, view).
#include "editor/editor_menu.h"

#include "editor/editor_commands.h"

namespace gle {

const MenuDefinition EDITOR_MENU[] = {
    {"&File",
     {{CMD_NEW, "&New", nullptr, 0},
      {CMD_OPEN, "&Open...", "Ctrl+O", MENU_ACCELERATOR},
      {CMD_RECENT, "Open &Recent", nullptr, 0},
      {CMD_SAVE, "&Save...", "Ctrl+S", MENU_ACCELERATOR},
      {CMD_SAVE_AS, "Save &As...", nullptr, 0},
      {0, nullptr, nullptr, 0},
      {CMD_EXIT, "E&xit", "Alt+F4", MENU_SHOWN_ONLY}}},
    {"&Edit",
     {{CMD_UNDO, "&Undo", "Ctrl+Z", MENU_ACCELERATOR},
      {CMD_REDO, "&Redo", "Ctrl+Y", MENU_ACCELERATOR, "Ctrl+Shift+Z"},
      {0, nullptr, nullptr, 0},
      {CMD_CUT, "Cu&t", "Ctrl+X", MENU_ACCELERATOR},
      {CMD_COPY, "&Copy", "Ctrl+C", MENU_ACCELERATOR},
      {CMD_PASTE, "&Paste at Cursor", "Ctrl+V", MENU_ACCELERATOR},
      {CMD_ERASE, "&Erase Selection or Cell", "Del", MENU_ACCELERATOR},
      {CMD_SELECT_ALL, "Select &All", "Ctrl+A", MENU_ACCELERATOR}}},
    {"&Level",
     {{CMD_FIRST_LEVEL, "&First", "F1", MENU_ACCELERATOR},
      {CMD_PREVIOUS_LEVEL, "&Previous", "F2", MENU_ACCELERATOR},
      {CMD_NEXT_LEVEL, "&Next", "F3", MENU_ACCELERATOR},
      {CMD_LAST_LEVEL, "&Last", "F4", MENU_ACCELERATOR},
      {0, nullptr, nullptr, 0},
      {CMD_SHRINK_LEVEL, "&Shrink", "F5", MENU_ACCELERATOR, "Shift+F5"},
      {CMD_EXPAND_LEVEL, "&Expand", "F6", MENU_ACCELERATOR, "Shift+F6"},
      {CMD_RESIZE_LEVEL, "&Resize...", "Ctrl+R", MENU_ACCELERATOR},
      {CMD_LEVEL_PROPERTIES, "&Level Properties", "F9", MENU_ACCELERATOR},
      {CMD_EDIT_BACKGROUND, "Edit &Background", nullptr, MENU_CHECKABLE},
      {0, nullptr, nullptr, 0},
      {CMD_DELETE_LEVEL, "&Delete", "F7", MENU_ACCELERATOR},
      {CMD_ADD_LEVEL, "&Add", "F8", MENU_ACCELERATOR},
      {CMD_DUPLICATE_LEVEL, "D&uplicate", nullptr, 0},
      {CMD_SWAP_WITH_NEXT, "S&wap with Next", nullptr, 0},
      {CMD_MOVE_LEVEL_UP, "Move Up", "Ctrl+PgUp", MENU_ACCELERATOR},
      {CMD_MOVE_LEVEL_DOWN, "Move Down", "Ctrl+PgDown", MENU_ACCELERATOR},
      {0, nullptr, nullptr, 0},
      {CMD_TEST_LEVEL, "&Test Level", "F10", MENU_ACCELERATOR},
      {CMD_TEST_FROM_HERE, "Test from &Here", "Shift+F10", MENU_ACCELERATOR},
      {CMD_TEST_EASY, "Test on Eas&y", nullptr, MENU_CHECKABLE},
      {CMD_TEST_NORMAL, "Test on &Normal", nullptr, MENU_CHECKABLE},
      {CMD_TEST_HARD, "Test on Har&d", nullptr, MENU_CHECKABLE}}},
    {"&View",
     {{CMD_TILE_SELECT_WINDOW, "&Tile Select Window", nullptr, MENU_CHECKABLE},
      {CMD_CURSOR_AS_TILE, "&Cursor as Tile", nullptr, MENU_CHECKABLE},
      {CMD_WORLD_PROPERTIES, "&World Properties", nullptr, 0},
      {0, nullptr, nullptr, 0},
      {CMD_FOREGROUND_LAYER, "&Foreground Layer", nullptr, MENU_CHECKABLE},
      {CMD_BACKGROUND_LAYER, "&Background Layer", nullptr, MENU_CHECKABLE},
      {0, nullptr, nullptr, 0},
      {CMD_PALETTE_DOCK, "&Palette beside the View", nullptr, MENU_CHECKABLE},
      {CMD_GRID, "&Grid", "Ctrl+G", MENU_ACCELERATOR | MENU_CHECKABLE},
      {CMD_ZOOM_IN, "Zoom &In", "Ctrl++", MENU_ACCELERATOR, "Ctrl+="},
      {CMD_ZOOM_OUT, "Zoom &Out", "Ctrl+-", MENU_ACCELERATOR},
      {CMD_ZOOM_RESET, "&Actual Size", "Ctrl+0", MENU_ACCELERATOR}}},
    {"&Help", {{CMD_KEYS, "&Keys", nullptr, 0}}},
};
const int32_t EDITOR_MENU_COUNT = int32_t(sizeof EDITOR_MENU / sizeof EDITOR_MENU[0]);

std::string plainMenuText(const char* text) {
  std::string plain;
  for (const char* c = text; c && *c; c++)
    if (*c != '&') plain += *c;
  return plain;
}

}  // namespace gle
