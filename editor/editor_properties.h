// What the World Properties and Level Properties dialogs show and store: the
// texts of their fields, the world name's typing rule, and the flags made from
// the level dialog's boxes and time slider. The dialogs themselves are widgets.
#pragma once

#include <cstdint>
#include <string>

#include "world/world_file.h"

namespace gle {

// World Properties: the name edit holds at most 19 characters, author and comment 37.
constexpr int32_t WORLD_NAME_TYPED_MAX = 19;
constexpr int32_t WORLD_TEXT_TYPED_MAX = 37;

// The level count as shown ("%i").
std::string levelCountText();
// The stored name as the edit shows it: 0x5B as ".", 0x5C as "!".
std::string worldNameForEdit();
// The name edit's text after typing: upper case, cut at the first character
// that is not A-Z, ".", "!" or a space, and at 19 characters.
std::string typedWorldName(const std::string& text);
// OK: stores the name ("." and "!" as 0x5B and 0x5C), author and comment, marks
// the world modified (also when nothing changed) and records one undo step.
void storeWorldProperties(const std::string& name, const std::string& author, const std::string& comment);

// Level Properties: the eight boxes by dialog id, the flag each stands for and its label
// (the four scrolling boxes form a cross and have none).
struct LevelFlagBox {
  int32_t id;
  int32_t flag;
  const char* label;
};
constexpr LevelFlagBox LEVEL_FLAG_BOXES[] = {
    {1004, LEVEL_SCROLL_UP, ""},  // top of the cross
    {1005, LEVEL_SCROLL_LEFT, ""},  // left
    {1003, LEVEL_SCROLL_RIGHT, ""},  // right
    {1006, LEVEL_SCROLL_DOWN, ""},  // bottom
    {1009, LEVEL_BACKGROUND, "Background support"},
    {1011, LEVEL_ACTORS_BEHIND, "Draw player/objects behind"},
    {1012, LEVEL_KEEP_LIVES_HARD, "Don't remove lives in Hard Skill"},
    {1015, LEVEL_TICK_TIME, "Use tick instead of level-based time"},
};
constexpr int32_t LEVEL_FLAG_BOX_BITS = 0xFF;

// "Time: Inf." for step 15, otherwise "Time: M:SS" of the step, the tick box and the width.
std::string timeLabel(int32_t step, bool tickTime, int32_t width);
// "%i/%i": the current level's position and the level count.
std::string levelPositionText();
// OK: the boxes' flag bits with the step's time code; every other bit is cleared.
int32_t flagsFromControls(int32_t checkedFlags, int32_t step);
// Stores flags into the current level, marks the world modified and records one undo step.
void storeLevelFlags(int32_t flags);

}  // namespace gle
