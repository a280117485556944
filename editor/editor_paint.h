// Putting tiles into the current level: painting with the mouse from the
// selected palette cell, the typed tile keys, and choosing a palette cell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gle {

// The layer painting goes to: the background while editing it, else the foreground.
int32_t* editLayer();

// The value palette cell `cell` writes into a cell holding `current`; -1 for a
// cell that cannot paint (outside the palette map).
int32_t paletteTileFor(int32_t cell, int32_t current);

// A mouse message in the main view at client pixel (x, y): moves the cursor
// cell (redrawing when it changes) and paints while the left button is down.
void mouseInView(int32_t x, int32_t y, bool leftButton);
// A mouse message in the Tools window at client pixel (x, y) of its half-size picture.
void mouseInTools(int32_t x, int32_t y, bool leftButton);

// A typed character (from either window): "+", "=", "-" step the selected
// palette cell; Delete clears the selection, or erases the cursor cell as "d"
// does; Escape drops the selection; every other character places its tile,
// toggle, random tile or block at the cursor cell. A character that writes
// nothing new leaves the world as it was, unmodified.
void typeCharacter(int32_t character);
constexpr int32_t DELETE_CHARACTER = 0x7F;
constexpr int32_t ESCAPE_CHARACTER = 0x1B;

// One typed key and what it places, from the tables typing uses: `tile` is
// the (first) tile, `kind` one of the TYPED_ kinds, `columns` x `rows` the
// block, `second` a toggle's other tile.
constexpr int32_t TYPED_TILE = 0, TYPED_TOGGLE = 1, TYPED_RANDOM = 2, TYPED_BLOCK = 3;
struct TypedKey {
  int32_t character;
  int32_t kind;
  int32_t tile;
  int32_t second = 0;
  int32_t columns = 1, rows = 1;
};
std::vector<TypedKey> typedKeys();

// The palette cell that paints `tile` (a toggle's or the random rock's cell
// for their tiles), -1 when none does.
int32_t paletteCellFor(int32_t tile);

// After background tiles went onto a level without a background layer: asks
// once per level whether to switch "Background support" on (one undo step).
void noteBackgroundEdit();
std::string backgroundOfferText(int32_t levelIndex);

// The palette's special cells: the random rock, and six toggles from cell 92
// in the order of the keys "2" to "7".
constexpr int32_t RANDOM_TILE_CELL = 13;
constexpr int32_t FIRST_TOGGLE_CELL = 92;
constexpr int32_t TOGGLE_CELLS = 6;

// The highest palette cell "+" steps to.
constexpr int32_t PALETTE_STEP_LIMIT = 168;

}  // namespace gle
