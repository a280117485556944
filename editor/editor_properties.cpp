// The conversions behind the two properties dialogs and their OK.
#include "editor/editor_properties.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "editor/editor_state.h"
#include "editor/editor_undo.h"
#include "editor/editor_view.h"
#include "world/world_file.h"

namespace gle {

namespace {

bool isNameCharacter(char c) { return (c >= 'A' && c <= 'Z') || c == '.' || c == '!' || c == ' '; }

// Whole seconds the label shows for a width-based step 0 to 14: b x width / 200.
int32_t widthSeconds(int32_t step, int32_t width) {
  constexpr int32_t LOW_STEPS[] = {60, 75, 90};
  constexpr int32_t HIGH_STEPS[] = {330, 360, 400};
  int32_t b = 25 * step + 25;
  if (step <= 2) b = LOW_STEPS[step];
  else if (step >= 12) b = HIGH_STEPS[step - 12];
  return int32_t(int64_t(b) * width / 200);
}

}  // namespace

std::string levelCountText() { return std::to_string(gLevelCount); }

std::string worldNameForEdit() { return displayWorldName(worldText(gWorldName, sizeof gWorldName)); }

std::string typedWorldName(const std::string& text) {
  std::string name;
  for (char c : text) {
    c = char(std::toupper(static_cast<unsigned char>(c)));
    if (!isNameCharacter(c) || name.size() >= size_t(WORLD_NAME_TYPED_MAX)) break;
    name += c;
  }
  return name;
}

void storeWorldProperties(const std::string& name, const std::string& author, const std::string& comment) {
  recordUndo();
  setWorldText(gWorldName, sizeof gWorldName, storedWorldName(typedWorldName(name)));
  setWorldText(gAuthorName, sizeof gAuthorName, author);
  setWorldText(gComment, sizeof gComment, comment);
  gModified = true;
  redrawEditor();
}

std::string timeLabel(int32_t step, bool tickTime, int32_t width) {
  if (step >= TIME_STEP_UNLIMITED) return "Time: Inf.";
  if (step < 0) step = 0;
  const int32_t seconds = tickTime ? 15 * step + 15 : widthSeconds(step, width);
  char text[32];
  std::snprintf(text, sizeof text, "Time: %i:%02i", seconds / 60, seconds % 60);
  return text;
}

std::string levelPositionText() {
  char text[32];
  std::snprintf(text, sizeof text, "%i/%i", int(gCurrentIndex + 1), int(gLevelCount));
  return text;
}

int32_t flagsFromControls(int32_t checkedFlags, int32_t step) {
  return withTimeStep(checkedFlags & LEVEL_FLAG_BOX_BITS, step);
}

void storeLevelFlags(int32_t flags) {
  if (!gCurrentLevel) return;
  recordUndo();
  gCurrentLevel->flags = flags;
  gModified = true;
  redrawEditor();
}

}  // namespace gle
