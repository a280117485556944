// A play frame on a busy level: both layers full of tiles, the player
// running right on the floor with the view scrolling four pixels a frame (a
// column crossed every eighth frame), a pick-up taken at every cell it
// passes, and about a dozen creatures walking and floating above it; beside
// a memcpy of the bytes the frame composes, and a full rebuild of both layers.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "game/display.h"
#include "game/game_vars.h"
#include "game/handlers.h"
#include "game/play/play.h"
#include "game/shell.h"
#include "media/pcx.h"
#include "media/sprite_surface.h"
#include "media/text.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t BENCH_WIDTH = 4000;
constexpr int32_t BENCH_HEIGHT = 12;
constexpr int32_t PICKUP_TILE = 30;
constexpr int32_t SOLID_TILE = 50;
constexpr int32_t FLOOR_ROW = 10, PLAYER_ROW = 9, LEDGE_ROW = 3, FLOATER_ROW = 6;
// Spawner tiles: walkers (9), fast walkers (121) and floaters (33).
constexpr int32_t WALKER_TILE = 9, FAST_WALKER_TILE = 121, FLOATER_TILE = 33;

// The game's surfaces and sheets without a display: a picture of 16 x 16
// tiles with a different colour in every row of every frame.
struct PlayBench {
  PlayBench() {
    attachDirectDraw(&device);
    std::vector<uint8_t> sheet(512 * 512);
    for (size_t p = 0; p < sheet.size(); p++) sheet[p] = uint8_t((p / 512 / 32) * 16 + (p % 512) / 32 + (p / 512) % 3);
    uint8_t palette[768] = {};
    const fs::path file = fs::temp_directory_path() / ("glimb-play-bench-" + std::to_string(getpid()) + ".pcx");
    std::vector<uint8_t> pcx = encodePcx(sheet.data(), 512, 512, 512, palette);
    if (FILE* out = std::fopen(file.c_str(), "wb")) {
      std::fwrite(pcx.data(), 1, pcx.size(), out);
      std::fclose(out);
    }
    gSheetOpaque.loadPicture(file.c_str());
    gSheetKeyed.loadPicture(file.c_str());
    gFontSmall.loadPicture(file.c_str());
    gFontSmall.setFrameSize(16, 16);
    fs::remove(file);
    tiles->setColourKey(true);
    background->setColourKey(true);
    drawGaugeSurface(*gauge);
    backBuffer = back.get();
    tileLayer = tiles.get();
    backgroundLayer = background.get();
    gaugeSurface = gauge.get();
    registerTextTargets(backBuffer, &gFontSmall, &gSheetKeyed);
    tileClass[PICKUP_TILE] = CLASS_PICKUP;
    tileClass[SOLID_TILE] = CLASS_SOLID;
    appActive = running = paletteSettled = 1;
    std::memcpy(keyBindings, DEFAULT_KEY_BINDINGS, sizeof keyBindings);
  }

  // A level as wide as a long run: every cell of both layers drawn (every
  // third one of the foreground empty so the background shows), a floor
  // with pick-ups along the player's row above it, and a ledge higher up
  // with a creature every sixth column walking on it or floating below it
  // (those within two views of the view live, about a dozen); scrolling
  // right, no time limit.
  void startLevel() {
    levelWidth = BENCH_WIDTH;
    levelHeight = BENCH_HEIGHT;
    levelFlags = uint32_t(withTimeStep(LEVEL_SCROLL_RIGHT | LEVEL_BACKGROUND, TIME_STEP_UNLIMITED));
    tileMap.assign(size_t(BENCH_WIDTH) * BENCH_HEIGHT, 0);
    backgroundMap.assign(tileMap.size(), 0);
    for (size_t i = 0; i < tileMap.size(); i++) {
      tileMap[i] = i % 3 == 0 ? 0 : int32_t(160 + i % 70);
      backgroundMap[i] = int32_t(100 + i % 20);
      const size_t column = i / BENCH_HEIGHT, row = i % BENCH_HEIGHT;
      if (row == PLAYER_ROW) tileMap[i] = PICKUP_TILE;
      if (row == PLAYER_ROW - 1 || row == LEDGE_ROW - 1 || row == FLOATER_ROW) tileMap[i] = 0;
      if (row == FLOOR_ROW || row == LEDGE_ROW) tileMap[i] = SOLID_TILE;
      if (row == LEDGE_ROW - 1 && column % 6 == 0) tileMap[i] = column % 12 == 0 ? WALKER_TILE : FAST_WALKER_TILE;
      if (row == FLOATER_ROW && column % 6 == 3) tileMap[i] = FLOATER_TILE;
    }
    freeObjects();
    scrollX = scrollY = 0;
    playerX = 500;
    playerY = PLAYER_ROW * CELL_SIZE;
    setLevelTime();
    airLeft = AIR_FULL;
    gameState = STATE_ON_GROUND;
    layersValid = 0;
    prevFineX = prevFineY = 0;
  }

