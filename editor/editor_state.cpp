// The editor's process-wide variables with their start values, and their reset.
#include "editor/editor_state.h"

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

SpriteSurface gTileSheet(TILE_SIZE, TILE_SIZE, 0);
SpriteSurface gPaletteSheet(TILE_SIZE, TILE_SIZE, 0);
int32_t gPaletteMap[PALETTE_CELLS] = {};
std::unique_ptr<Surface> gBackBuffer;
std::unique_ptr<Surface> gToolsBuffer;
uint8_t gGamePalette[256][3] = {};
uint8_t gWhiteIndex = 255;

std::mt19937 gRandom;

int32_t editorRandom() { return int32_t(gRandom() & 0x7FFFFFFF); }

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
