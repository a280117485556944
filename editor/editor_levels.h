// The level list operations: moving between levels, adding and deleting a
// level, and widening or narrowing the current level by one column.
#pragma once

#include <cstdint>

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

// The widest level a world file can hold.
constexpr int32_t LEVEL_MAX_WIDTH = 65535;

}  // namespace gle
