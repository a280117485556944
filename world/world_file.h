// World files: the header and level records both programs share, the level flags
// and time-step code, the checked readers (whole world, header, one level) and the writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Layout: a 102-byte header, then the level records one after another, little-endian.
// There is no magic number and no version; every reader checks sizes instead.
constexpr int32_t WORLD_HEADER_SIZE = 102;
constexpr int32_t LEVEL_RECORD_HEADER_SIZE = 8;  // height, width (16 bits each), flags (32)
constexpr int32_t WORLD_NAME_SIZE = 20;
constexpr int32_t AUTHOR_NAME_SIZE = 40;
constexpr int32_t COMMENT_SIZE = 40;

constexpr int32_t LEVEL_SCROLL_LEFT = 0x01, LEVEL_SCROLL_RIGHT = 0x02, LEVEL_SCROLL_UP = 0x04,
                  LEVEL_SCROLL_DOWN = 0x08, LEVEL_BACKGROUND = 0x10, LEVEL_ACTORS_BEHIND = 0x20,
                  LEVEL_KEEP_LIVES_HARD = 0x40, LEVEL_TICK_TIME = 0x80, LEVEL_TIME_CODE = 0xF00;
constexpr int32_t LEVEL_TIME_CODE_SHIFT = 8;
constexpr int32_t LEVEL_RESERVED = int32_t(0xFFFFF000u);  // bits the editor clears on storing

// A level the game can play is at least as big as its view.
constexpr int32_t LEVEL_MIN_PLAYABLE_WIDTH = 20;
constexpr int32_t LEVEL_MIN_PLAYABLE_HEIGHT = 12;

// A new level: 20 x 12, scrolling right only, both layers empty.
constexpr int32_t LEVEL_NEW_WIDTH = 20, LEVEL_NEW_HEIGHT = 12, LEVEL_NEW_FLAGS = LEVEL_SCROLL_RIGHT;

// The time limit is chosen on 16 steps; step 15 means no limit. The stored code
// is arranged so that code 0 (a new level) is step 3.
constexpr int32_t TIME_STEP_COUNT = 16;
constexpr int32_t TIME_STEP_UNLIMITED = 15;
int32_t timeStepFromCode(int32_t code);   // 0->3, 1..3 -> k-1, 4..15 -> k (low 4 bits used)
int32_t timeCodeFromStep(int32_t step);   // inverse (steps outside 0..15 are clamped)
int32_t levelTimeStep(int32_t flags);     // step of a level's flags
int32_t withTimeStep(int32_t flags, int32_t step);  // flags with their time code replaced
// The level's nominal time limit in milliseconds, -1 for no limit: (step + 1) x 15 s
// with LEVEL_TICK_TIME, otherwise factor(step) x width / 2 seconds.
int64_t levelTimeLimitMs(int32_t flags, int32_t width);

struct WorldHeader {
  uint16_t levelCount;
  char worldName[WORLD_NAME_SIZE];
  char authorName[AUTHOR_NAME_SIZE];
  char comment[COMMENT_SIZE];
  bool operator==(const WorldHeader&) const = default;
};

// A level in memory. Cell (column, row) lies at index column * height + row of
// each layer. Tiles are widened to int32; only the low byte is stored.
struct LevelRecord {
  int32_t height = 0, width = 0, flags = 0;
  std::vector<int32_t> foreground, background;
  bool operator==(const LevelRecord&) const = default;
};

struct World {
  WorldHeader header{};
  std::vector<LevelRecord> levels;
  bool operator==(const World&) const = default;
};

// A new level, and a world of one new level and empty texts (350 bytes when written).
// (Named apart from the editor's newWorld operation, which replaces the world it edits.)
LevelRecord newLevel();
World blankWorld();

// Text fields. worldText gives the text up to the first zero byte or the field's
// end; setWorldText stores at most fieldSize - 1 bytes and zeros the rest.
std::string worldText(const char* field, size_t fieldSize);
// Whether a file name ends in ".glw", in any case: the names world lists show.
bool hasWorldExtension(const std::string& name);
void setWorldText(char* field, size_t fieldSize, const std::string& text);
// World names store "." as 0x5B and "!" as 0x5C; these convert both ways.
std::string displayWorldName(const std::string& stored);
std::string storedWorldName(const std::string& shown);
bool isWorldNameByte(uint8_t byte);  // A-Z, space, 0x5B, 0x5C

// Whole-world encode/write (the editor's writer): header fields in file order, each level
// height, width, flags, foreground, and background only when flags has LEVEL_BACKGROUND.
// The count written is levels.size(); text bytes after a terminator are written as zeros.
// A layer shorter than width x height is padded with zeros (checkWritableWorld refuses it).
std::vector<uint8_t> encodeWorld(const World& world);
// Can the world be written and read back as it is? 1 to 65535 levels, sizes 1..65535,
// both layers width x height long (the background may be empty when its flag is clear).
bool checkWritableWorld(const World& world, std::string* error);
// Writes a temporary file beside `path` and renames it over `path` only after every
// byte reached the disk, so a failed save leaves the old file as it was.
bool writeWorldFile(const std::string& path, const World& world, std::string* error);

// Checked readers. On failure they return false, fill *error with a clear message (the
// file readers name the file) and leave *out untouched. No reader reads past its data or
// allocates more than the remaining bytes can fill.
//
// The editor's whole-world read: any level of at least 1 x 1; a level without
// LEVEL_BACKGROUND gets an all-zero background. Bytes after the last level are ignored.
bool decodeWorld(const uint8_t* data, size_t size, World* out, std::string* error);
bool readWorldFile(const std::string& path, World* out, std::string* error);
// The game's header read for the world list: at least the header and one level declared.
bool decodeWorldHeader(const uint8_t* data, size_t size, WorldHeader* out, std::string* error);
bool readWorldHeader(const std::string& path, WorldHeader* out, std::string* error);
// The game's single-level read: skips the first `index` records (foreground, and background
// when that record has the flag), then reads record `index` whole. That record and those
// before it must be playable (at least 20 x 12). No background array when its flag is clear.
bool decodeWorldLevel(const uint8_t* data, size_t size, int32_t index, LevelRecord* out,
                      std::string* error);
bool readWorldLevel(const std::string& path, int32_t index, LevelRecord* out, std::string* error);

// World check for the game and for authors: the header, every record present and playable.
// Not errors, but reported in *warnings when given: bytes after the last level, a world name
// with characters the editor would not store, reserved flag bits set.
bool checkWorld(const uint8_t* data, size_t size, std::string* error,
                std::vector<std::string>* warnings = nullptr);
bool checkWorldFile(const std::string& path, std::string* error,
                    std::vector<std::string>* warnings = nullptr);

// Reads a whole world file into memory; false with "PATH: reason" on failure. Files larger
// than any sensible world are refused before anything is allocated for them (the editor
// holds each tile byte as up to 8 bytes of memory).
constexpr int64_t WORLD_FILE_MAX_BYTES = int64_t(64) << 20;
bool readFileBytes(const std::string& path, std::vector<uint8_t>* out, std::string* error);
