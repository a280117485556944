// The editor's process-wide variables with their start values, and their reset.
#include "editor/editor_state.h"

#include <algorithm>
#include <cstring>

#include "editor/editor_undo.h"

namespace gle {

int16_t gLevelCount = 0;
char gWorldName[WORLD_NAME_SIZE] = {};
char gAuthorName[AUTHOR_NAME_SIZE] = {};
char gComment[COMMENT_SIZE] = {};
std::unique_ptr<EditorLevel> gFirstLevel;
EditorLevel* gCurrentLevel = nullptr;
int32_t gCurrentIndex = 0;
std::string gFileName = UNTITLED_NAME;
bool gModified = false;

int32_t gScrollColumn = 0, gScrollRow = 0;
int32_t gPageColumns = 0, gPageRows = 0;
int32_t gCursorColumn = 0, gCursorRow = 0;
int32_t gSelectedCell = 0;
int32_t gEditBackground = 0;
int32_t gShowForeground = 1;
int32_t gShowBackground = 1;
int32_t gCursorAsTile = 1;
int32_t gToolsVisible = 0;
int32_t gRunning = 1;
int32_t gActive = 1;
Rect gClientRect{};
int32_t gZoom = 100;
int32_t gShowGrid = 0;
CellRect gSelection{};
int32_t gSelectionLevel = -1;
int32_t gActiveTool = 0;
CellRect gToolRect{};
ViewPicture gViewPicture;
uint32_t gColourTable[256] = {};

SpriteSurface gTileSheet(TILE_SIZE, TILE_SIZE, 0);
SpriteSurface gPaletteSheet(TILE_SIZE, TILE_SIZE, 0);
int32_t gPaletteMap[PALETTE_CELLS] = {};
std::unique_ptr<Surface> gBackBuffer;
std::unique_ptr<Surface> gToolsBuffer;
uint8_t gGamePalette[256][3] = {};
uint8_t gWhiteIndex = 255;
int32_t gTileClass[TILE_CLASS_COUNT] = {};

std::mt19937 gRandom;

int32_t editorRandom() { return int32_t(gRandom() & 0x7FFFFFFF); }

CellRect spanOf(int32_t column0, int32_t row0, int32_t column1, int32_t row1) {
  return CellRect{std::min(column0, column1), std::min(row0, row1), std::max(column0, column1),
                  std::max(row0, row1)};
}

// Frees the list one level at a time, so that a long list never unwinds
// through nested destructors.
void freeLevelList() {
  while (gFirstLevel) gFirstLevel = std::move(gFirstLevel->next);
  gCurrentLevel = nullptr;
}

void resetEditorState() {
  freeLevelList();
  clearUndoHistory();
  gLevelCount = 0;
  std::memset(gWorldName, 0, sizeof gWorldName);
  std::memset(gAuthorName, 0, sizeof gAuthorName);
  std::memset(gComment, 0, sizeof gComment);
  gCurrentIndex = 0;
  gFileName = UNTITLED_NAME;
  gModified = false;
  gScrollColumn = gScrollRow = 0;
  gPageColumns = gPageRows = 0;
  gCursorColumn = gCursorRow = 0;
  gSelectedCell = 0;
  gEditBackground = 0;
  gShowForeground = 1;
  gShowBackground = 1;
  gCursorAsTile = 1;
  gToolsVisible = 0;
  gRunning = 1;
  gActive = 1;
  gClientRect = Rect{};
  gZoom = 100;
  gShowGrid = 0;
  gSelection = CellRect{};
  gSelectionLevel = -1;
  gActiveTool = 0;
  gToolRect = CellRect{};
  gViewPicture = ViewPicture{};
  std::memset(gColourTable, 0, sizeof gColourTable);
  std::memset(gTileClass, 0, sizeof gTileClass);
  gTileSheet.release();
  gPaletteSheet.release();
  std::memset(gPaletteMap, 0, sizeof gPaletteMap);
  gBackBuffer.reset();
  gToolsBuffer.reset();
  std::memset(gGamePalette, 0, sizeof gGamePalette);
  gWhiteIndex = 255;
  gRandom.seed(std::mt19937::default_seed);
}

}  // namespace gle
