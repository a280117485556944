// Fuzzes the intro picture's reader (data00.glb) through the intro show as the
// frame loop runs it: the palette comes from the file's last 768 bytes, the
// records before it fill the layers, a file without a palette skips the show,
// and a reload after lost surfaces reads the file again.
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_require.h"
#include "fuzz/game/fuzz_game.h"
#include "game/display.h"
#include "game/frame_loop.h"
#include "game/front/intermission.h"
#include "game/shell.h"

namespace {

constexpr int32_t SHOW_FRAMES = 12;

// Row 0 of the back layer holds the first bytes of record 0.
void checkFirstRow(const uint8_t* data, size_t size) {
  const size_t picture = size - INTRO_PALETTE_BYTES;
  const size_t count = picture < size_t(INTRO_LAYER_WIDTH) ? picture : size_t(INTRO_LAYER_WIDTH);
  REQUIRE(std::memcmp(introBackLayer->pixels(), data, count) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzGameScope scope;
  releaseFuzzInput();
  writeFuzzFile(INTRO_FILE_NAME, data, size);
  releaseIntroLayers();
  introPhase = 0;
  introTimer = 0;
  introOffset = 0;
  surfacesRestored = 0;
  startFrameLoop();

  runFuzzFrame();
  if (size < size_t(INTRO_PALETTE_BYTES)) {
    // No palette, no show: straight on towards the title menu.
    REQUIRE(introBackLayer == nullptr && pendingState == STATE_TITLE_MENU);
    return 0;
  }
  REQUIRE(introBackLayer != nullptr && introFrontLayer != nullptr);
  const uint8_t* rgb = data + size - INTRO_PALETTE_BYTES;
  for (int32_t i = 0; i < PALETTE_SIZE; i++) {
    REQUIRE(introPalette[i].red == rgb[3 * i] && introPalette[i].green == rgb[3 * i + 1] &&
            introPalette[i].blue == rgb[3 * i + 2]);
  }
  checkFirstRow(data, size);
  // Lost surfaces: the next frame reads the file again into the same layers.
  surfacesRestored = 1;
  for (int32_t frame = 0; frame < SHOW_FRAMES && gameState == STATE_INTRO; frame++) runFuzzFrame();
  if (introBackLayer) checkFirstRow(data, size);
  return 0;
}
