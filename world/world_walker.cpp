// Bounds-checked walking of world data: header, record sizes and layer extents. The
// checks here are the only ones; the readers and the world check all rely on them.
#include "world/world_walker.h"

#include <cstring>

bool ByteReader::readU16(uint16_t* value) {
  if (remaining() < 2) return false;
  *value = uint16_t(data[position] | (data[position + 1] << 8));
  position += 2;
  return true;
}

bool ByteReader::readU32(uint32_t* value) {
  if (remaining() < 4) return false;
  const uint8_t* p = data + position;
  *value = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
  position += 4;
  return true;
}

bool ByteReader::readBytes(void* target, size_t count) {
  if (remaining() < count) return false;
  if (count > 0) std::memcpy(target, data + position, count);
  position += count;
  return true;
}

bool ByteReader::skip(uint64_t count) {
  if (uint64_t(remaining()) < count) return false;
  position += size_t(count);
  return true;
}

void copyWorldText(char* target, const uint8_t* source, size_t fieldSize) {
  size_t length = 0;
  while (length < fieldSize && source[length] != 0) length++;
  std::memcpy(target, source, length);
  std::memset(target + length, 0, fieldSize - length);
}

std::string countOf(uint64_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

bool WorldWalker::fail(std::string text) {
  message = std::move(text);
  return false;
}

std::string WorldWalker::levelName() const {
  return "level " + std::to_string(walked + 1) + " of " + std::to_string(declared);
}

bool WorldWalker::readHeader(WorldHeader* out) {
  if (reader.remaining() < size_t(WORLD_HEADER_SIZE)) {
    return fail("the file is " + countOf(reader.remaining(), "byte", "bytes") +
                " long, shorter than the " + std::to_string(WORLD_HEADER_SIZE) +
                "-byte world header");
  }
  uint16_t count = 0;
  reader.readU16(&count);
  if (count == 0) return fail("the header declares zero levels");
  WorldHeader header{};
  header.levelCount = count;
  copyWorldText(header.worldName, reader.here(), WORLD_NAME_SIZE);
  reader.skip(WORLD_NAME_SIZE);
  copyWorldText(header.authorName, reader.here(), AUTHOR_NAME_SIZE);
  reader.skip(AUTHOR_NAME_SIZE);
  copyWorldText(header.comment, reader.here(), COMMENT_SIZE);
  reader.skip(COMMENT_SIZE);
  declared = count;
  *out = header;
  return true;
}

bool WorldWalker::nextLevel(RecordSpan* span) {
  if (walked >= declared) return fail("every level the header declares (" + std::to_string(declared) + ") was read");
  size_t left = reader.remaining();
  if (left == 0) {
    return fail("the header declares " + countOf(declared, "level", "levels") +
                " but the file holds only " + std::to_string(walked));
  }
  if (left < size_t(LEVEL_RECORD_HEADER_SIZE)) {
    return fail("the file ends inside the record of " + levelName() + " (" +
                std::to_string(left) + " of its " + std::to_string(LEVEL_RECORD_HEADER_SIZE) +
                " size and flag bytes are present)");
  }
  uint16_t height = 0, width = 0;
  uint32_t flags = 0;
  reader.readU16(&height);
  reader.readU16(&width);
  reader.readU32(&flags);
  if (width == 0) return fail(levelName() + " has a width of 0 columns");
  if (height == 0) return fail(levelName() + " has a height of 0 rows");
  if (rules == LevelRules::PLAYABLE) {
    if (width < LEVEL_MIN_PLAYABLE_WIDTH) {
      return fail(levelName() + " is " + countOf(width, "column", "columns") +
                  " wide; a playable level needs at least " +
                  std::to_string(LEVEL_MIN_PLAYABLE_WIDTH));
    }
    if (height < LEVEL_MIN_PLAYABLE_HEIGHT) {
      return fail(levelName() + " is " + countOf(height, "row", "rows") +
                  " high; a playable level needs at least " +
                  std::to_string(LEVEL_MIN_PLAYABLE_HEIGHT));
    }
  }
  // At most 65535 x 65535 x 2: fits 64 bits with room, and is compared with what is left
  // before anything is allocated for it.
  const bool hasBackground = (flags & LEVEL_BACKGROUND) != 0;
  const uint64_t layer = uint64_t(width) * uint64_t(height);
  const uint64_t needed = hasBackground ? 2 * layer : layer;
  if (uint64_t(reader.remaining()) < needed) {
    return fail("the file ends inside " + levelName() + ": its " + std::to_string(width) +
                " x " + std::to_string(height) + " tiles need " + std::to_string(needed) +
                " bytes of " + (hasBackground ? "foreground and background" : "foreground") +
                ", only " + std::to_string(reader.remaining()) + " are left");
  }
  span->height = height;
  span->width = width;
  span->flags = int32_t(flags);
  span->layerSize = size_t(layer);
  span->foreground = reader.here();
  reader.skip(layer);
  span->background = nullptr;
  if (hasBackground) {
    span->background = reader.here();
    reader.skip(layer);
  }
  walked++;
  return true;
}

void fillLevel(const RecordSpan& span, bool zeroBackground, LevelRecord* out) {
  out->height = span.height;
  out->width = span.width;
  out->flags = span.flags;
  // Tile bytes are unsigned: 200 stays 200.
  out->foreground.assign(span.foreground, span.foreground + span.layerSize);
  if (span.background != nullptr) {
    out->background.assign(span.background, span.background + span.layerSize);
  } else if (zeroBackground) {
    out->background.assign(span.layerSize, 0);
  } else {
    out->background.clear();
  }
}
