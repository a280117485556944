// The menu commands of the main window by id, and the close request.
#include "editor/editor_commands.h"

#include "editor/editor_files.h"
#include "editor/editor_levels.h"
#include "editor/editor_platform.h"
#include "editor/editor_state.h"
#include "editor/editor_undo.h"
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
    default: break;  // no command is bound to this id
  }
}

bool confirmClose() {
  if (confirmDiscard() == ANSWER_CANCEL) return false;
  gRunning = 0;
  return true;
}

}  // namespace gle
