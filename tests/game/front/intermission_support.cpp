// The screens' test fixture: block fonts, loading, state reset, picture reading.
#include "intermission_support.h"

#include <vector>

#include "game/frame_loop.h"
#include "game/front/intermission.h"
#include "game/shell.h"
#include "media/pcx.h"
#include "media/sprite_surface.h"

namespace {

// A sheet of `columns` x `rows` frames of size cell, frame f filled with colour f.
std::vector<uint8_t> blockSheet(int32_t cell, int32_t columns, int32_t rows) {
  int32_t width = cell * columns, height = cell * rows;
  std::vector<uint8_t> pixels(size_t(width) * size_t(height));
  for (int32_t y = 0; y < height; y++) {
    for (int32_t x = 0; x < width; x++) pixels[size_t(y) * width + x] = uint8_t((y / cell) * columns + x / cell);
  }
  uint8_t palette[768];
  for (int i = 0; i < 768; i++) palette[i] = uint8_t(i / 3);
  return encodePcx(pixels.data(), width, height, width, palette);
}

}  // namespace

void IntermissionTest::SetUp() {
  LoadedShellTest::SetUp();
  // 240 frames of 32 x 32 (the large font's glyphs among them); 128 glyphs of 16 x 16.
  writeFile(data.path / "data09.glb", blockSheet(32, 16, 15));
  writeFile(data.path / "data12.glb", blockSheet(16, 16, 8));
  releaseIntroLayers();
  introPhase = introTimer = introOffset = 0;
  levelIntroFirstFrame = 1;
  congratsFirstFrame = 1;
  setClipRect(0, 0, 0, 0);
}

void IntermissionTest::TearDown() {
  releaseIntroLayers();
  LoadedShellTest::TearDown();
}

bool IntermissionTest::start(int32_t state) {
  if (load() != 0) return false;
  startFrameLoop();
  gameState = state;
  return true;
}

void IntermissionTest::frame() { ASSERT_TRUE(runFramePass()); }

uint8_t IntermissionTest::shown(int32_t x, int32_t y) const { return primarySurface->pixelAt(x, y); }

int32_t IntermissionTest::leftEdgeAt(int32_t y) const {
  for (int32_t x = 0; x < SCREEN_WIDTH; x++) {
    if (shown(x, y + 8)) return x;
  }
  return -1;
}

IntermissionTest::Line IntermissionTest::smallLineAt(int32_t y) const {
  Line line;
  line.x = leftEdgeAt(y);
  if (line.x < 0) return line;
  for (int32_t x = line.x; x < SCREEN_WIDTH && shown(x, y + 8); x += 16) line.text += char(shown(x, y + 8));
  return line;
}
