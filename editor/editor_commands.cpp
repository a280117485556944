// The menu commands of the main window by id, and the close request.
#include "editor/editor_commands.h"

#include "editor/editor_area.h"
#include "editor/editor_files.h"
#include "editor/editor_levels.h"
#include "editor/editor_paint.h"
#include "editor/editor_platform.h"
#include "editor/editor_settings.h"
#include "editor/editor_recovery.h"
#include "editor/editor_state.h"
#include "editor/editor_undo.h"
#include "editor/editor_testplay.h"
#include "editor/editor_view.h"

namespace gle {

void editorCommand(int32_t id) {
  switch (id) {
    case CMD_NEW:
      if (confirmDiscard() != ANSWER_CANCEL) newWorld();
      redrawEditor();
      break;
    case CMD_OPEN:
      if (confirmDiscard() != ANSWER_CANCEL) openWorld(nullptr);
      break;
    case CMD_SAVE: saveWorld(); break;
    case CMD_SAVE_AS: saveWorldAs(); break;
    case CMD_EXIT: editorPlatform().requestClose(); break;
    case CMD_UNDO: undoChange(); break;
    case CMD_REDO: redoChange(); break;
    case CMD_FIRST_LEVEL: firstLevel(); break;
    case CMD_PREVIOUS_LEVEL: prevLevel(); break;
    case CMD_NEXT_LEVEL: nextLevel(); break;
    case CMD_LAST_LEVEL: lastLevel(); break;
    case CMD_ADD_LEVEL: addLevel(); break;
    case CMD_DELETE_LEVEL: deleteLevel(); break;
    case CMD_EXPAND_LEVEL: expandLevel(); break;
    case CMD_SHRINK_LEVEL: shrinkLevel(); break;
    case CMD_WORLD_PROPERTIES: editorPlatform().runWorldProperties(); break;
    case CMD_LEVEL_PROPERTIES: editorPlatform().runLevelProperties(); break;
    case CMD_TILE_SELECT_WINDOW: toggleToolsWindow(); break;
    case CMD_CURSOR_AS_TILE: toggleCursorAsTile(); break;
    case CMD_EDIT_BACKGROUND: toggleEditBackground(); break;
    case CMD_FOREGROUND_LAYER: toggleShowForeground(); break;
    case CMD_BACKGROUND_LAYER: toggleShowBackground(); break;
    case CMD_CUT: cutSelection(); break;
    case CMD_COPY: copySelection(); break;
    case CMD_PASTE: pasteClipboard(); break;
    case CMD_ERASE: typeCharacter(DELETE_CHARACTER); break;
    case CMD_SELECT_ALL:
      if (gCurrentLevel) selectArea(CellRect{0, 0, gCurrentLevel->width - 1, gCurrentLevel->height - 1});
      break;
    case CMD_RESIZE_LEVEL: editorPlatform().runResizeDialog(); break;
    case CMD_SWAP_WITH_NEXT:
    case CMD_MOVE_LEVEL_DOWN: moveLevelDown(); break;
    case CMD_MOVE_LEVEL_UP: moveLevelUp(); break;
    case CMD_DUPLICATE_LEVEL: duplicateLevel(); break;
    case CMD_TEST_LEVEL: testLevel(false); break;
    case CMD_TEST_FROM_HERE: testLevel(true); break;
    case CMD_TEST_EASY:
    case CMD_TEST_NORMAL:
    case CMD_TEST_HARD:
      setTestDifficulty(id - CMD_TEST_EASY);
      redrawEditor();
      break;
    case CMD_GRID: toggleGrid(); break;
    case CMD_ZOOM_IN: zoomIn(); break;
    case CMD_ZOOM_OUT: zoomOut(); break;
    case CMD_ZOOM_RESET: setZoom(100); break;
    case CMD_PALETTE_DOCK: editorPlatform().togglePaletteDock(); break;
    case CMD_KEYS: editorPlatform().showKeyHelp(); break;
    default:
      if (id >= CMD_RECENT_FIRST && id < CMD_RECENT_FIRST + RECENT_MAX) openRecentWorld(id - CMD_RECENT_FIRST);
      break;  // no other command is bound to an id
  }
}

bool openRecentWorld(int32_t index) {
  if (index < 0 || index >= int32_t(gRecentWorlds.size())) return false;
  const std::string path = gRecentWorlds[size_t(index)];
  if (confirmDiscard() == ANSWER_CANCEL) return false;
  if (openWorld(path.c_str())) return true;
  // A world that is gone or unreadable leaves the list.
  forgetRecentWorld(path);
  editorPlatform().recentWorldsChanged();
  return false;
}

bool confirmClose() {
  if (confirmDiscard() == ANSWER_CANCEL) return false;
  gRunning = 0;
  // A normal close: nothing to recover next time.
  removeRecoveryCopy();
  removeTestWorld();
  return true;
}

}  // namespace gle
