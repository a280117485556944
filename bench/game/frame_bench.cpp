// One whole frame of the game against its 16 ms budget: the pass with its
// dispatch, a full palette fade step, and the 8-bit to 32-bit conversion and
// texture upload of the SDL window (SDL's dummy video driver, software
// renderer), over the generated data files.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "game/display.h"
#include "game/frame_loop.h"
#include "game/loading.h"
#include "game/options.h"
#include "game/sdl_platform.h"
#include "game/shell.h"

namespace {

struct LoadedGame {
  LoadedGame() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    options.headless = true;
    if (chdir(GLIMB_DATA_DIR) != 0) return;
    sdl = std::make_unique<SdlPlatform>(options);
    platform = sdl.get();
    ok = loadGame() == 0;
    startFrameLoop();
  }
  ~LoadedGame() {
    shutdownGame();
    platform = nullptr;
    sdl.reset();
    SDL_Quit();
  }
  Options options;
  std::unique_ptr<SdlPlatform> sdl;
  bool ok = false;
};

LoadedGame& game() {
  static LoadedGame loaded;
  return loaded;
}

void BM_WholeFrameWithFadeStep(benchmark::State& state) {
  if (!game().ok) {
    state.SkipWithError("the data files could not be loaded");
    return;
  }
  gameState = STATE_TITLE_MENU;
  for (auto _ : state) {
    // Keep a fade running so that every frame rewrites all 256 entries.
    for (PaletteEntry& e : currentPalette) e = PaletteEntry{128, 128, 128, 6};
    fadeMode = FADE_IN | FADE_RUNNING;
    pendingState = 0;
    static_cast<SdlDisplay*>(displayDevice)->forceRedraw();  // every frame presented, changed or not
    runFramePass();
  }
  // Elapsed time over iterations x 16 ms: the share of the frame budget used.
  state.counters["budget_share"] = benchmark::Counter(double(state.iterations()) * 0.016,
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WholeFrameWithFadeStep)->Unit(benchmark::kMicrosecond);

void BM_PictureConversionAndUpload(benchmark::State& state) {
  if (!game().ok) {
    state.SkipWithError("the data files could not be loaded");
    return;
  }
  auto* display = static_cast<SdlDisplay*>(displayDevice);
  for (auto _ : state) {
    display->forceRedraw();
    display->flip();
  }
}
BENCHMARK(BM_PictureConversionAndUpload)->Unit(benchmark::kMicrosecond);

// Baseline: writing the 32-bit picture alone, a straight copy of its 1 MB.
void BM_BaselineCopyOfThe32BitPicture(benchmark::State& state) {
  std::vector<uint32_t> from(640 * 400, 0x00FF8040u), to(640 * 400);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BaselineCopyOfThe32BitPicture)->Unit(benchmark::kMicrosecond);

// The conversion through the palette alone, without the upload.
void BM_ConversionThroughThePalette(benchmark::State& state) {
  if (!game().ok) {
    state.SkipWithError("the data files could not be loaded");
    return;
  }
  auto* display = static_cast<SdlDisplay*>(displayDevice);
  std::vector<uint32_t> pixels(640 * 400);
  for (auto _ : state) {
    display->convertPicture(*primarySurface, pixels.data(), 640 * 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ConversionThroughThePalette)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
