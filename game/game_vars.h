// Game variables shared by the front end and play: the running game's level,
// lives and pick-ups, the difficulty, the checkpoint and the chosen world.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t DIFFICULTY_EASY = 0;
constexpr int32_t DIFFICULTY_NORMAL = 1;
constexpr int32_t DIFFICULTY_HARD = 2;

extern int32_t levelIndex;  // 0-based level being played
extern int32_t levelCount;  // levels in the chosen world
extern int32_t lives;
extern int32_t pickupCount;
extern int32_t difficulty;
extern int32_t checkpointScrollX;
extern int32_t checkpointScrollY;

// The chosen world: the file play reads its levels from, and the texts the
// level intro shows.
extern std::string worldFileName;
extern std::string worldName;
extern std::string worldAuthor;
// The chosen world's key in the progress kept (game/progress.h); empty when
// its file could not be read.
extern std::string worldProgressKey;
