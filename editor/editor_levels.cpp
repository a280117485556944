// The level list operations on the editor's singly linked list of levels.
// Each keeps the list gLevelCount long, with gCurrentLevel at gCurrentIndex.
#include "editor/editor_levels.h"

#include <algorithm>
#include <memory>
#include <new>

#include "editor/editor_files.h"
#include "editor/editor_platform.h"
#include "editor/editor_state.h"
#include "editor/editor_undo.h"
#include "editor/editor_view.h"

namespace gle {

namespace {

constexpr const char* DELETE_REFUSED = "Cannot delete the last level!";
constexpr const char* SHRINK_REFUSED = "Cannot shrink width past 20!";
constexpr const char* EXPAND_REFUSED = "Cannot expand width past 65535!";
constexpr const char* ADD_REFUSED = "Cannot add more than 32767 levels!";
constexpr const char* NO_MEMORY = "There is not enough memory for this change.";
constexpr int32_t LEVEL_MIN_EDIT_WIDTH = 20;

EditorLevel* levelAt(int32_t index) {
  EditorLevel* level = gFirstLevel.get();
  for (int32_t i = 0; i < index && level; i++) level = level->next.get();
  return level;
}

void scrollToStart() {
  gScrollColumn = 0;
  gScrollRow = 0;
  editorPlatform().setScrollPosition(true, 0);
  editorPlatform().setScrollPosition(false, 0);
}

// A layer `newWidth` columns wide whose column x is old column source(x), or
// all zero where source gives -1.
template <typename Source>
std::unique_ptr<int32_t[]> rebuiltLayer(const int32_t* old, int32_t newWidth, int32_t height, Source source) {
  auto layer = std::make_unique<int32_t[]>(size_t(newWidth) * size_t(height));
  for (int32_t x = 0; x < newWidth; x++) {
    const int32_t from = source(x);
    if (from < 0) continue;
    std::copy_n(old + size_t(from) * height, height, layer.get() + size_t(x) * height);
  }
  return layer;
}

// Gives the current level `newWidth` columns, column x taken from old column
// source(x); false, with the level as it was, when memory runs out.
template <typename Source>
bool resizeCurrentLevel(int32_t newWidth, Source source) {
  EditorLevel& level = *gCurrentLevel;
  try {
    auto foreground = rebuiltLayer(level.foreground.get(), newWidth, level.height, source);
    auto background = rebuiltLayer(level.background.get(), newWidth, level.height, source);
    recordUndo();
    level.foreground = std::move(foreground);
    level.background = std::move(background);
    level.width = newWidth;
  } catch (const std::bad_alloc&) {
    editorPlatform().showMessage(NO_MEMORY);
    return false;
  }
  return true;
}

}  // namespace

void firstLevel() {
  gCurrentIndex = 0;
  gCurrentLevel = gFirstLevel.get();
  redrawEditor();
}

void prevLevel() {
  if (gCurrentIndex >= 1) {
    gCurrentIndex--;
    gCurrentLevel = levelAt(gCurrentIndex);
  }
  redrawEditor();
}

void nextLevel() {
  if (gCurrentIndex < gLevelCount - 1 && gCurrentLevel->next) {
    gCurrentIndex++;
    gCurrentLevel = gCurrentLevel->next.get();
  }
  redrawEditor();
}

void lastLevel() {
  while (gCurrentIndex < gLevelCount - 1 && gCurrentLevel->next) {
    gCurrentIndex++;
    gCurrentLevel = gCurrentLevel->next.get();
  }
  redrawEditor();
}

void addLevel() {
  // The count is 16 bits wide; a world file holds no more levels than it can count.
  if (!gCurrentLevel) return;
  if (gLevelCount >= INT16_MAX) {
    editorPlatform().showMessage(ADD_REFUSED);
    return;
  }
  std::unique_ptr<EditorLevel> added;
  try {
    added = makeBlankLevel();
  } catch (const std::bad_alloc&) {
    editorPlatform().showMessage(NO_MEMORY);
    return;
  }
  recordUndo();
  added->next = std::move(gCurrentLevel->next);
  gCurrentLevel->next = std::move(added);
  gCurrentLevel = gCurrentLevel->next.get();
  gCurrentIndex++;
  gLevelCount++;
  scrollToStart();
  gModified = true;
  // Shown at once: the view would otherwise keep the old level until the next redraw.
  redrawEditor();
}

void deleteLevel() {
  EditorLevel* before = gCurrentIndex >= 1 ? levelAt(gCurrentIndex - 1) : nullptr;
  if (!before || !gCurrentLevel) {
    editorPlatform().showMessage(DELETE_REFUSED);
    return;
  }
  recordUndo();
  std::unique_ptr<EditorLevel> deleted = std::move(before->next);
  before->next = std::move(deleted->next);
  gLevelCount--;
  if (before->next) {
    gCurrentLevel = before->next.get();
  } else {
    gCurrentLevel = before;
    gCurrentIndex--;
  }
  deleted.reset();
  scrollToStart();
  gModified = true;
  redrawEditor();
}

void expandLevel() {
  if (!gCurrentLevel) return;
  const int32_t oldWidth = gCurrentLevel->width;
  if (oldWidth >= LEVEL_MAX_WIDTH) {
    editorPlatform().showMessage(EXPAND_REFUSED);
    return;
  }
  const int32_t x = std::clamp(gCursorColumn, 0, oldWidth);
  const bool insert = editorPlatform().shiftHeld();
  const bool done = resizeCurrentLevel(oldWidth + 1, [&](int32_t column) {
    if (column < x) return column;
    if (insert) return column == x ? -1 : column - 1;
    return column < oldWidth ? column : -1;
  });
  if (!done) return;
  gModified = true;
  redrawEditor();
}

void shrinkLevel() {
  if (!gCurrentLevel) return;
  const int32_t oldWidth = gCurrentLevel->width;
  if (oldWidth <= LEVEL_MIN_EDIT_WIDTH) {
    editorPlatform().showMessage(SHRINK_REFUSED);
    return;
  }
  const int32_t x = std::clamp(gCursorColumn, 0, oldWidth - 1);
  const bool removeAtCursor = editorPlatform().shiftHeld();
  const bool done = resizeCurrentLevel(oldWidth - 1, [&](int32_t column) {
    if (column < x || !removeAtCursor) return column;
    return column + 1;
  });
  if (!done) return;
  gModified = true;
  redrawEditor();
}

}  // namespace gle
