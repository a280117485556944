// The level list operations on the editor's singly linked list of levels.
// Each keeps the list gLevelCount long, with gCurrentLevel at gCurrentIndex.
#include "editor/editor_levels.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "editor/editor_area.h"
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

// The list as a row of owned levels, and back; the current level keeps its pointer.
std::vector<std::unique_ptr<EditorLevel>> takeLevels() {
  std::vector<std::unique_ptr<EditorLevel>> levels;
  while (gFirstLevel) {
    std::unique_ptr<EditorLevel> next = std::move(gFirstLevel->next);
    levels.push_back(std::move(gFirstLevel));
    gFirstLevel = std::move(next);
  }
  return levels;
}

void relink(std::vector<std::unique_ptr<EditorLevel>> levels) {
  for (size_t i = levels.size(); i-- > 0;) {
    levels[i]->next = std::move(gFirstLevel);
    gFirstLevel = std::move(levels[i]);
  }
}

// Exchanges the current level with the one `step` places away (-1 or +1).
void moveCurrentLevel(int32_t step) {
  const int32_t target = gCurrentIndex + step;
  if (!gCurrentLevel || target < 0 || target >= gLevelCount) {
    redrawEditor();
    return;
  }
  recordUndo();
  auto levels = takeLevels();
  std::swap(levels[size_t(gCurrentIndex)], levels[size_t(target)]);
  relink(std::move(levels));
  gCurrentIndex = target;
  gCurrentLevel = levelAt(target);
  gModified = true;
  redrawEditor();
}

// The encoded size of the world with the current level at width x height.
int64_t worldBytesWith(int32_t width, int32_t height) {
  int64_t bytes = WORLD_HEADER_SIZE;
  for (const EditorLevel* level = gFirstLevel.get(); level; level = level->next.get()) {
    const int64_t cells = level == gCurrentLevel ? int64_t(width) * height : int64_t(level->width) * level->height;
    bytes += LEVEL_RECORD_HEADER_SIZE + cells * ((level->flags & LEVEL_BACKGROUND) ? 2 : 1);
  }
  return bytes;
}

// Puts the level `make` builds after the current one and makes it current,
// as one undo step. Refused with a message when the world holds as many
// levels as its 16-bit count can say, or when memory runs out.
template <class Make>
bool insertAfterCurrent(Make make) {
  // The count is 16 bits wide; a world file holds no more levels than it can count.
  if (!gCurrentLevel) return false;
  if (gLevelCount >= INT16_MAX) {
    editorPlatform().showMessage(ADD_REFUSED);
    return false;
  }
  std::unique_ptr<EditorLevel> added;
  try {
    added = make();
  } catch (const std::bad_alloc&) {
    editorPlatform().showMessage(NO_MEMORY);
    return false;
  }
  recordUndo();
  added->next = std::move(gCurrentLevel->next);
  gCurrentLevel->next = std::move(added);
  gCurrentLevel = gCurrentLevel->next.get();
  gCurrentIndex++;
  gLevelCount++;
  return true;
}

}  // namespace

void moveLevelUp() { moveCurrentLevel(-1); }
void moveLevelDown() { moveCurrentLevel(+1); }

void duplicateLevel() {
  const bool added = insertAfterCurrent([] {
    auto copy = std::make_unique<EditorLevel>();
    const size_t cells = size_t(gCurrentLevel->width) * size_t(gCurrentLevel->height);
    copy->width = gCurrentLevel->width;
    copy->height = gCurrentLevel->height;
    copy->flags = gCurrentLevel->flags;
    copy->foreground = std::make_unique<int32_t[]>(cells);
    copy->background = std::make_unique<int32_t[]>(cells);
    std::copy_n(gCurrentLevel->foreground.get(), cells, copy->foreground.get());
    std::copy_n(gCurrentLevel->background.get(), cells, copy->background.get());
    return copy;
  });
  if (!added) return;
  gModified = true;
  redrawEditor();
}

std::string resizeProblem(int32_t width, int32_t height) {
  if (width < LEVEL_MIN_EDIT_WIDTH || width > LEVEL_MAX_WIDTH)
    return "A level is 20 to 65535 columns wide, not " + std::to_string(width) + ".";
  if (height < LEVEL_MIN_EDIT_HEIGHT || height > LEVEL_MAX_HEIGHT)
    return "A level is 12 to 65535 rows high, not " + std::to_string(height) + ".";
  if (gCurrentLevel && worldBytesWith(width, height) > WORLD_FILE_MAX_BYTES)
    return "A level of " + std::to_string(width) + " x " + std::to_string(height) +
           " would make the world file larger than the " + std::to_string(WORLD_FILE_MAX_BYTES >> 20) +
           " MiB a world may be.";
  return "";
}

bool resizeLevel(int32_t width, int32_t height, bool atLeft, bool atTop) {
  if (!gCurrentLevel) return false;
  const std::string problem = resizeProblem(width, height);
  if (!problem.empty()) {
    editorPlatform().showMessage(problem);
    return false;
  }
  EditorLevel& level = *gCurrentLevel;
  if (width == level.width && height == level.height) return false;
  // New cell (x, y) comes from old cell (x - dx, y - dy) where that lies inside.
  const int32_t dx = atLeft ? width - level.width : 0, dy = atTop ? height - level.height : 0;
  auto rebuilt = [&](const int32_t* old) {
    auto layer = std::make_unique<int32_t[]>(size_t(width) * size_t(height));
    for (int32_t x = 0; x < width; x++) {
      const int32_t from = x - dx;
      if (from < 0 || from >= level.width) continue;
      const int32_t firstRow = std::max(0, dy), lastRow = std::min(height, level.height + dy);
      if (lastRow <= firstRow) continue;
      std::copy_n(old + size_t(from) * size_t(level.height) + size_t(firstRow - dy), lastRow - firstRow,
                  layer.get() + size_t(x) * size_t(height) + size_t(firstRow));
    }
    return layer;
  };
  try {
    auto foreground = rebuilt(level.foreground.get());
    auto background = rebuilt(level.background.get());
    recordUndo();
    level.foreground = std::move(foreground);
    level.background = std::move(background);
    level.width = width;
    level.height = height;
  } catch (const std::bad_alloc&) {
    editorPlatform().showMessage(NO_MEMORY);
    return false;
  }
  gScrollColumn = std::min(gScrollColumn, width - 1);
  gScrollRow = std::min(gScrollRow, height - 1);
  editorPlatform().setScrollPosition(true, gScrollColumn);
  editorPlatform().setScrollPosition(false, gScrollRow);
  clearSelection();
  gModified = true;
  redrawEditor();
  return true;
}

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
  if (!insertAfterCurrent(makeBlankLevel)) return;
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
