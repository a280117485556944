// The level list operations: moving between levels, adding and deleting a
// level, and widening or narrowing the current level by one column.
#pragma once

#include <cstdint>
#include <string>

namespace gle {

// Navigation; each redraws and leaves the scroll position and cursor alone.
void firstLevel();
void prevLevel();
void nextLevel();
void lastLevel();

// A blank level after the current one, which it replaces as current.
void addLevel();
// Deletes the current level, refused ("Cannot delete the last level!") on the
// first level of the list. The level that followed becomes current, or the one
// before when the last level was deleted.
void deleteLevel();

// One column more: a blank column at the cursor column while Shift is held,
// otherwise on the right. Both layers alike.
void expandLevel();
// One column less: the cursor column while Shift is held, otherwise the last
// one; refused ("Cannot shrink width past 20!") at 20 columns or fewer.
void shrinkLevel();

// Moving the current level in the list; it stays current. Swap with Next is
// Move Down. Nothing happens at the list's end.
void moveLevelUp();
void moveLevelDown();
// A copy of the current level after it, which becomes current.
void duplicateLevel();

// The sizes a level may be given in the editor, within what a world file holds.
constexpr int32_t LEVEL_MAX_WIDTH = 65535;
constexpr int32_t LEVEL_MAX_HEIGHT = 65535;
constexpr int32_t LEVEL_MIN_EDIT_WIDTH = 20;
constexpr int32_t LEVEL_MIN_EDIT_HEIGHT = 12;

// Why the current level cannot be made width x height (outside 20..65535 x
// 12..65535, or a world file larger than the world readers take), or "".
std::string resizeProblem(int32_t width, int32_t height);
// Gives the current level a new size in one undo step. With `atLeft` columns
// are added or removed at the left edge (the tiles move right or left),
// otherwise at the right; `atTop` likewise for rows. False, with a message,
// when the size is refused; false without one when it is the same size.
bool resizeLevel(int32_t width, int32_t height, bool atLeft, bool atTop);

}  // namespace gle
