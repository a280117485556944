// The checked readers: the editor's whole-world read, the game's header and single-level
// reads, and the world check, each from memory and from a file. All walk with WorldWalker.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "world/world_file.h"
#include "world/world_walker.h"

namespace {

bool fail(std::string* error, std::string text) {
  if (error != nullptr) *error = std::move(text);
  return false;
}

bool failInFile(std::string* error, const std::string& path, const std::string& text) {
  return fail(error, path + ": " + text);
}

// Opens a regular file for reading; -1 with the reason in *error otherwise.
// O_NONBLOCK lets a named pipe open at once, so that it is refused instead of
// blocking the program until something writes to it.
int openForReading(const std::string& path, std::string* error, struct stat* info) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    failInFile(error, path, std::string("cannot open: ") + std::strerror(errno));
    return -1;
  }
  if (::fstat(fd, info) != 0 || !S_ISREG(info->st_mode)) {
    ::close(fd);
    failInFile(error, path, "is not a regular file");
    return -1;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

// Reads up to `limit` bytes; false on a read error.
bool readUpTo(int fd, size_t limit, std::vector<uint8_t>* out) {
  out->resize(limit);
  size_t got = 0;
  while (got < limit) {
    const ssize_t n = ::read(fd, out->data() + got, limit - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    got += size_t(n);
  }
  out->resize(got);
  return true;
}

}  // namespace

bool readFileBytes(const std::string& path, std::vector<uint8_t>* out, std::string* error) {
  struct stat info {};
  const int fd = openForReading(path, error, &info);
  if (fd < 0) return false;
  if (int64_t(info.st_size) > WORLD_FILE_MAX_BYTES) {
    ::close(fd);
    return failInFile(error, path, "is " + std::to_string(int64_t(info.st_size)) +
                                       " bytes long, more than a world file may be (" +
                                       std::to_string(WORLD_FILE_MAX_BYTES) + ")");
  }
  std::vector<uint8_t> bytes;
  const bool ok = readUpTo(fd, size_t(info.st_size), &bytes);
  const int readErrno = errno;
  ::close(fd);
  if (!ok) return failInFile(error, path, std::string("cannot read: ") + std::strerror(readErrno));
  *out = std::move(bytes);
  return true;
}

bool decodeWorld(const uint8_t* data, size_t size, World* out, std::string* error) {
  WorldWalker walker(data, size, LevelRules::EDITABLE);
  World world;
  if (!walker.readHeader(&world.header)) return fail(error, walker.error());
  // Every record takes at least 8 bytes, so this reserve is backed by the data.
  world.levels.reserve(std::min<size_t>(walker.levelCount(), walker.trailingBytes() / 8));
  for (int32_t i = 0; i < walker.levelCount(); i++) {
    RecordSpan span;
    if (!walker.nextLevel(&span)) return fail(error, walker.error());
    LevelRecord level;
    fillLevel(span, true, &level);
    world.levels.push_back(std::move(level));
  }
  *out = std::move(world);
  return true;
}

bool readWorldFile(const std::string& path, World* out, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!readFileBytes(path, &bytes, error)) return false;
  std::string reason;
  if (!decodeWorld(bytes.data(), bytes.size(), out, &reason)) return failInFile(error, path, reason);
  return true;
}

bool decodeWorldHeader(const uint8_t* data, size_t size, WorldHeader* out, std::string* error) {
  WorldWalker walker(data, size, LevelRules::PLAYABLE);
  if (!walker.readHeader(out)) return fail(error, walker.error());
  return true;
}

bool readWorldHeader(const std::string& path, WorldHeader* out, std::string* error) {
  struct stat info {};
  const int fd = openForReading(path, error, &info);
  if (fd < 0) return false;
  std::vector<uint8_t> bytes;
  const bool ok = readUpTo(fd, WORLD_HEADER_SIZE, &bytes);
  const int readErrno = errno;
  ::close(fd);
  if (!ok) return failInFile(error, path, std::string("cannot read: ") + std::strerror(readErrno));
  std::string reason;
  if (!decodeWorldHeader(bytes.data(), bytes.size(), out, &reason)) {
    return failInFile(error, path, reason);
  }
  return true;
}

bool decodeWorldLevel(const uint8_t* data, size_t size, int32_t index, LevelRecord* out,
                      std::string* error) {
  WorldWalker walker(data, size, LevelRules::PLAYABLE);
  WorldHeader header;
  if (!walker.readHeader(&header)) return fail(error, walker.error());
  if (index < 0 || index >= walker.levelCount()) {
    return fail(error, "there is no level " + std::to_string(int64_t(index) + 1) +
                           ": the world has " + std::to_string(walker.levelCount()));
  }
  // Walking a record passes its foreground, and its background when it has one.
  RecordSpan span;
  for (int32_t i = 0; i <= index; i++) {
    if (!walker.nextLevel(&span)) return fail(error, walker.error());
  }
  LevelRecord level;
  fillLevel(span, false, &level);
  *out = std::move(level);
  return true;
}

bool readWorldLevel(const std::string& path, int32_t index, LevelRecord* out, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!readFileBytes(path, &bytes, error)) return false;
  std::string reason;
  if (!decodeWorldLevel(bytes.data(), bytes.size(), index, out, &reason)) {
    return failInFile(error, path, reason);
  }
  return true;
}

bool checkWorld(const uint8_t* data, size_t size, std::string* error,
                std::vector<std::string>* warnings) {
  WorldWalker walker(data, size, LevelRules::PLAYABLE);
  WorldHeader header;
  if (!walker.readHeader(&header)) return fail(error, walker.error());
  std::vector<std::string> notes;
  for (int32_t i = 0; i < walker.levelCount(); i++) {
    RecordSpan span;
    if (!walker.nextLevel(&span)) return fail(error, walker.error());
    if (span.flags & LEVEL_RESERVED) {
      notes.push_back("level " + std::to_string(i + 1) + " has reserved flag bits set");
    }
  }
  const std::string name = worldText(header.worldName, WORLD_NAME_SIZE);
  if (!std::all_of(name.begin(), name.end(), [](char c) { return isWorldNameByte(uint8_t(c)); })) {
    notes.push_back("the world name holds characters other than A-Z, space, \".\" and \"!\"");
  }
  // Bytes after the last level carry nothing any reader uses; the editor drops them
  // on its next save. They are worth a note, not a rejection.
  if (walker.trailingBytes() > 0) {
    notes.push_back(countOf(walker.trailingBytes(), "byte follows", "bytes follow") + " the last level");
  }
  if (warnings != nullptr) *warnings = std::move(notes);
  return true;
}

bool checkWorldFile(const std::string& path, std::string* error,
                    std::vector<std::string>* warnings) {
  std::vector<uint8_t> bytes;
  if (!readFileBytes(path, &bytes, error)) return false;
  std::string reason;
  if (!checkWorld(bytes.data(), bytes.size(), &reason, warnings)) {
    return failInFile(error, path, reason);
  }
  return true;
}
