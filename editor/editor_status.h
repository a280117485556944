// What the status bar and the palette's tooltips say: the level, the cursor
// cell, the tile under it with its class, the selected palette cell, the layer
// being edited, the zoom and the area tool in use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gle {

// The status bar's fields, in order: "Level n/m", "Column c, Row r", the tile
// under the cursor, the selected palette cell, the layer, the zoom, and what
// the area tool or selection spans (empty without one).
std::vector<std::string> statusFields();

// How a typed tile key is named in help and tooltips ("a", "backslash").
std::string keyName(int32_t character);

// The name of a tile class of the game's class table ("solid", "water", ...;
// "no effect" for class 0, "class N" for classes play does not test).
std::string tileClassName(int32_t tileClass);
// "Tile 41 (solid)", with the tile's name from the tile name list when it has one.
std::string describeTile(int32_t tile);
// The tooltip of palette cell `cell`: what it paints and the key that types it.
std::string paletteCellTip(int32_t cell);

// Tile names read from the data folder's "gletiles.txt" (lines "NUMBER NAME");
// empty names where the file has none.
extern std::vector<std::string> gTileNames;
// Reads the names from `text`; lines that are not "NUMBER NAME" with a tile
// number 0..255 are skipped.
void readTileNames(const std::string& text);

}  // namespace gle
