// Fuzzes the editor's palette-to-tile map reader (data06.glb) with painting and
// saving: a map that reads makes every palette cell paint either nothing or a
// tile a world file can hold (never one above 255 that saving would cut to its
// low byte), and the saved world opens again holding exactly what was painted.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/editor_files.h"
#include "editor/editor_paint.h"
#include "editor/editor_setup.h"
#include "editor/editor_state.h"
#include "editor/editor_undo.h"
#include "fuzz/fuzz_require.h"

namespace {

using namespace gle;

// The map, the saved world and the editor's settings and recovery copies, in
// a folder of the run's own, removed when the run ends.
struct ScratchFiles {
  ScratchFiles() {
    std::filesystem::create_directories(folder);
    setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder + "/share").c_str(), 1);
    setenv("XDG_STATE_HOME", (folder + "/state").c_str(), 1);
  }
  ~ScratchFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::string folder = "/tmp/fuzz_palette_map_" + std::to_string(getpid());
  std::string map = folder + "/data06.glb";
  std::string world = folder + "/painted.glw";
};

constexpr int32_t MAP_BYTES = PALETTE_CELLS * 2;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ScratchFiles scratch;
  std::FILE* file = std::fopen(scratch.map.c_str(), "wb");
  if (!file) return 0;
  const bool written = std::fwrite(data, 1, size, file) == size;
  std::fclose(file);
  if (!written) return 0;

  resetEditorState();
  clearUndoHistory();
  std::string error;
  const bool read = readPaletteMap(scratch.map, &error);
  REQUIRE(read == (size >= size_t(MAP_BYTES)));
  REQUIRE(read || !error.empty());

  // A new level is 20 x 12: level cell i is painted from palette cell i.
  newWorld();
  REQUIRE(gCurrentLevel && gCurrentLevel->width * gCurrentLevel->height == PALETTE_CELLS);
  for (int32_t cell = 0; cell < PALETTE_CELLS; cell++) {
    gSelectedCell = cell;
    const int32_t column = cell / gCurrentLevel->height, row = cell % gCurrentLevel->height;
    mouseInView(column * TILE_SIZE + 5, row * TILE_SIZE + 5, true);
    const int32_t painted = gCurrentLevel->foreground[size_t(cell)];
    REQUIRE(painted >= 0 && painted <= TILE_VALUE_MAX);
    const bool special =
        cell == RANDOM_TILE_CELL || (cell >= FIRST_TOGGLE_CELL && cell < FIRST_TOGGLE_CELL + TOGGLE_CELLS);
    if (!special) {
      const int32_t entry = read ? int32_t(data[2 * cell] | data[2 * cell + 1] << 8) : 0;
      REQUIRE(painted == (entry <= TILE_VALUE_MAX ? entry : 0));
    }
  }
  mouseInView(5, 5, false);

  const std::vector<int32_t> shown(gCurrentLevel->foreground.get(), gCurrentLevel->foreground.get() + PALETTE_CELLS);
  gFileName = scratch.world;
  REQUIRE(saveWorld());
  REQUIRE(openWorld(scratch.world.c_str()));
  REQUIRE(std::vector<int32_t>(gCurrentLevel->foreground.get(), gCurrentLevel->foreground.get() + PALETTE_CELLS) ==
          shown);
  return 0;
}
