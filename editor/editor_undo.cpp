// The undo history: deep copies of the world in memory (both layers of every
// level, also a background whose flag is clear) with the current level and a
// serial number that tells whether a state is the one last saved.
#include "editor/editor_undo.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <new>
#include <string>

#include "editor/editor_files.h"
#include "editor/editor_platform.h"
#include "editor/editor_state.h"
#include "editor/editor_view.h"
#include "world/world_file.h"

namespace gle {

namespace {

struct WorldSnapshot {
  World world;
  int32_t currentIndex = 0;
  uint64_t serial = 0;
  size_t cells = 0;
};

std::deque<WorldSnapshot> gUndoSteps;
std::deque<WorldSnapshot> gRedoSteps;
uint64_t gStateSerial = 0;  // names the state of the world in memory
uint64_t gSavedSerial = 0;  // the state last saved, opened or made
uint64_t gLastSerial = 0;
bool gStrokeRecorded = false;

WorldSnapshot takeSnapshot() {
  WorldSnapshot snapshot;
  World& world = snapshot.world;
  world.header.levelCount = uint16_t(gLevelCount);
  std::memcpy(world.header.worldName, gWorldName, sizeof gWorldName);
  std::memcpy(world.header.authorName, gAuthorName, sizeof gAuthorName);
  std::memcpy(world.header.comment, gComment, sizeof gComment);
  for (const EditorLevel* level = gFirstLevel.get(); level; level = level->next.get()) {
    LevelRecord record;
    record.width = level->width;
    record.height = level->height;
    record.flags = level->flags;
    const size_t cells = size_t(level->width) * size_t(level->height);
    record.foreground.assign(level->foreground.get(), level->foreground.get() + cells);
    record.background.assign(level->background.get(), level->background.get() + cells);
    snapshot.cells += 2 * cells;
    world.levels.push_back(std::move(record));
  }
  snapshot.currentIndex = gCurrentIndex;
  snapshot.serial = gStateSerial;
  return snapshot;
}

size_t historyCells() {
  size_t cells = 0;
  for (const WorldSnapshot& step : gUndoSteps) cells += step.cells;
  for (const WorldSnapshot& step : gRedoSteps) cells += step.cells;
  return cells;
}

void trimHistory() {
  while (gUndoSteps.size() > UNDO_MAX_STEPS) gUndoSteps.pop_front();
  // The newest step always stays, however large the world.
  while (gUndoSteps.size() > 1 && historyCells() > UNDO_MAX_CELLS) gUndoSteps.pop_front();
}

// Replaces the world in memory by the snapshot; false, with nothing changed, when it cannot.
bool restoreSnapshot(const WorldSnapshot& snapshot) {
  std::string error;
  if (!worldIntoEditor(snapshot.world, &error)) {
    editorPlatform().showMessage("The change could not be undone.\n" + error);
    return false;
  }
  while (gCurrentIndex < snapshot.currentIndex && gCurrentLevel->next) {
    gCurrentIndex++;
    gCurrentLevel = gCurrentLevel->next.get();
  }
  gStateSerial = snapshot.serial;
  gModified = gStateSerial != gSavedSerial;
  return true;
}

// Moves one step from `from` to `to`: the world now goes onto `to`, the top of `from` is restored.
bool stepHistory(std::deque<WorldSnapshot>& from, std::deque<WorldSnapshot>& to) {
  if (from.empty()) return false;
  gStrokeRecorded = false;
  try {
    to.push_back(takeSnapshot());
  } catch (const std::bad_alloc&) {
    editorPlatform().showMessage("There is not enough memory to undo or redo.");
    return false;
  }
  if (!restoreSnapshot(from.back())) {
    to.pop_back();
    return false;
  }
  from.pop_back();
  // A level may now be narrower or lower than the view's position.
  gScrollColumn = std::min(gScrollColumn, std::max(gCurrentLevel->width - 1, 0));
  gScrollRow = std::min(gScrollRow, std::max(gCurrentLevel->height - 1, 0));
  redrawEditor();
  return true;
}

}  // namespace

void recordUndo() {
  gRedoSteps.clear();
  try {
    gUndoSteps.push_back(takeSnapshot());
  } catch (const std::bad_alloc&) {
    // Without the memory for a copy the change still happens; only its undo is lost.
    gUndoSteps.clear();
  }
  trimHistory();
  gStateSerial = ++gLastSerial;
}

void recordStrokeUndo() {
  if (gStrokeRecorded) return;
  recordUndo();
  gStrokeRecorded = true;
}

void endPaintStroke() { gStrokeRecorded = false; }

bool undoChange() { return stepHistory(gUndoSteps, gRedoSteps); }
bool redoChange() { return stepHistory(gRedoSteps, gUndoSteps); }
bool canUndo() { return !gUndoSteps.empty(); }
bool canRedo() { return !gRedoSteps.empty(); }

void markSavedState() { gSavedSerial = gStateSerial; }

void markUnsavedState() { gSavedSerial = 0; }
uint64_t worldStateSerial() { return gStateSerial; }

void clearUndoHistory() {
  gUndoSteps.clear();
  gRedoSteps.clear();
  gStrokeRecorded = false;
  gStateSerial = ++gLastSerial;
  gSavedSerial = gStateSerial;
}

}  // namespace gle
