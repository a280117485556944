// The display objects, their creation and restore (prepareDisplay), and the
// display device that stands in for the full-screen 8-bit display mode.
#pragma once

#include <cstdint>
#include <memory>

#include "game/shell.h"

// prepareDisplay results.
constexpr int32_t DISPLAY_PRIMARY_FAILED = 31;
constexpr int32_t DISPLAY_BACK_BUFFER_FAILED = 32;
constexpr int32_t DISPLAY_TILE_LAYER_FAILED = 33;
constexpr int32_t DISPLAY_LAYER_FAILED = 34;  // backgroundLayer or gaugeSurface
constexpr int32_t DISPLAY_PALETTE_FAILED = 35;
constexpr int32_t DISPLAY_PALETTE_NOT_ATTACHED = 36;

// setDisplayMode result for a size the display cannot show.
constexpr int32_t DISPLAY_MODE_INVALID = 1;
constexpr int32_t DISPLAY_MODE_FAILED = 2;  // any other failure to show a mode

constexpr int32_t LAYER_WIDTH = 704;
constexpr int32_t LAYER_HEIGHT = 448;
constexpr int32_t GAUGE_WIDTH = 640;
constexpr int32_t GAUGE_HEIGHT = 124;

// The display: its mode, the flipping pair of surfaces, the 256-entry palette
// the picture is shown through. This base shows nothing (headless tests);
// the window platform overrides flip and the mode.
class DisplayDevice : public SurfaceDevice {
 public:
  // 0, DISPLAY_MODE_INVALID when the size cannot be shown, or another failure.
  virtual int32_t setDisplayMode(int32_t width, int32_t height);
  virtual void restoreDisplayMode() {}
  // The primary surface at the mode's size, and the back buffer attached to it.
  virtual std::unique_ptr<Surface> createPrimarySurface();
  virtual std::unique_ptr<Surface> attachedBackBuffer();
  virtual bool createPalette(const PaletteEntry* entries);
  virtual bool attachPalette() { return paletteCreated; }
  virtual void setPaletteEntries(int32_t start, int32_t count, const PaletteEntry* entries);
  // Restores the primary surface and its back buffer; SURFACE_OK or a failure.
  virtual int32_t restoreAllSurfaces();
  // Shows primarySurface through the palette.
  virtual void flip() {}

  int32_t modeWidth = 0;
  int32_t modeHeight = 0;
  bool paletteCreated = false;
  PaletteEntry palette[PALETTE_SIZE];
};

// The device of the running program; set by loading.
extern DisplayDevice* displayDevice;

// Creates the display objects on the first call, restores them after a loss
// on later calls, and rebuilds the gauge surface's content every time.
// 0, or one of the DISPLAY_* codes above.
int32_t prepareDisplay();

// Writes the fixed rows of gaugeSurface: sky bands, time gauge, air gauge.
void drawGaugeSurface(Surface& gauge);

// Present: the back buffer becomes the picture shown.
void flipDisplay();

// Releases gaugeSurface, backgroundLayer, tileLayer, backBuffer, primarySurface in this order.
void releaseDisplayObjects();
