// The main window's menu as a table: every command's text, its shortcut and
// whether the shortcut also acts in the Tools window. The window builds its
// menu from it, and the key list (Help -> Keys, the manual page) is made from it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace gle {

// Entry flags.
constexpr int32_t MENU_ACCELERATOR = 1;  // the shortcut acts while either window has the focus
constexpr int32_t MENU_CHECKABLE = 2;
constexpr int32_t MENU_SHOWN_ONLY = 4;   // the shortcut is the window system's (Alt+F4), only shown

// One item; id 0 is a separator. `alsoShortcut` is a second key for the same command.
struct MenuEntry {
  int32_t id;
  const char* text;
  const char* shortcut;
  int32_t flags;
  const char* alsoShortcut = nullptr;
};
struct MenuDefinition {
  const char* title;
  std::initializer_list<MenuEntry> entries;
};

extern const MenuDefinition EDITOR_MENU[];
extern const int32_t EDITOR_MENU_COUNT;

// The item's text without its "&" mnemonic marks ("Save &As..." -> "Save As...").
std::string plainMenuText(const char* text);

}  // namespace gle
