// Putting tiles into the current level: painting with the mouse from the
// selected palette cell, the typed tile keys, and choosing a palette cell.
#pragma once

#include <cstdint>

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
// palette cell; every other character places its tile, toggle, random tile or
// block at the cursor cell and marks the world modified.
void typeCharacter(int32_t character);

// The highest palette cell "+" steps to.
constexpr int32_t PALETTE_STEP_LIMIT = 168;

}  // namespace gle
