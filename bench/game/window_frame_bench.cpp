// A whole frame in a 1280 x 800 window: the picture converted through the
// palette at twice its size and sent to the window, beside a memcpy of the
// picture's bytes (the 8-bit picture, and the 32-bit pixels the window
// shows). Run under an X server (xvfb-run) it measures the real path; with
// no DISPLAY it runs on SDL's dummy video driver, where sending costs nothing.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/game/ratio_reporter.h"
#include "game/picture_conversion.h"
#include "game/sdl_platform.h"

namespace {

constexpr int32_t WINDOW_WIDTH = SCREEN_WIDTH * 2;
constexpr int32_t WINDOW_HEIGHT = SCREEN_HEIGHT * 2;

// A window showing a patterned picture through a palette of distinct colours.
struct ShownWindow {
  explicit ShownWindow(RendererChoice choice) {
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    for (int32_t y = 0; y < SCREEN_HEIGHT; y++) {
      for (int32_t x = 0; x < SCREEN_WIDTH; x++) picture.pixels()[size_t(y) * picture.pitch() + x] = uint8_t((x / 32) * 7 + y / 7);
    }
    PaletteEntry entries[PALETTE_SIZE];
    for (int32_t i = 0; i < PALETTE_SIZE; i++) entries[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 6};
    display = std::make_unique<SdlDisplay>(false, choice);
    if (!display->createWindow() || display->setDisplayMode(SCREEN_WIDTH, SCREEN_HEIGHT) != 0) return;
    display->createPalette(entries);
    SDL_SetWindowSize(display->sdlWindow(), WINDOW_WIDTH, WINDOW_HEIGHT);
    primarySurface = &picture;
    display->flip();
    ok = true;
  }
  ~ShownWindow() {
    primarySurface = nullptr;
    display.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  Surface picture{SCREEN_WIDTH, SCREEN_HEIGHT};
  std::unique_ptr<SdlDisplay> display;
  bool ok = false;
};

void runWindowFrames(benchmark::State& state, RendererChoice choice) {
  ShownWindow shown(choice);
  if (!shown.ok) {
    state.SkipWithError("no window could be shown");
    return;
  }
  for (auto _ : state) {
    // Every row converted and the whole window sent, as when the picture scrolls.
    shown.display->forceRedraw();
    shown.display->flip();
  }
  state.SetLabel(std::string(SDL_GetCurrentVideoDriver()) +
                 (shown.display->throughGpu() ? ", through a GPU renderer" : ", through the window's pixels"));
}

void BM_WindowFrame(benchmark::State& state) { runWindowFrames(state, RendererChoice::SOFTWARE); }
BENCHMARK(BM_WindowFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same frame through SDL's GL renderer (llvmpipe under Xvfb), as the
// window showed it before.
void BM_WindowFrameThroughRenderer(benchmark::State& state) { runWindowFrames(state, RendererChoice::GPU); }
BENCHMARK(BM_WindowFrameThroughRenderer)->Unit(benchmark::kMicrosecond)->UseRealTime();

void copyBytes(benchmark::State& state, size_t bytes) {
  std::vector<uint8_t> from(bytes, 0x5A), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
}

void BM_MemcpyOfThePicture(benchmark::State& state) { copyBytes(state, size_t(SCREEN_WIDTH) * SCREEN_HEIGHT); }
BENCHMARK(BM_MemcpyOfThePicture)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The conversion alone: the picture at twice its size into 32-bit pixels in
// memory, as the window path writes them before the X server takes them.
void BM_ConvertPictureDoubled(benchmark::State& state) {
  Surface picture{SCREEN_WIDTH, SCREEN_HEIGHT};
  for (int32_t y = 0; y < SCREEN_HEIGHT; y++) {
    for (int32_t x = 0; x < SCREEN_WIDTH; x++) picture.pixels()[size_t(y) * picture.pitch() + x] = uint8_t((x / 32) * 7 + y / 7);
  }
  uint32_t colours[PALETTE_SIZE];
  for (int32_t i = 0; i < PALETTE_SIZE; i++) colours[i] = 0xFF000000u | uint32_t(i) * 0x010203u;
  std::vector<uint32_t> pixels(size_t(WINDOW_WIDTH) * WINDOW_HEIGHT);
  const PictureArea area{0, 0, WINDOW_WIDTH, WINDOW_HEIGHT};
  for (auto _ : state) {
    convertPicture(picture, colours, 0xFF000000u, area, pixels.data(), WINDOW_WIDTH * 4, 0, SCREEN_HEIGHT);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ConvertPictureDoubled)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_MemcpyOfTheWindowPixels(benchmark::State& state) {
  copyBytes(state, size_t(WINDOW_WIDTH) * WINDOW_HEIGHT * sizeof(uint32_t));
}
BENCHMARK(BM_MemcpyOfTheWindowPixels)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  return runWithRatios(argc, argv,
                       {{"BM_WindowFrame", "BM_MemcpyOfThePicture"},
                        {"BM_WindowFrame", "BM_MemcpyOfTheWindowPixels"},
                        {"BM_ConvertPictureDoubled", "BM_MemcpyOfTheWindowPixels"},
                        {"BM_WindowFrameThroughRenderer", "BM_MemcpyOfTheWindowPixels"}});
}
