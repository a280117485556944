// New, open, save and save as for the world in memory, and the save prompt.
// Reading and writing go through the world file layer, which checks every
// size on reading and writes through a temporary file.
#include "editor/editor_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>

#include "editor/editor_area.h"
#include "editor/editor_platform.h"
#include "editor/editor_recovery.h"
#include "editor/editor_settings.h"
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

// Keeps the file about to be replaced as "PATH~" (copied, then renamed into
// place, so a backup is never half written). True when there was nothing to keep.
bool keepPreviousFile(const std::string& path, std::string* error) {
  std::error_code ec;
  std::filesystem::path target = std::filesystem::canonical(path, ec);
  if (ec) return true;  // a new file
  if (!std::filesystem::is_regular_file(target, ec)) return true;
  const std::string backup = target.string() + "~";
  const std::string temp = backup + ".saving";
  std::filesystem::copy_file(target, temp, std::filesystem::copy_options::overwrite_existing, ec);
  if (!ec) std::filesystem::rename(temp, backup, ec);
  if (ec) {
    std::error_code ignored;  // what is left of the copy goes; an error here must not throw out of a save
    std::filesystem::remove(temp, ignored);
    *error = "The previous " + path + " could not be kept as " + backup + ": " + ec.message();
    return false;
  }
  return true;
}

// Writes the world in memory to `path`, keeping the file it replaces as
// "PATH~"; says why when it cannot.
bool writeWorldTo(const std::string& path) {
  const World world = worldFromEditor();
  std::string error;
  if (!checkWritableWorld(world, &error)) {
    editorPlatform().showMessage("The world was not saved.\n" + error);
    return false;
  }
  std::string backupError;
  if (!keepPreviousFile(path, &backupError)) editorPlatform().showMessage(backupError);
  if (!writeWorldFile(path, world, &error)) {
    editorPlatform().showMessage("The world was not saved.\n" + error);
    return false;
  }
  return true;
}

std::string levelList(const std::vector<int32_t>& levels) {
  std::string text;
  for (size_t i = 0; i < levels.size(); i++) {
    if (i > 0) text += i + 1 == levels.size() ? " and " : ", ";
    text += std::to_string(levels[i] + 1);
  }
  return text;
}

// Before writing: levels the game refuses, and background tiles the file would
// drop. False when the author chose not to save.
bool confirmSaveWarnings() {
  std::vector<int32_t> small, droppedBackground;
  int32_t index = 0;
  for (const EditorLevel* level = gFirstLevel.get(); level; level = level->next.get(), index++) {
    if (level->width < LEVEL_MIN_PLAYABLE_WIDTH || level->height < LEVEL_MIN_PLAYABLE_HEIGHT) small.push_back(index);
    const size_t cells = size_t(level->width) * size_t(level->height);
    if (!(level->flags & LEVEL_BACKGROUND) &&
        std::any_of(level->background.get(), level->background.get() + cells, [](int32_t t) { return t != 0; }))
      droppedBackground.push_back(index);
  }
  if (!small.empty() &&
      !editorPlatform().askYesNo(std::string(small.size() == 1 ? "Level " : "Levels ") + levelList(small) +
                                 (small.size() == 1 ? " is" : " are") +
                                 " smaller than 20 x 12, so the game will refuse to play this world.\nSave it anyway?"))
    return false;
  if (!droppedBackground.empty()) {
    const bool one = droppedBackground.size() == 1;
    const int32_t answer = editorPlatform().askYesNoCancel(
        std::string(one ? "Level " : "Levels ") + levelList(droppedBackground) + (one ? " has" : " have") +
        " background tiles but no background layer, so the saved file would not hold them.\n"
        "Switch \"Background support\" on for " + (one ? "it" : "them") + " before saving?");
    if (answer == ANSWER_CANCEL) return false;
    if (answer == ANSWER_YES) {
      recordUndo();
      index = 0;
      for (EditorLevel* level = gFirstLevel.get(); level; level = level->next.get(), index++)
        if (std::find(droppedBackground.begin(), droppedBackground.end(), index) != droppedBackground.end())
          level->flags |= LEVEL_BACKGROUND;
      gModified = true;
    }
  }
  return true;
}

// After a save or an open: the world is what its file holds.
void worldMatchesItsFile() {
  gModified = false;
  markSavedState();
  removeRecoveryCopy();
  rememberRecentWorld(gFileName);
  editorPlatform().recentWorldsChanged();
  redrawEditor();
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
  gSelectionLevel = -1;
  clearUndoHistory();
  removeRecoveryCopy();
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
    // A path from the command line is also answered on the error output, for
    // whoever started the editor from a terminal.
    if (path) std::fprintf(stderr, "gle: the world could not be opened: %s\n", error.c_str());
    editorPlatform().showMessage("The world could not be opened.\n" + error);
    return false;
  }
  gFileName = chosen;
  gSelectionLevel = -1;
  clearUndoHistory();
  worldMatchesItsFile();
  return true;
}

bool saveWorld() {
  if (gFileName == UNTITLED_NAME) return saveWorldAs();
  if (!confirmSaveWarnings() || !writeWorldTo(gFileName)) {
    redrawEditor();
    return false;
  }
  worldMatchesItsFile();
  return true;
}

bool saveWorldAs() {
  // The dialog starts in the folder the game lists the player's worlds from.
  std::string chosen = gFileName;
  const std::string folder = playerWorldFolder();
  if (!folder.empty()) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    chosen = folder + "/" + std::filesystem::path(gFileName).filename().string();
  }
  if (!editorPlatform().chooseSavePath(&chosen)) return false;
  // The world keeps its old name when the new file could not be written.
  if (!confirmSaveWarnings() || !writeWorldTo(chosen)) {
    redrawEditor();
    return false;
  }
  gFileName = chosen;
  worldMatchesItsFile();
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
