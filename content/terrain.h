// Terrain, blocks, gates, liquids and decoration of the tile sheet, drawn in code
// at full 32 x 32 size: outlines, two or three tones per material, light from the top left.
#pragma once

#include "content/canvas.h"

void drawTerrain(Canvas& sheet);
