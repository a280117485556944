// The intro picture show (STATE_INTRO): loads its two layers and its own
// palette from "data00.glb", slides picture one in, scrolls across to picture
// two, slides it out, and hands over to the title menu (at once on any key).
#include <cstdio>
#include <cstring>
#include <memory>

#include "game/display.h"
#include "game/front/intermission.h"
#include "game/handlers.h"
#include "media/regular_file.h"
#include "media/text.h"

Surface* introBackLayer = nullptr;
Surface* introFrontLayer = nullptr;
int32_t introPhase = 0;
int32_t introTimer = 0;
int32_t introOffset = 0;
PaletteEntry introPalette[PALETTE_SIZE];

namespace {

std::unique_ptr<Surface> backStore;
std::unique_ptr<Surface> frontStore;

// Where the bytes of a record go: the back layer's even row takes the first
// 1280, the front layer's odd row takes bytes 1280-1919 into its right half
// and bytes 1920-2559 into its left half.
constexpr int32_t BACK_ROW_BYTES = INTRO_LAYER_WIDTH;
constexpr int32_t FRONT_RIGHT_START = 1280;
constexpr int32_t FRONT_LEFT_START = 1920;
constexpr int32_t HALF_WIDTH = INTRO_LAYER_WIDTH / 2;
constexpr int64_t INTRO_PICTURE_BYTES = int64_t(INTRO_RECORD_COUNT) * INTRO_RECORD_SIZE;

constexpr int32_t SHOWN_ROWS = SCREEN_HEIGHT;
constexpr int32_t SLIDE_STEP = 8;
constexpr int32_t HOLD_FRAMES = 100;  // the timer runs 1..99 while a picture stands
constexpr int32_t SLIDE_END = SCREEN_WIDTH;
constexpr int32_t SCROLL_END = SCREEN_WIDTH + SLIDE_STEP;

// Twenty characters, the first the small font's credits symbol.
constexpr char INTRO_CREDITS[] = "\x7f" " 2026 Pelmora Games";
static_assert(sizeof INTRO_CREDITS - 1 == 20, "the credits line is 20 characters");
constexpr int32_t CREDITS_X = 168;
constexpr int32_t CREDITS_Y = 384;

// Restores give up on a surface that keeps reporting lost after this many tries.
constexpr int32_t RESTORE_ATTEMPTS = 8;

std::unique_ptr<Surface> createLayer() {
  if (!displayDevice) return nullptr;
  std::unique_ptr<Surface> layer = displayDevice->createSurface(INTRO_LAYER_WIDTH, INTRO_LAYER_HEIGHT, SurfaceMemory::VIDEO);
  if (!layer) layer = displayDevice->createSurface(INTRO_LAYER_WIDTH, INTRO_LAYER_HEIGHT, SurfaceMemory::SYSTEM);
  // Anything smaller would have the record rows written past its end.
  if (layer && (layer->width() < INTRO_LAYER_WIDTH || layer->height() < INTRO_LAYER_HEIGHT)) layer.reset();
  return layer;
}

bool restoreLayer(Surface& layer) {
  for (int32_t i = 0; i < RESTORE_ATTEMPTS && layer.isLost() == SURFACE_LOST; i++) layer.restore();
  return layer.isLost() != SURFACE_LOST;
}

// Both layers exist and hold their memory: made on the first call, restored
// in place on later ones. False when that cannot be done.
bool prepareLayers() {
  if (!introBackLayer) {
    backStore = createLayer();
    frontStore = createLayer();
    if (!backStore || !frontStore) {
      releaseIntroLayers();
      return false;
    }
    introBackLayer = backStore.get();
    introFrontLayer = frontStore.get();
    return true;
  }
  return restoreLayer(*introBackLayer) && restoreLayer(*introFrontLayer);
}

// Copies the `got` bytes of record k (a short last record gives fewer than
// 2560) into the rows of both layers.
void placeRecord(const uint8_t* record, int32_t got, int32_t k, uint8_t* back, int32_t backPitch, uint8_t* front,
                 int32_t frontPitch) {
  uint8_t* backRow = back + size_t(2 * k) * size_t(backPitch);
  uint8_t* frontRow = front + size_t(2 * k + 1) * size_t(frontPitch);
  std::memcpy(backRow, record, size_t(got < BACK_ROW_BYTES ? got : BACK_ROW_BYTES));
  if (got > FRONT_RIGHT_START) {
    int32_t end = got < FRONT_LEFT_START ? got : FRONT_LEFT_START;
    std::memcpy(frontRow + HALF_WIDTH, record + FRONT_RIGHT_START, size_t(end - FRONT_RIGHT_START));
  }
  if (got > FRONT_LEFT_START) std::memcpy(frontRow, record + FRONT_LEFT_START, size_t(got - FRONT_LEFT_START));
}

// Reads the records lying before the palette into the layers. A short file
// fills fewer rows; the palette's bytes are never taken for picture.
void readRecords(FILE* file, int64_t pictureBytes) {
  uint8_t* back = introBackLayer->lock();
  uint8_t* front = introFrontLayer->lock();
  if (back && front && std::fseek(file, 0, SEEK_SET) == 0) {
    uint8_t record[INTRO_RECORD_SIZE];
    for (int32_t k = 0; k < INTRO_RECORD_COUNT; k++) {
      int64_t left = pictureBytes - int64_t(k) * INTRO_RECORD_SIZE;
      if (left <= 0) break;
      size_t want = size_t(left < INTRO_RECORD_SIZE ? left : INTRO_RECORD_SIZE);
      size_t got = std::fread(record, 1, want, file);
      if (got == 0) break;
      placeRecord(record, int32_t(got), k, back, introBackLayer->pitch(), front, introFrontLayer->pitch());
      if (got < want) break;
    }
  }
  if (back) introBackLayer->unlock();
  if (front) introFrontLayer->unlock();
}

// Loads (or reloads after a loss) both layers and the show's palette, and
// puts that palette on the display. A file too short to hold the palette
// has no show to give: false, and the show is skipped.
bool loadIntroShow() {
  uint64_t size = 0;
  FILE* file = openRegularFile(INTRO_FILE_NAME, &size);
  if (!file) return false;
  uint8_t rgb[INTRO_PALETTE_BYTES];
  bool paletteRead = size >= INTRO_PALETTE_BYTES && std::fseek(file, -long(INTRO_PALETTE_BYTES), SEEK_END) == 0 &&
                     std::fread(rgb, 1, sizeof rgb, file) == sizeof rgb;
  if (!paletteRead || !prepareLayers()) {
    std::fclose(file);
    return false;
  }
  int64_t pictureBytes = int64_t(size) - INTRO_PALETTE_BYTES;
  readRecords(file, pictureBytes < INTRO_PICTURE_BYTES ? pictureBytes : INTRO_PICTURE_BYTES);
  std::fclose(file);

  introFrontLayer->setColourKey(true);
  for (int32_t i = 0; i < PALETTE_SIZE; i++) {
    introPalette[i] = PaletteEntry{rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], INTRO_PALETTE_FLAGS};
  }
  setDisplayPalette(0, PALETTE_SIZE, introPalette);
  return true;
}

