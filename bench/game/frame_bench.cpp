// A headless frame of the game beside the floor probe: the least pixel
// traffic any frame of a scrolling screen has (clear the picture, copy the
// sky, copy one keyed layer over the view, convert the picture through the
// palette into 32-bit pixels). The game runs from its start over the
// generated data files: the intro, then the title menu's demonstration.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "bench/game/ratio_reporter.h"
#include "game/display.h"
#include "game/frame_loop.h"
#include "game/headless_platform.h"
#include "game/loading.h"
#include "game/shell.h"

namespace {

constexpr int32_t SKY_ROWS = 112;
constexpr int32_t VIEW_HEIGHT = 384;
constexpr int32_t LAYER_MARGIN = 32;

// The frames the headless benchmarks run: the intro (439 frames), its fade,
// and the first thousand frames of the demonstration; then more of it.
constexpr int64_t INTRO_AND_TITLE_FRAMES = 1500;
constexpr int64_t TITLE_FRAMES = 3000;

struct FloorProbe {
  FloorProbe() {
    drawGaugeSurface(gauge);
    // A layer of 32 x 32 tiles with every other cell empty (key colour 0).
    layer.setColourKey(true);
    uint8_t* p = layer.lock();
    for (int32_t y = 0; y < LAYER_HEIGHT; y++) {
      for (int32_t x = 0; x < LAYER_WIDTH; x++) {
        bool empty = ((x / 32) + (y / 32)) % 2 == 0;
        p[size_t(y) * layer.pitch() + x] = empty ? 0 : uint8_t(1 + (x * 7 + y * 3) % 250);
      }
    }
    layer.unlock();
    for (int32_t i = 0; i < PALETTE_SIZE; i++) table[i] = 0xFF000000u | uint32_t(i) << 16 | uint32_t(255 - i) << 8 | 7;
  }
  Surface back{SCREEN_WIDTH, SCREEN_HEIGHT};
  Surface layer{LAYER_WIDTH, LAYER_HEIGHT};
  Surface gauge{GAUGE_WIDTH, GAUGE_HEIGHT};
  uint32_t table[PALETTE_SIZE];
  std::vector<uint32_t> converted = std::vector<uint32_t>(size_t(SCREEN_WIDTH) * SCREEN_HEIGHT);
};

void BM_FloorProbe(benchmark::State& state) {
  FloorProbe probe;
  for (auto _ : state) {
    probe.back.fillAll(0);
    probe.back.bltFast(0, 0, probe.gauge, Rect{0, 0, SCREEN_WIDTH, SKY_ROWS}, false);
    probe.back.bltFast(0, 0, probe.layer,
                       Rect{LAYER_MARGIN, LAYER_MARGIN, LAYER_MARGIN + SCREEN_WIDTH, LAYER_MARGIN + VIEW_HEIGHT}, true);
    const uint8_t* in = probe.back.pixels();
    uint32_t* out = probe.converted.data();
    const size_t count = probe.converted.size();
    for (size_t i = 0; i < count; i++) out[i] = probe.table[in[i]];
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FloorProbe)->Unit(benchmark::kMicrosecond);

// The game loaded headless once; the benchmarks below run its frames on
// from where the one before stopped.
struct HeadlessGame {
  HeadlessGame() {
    if (chdir(GLIMB_DATA_DIR) != 0) return;
    platform = &headless;
    ok = loadGame() == 0;
    startFrameLoop();
  }
  ~HeadlessGame() {
    shutdownGame();
    platform = nullptr;
  }
  HeadlessPlatform headless;
  bool ok = false;
};

HeadlessGame& headlessGame() {
  static HeadlessGame game;
  return game;
}

void runHeadlessFrames(benchmark::State& state) {
  if (!headlessGame().ok) {
    state.SkipWithError("the data files could not be loaded");
    return;
  }
  for (auto _ : state) runFramePass();
}

// One iteration is one frame (one pass of the loop).
void BM_HeadlessFrame_IntroThenTitle(benchmark::State& state) { runHeadlessFrames(state); }
BENCHMARK(BM_HeadlessFrame_IntroThenTitle)->Iterations(INTRO_AND_TITLE_FRAMES)->Unit(benchmark::kMicrosecond);

void BM_HeadlessFrame_TitleDemonstration(benchmark::State& state) { runHeadlessFrames(state); }
BENCHMARK(BM_HeadlessFrame_TitleDemonstration)->Iterations(TITLE_FRAMES)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return runWithRatios(argc, argv,
                       {{"BM_HeadlessFrame_IntroThenTitle", "BM_FloorProbe"},
                        {"BM_HeadlessFrame_TitleDemonstration", "BM_FloorProbe"}});
}
