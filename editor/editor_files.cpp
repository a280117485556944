// New, open, save and save as for the world in memory, and the save prompt.
// Reading and writing go through the world file layer, which checks every
// size on reading and writes through a temporary file.
#include "editor/editor_files.h"

#include <cstring>
#include <new>

#include "editor/editor_platform.h"
#include "editor/editor_undo.h"
#include "editor/editor_view.h"

namespace gle {

namespace {

// The most levels gLevelCount can count.
constexpr size_t MAX_EDITOR_LEVELS = 32767;

std::unique_ptr<int32_t[]> zeroLayer(size_t cells) { return std::make_unique<int32_t[]>(cells); }

std::unique_ptr<EditorLevel> levelFromRecord(const LevelRecord& record) {
  auto level = std::make_unique<EditorLevel>();
  level->width = record.width;
  level->height = record.height;
  level->flags = record.flags;
  const size_t cells = size_t(record.width) * size_t(record.height);
  level->foreground = zeroLayer(cells);
  level->background = zeroLayer(cells);
  for (size_t i = 0; i < cells && i < record.foreground.size(); i++) level->foreground[i] = record.foreground[i];
  for (size_t i = 0; i < cells && i < record.background.size(); i++) level->background[i] = record.background[i];
  return level;
}

LevelRecord recordFromLevel(const EditorLevel& level) {
  LevelRecord record;
  record.width = level.width;
  record.height = level.height;
  record.flags = level.flags;
  const size_t cells = size_t(level.width) * size_t(level.height);
  record.foreground.assign(level.foreground.get(), level.foreground.get() + cells);
  // A background whose flag is clear is not written, so it is not copied either.
  if (level.flags & LEVEL_BACKGROUND) record.background.assign(level.background.get(), level.background.get() + cells);
  return record;
}

// Writes the world in memory to `path`; says why when it cannot.
bool writeWorldTo(const std::string& path) {
  const World world = worldFromEditor();
  std::string error;
  if (!checkWritableWorld(world, &error) || !writeWorldFile(path, world, &error)) {
    editorPlatform().showMessage("The world was not saved.\n" + error);
    return false;
  }
  return true;
}

void resetScrollPosition() {
  gScrollColumn = 0;
  gScrollRow = 0;
  editorPlatform().setScrollPosition(true, 0);
  editorPlatform().setScrollPosition(false, 0);
}

}  // namespace

std::unique_ptr<EditorLevel> makeBlankLevel() { return levelFromRecord(newLevel()); }

void freeWorld() {
  std::memset(gWorldName, 0, sizeof gWorldName);
  std::memset(gAuthorName, 0, sizeof gAuthorName);
  std::memset(gComment, 0, sizeof gComment);
  freeLevelList();
}

void newWorld() {
  freeWorld();
  gFirstLevel = makeBlankLevel();
  gCurrentLevel = gFirstLevel.get();
  gLevelCount = 1;
  gCurrentIndex = 0;
  gFileName = UNTITLED_NAME;
  resetScrollPosition();
  gModified = false;
  clearUndoHistory();
  redrawEditor();
}

World worldFromEditor() {
  World world;
  world.header.levelCount = uint16_t(gLevelCount);
  std::memcpy(world.header.worldName, gWorldName, sizeof gWorldName);
  std::memcpy(world.header.authorName, gAuthorName, sizeof gAuthorName);
  std::memcpy(world.header.comment, gComment, sizeof gComment);
  const EditorLevel* level = gFirstLevel.get();
  for (int32_t i = 0; i < gLevelCount && level; i++, level = level->next.get())
    world.levels.push_back(recordFromLevel(*level));
  return world;
}

bool worldIntoEditor(const World& world, std::string* error) {
  if (world.levels.empty()) {
    *error = "The world has no levels.";
    return false;
  }
  if (world.levels.size() > MAX_EDITOR_LEVELS) {
    *error = "The world has " + std::to_string(world.levels.size()) + " levels; the editor takes at most " +
             std::to_string(MAX_EDITOR_LEVELS) + ".";
    return false;
  }
  // The new list is built whole before the old world is let go.
  std::unique_ptr<EditorLevel> first;
  try {
    std::unique_ptr<EditorLevel>* tail = &first;
    for (const LevelRecord& record : world.levels) {
      *tail = levelFromRecord(record);
      tail = &(*tail)->next;
    }
  } catch (const std::bad_alloc&) {
    while (first) first = std::move(first->next);
    *error = "There is not enough memory for this world.";
    return false;
  }
  freeWorld();
  gFirstLevel = std::move(first);
  gLevelCount = int16_t(world.levels.size());
  std::memcpy(gWorldName, world.header.worldName, sizeof gWorldName);
  std::memcpy(gAuthorName, world.header.authorName, sizeof gAuthorName);
  std::memcpy(gComment, world.header.comment, sizeof gComment);
  gCurrentLevel = gFirstLevel.get();
  gCurrentIndex = 0;
  return true;
}

bool openWorld(const char* path) {
  std::string chosen = path ? std::string(path) : gFileName;
  if (!path && !editorPlatform().chooseOpenPath(&chosen)) return false;
  World world;
  std::string error;
  if (!readWorldFile(chosen, &world, &error) || !worldIntoEditor(world, &error)) {
    editorPlatform().showMessage("The world could not be opened.\n" + error);
    return false;
  }
  gFileName = chosen;
  gModified = false;
  clearUndoHistory();
  redrawEditor();
  return true;
}

bool saveWorld() {
  if (gFileName == UNTITLED_NAME) return saveWorldAs();
  if (!writeWorldTo(gFileName)) return false;
  gModified = false;
  markSavedState();
  redrawEditor();
  return true;
}

bool saveWorldAs() {
  std::string chosen = gFileName;
  if (!editorPlatform().chooseSavePath(&chosen)) return false;
  // The world keeps its old name when the new file could not be written.
  if (!writeWorldTo(chosen)) return false;
  gFileName = chosen;
  gModified = false;
  markSavedState();
  redrawEditor();
  return true;
}

int32_t confirmDiscard() {
  if (!gModified) return ANSWER_NO;
  const int32_t answer = editorPlatform().askSaveNow(gFileName + "\nThis file is not saved. Save it now?");
  // A Yes that did not save (dialog cancelled, write failed) must not discard anything.
  if (answer == ANSWER_YES && !saveWorld()) return ANSWER_CANCEL;
  return answer;
}

std::string withDefaultExtension(const std::string& path) {
  if (path.empty()) return path;
  const size_t slash = path.find_last_of('/');
  const std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  if (last.empty() || last.find('.') != std::string::npos) return path;
  return path + WORLD_EXTENSION;
}

}  // namespace gle
