// Full-view copies (keyed and opaque, 640 x 384 out of a 704 x 448 layer) and a
// 640 x 400 PCX decode, each beside a memcpy of the same number of bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "media/pcx.h"
#include "media/surface.h"

namespace {

constexpr int32_t VIEW_WIDTH = 640;
constexpr int32_t VIEW_HEIGHT = 384;
constexpr int32_t CELL = 32;

// A tile layer like play draws: 22 x 14 cells, about two in five empty; the
// others hold tile art with transparent pixels here and there and some cells
// whose top rows are open (grass, slopes, objects).
Surface makeLayer() {
  Surface layer(704, 448);
  std::mt19937 random(7);
  for (int32_t cy = 0; cy < 14; cy++)
    for (int32_t cx = 0; cx < 22; cx++) {
      if (random() % 5 < 2) continue;
      const int32_t open = random() % 3 == 0 ? int32_t(random() % 20) : 0;
      const uint8_t base = uint8_t(16 + random() % 200);
      for (int32_t y = open; y < CELL; y++)
        for (int32_t x = 0; x < CELL; x++) {
          const bool hole = random() % 8 == 0;
          layer.pixels()[(cy * CELL + y) * 704 + cx * CELL + x] = hole ? 0 : uint8_t(base + (x + y) % 16);
        }
    }
  layer.setColourKey(true);
  return layer;
}

// A 640 x 400 picture like the sheets: cells of drawn art (short runs of
// shades, a third of the pixels changing from their left neighbour), some
// flat banded cells, and empty cells of index 0.
std::vector<uint8_t> makePicture() {
  std::vector<uint8_t> pixels(640 * 400, 0);
  std::mt19937 random(11);
  uint8_t shade = 0;
  for (int32_t y = 0; y < 400; y++)
    for (int32_t x = 0; x < 640; x++) {
      const int32_t cell = (y / CELL) * 20 + x / CELL;
      if (cell % 7 == 3) continue;
      if (cell % 3 == 0) {
        pixels[y * 640 + x] = uint8_t(144 + (y % CELL) / 4);
      } else {
        if (x % CELL == 0 || random() % 3 == 0) shade = uint8_t((cell * 16 + random() % 16) % 256);
        pixels[y * 640 + x] = shade;
      }
    }
  return pixels;
}

void copyView(benchmark::State& state, bool keyed) {
  Surface layer = makeLayer();
  Surface backBuffer(640, 400);
  const Rect view{16, 16, 16 + VIEW_WIDTH, 16 + VIEW_HEIGHT};
  for (auto _ : state) {
    backBuffer.bltFast(0, 0, layer, view, keyed);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * VIEW_WIDTH * VIEW_HEIGHT);
}

void BM_KeyedViewCopy(benchmark::State& state) { copyView(state, true); }
void BM_OpaqueViewCopy(benchmark::State& state) { copyView(state, false); }

void memcpyBytes(benchmark::State& state, size_t bytes) {
  std::vector<uint8_t> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void BM_MemcpyView(benchmark::State& state) { memcpyBytes(state, size_t(VIEW_WIDTH) * VIEW_HEIGHT); }

void BM_PcxDecode640x400(benchmark::State& state) {
  const std::vector<uint8_t> pixels = makePicture();
  uint8_t palette[768] = {};
  const std::vector<uint8_t> file = encodePcx(pixels.data(), 640, 400, 640, palette);
  std::vector<uint8_t> out(640 * 400);
  for (auto _ : state) {
    decodePcxPixels(file.data() + PCX_HEADER_SIZE, file.size() - PCX_HEADER_SIZE, 640, 400, out.data(), 640, 8, palette);
    benchmark::ClobberMemory();
  }
  if (out != pixels) state.SkipWithError("decoded picture differs");
  state.counters["fileBytes"] = double(file.size());
  state.SetBytesProcessed(int64_t(state.iterations()) * 640 * 400);
}

void BM_MemcpyPicture(benchmark::State& state) { memcpyBytes(state, 640 * 400); }

}  // namespace

BENCHMARK(BM_KeyedViewCopy);
BENCHMARK(BM_OpaqueViewCopy);
BENCHMARK(BM_MemcpyView);
BENCHMARK(BM_PcxDecode640x400);
BENCHMARK(BM_MemcpyPicture);