// The back layer's columns [backLeft, backRight) opaque at (backX, 0), then
// the front layer's [frontLeft, frontRight) keyed at (frontX, 0), rows 0-399.
// An empty range copies nothing.
void drawLayers(int32_t backLeft, int32_t backRight, int32_t backX, int32_t frontLeft, int32_t frontRight,
                int32_t frontX) {
  if (!backBuffer) return;
  backBuffer->bltFast(backX, 0, *introBackLayer, Rect{backLeft, 0, backRight, SHOWN_ROWS}, false);
  backBuffer->bltFast(frontX, 0, *introFrontLayer, Rect{frontLeft, 0, frontRight, SHOWN_ROWS}, true);
}

// Picture one: the back half slides in from the right, the front half from
// the left, then the picture stands.
void runPictureOne() {
  int32_t b = introOffset;
  if (introTimer == 0) {
    drawLayers(0, b, SCREEN_WIDTH - b, INTRO_LAYER_WIDTH - b, INTRO_LAYER_WIDTH, 0);
    drawTextSmall(CREDITS_X, CREDITS_Y, INTRO_CREDITS);
    introOffset += SLIDE_STEP;
    if (introOffset >= SLIDE_END) introTimer = 1;
  } else if (introTimer < HOLD_FRAMES) {
    drawLayers(0, HALF_WIDTH, 0, HALF_WIDTH, INTRO_LAYER_WIDTH, 0);
    introTimer++;
  } else {
    // Picture two begins in this same frame.
    introPhase = 1;
    introOffset = 0;
    introTimer = 0;
  }
}

// Picture two: both layers scroll across to it in opposite directions, it
// stands, then slides out (back half to the left, front half to the right).
void runPictureTwo() {
  int32_t b = introOffset;
  if (introTimer == 0) {
    drawLayers(b, b + HALF_WIDTH, 0, HALF_WIDTH - b, INTRO_LAYER_WIDTH - b, 0);
    introOffset += SLIDE_STEP;
    if (introOffset >= SCROLL_END) introTimer = 1;
  } else if (introTimer < HOLD_FRAMES) {
    drawLayers(HALF_WIDTH, INTRO_LAYER_WIDTH, 0, 0, HALF_WIDTH, 0);
    introTimer++;
    if (introTimer == HOLD_FRAMES) introOffset = 0;
  } else {
    drawLayers(b + HALF_WIDTH, INTRO_LAYER_WIDTH, 0, 0, HALF_WIDTH - b, b);
    introOffset += SLIDE_STEP;
    if (introOffset >= SCROLL_END) introPhase = 2;
  }
}

void endIntro() {
  releaseIntroLayers();
  fadeMode = FADE_TO_WHITE;
  pendingState = STATE_TITLE_MENU;
}

}  // namespace

void releaseIntroLayers() {
  introBackLayer = nullptr;
  introFrontLayer = nullptr;
  backStore.reset();
  frontStore.reset();
}

void runIntro() {
  if (!introBackLayer || surfacesRestored) {
    surfacesRestored = 0;
    if (!loadIntroShow()) {
      endIntro();
      return;
    }
  }
  if (introPhase == 0) runPictureOne();
  if (introPhase == 1) runPictureTwo();
  if (introPhase == 2 || !nothingPressed(0)) endIntro();
}
