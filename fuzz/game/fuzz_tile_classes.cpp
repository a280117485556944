// Fuzzes the tile class table's reader (data07.glb) and play under the table it
// reads: the table holds the file's values (bytes past a short file's end read
// as 0), then a level of the built-in world is played with those classes, under
// keys the rest of the input picks, so that every kind of cell meets the player,
// the creatures and the view.
#include <cstdlib>

#include "fuzz/fuzz_require.h"
#include "fuzz/game/fuzz_game.h"
#include "game/front/title_menu.h"
#include "game/loading.h"
#include "game/shell.h"
#include "world/world_file.h"

namespace {

constexpr size_t TABLE_BYTES = TILE_CLASS_COUNT * 2;
constexpr int32_t PLAY_FRAMES = 300;
constexpr int32_t FRAMES_PER_KEY_BYTE = 8;

// Bits of a script byte: the bound key held while it lasts.
constexpr struct {
  uint8_t bit;
  int32_t binding;
} KEY_BITS[] = {{1, BIND_LEFT}, {2, BIND_RIGHT}, {4, BIND_JUMP}, {8, BIND_WALK}, {16, BIND_RETRY}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzGameScope scope;
  releaseFuzzInput();
  const size_t table = size < TABLE_BYTES ? size : TABLE_BYTES;
  writeFuzzFile("data07.glb", data, table);
  readTileClasses();
  for (size_t i = 0; i < size_t(TILE_CLASS_COUNT); i++) {
    const int32_t low = 2 * i < table ? data[2 * i] : 0, high = 2 * i + 1 < table ? data[2 * i + 1] : 0;
    const int32_t expected = low | high << 8;
    REQUIRE(tileClass[i] == expected);
  }

  // After the table: the level to play, then one byte of keys per 8 frames.
  const uint8_t* script = data + table;
  const size_t scriptSize = size - table;
  WorldHeader header{};
  REQUIRE(readWorldHeader(BUILT_IN_WORLD_FILE, &header, nullptr) && header.levelCount > 0);
  startFuzzLevel(BUILT_IN_WORLD_FILE, scriptSize > 0 ? script[0] % header.levelCount : 0);
  for (int32_t frame = 0; frame < PLAY_FRAMES && gameState != STATE_TITLE_MENU; frame++) {
    releaseFuzzInput();
    const size_t keyBytes = scriptSize > 1 ? scriptSize - 1 : 0;
    const uint8_t keys = keyBytes > 0 ? script[1 + size_t(frame / FRAMES_PER_KEY_BYTE) % keyBytes] : 0;
    for (const auto& key : KEY_BITS) {
      if (keys & key.bit) holdFuzzKey(keyBindings[key.binding]);
    }
    runFuzzFrame();
  }
  return 0;
}
