// The progress kept for the player: for each world, the furthest level reached
// on Easy, Normal and Hard. A world is known by its file's content, so a
// renamed file keeps its record and an edited one starts afresh. The file
// "progress" of the player's folder (of the working folder for runs from a
// data folder) holds a line "KEY EASY NORMAL HARD" a world.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// False when this run keeps no progress and shows none (glimb --no-progress:
// the level editor's test plays, tests run in a shared data folder).
extern bool progressKept;

// Easy, Normal and Hard each have their furthest level.
constexpr int32_t PROGRESS_DIFFICULTIES = 3;

// The records kept; the least recently advanced go first beyond this.
constexpr int32_t PROGRESS_RECORDS_MAX = 500;

// A world's key: its size in bytes and the 64-bit FNV-1a hash of its bytes,
// as "SIZE-HASH" with the hash in 16 lower-case hex digits.
std::string worldContentKey(const std::vector<uint8_t>& bytes);
// The key of the world file at `path`; empty when it cannot be read.
std::string worldFileKey(const std::string& path);

// The folder of the progress file when it is not the player's folder (the
// web page keeps it in the browser's storage, its captures elsewhere);
// empty for the player's folder.
extern std::string progressFolder;
// Called after the file was written (the web page then has the browser's
// storage catch up); nullptr for none.
extern void (*progressWritten)();

// Where the progress is kept.
std::string progressFilePath();

// Reads the file into memory. A damaged file is said on the error output:
// what could be read of it is kept and the file written anew at once; one
// that cannot be read at all is passed over and replaced by the next record.
void readProgress();

// The furthest level (from 1) reached in the world of `key` on `difficulty`
// as last read; 0 when there is none.
int32_t levelReached(const std::string& key, int32_t difficulty);

// Level `level` (from 1) of the world of `key` was reached on `difficulty`:
// when that is further than the record (read afresh), the record and the
// file are brought up to it.
void recordLevelReached(const std::string& key, int32_t difficulty, int32_t level);
