// Speed of a full redrawEditor: a 1280 x 960 view (41 x 31 cells, two draws
// each) of a level with both layers filled.
#include <benchmark/benchmark.h>

#include "editor/editor_files.h"
#include "editor/editor_picture.h"
#include "editor/editor_setup.h"
#include "editor/editor_state.h"
#include "editor/editor_view.h"
#include "tests/editor/editor_test_data.h"

namespace {

void BM_RedrawEditorFullView1280x960(benchmark::State& state) {
  const std::string folder = gle_test::makeEditorDataFolder();
  const std::string worldPath = folder + "/bench.glw";
  gle_test::writeBytes(worldPath, gle_test::worldBytes({{80, 40, 0x12, 1, 100}}));
  gle::resetEditorState();
  std::string error;
  if (gle::setupGraphics(folder, &error) != gle::SETUP_OK || !gle::openWorld(worldPath.c_str())) {
    state.SkipWithError(error.c_str());
    return;
  }
  gle::resizeView(1280, 960);
  gle::gCursorColumn = 5;
  gle::gCursorRow = 5;
  for (auto _ : state) {
    gle::redrawEditor();
    benchmark::DoNotOptimize(gle::gBackBuffer->pixels());
  }
  gle::shutdownEditor();
  gle_test::removeFolder(folder);
}
BENCHMARK(BM_RedrawEditorFullView1280x960)->Unit(benchmark::kMicrosecond);

// Its two halves: the 8-bit tiles and cursor, and the 32-bit picture made from them.
void BM_ViewParts1280x960(benchmark::State& state) {
  const std::string folder = gle_test::makeEditorDataFolder();
  const std::string worldPath = folder + "/bench.glw";
  gle_test::writeBytes(worldPath, gle_test::worldBytes({{80, 40, 0x12, 1, 100}}));
  gle::resetEditorState();
  std::string error;
  if (gle::setupGraphics(folder, &error) != gle::SETUP_OK || !gle::openWorld(worldPath.c_str())) {
    state.SkipWithError(error.c_str());
    return;
  }
  gle::resizeView(1280, 960);
  for (auto _ : state) {
    if (state.range(0) == 0) gle::drawViewBuffer();
    else gle::composeViewPicture(*gle::gBackBuffer, 1280, 960);
    benchmark::DoNotOptimize(gle::gViewPicture.data());
  }
  gle::shutdownEditor();
  gle_test::removeFolder(folder);
}
BENCHMARK(BM_ViewParts1280x960)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
