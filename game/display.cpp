// The display objects: creation on the first call of prepareDisplay, restore
// in place after a loss, the gauge surface's fixed content, and the flip.
#include "game/display.h"

#include <cstdio>
#include <cstring>

#include "media/regular_file.h"
#include "media/sprite_surface.h"

DisplayDevice* displayDevice = nullptr;

Surface* primarySurface = nullptr;
Surface* backBuffer = nullptr;
Surface* tileLayer = nullptr;
Surface* backgroundLayer = nullptr;
Surface* gaugeSurface = nullptr;
int32_t surfacesRestored = 0;

static std::unique_ptr<Surface> primaryStore;
static std::unique_ptr<Surface> backStore;
static std::unique_ptr<Surface> tileStore;
static std::unique_ptr<Surface> backgroundStore;
static std::unique_ptr<Surface> gaugeStore;

// A surface that keeps reporting lost after this many restores is given up.
constexpr int32_t RESTORE_ATTEMPTS = 8;
constexpr uint8_t PALETTE_FLAGS = 6;

int32_t DisplayDevice::setDisplayMode(int32_t width, int32_t height) {
  modeWidth = width;
  modeHeight = height;
  return 0;
}

std::unique_ptr<Surface> DisplayDevice::createPrimarySurface() {
  if (modeWidth <= 0 || modeHeight <= 0) return nullptr;
  return std::make_unique<Surface>(modeWidth, modeHeight);
}

std::unique_ptr<Surface> DisplayDevice::attachedBackBuffer() {
  if (modeWidth <= 0 || modeHeight <= 0) return nullptr;
  return std::make_unique<Surface>(modeWidth, modeHeight);
}

bool DisplayDevice::createPalette(const PaletteEntry* entries) {
  std::memcpy(palette, entries, sizeof palette);
  paletteCreated = true;
  return true;
}

void DisplayDevice::setPaletteEntries(int32_t start, int32_t count, const PaletteEntry* entries) {
  if (!paletteCreated || start < 0 || count < 0 || start + count > PALETTE_SIZE) return;
  std::memcpy(palette + start, entries, sizeof(PaletteEntry) * size_t(count));
}

int32_t DisplayDevice::restoreAllSurfaces() {
  int32_t result = SURFACE_OK;
  for (Surface* s : {primarySurface, backBuffer}) {
    if (s && s->isLost() && s->restore() != SURFACE_OK) result = SURFACE_LOST;
  }
  return result;
}

void setDisplayPalette(int32_t start, int32_t count, const PaletteEntry* entries) {
  if (displayDevice) displayDevice->setPaletteEntries(start, count, entries);
}

// The game palette: the 768-byte trailer of the tile sheet's picture file.
// A file shorter than that leaves the entries it cannot fill at zero.
static void readGamePalette() {
  uint8_t rgb[PALETTE_SIZE * 3] = {};
  if (FILE* file = openRegularFile("data09.glb")) {
    if (std::fseek(file, -long(sizeof rgb), SEEK_END) != 0) std::fseek(file, 0, SEEK_SET);
    size_t got = std::fread(rgb, 1, sizeof rgb, file);
    (void)got;
    std::fclose(file);
  }
  for (int32_t i = 0; i < PALETTE_SIZE; i++) {
    targetPalette[i] = PaletteEntry{rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], PALETTE_FLAGS};
  }
}

static void reportRestoreFailure() {
  std::fprintf(stderr, "Assertion failed: restoreAllSurfaces() == SURFACE_OK, file glimb, line 160\n");
}

// Reloads the three sheets after their memory was lost, from the same files
// loading read them from.
static void reloadSheets() {
  gSheetKeyed.loadPicture("data09.glb");
  gSheetOpaque.loadPicture("data09.glb");
  gFontSmall.loadPicture("data12.glb");
}

// Restores a surface until it no longer reports lost; false when it keeps failing.
static bool restoreUntilFound(Surface& surface) {
  for (int32_t i = 0; i < RESTORE_ATTEMPTS && surface.isLost() == SURFACE_LOST; i++) surface.restore();
  return surface.isLost() != SURFACE_LOST;
}

