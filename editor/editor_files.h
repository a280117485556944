// Moving a whole world between a world file and the editor's memory: new, open,
// save, save as, and the prompt that protects unsaved changes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "editor/editor_state.h"
#include "world/world_file.h"

namespace gle {

// Frees the world and makes a new untitled one of one blank level.
void newWorld();
// Clears the three text fields and frees every level; gLevelCount is left alone.
void freeWorld();

// Opens `path`, or asks for one with the Open dialog when it is null. A file
// that cannot be read or fails the world check leaves the world in memory as
// it was and says why in a message box. True when a world was read.
bool openWorld(const char* path);
// Saves under gFileName (through Save As for an untitled world). The file is
// written beside the target and renamed over it only once complete; a failed
// save says why and leaves gModified set. True when the file was written.
bool saveWorld();
// Asks for a path, then saves there. False when cancelled or the save failed.
bool saveWorldAs();

// With unsaved changes, asks "FILE\nThis file is not saved. Save it now?" and
// saves on Yes. A Yes whose save did not happen answers ANSWER_CANCEL.
int32_t confirmDiscard();

// The world in memory as the file layer sees it, and back.
World worldFromEditor();
// Replaces the world in memory by `world` (first level current); false, with
// nothing changed, when it has no levels or more than the editor can count.
bool worldIntoEditor(const World& world, std::string* error);

// A blank level: 20 x 12, scrolling right only, both layers all zero.
std::unique_ptr<EditorLevel> makeBlankLevel();

// "NAME" becomes "NAME.glw"; a name whose last component has an extension stays.
std::string withDefaultExtension(const std::string& path);

constexpr const char* WORLD_EXTENSION = ".glw";

}  // namespace gle
