// A loaded game for the screens' tests: font sheets whose glyphs are solid
// blocks coloured by their frame number (so a line's text and position can
// be read back from the picture), and the screens' state put back to start.
#pragma once

#include <cstdint>
#include <string>

#include "game_test_support.h"

class IntermissionTest : public LoadedShellTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Loads the game and starts the loop in `state`; false when loading failed.
  bool start(int32_t state);
  // Runs one pass of the frame loop.
  void frame();
  // The picture shown last.
  uint8_t shown(int32_t x, int32_t y) const;

  // A line drawn with the small font whose cells cover row y + 8: the left
  // edge of its first visible cell (-1 when the row is empty) and its text,
  // read cell by cell until an empty cell.
  struct Line {
    int32_t x = -1;
    std::string text;
  };
  Line smallLineAt(int32_t y) const;
  // The left edge of the first pixel drawn on row y + 8, -1 for none.
  int32_t leftEdgeAt(int32_t y) const;
};