static std::unique_ptr<Surface> createLayer(int32_t width, int32_t height) {
  return displayDevice ? displayDevice->createSurface(width, height, SurfaceMemory::SYSTEM) : nullptr;
}

void drawGaugeSurface(Surface& gauge) {
  // Sky: 16 bands of 7 rows, indices 144..159; then the time gauge and the air gauge.
  constexpr uint8_t TIME_ROWS[6] = {245, 244, 243, 243, 244, 245};
  constexpr uint8_t AIR_ROWS[6] = {242, 241, 240, 240, 241, 242};
  uint8_t* pixels = gauge.lock();
  if (!pixels) return;
  for (int32_t row = 0; row < gauge.height() && row < GAUGE_HEIGHT; row++) {
    uint8_t value = row < 112 ? uint8_t(144 + row / 7) : row < 118 ? TIME_ROWS[row - 112] : AIR_ROWS[row - 118];
    std::memset(pixels + size_t(row) * gauge.pitch(), value, size_t(gauge.width()));
  }
  gauge.unlock();
}

int32_t prepareDisplay() {
  if (!displayDevice) return DISPLAY_PRIMARY_FAILED;
  if (!primarySurface) {
    primaryStore = displayDevice->createPrimarySurface();
    if (!primaryStore) return DISPLAY_PRIMARY_FAILED;
    primarySurface = primaryStore.get();
    readGamePalette();
    if (!displayDevice->createPalette(targetPalette)) return DISPLAY_PALETTE_FAILED;
    if (!displayDevice->attachPalette()) return DISPLAY_PALETTE_NOT_ATTACHED;
  } else if (primarySurface->isLost() == SURFACE_LOST) {
    if (displayDevice->restoreAllSurfaces() != SURFACE_OK) reportRestoreFailure();
    surfacesRestored = 1;
    reloadSheets();
  }

  if (!backBuffer) {
    backStore = displayDevice->attachedBackBuffer();
    if (!backStore) return DISPLAY_BACK_BUFFER_FAILED;
    backBuffer = backStore.get();
  }

  if (!tileLayer) {
    tileStore = createLayer(LAYER_WIDTH, LAYER_HEIGHT);
    if (!tileStore) return DISPLAY_TILE_LAYER_FAILED;
    tileLayer = tileStore.get();
  } else if (!restoreUntilFound(*tileLayer)) {
    return DISPLAY_TILE_LAYER_FAILED;
  }

  if (!backgroundLayer) {
    backgroundStore = createLayer(LAYER_WIDTH, LAYER_HEIGHT);
    if (!backgroundStore) return DISPLAY_LAYER_FAILED;
    backgroundLayer = backgroundStore.get();
    tileLayer->setColourKey(true);
    backgroundLayer->setColourKey(true);
  } else if (!restoreUntilFound(*backgroundLayer)) {
    return DISPLAY_LAYER_FAILED;
  }

  if (!gaugeSurface) {
    gaugeStore = createLayer(GAUGE_WIDTH, GAUGE_HEIGHT);
    if (!gaugeStore) return DISPLAY_LAYER_FAILED;
    gaugeSurface = gaugeStore.get();
  } else if (!restoreUntilFound(*gaugeSurface)) {
    return DISPLAY_LAYER_FAILED;
  }

  drawGaugeSurface(*gaugeSurface);
  return 0;
}

void flipDisplay() {
  if (!primarySurface || !backBuffer) return;
  primarySurface->bltFast(0, 0, *backBuffer, Rect{0, 0, backBuffer->width(), backBuffer->height()}, false);
  if (displayDevice) displayDevice->flip();
}

void releaseDisplayObjects() {
  gaugeSurface = nullptr;
  gaugeStore.reset();
  backgroundLayer = nullptr;
  backgroundStore.reset();
  tileLayer = nullptr;
  tileStore.reset();
  backBuffer = nullptr;
  backStore.reset();
  primarySurface = nullptr;
  primaryStore.reset();
}