  DisplayDevice device;
  std::unique_ptr<Surface> back = std::make_unique<Surface>(SCREEN_WIDTH, SCREEN_HEIGHT);
  std::unique_ptr<Surface> tiles = std::make_unique<Surface>(LAYER_WIDTH, LAYER_HEIGHT);
  std::unique_ptr<Surface> background = std::make_unique<Surface>(LAYER_WIDTH, LAYER_HEIGHT);
  std::unique_ptr<Surface> gauge = std::make_unique<Surface>(GAUGE_WIDTH, GAUGE_HEIGHT);
};

PlayBench& bench() {
  static PlayBench instance;
  return instance;
}

void BM_PlayFrame(benchmark::State& state) {
  bench().startLevel();
  int64_t crossings = 0, objects = 0;
  for (auto _ : state) {
    // The player keeps walking right at run speed, so the view keeps scrolling.
    playerX = 500;
    const int32_t before = scrollX / CELL_SIZE;
    runPlayFrame();
    crossings += scrollX / CELL_SIZE != before;
    for (const ActiveObject* node = activeObjects; node; node = node->next) objects += node->kind < KIND_CRUMBLING_CELL;
    if (scrollX > (BENCH_WIDTH - 30) * CELL_SIZE) bench().startLevel();
    benchmark::DoNotOptimize(backBuffer->pixels());
  }
  state.counters["columnsCrossed"] = benchmark::Counter(double(crossings), benchmark::Counter::kAvgIterations);
  state.counters["creatures"] = benchmark::Counter(double(objects), benchmark::Counter::kAvgIterations);
  state.counters["playerAlive"] = gameState == STATE_ON_GROUND || gameState == STATE_AIRBORNE ? 1 : 0;
  state.SetBytesProcessed(state.iterations() * SCREEN_WIDTH * SCREEN_HEIGHT);
}
BENCHMARK(BM_PlayFrame);

// The baselines: copying the 640 x 400 picture the frame composes once
// (range 0), and copying every byte the frame's copies write into it: the
// sky, both full-view layers and the two gauges (range 1).
void BM_MemcpyOfComposedFrame(benchmark::State& state) {
  const size_t bytes = state.range(0) == 0 ? size_t(SCREEN_WIDTH) * SCREEN_HEIGHT
                                           : size_t(VIEW_WIDTH) * (112 + 2 * VIEW_HEIGHT) + 2 * 500 * 6;
  std::vector<uint8_t> from(bytes, 7), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t(from.size()));
}
BENCHMARK(BM_MemcpyOfComposedFrame)->Arg(0)->Arg(1);

void BM_FullLayerRebuild(benchmark::State& state) {
  bench().startLevel();
  scrollX = 1000;
  for (auto _ : state) {
    layersValid = 0;
    updateLayers();
    benchmark::DoNotOptimize(tileLayer->pixels());
  }
}
BENCHMARK(BM_FullLayerRebuild);

}  // namespace

BENCHMARK_MAIN();
