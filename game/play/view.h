// The play view: its position over the level and this frame's movement,
// the two pre-drawn layer surfaces around it, and the composition of each
// frame's view from layers, objects and player.
#pragma once

#include <cstdint>

// The view shows 640 x 384 pixels (20 x 12 cells) at the top of the back
// buffer; the layers hold 22 x 14 cells, one spare on every side.
constexpr int32_t VIEW_WIDTH = 640;
constexpr int32_t VIEW_HEIGHT = 384;
constexpr int32_t VIEW_COLUMNS = 20;
constexpr int32_t VIEW_ROWS = 12;
constexpr int32_t LAYER_COLUMNS = 22;
constexpr int32_t LAYER_ROWS = 14;

extern int32_t scrollX;  // world pixel of the view's top-left corner
extern int32_t scrollY;
extern int32_t scrollDx;  // the view's movement in this frame
extern int32_t scrollDy;
extern int32_t layersValid;  // 0 forces a full rebuild of the layers
extern int32_t prevFineX;    // scrollX mod 32 as of the last layer update
extern int32_t prevFineY;

// Moves the view after the player in the directions the level allows.
void scrollView();
// Brings tileLayer and backgroundLayer up to date with the view.
void updateLayers();
// Layers, objects and player into the back buffer in the level's draw order.
void composeView();
