// The editor's graphics set-up: registers the surface device, loads the tile
// sheet with its palette, the palette picture and the palette-to-tile map.
#include "editor/editor_setup.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "editor/editor_files.h"
#include "editor/editor_picture.h"
#include "editor/editor_state.h"
#include "editor/editor_status.h"
#include "media/pcx.h"
#include "media/regular_file.h"
#include "media/sprite_surface.h"
#include "world/world_file.h"

namespace gle {

namespace {

SurfaceDevice gEditorDevice;

std::string dataPath(const std::string& folder, const char* name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

const char* pictureFailure(int32_t result) {
  switch (result) {
    case PICTURE_NOT_OPENED: return "the file cannot be opened";
    case PICTURE_NOT_CREATED: return "it is not a picture the editor can show";
    default: return "there is not enough memory for it";
  }
}

bool loadSheet(SpriteSurface& sheet, const std::string& path, std::string* error) {
  const int32_t result = sheet.loadPicture(path.c_str());
  if (result == PICTURE_OK) return true;
  *error = path + ": " + pictureFailure(result);
  return false;
}

// The palette entry closest to white, which the cursor mark is drawn with.
uint8_t nearestToWhite() {
  int32_t best = 0, bestDistance = 1 << 30;
  for (int32_t i = 0; i < 256; i++) {
    int32_t distance = 0;
    for (int32_t c = 0; c < 3; c++) {
      const int32_t d = 255 - gGamePalette[i][c];
      distance += d * d;
    }
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return uint8_t(best);
}

// What the status bar and tooltips say of a tile: the game's class table and
// the tile names. Both are optional: without them tiles go by number.
void loadTileDescriptions(const std::string& folder) {
  std::vector<uint8_t> bytes;
  std::string ignored;
  std::memset(gTileClass, 0, sizeof gTileClass);
  if (readFileBytes(dataPath(folder, TILE_CLASS_FILE), &bytes, &ignored) && bytes.size() >= size_t(TILE_CLASS_COUNT) * 2)
    for (int32_t i = 0; i < TILE_CLASS_COUNT; i++) gTileClass[i] = bytes[2 * i] | (bytes[2 * i + 1] << 8);
  gTileNames.clear();
  if (readRegularFile(dataPath(folder, TILE_NAMES_FILE), TILE_NAMES_MAX_BYTES, &bytes, &ignored))
    readTileNames(std::string(bytes.begin(), bytes.end()));
}

}  // namespace

bool readPaletteMap(const std::string& path, std::string* error) {
  std::string why;
  std::FILE* file = openRegularFile(path.c_str(), nullptr, &why);
  if (!file) {
    *error = path + ": " + why;
    return false;
  }
  uint8_t bytes[PALETTE_CELLS * 2];
  const size_t got = std::fread(bytes, 1, sizeof bytes, file);
  std::fclose(file);
  if (got < sizeof bytes) {
    *error = path + ": holds " + std::to_string(got) + " bytes, the palette-to-tile map needs " +
             std::to_string(sizeof bytes);
    return false;
  }
  int32_t unusable = 0;
  for (int32_t i = 0; i < PALETTE_CELLS; i++) {
    gPaletteMap[i] = bytes[2 * i] | (bytes[2 * i + 1] << 8);
    if (gPaletteMap[i] > TILE_VALUE_MAX) unusable++;
  }
  if (unusable > 0) {
    std::fprintf(stderr, "gle: %s: %d palette cell%s tiles above %d, which no world can hold; %s nothing\n",
                 path.c_str(), int(unusable), unusable == 1 ? " names" : "s name", int(TILE_VALUE_MAX),
                 unusable == 1 ? "it paints" : "they paint");
  }
  return true;
}

int32_t setupGraphics(const std::string& dataFolder, std::string* error) {
  gRandom.seed(uint32_t(std::chrono::steady_clock::now().time_since_epoch().count()));
  attachDirectDraw(&gEditorDevice);
  const std::string tilePath = dataPath(dataFolder, TILE_SHEET_FILE);
  if (!loadSheet(gTileSheet, tilePath, error)) return SETUP_LOAD_FAILED;
  if (!loadSheet(gPaletteSheet, dataPath(dataFolder, PALETTE_PICTURE_FILE), error)) return SETUP_LOAD_FAILED;
  if (!readPaletteMap(dataPath(dataFolder, PALETTE_MAP_FILE), error)) return SETUP_LOAD_FAILED;
  uint8_t palette[PCX_PALETTE_SIZE];
  if (!readPcxPalette(tilePath, palette)) {
    *error = tilePath + ": the palette cannot be read";
    return SETUP_LOAD_FAILED;
  }
  for (int32_t i = 0; i < 256; i++)
    for (int32_t c = 0; c < 3; c++) gGamePalette[i][c] = palette[3 * i + c];
  gWhiteIndex = nearestToWhite();
  setColourTable();
  loadDirectFrames(tilePath, dataPath(dataFolder, PALETTE_PICTURE_FILE));
  loadTileDescriptions(dataFolder);
  return SETUP_OK;
}

void shutdownEditor() {
  detachDirectDraw();
  gToolsBuffer.reset();
  gBackBuffer.reset();
  releaseDirectFrames();
  freeWorld();
  gPaletteSheet.release();
  gTileSheet.release();
}

}  // namespace gle
