// The one place world data is checked: a bounded little-endian byte reader and a walker
// over the header and level records. Every world reader goes through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "world/world_file.h"

// Reads little-endian values from a byte range; a read that does not fit fails and
// moves nothing.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data(data), size(size) {}
  size_t offset() const { return position; }
  size_t remaining() const { return size - position; }
  const uint8_t* here() const { return data + position; }
  bool readU16(uint16_t* value);
  bool readU32(uint32_t* value);
  bool readBytes(void* target, size_t count);
  bool skip(uint64_t count);

 private:
  const uint8_t* data;
  size_t size;
  size_t position = 0;
};

// "1 column", "2 columns": a count with its noun in the right number, for messages.
std::string countOf(uint64_t count, const char* one, const char* many);

// What a level must be: the editor opens any level of at least 1 x 1 (its author can
// widen it); the game plays only levels at least as big as its view.
enum class LevelRules { EDITABLE, PLAYABLE };

// Where one record's layers lie in the data, as found by the walker.
struct RecordSpan {
  int32_t height = 0, width = 0, flags = 0;
  const uint8_t* foreground = nullptr;
  const uint8_t* background = nullptr;  // nullptr when the record has no LEVEL_BACKGROUND
  size_t layerSize = 0;                 // width x height bytes per layer
};

// Walks a world: readHeader first, then nextLevel once per record. Each step checks
// that what it is about to pass lies inside the data and has a sound size; on the first
// fault it returns false and error() says what is wrong (without a file name).
class WorldWalker {
 public:
  WorldWalker(const uint8_t* data, size_t size, LevelRules rules)
      : reader(data, size), rules(rules) {}
  bool readHeader(WorldHeader* out);
  bool nextLevel(RecordSpan* span);
  int32_t levelCount() const { return declared; }
  int32_t levelsWalked() const { return walked; }
  size_t trailingBytes() const { return reader.remaining(); }
  const std::string& error() const { return message; }

 private:
  bool fail(std::string text);
  std::string levelName() const;  // "level 3 of 5" for the record being walked

  ByteReader reader;
  LevelRules rules;
  int32_t declared = 0;
  int32_t walked = 0;
  std::string message;
};

// Widens a walked record into a level. With zeroBackground a record without a background
// layer gets an all-zero one; otherwise its background stays empty.
void fillLevel(const RecordSpan& span, bool zeroBackground, LevelRecord* out);

// Copies a text field, keeping the bytes up to the first zero and zeroing the rest.
void copyWorldText(char* target, const uint8_t* source, size_t fieldSize);
