// Help -> Keys and the manual page's key list, from the menu table, the typed
// tile keys and the view's keys and mouse gestures.
#include "editor/editor_keys.h"

#include "editor/editor_commands.h"
#include "editor/editor_menu.h"
#include "editor/editor_paint.h"
#include "editor/editor_status.h"

namespace gle {

namespace {

// The view's own keys and the mouse, as the view maps them.
const KeyHelpLine VIEW_KEYS[] = {
    {"Left, Right, Up, Down", "scroll the view by one cell"},
    {"+ or =", "select the next palette cell (up to cell 168)"},
    {"-", "select the previous palette cell"},
    {"Delete", "clear the selection, or erase the cursor cell as d does"},
    {"Escape", "drop the selection"},
};
const KeyHelpLine MOUSE_GESTURES[] = {
    {"Left button", "paint the selected palette cell's tile"},
    {"Right button", "move the cursor cell without painting"},
    {"Shift+drag", "fill the rectangle with the selected tile"},
    {"Ctrl+click", "flood fill the joined cells holding the same tile"},
    {"Ctrl+drag", "select a rectangle (copy, cut, paste, delete)"},
    {"Middle button, Alt+click", "pick the tile under the pointer"},
    {"Wheel, Shift+wheel", "scroll up and down, left and right"},
    {"Ctrl+wheel", "zoom in and out"},
};

std::string tileText(int32_t tile, bool names) { return names ? describeTile(tile) : "tile " + std::to_string(tile); }

std::string typedAction(const TypedKey& key, bool names) {
  switch (key.kind) {
    case TYPED_TOGGLE:
      return tileText(key.tile, names) + ", or " + tileText(key.second, names) + " where it is already";
    case TYPED_RANDOM:
      return "a random tile " + std::to_string(key.tile) + " to " + std::to_string(key.second);
    case TYPED_BLOCK:
      return "a block of " + std::to_string(key.columns) + " x " + std::to_string(key.rows) + " tiles from " +
             tileText(key.tile, names);
    default:
      return key.tile == 0 ? "erase (tile 0)" : tileText(key.tile, names);
  }
}

// Roff text: backslashes and hyphens escaped, and nothing a line starts with
// taken for a request.
std::string roff(const std::string& text) {
  std::string out = "\\&";
  for (char c : text) {
    if (c == '\\') out += "\\e";
    else if (c == '-') out += "\\-";
    else out += c;
  }
  return out;
}

}  // namespace

std::vector<KeyHelpSection> keyHelp(bool tileNames) {
  std::vector<KeyHelpSection> sections;
  KeyHelpSection menu{"Menu commands", {}};
  for (int32_t m = 0; m < EDITOR_MENU_COUNT; m++) {
    const MenuDefinition& definition = EDITOR_MENU[m];
    for (const MenuEntry& entry : definition.entries) {
      if (entry.id == 0 || !entry.shortcut) continue;
      std::string keys = entry.shortcut;
      if (entry.alsoShortcut) keys += ", " + std::string(entry.alsoShortcut);
      menu.lines.push_back({keys, plainMenuText(definition.title) + ": " + plainMenuText(entry.text)});
    }
  }
  sections.push_back(menu);
  sections.push_back({"Mouse", {std::begin(MOUSE_GESTURES), std::end(MOUSE_GESTURES)}});
  sections.push_back({"View keys", {std::begin(VIEW_KEYS), std::end(VIEW_KEYS)}});
  KeyHelpSection typed{"Typed tile keys (at the cursor cell, on the layer being edited)", {}};
  for (const TypedKey& key : typedKeys()) typed.lines.push_back({keyName(key.character), typedAction(key, tileNames)});
  sections.push_back(typed);
  return sections;
}

std::string keyHelpText(bool tileNames) {
  std::string text;
  for (const KeyHelpSection& section : keyHelp(tileNames)) {
    if (!text.empty()) text += "\n";
    text += section.title + "\n";
    for (const KeyHelpLine& line : section.lines) {
      std::string keys = "  " + line.keys;
      if (keys.size() < 28) keys.resize(28, ' ');
      else keys += "  ";
      text += keys + line.action + "\n";
    }
  }
  return text;
}

std::string keyHelpRoff() {
  std::string text = ".SH KEYS\n";
  text += ".\\\" Made from the editor's own tables; the editor's tests check that it matches them.\n";
  for (const KeyHelpSection& section : keyHelp(false)) {
    text += ".SS " + section.title + "\n";
    for (const KeyHelpLine& line : section.lines) {
      text += ".TP\n\\fB" + roff(line.keys).substr(2) + "\\fR\n";
      text += roff(line.action) + "\n";
    }
  }
  return text;
}

}  // namespace gle
