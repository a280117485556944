// Undo and redo over every change to the world in memory: each change records
// a copy of the world as it was, in a bounded history.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gle {

// Call before changing the world: keeps a copy of it as it is now as one undo
// step and forgets what could be redone.
void recordUndo();
// A mouse stroke is one step: the first paint of a stroke records, the rest
// of it does not, until the stroke ends (the button is released).
void recordStrokeUndo();
void endPaintStroke();

// Puts back the world before the last change (after the last undone change),
// with the level that was current then; the modified mark is clear exactly
// when the world is back at its last saved state. False when there is nothing to do.
bool undoChange();
bool redoChange();
bool canUndo();
bool canRedo();

// The world in memory is now what its file holds (saved, or just opened or made).
void markSavedState();
// Forgets every step (a new or opened world) and marks the world as saved.
void clearUndoHistory();
// The world in memory differs from every saved state (a restored recovery copy).
void markUnsavedState();
// Names the state of the world in memory; every change gives a new number.
uint64_t worldStateSerial();

// The history keeps at most this many steps and this many tile cells in all;
// the oldest steps go first.
constexpr size_t UNDO_MAX_STEPS = 200;
constexpr size_t UNDO_MAX_CELLS = size_t(16) << 20;

}  // namespace gle
