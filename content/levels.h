// Level maps as text: the legend of map characters, the built-in world (one map per
// level, with flags and time step) and the title demonstration level.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "world/world_file.h"

struct TileMap {
  int width = 0, height = 0;
  std::vector<int32_t> cells;  // column by column: cell (x, y) at x * height + y
};

// Reads levels/legend.txt, levels/world.txt and the level files of levels/world/ in
// name order; throws std::runtime_error naming the file and line when something is
// malformed.
World loadWorldText(const std::string& sourceDir);
TileMap loadDemoText(const std::string& sourceDir);
// The demonstration level file: a 16-bit column count minus one, then 12 bytes a column.
std::vector<uint8_t> demoFile(const TileMap& map);
