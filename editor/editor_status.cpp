// The status bar's fields and the palette's tooltips, from the world in memory,
// the game's tile class table and the tile names the data folder gives.
#include "editor/editor_status.h"

#include <sstream>

#include "editor/editor_area.h"
#include "editor/editor_paint.h"
#include "editor/editor_state.h"

namespace gle {

std::vector<std::string> gTileNames;

namespace {

// The classes play tests, by class value.
struct ClassName {
  int32_t tileClass;
  const char* name;
};
constexpr ClassName CLASS_NAMES[] = {{0, "no effect"},  {1, "solid"},     {3, "deadly"},  {4, "side trigger"},
                                     {5, "water"},      {6, "crumbling"}, {7, "exit"},    {9, "pick-up"},
                                     {17, "checkpoint"}};

}  // namespace

std::string keyName(int32_t character) {
  if (character == '\\') return "backslash";
  if (character == '`') return "grave accent";
  return std::string(1, char(character));
}

std::string tileClassName(int32_t tileClass) {
  for (const ClassName& entry : CLASS_NAMES)
    if (entry.tileClass == tileClass) return entry.name;
  return "class " + std::to_string(tileClass);
}

std::string describeTile(int32_t tile) {
  std::string text = "Tile " + std::to_string(tile);
  if (tile >= 0 && tile < int32_t(gTileNames.size()) && !gTileNames[size_t(tile)].empty())
    text += " " + gTileNames[size_t(tile)];
  const int32_t tileClass = tile >= 0 && tile < TILE_CLASS_COUNT ? gTileClass[tile] : 0;
  return text + " (" + tileClassName(tileClass) + ")";
}

std::string paletteCellTip(int32_t cell) {
  if (cell < 0 || cell >= PALETTE_CELLS) return "";
  std::string tip;
  const int32_t tile = gPaletteMap[cell];
  bool special = false;
  for (const TypedKey& key : typedKeys()) {
    if (key.kind == TYPED_TOGGLE && cell == FIRST_TOGGLE_CELL + (key.character - '2')) {
      tip = describeTile(key.tile) + " or " + describeTile(key.second) + ", turn about; key " + keyName(key.character);
      special = true;
    } else if (key.kind == TYPED_RANDOM && cell == RANDOM_TILE_CELL) {
      tip = "A random rock, tiles " + std::to_string(key.tile) + " to " + std::to_string(key.second) + "; key g";
      special = true;
    }
  }
  if (!special && (tile < 0 || tile > 255)) {
    // A palette map can name any number; a world file holds tiles 0-255.
    tip = "Tile " + std::to_string(tile) + ": not a tile a world can hold; this cell paints nothing";
    special = true;
  }
  if (!special) {
    tip = tile == 0 ? "Eraser: tile 0 (empty)" : describeTile(tile);
    for (const TypedKey& key : typedKeys())
      if (key.kind == TYPED_TILE && key.tile == tile) {
        tip += "; key " + keyName(key.character);
        break;
      }
  }
  return "Cell " + std::to_string(cell) + ": " + tip;
}

void readTileNames(const std::string& text) {
  gTileNames.assign(256, "");
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const size_t space = line.find(' ');
    if (space == 0 || space == std::string::npos || space > 3) continue;
    const std::string number = line.substr(0, space);
    if (number.find_first_not_of("0123456789") != std::string::npos) continue;
    const int32_t tile = std::stoi(number);
    if (tile > 255) continue;
    std::string name = line.substr(space + 1);
    if (!name.empty() && name.back() == '\r') name.pop_back();
    gTileNames[size_t(tile)] = name.substr(0, 80);
  }
}

std::vector<std::string> statusFields() {
  std::vector<std::string> fields;
  fields.push_back("Level " + std::to_string(gCurrentIndex + 1) + "/" + std::to_string(gLevelCount));
  fields.push_back("Column " + std::to_string(gCursorColumn) + ", Row " + std::to_string(gCursorRow));
  const EditorLevel* level = gCurrentLevel;
  if (level && gCursorColumn >= 0 && gCursorRow >= 0 && gCursorColumn < level->width && gCursorRow < level->height) {
    const int32_t* layer = gEditBackground ? level->background.get() : level->foreground.get();
    fields.push_back(describeTile(layer[size_t(gCursorColumn) * size_t(level->height) + size_t(gCursorRow)]));
  } else {
    fields.push_back("Outside the level");
  }
  std::string selected = "Selected: cell " + std::to_string(gSelectedCell);
  if (gSelectedCell >= 0 && gSelectedCell < PALETTE_CELLS) {
    const int32_t tile = gPaletteMap[gSelectedCell];
    selected += ", tile " + std::to_string(tile);
    if (tile >= 0 && tile < int32_t(gTileNames.size()) && !gTileNames[size_t(tile)].empty())
      selected += " " + gTileNames[size_t(tile)];
  }
  fields.push_back(selected);
  fields.push_back(gEditBackground ? "Layer: Background" : "Layer: Foreground");
  fields.push_back("Zoom " + std::to_string(gZoom) + "%");
  const CellRect selection = currentSelection();
  if (gActiveTool == TOOL_RECTANGLE && !gToolRect.empty()) {
    fields.push_back("Fill " + std::to_string(gToolRect.columns()) + " x " + std::to_string(gToolRect.rows()));
  } else if (gActiveTool == TOOL_SELECT && !gToolRect.empty()) {
    fields.push_back("Select " + std::to_string(gToolRect.columns()) + " x " + std::to_string(gToolRect.rows()));
  } else if (!selection.empty()) {
    fields.push_back("Selection " + std::to_string(selection.columns()) + " x " + std::to_string(selection.rows()) +
                     " at " + std::to_string(selection.left) + ", " + std::to_string(selection.top));
  } else {
    fields.push_back("");
  }
  if (level) fields.push_back("Size " + std::to_string(level->width) + " x " + std::to_string(level->height));
  return fields;
}

}  // namespace gle
