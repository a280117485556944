// The editing view: redrawing the level, the cursor and the Tools palette into
// the back buffers, scrolling, and the layer and cursor toggles of the menu.
#pragma once

#include <cstdint>
#include <string>

namespace gle {

// Scroll codes, with the values the window system gives them.
constexpr int32_t SCROLL_LINE_BACK = 0;      // line left / line up
constexpr int32_t SCROLL_LINE_FORWARD = 1;   // line right / line down
constexpr int32_t SCROLL_PAGE_BACK = 2;
constexpr int32_t SCROLL_PAGE_FORWARD = 3;
constexpr int32_t SCROLL_THUMB_POSITION = 4;
constexpr int32_t SCROLL_THUMB_TRACK = 5;
constexpr int32_t SCROLL_TO_START = 6;       // left / top
constexpr int32_t SCROLL_TO_END = 7;         // right / bottom
constexpr int32_t SCROLL_END = 8;

// "Glimb Level Editor - FILE *" while modified, with a space instead of the star otherwise.
std::string editorTitle();

// Scroll bars, title and check marks; then, while running, active and with
// graphics, the whole view and (when open) the Tools palette.
void redrawEditor();

// The 8-bit part of a redraw: tiles and cursor into the back buffer.
void drawViewBuffer();

// New scroll position for a scroll code: `current` is the scroll bar's own
// position, `tracked` the thumb's for SCROLL_THUMB_TRACK, `page` the page size
// and `size` the level's width (height). The result lies in 0 .. size - 1.
int32_t scrollTarget(int32_t code, int32_t current, int32_t tracked, int32_t page, int32_t size);
// Applies a scroll code to the columns (rows): stores, sets the bar, redraws.
void scrollColumns(int32_t code, int32_t tracked = 0);
void scrollRows(int32_t code, int32_t tracked = 0);

// A new client size of the main window's view: page size, new back buffer, redraw.
void resizeView(int32_t width, int32_t height);

// Zoom: the nearest step of ZOOM_STEPS at or below `percent`; one step in or out.
void setZoom(int32_t percent);
void zoomIn();
void zoomOut();
// View -> "&Grid" (Ctrl+G): cell lines over the level.
void toggleGrid();

// Menu toggles.
void toggleEditBackground();
void toggleShowForeground();
void toggleShowBackground();
void toggleCursorAsTile();
void toggleToolsWindow();

}  // namespace gle
