// The view's 32-bit picture: the 8-bit back buffer looked up in the 256-entry
// colour table at the view's zoom, with the level's edges, the grid, the
// selection and the area tool drawn over it.
#pragma once

#include <cstdint>
#include <string>

#include "editor/editor_state.h"
#include "media/surface.h"

namespace gle {

// Pixels of one cell on screen at the current zoom (8 at 25 %, 128 at 400 %).
int32_t cellPixels();

// gColourTable from gGamePalette.
void setColourTable();

// Makes gViewPicture width x height from `source`, whose 32-pixel cells are
// shown cellPixels() wide; what lies beyond the current level is shaded and
// its right and bottom edges are drawn, then the grid (with gShowGrid), the
// selection and the area tool's rectangle.
void composeViewPicture(const Surface& source, int32_t width, int32_t height);

// The tile sheet and the palette picture as 32-bit frames looked up once in
// the colour table, for drawing the view at 100 % without an 8-bit pass.
// False when a picture cannot be read; the view then goes the 8-bit way.
bool loadDirectFrames(const std::string& tileSheetPath, const std::string& palettePicturePath);
void releaseDirectFrames();
// Draws the whole view into gViewPicture as redrawEditor does (tiles, cursor,
// edges, grid, selection, tool); false when it cannot (another zoom, no frames),
// in which case the caller draws the back buffer and composes from it.
bool drawViewDirect(int32_t width, int32_t height);

// Colours of what is drawn over the tiles.
constexpr uint32_t OUTSIDE_COLOUR = 0xFF303038;  // beyond the level's last column or row
constexpr uint32_t EDGE_COLOUR = 0xFFFF9020;     // the level's right and bottom edges
constexpr uint32_t TOOL_COLOUR = 0xFFFFE040;     // the rectangle being filled

}  // namespace gle
