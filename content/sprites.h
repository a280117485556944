// Figures and small items, drawn as 16 x 16 pixel maps, doubled and outlined to
// 32 x 32 cells: the player, the creatures, pick-ups and other small objects.
#pragma once

#include "content/canvas.h"

// Draws every figure and item frame into the 640-wide tile sheet.
void drawSprites(Canvas& sheet);

// One 32 x 32 frame made from a 16 x 16 map, as the sheet holds it.
Canvas spriteFromMap(const char* map);

// Frames the intro pictures reuse: the standing player and a walker.
Canvas playerStandingFrame();
