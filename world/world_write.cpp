// The writer: a new world, the byte encoding of a whole world, the check that a world in
// memory can be written as it is, and the save that never damages the old file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "world/world_file.h"
#include "world/world_walker.h"

LevelRecord newLevel() {
  LevelRecord level;
  level.width = LEVEL_NEW_WIDTH;
  level.height = LEVEL_NEW_HEIGHT;
  level.flags = LEVEL_NEW_FLAGS;
  level.foreground.assign(size_t(LEVEL_NEW_WIDTH) * LEVEL_NEW_HEIGHT, 0);
  level.background = level.foreground;
  return level;
}

World blankWorld() {
  World world;
  world.header.levelCount = 1;
  world.levels.push_back(newLevel());
  return world;
}

namespace {

void putU16(std::vector<uint8_t>* out, uint16_t value) {
  out->push_back(uint8_t(value));
  out->push_back(uint8_t(value >> 8));
}

void putU32(std::vector<uint8_t>* out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out->push_back(uint8_t(value >> shift));
}

void putText(std::vector<uint8_t>* out, const char* field, size_t fieldSize) {
  char clean[AUTHOR_NAME_SIZE];
  copyWorldText(clean, reinterpret_cast<const uint8_t*>(field), fieldSize);
  out->insert(out->end(), clean, clean + fieldSize);
}

// Low byte of each tile in array order; missing tiles are written as 0 so the record
// always holds exactly width x height bytes.
void putLayer(std::vector<uint8_t>* out, const std::vector<int32_t>& tiles, size_t count) {
  const size_t present = std::min(count, tiles.size());
  for (size_t i = 0; i < present; i++) out->push_back(uint8_t(tiles[i]));
  out->insert(out->end(), count - present, 0);
}

bool fail(std::string* error, std::string text) {
  if (error != nullptr) *error = std::move(text);
  return false;
}

}  // namespace

std::vector<uint8_t> encodeWorld(const World& world) {
  const size_t count = std::min<size_t>(world.levels.size(), UINT16_MAX);
  size_t total = WORLD_HEADER_SIZE;
  for (size_t i = 0; i < count; i++) {
    const LevelRecord& level = world.levels[i];
    const size_t layer = size_t(uint16_t(level.width)) * uint16_t(level.height);
    total += LEVEL_RECORD_HEADER_SIZE + ((level.flags & LEVEL_BACKGROUND) ? 2 * layer : layer);
  }
  std::vector<uint8_t> out;
  out.reserve(total);
  putU16(&out, uint16_t(count));
  putText(&out, world.header.worldName, WORLD_NAME_SIZE);
  putText(&out, world.header.authorName, AUTHOR_NAME_SIZE);
  putText(&out, world.header.comment, COMMENT_SIZE);
  for (size_t i = 0; i < count; i++) {
    const LevelRecord& level = world.levels[i];
    const uint16_t height = uint16_t(level.height), width = uint16_t(level.width);
    const size_t layer = size_t(width) * height;
    putU16(&out, height);
    putU16(&out, width);
    putU32(&out, uint32_t(level.flags));
    putLayer(&out, level.foreground, layer);
    // A background whose flag is clear is not part of the file.
    if (level.flags & LEVEL_BACKGROUND) putLayer(&out, level.background, layer);
  }
  return out;
}

bool checkWritableWorld(const World& world, std::string* error) {
  if (world.levels.empty()) return fail(error, "the world has no levels");
  if (world.levels.size() > UINT16_MAX) {
    return fail(error, "the world has " + std::to_string(world.levels.size()) +
                           " levels; a world file holds at most " + std::to_string(UINT16_MAX));
  }
  for (size_t i = 0; i < world.levels.size(); i++) {
    const LevelRecord& level = world.levels[i];
    const std::string name = "level " + std::to_string(i + 1);
    if (level.width < 1 || level.width > UINT16_MAX || level.height < 1 ||
        level.height > UINT16_MAX) {
      return fail(error, name + " is " + std::to_string(level.width) + " x " +
                             std::to_string(level.height) + " tiles; each side must be 1 to " +
                             std::to_string(UINT16_MAX));
    }
    const size_t layer = size_t(level.width) * size_t(level.height);
    if (level.foreground.size() != layer) {
      return fail(error, name + " has " + std::to_string(level.foreground.size()) +
                             " foreground tiles instead of " + std::to_string(layer));
    }
    const bool backgroundOptional = !(level.flags & LEVEL_BACKGROUND) && level.background.empty();
    if (level.background.size() != layer && !backgroundOptional) {
      return fail(error, name + " has " + std::to_string(level.background.size()) +
                             " background tiles instead of " + std::to_string(layer));
    }
  }
  return true;
}

namespace {

// Writes all of `bytes`, retrying short writes; false with errno set on failure.
bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += size_t(n);
  }
  return true;
}

// Creates a new, empty file beside `target`; -1 with errno set when none can be made.
int createTemporaryBeside(const std::string& target, std::string* tempPath) {
  static int counter = 0;
  for (int attempt = 0; attempt < 100; attempt++) {
    *tempPath = target + ".saving-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(tempPath->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool writeWorldFile(const std::string& path, const World& world, std::string* error) {
  std::string reason;
  if (!checkWritableWorld(world, &reason)) return fail(error, path + ": cannot save: " + reason);
  const std::vector<uint8_t> bytes = encodeWorld(world);

  // Save through a symbolic link to the file it names, and keep that file's permissions.
  std::string target = path;
  std::error_code ec;
  const std::filesystem::path resolved = std::filesystem::canonical(path, ec);
  if (!ec) target = resolved.string();
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  if (replacing && !S_ISREG(old.st_mode)) {
    return fail(error, path + ": cannot save: it exists and is not a regular file");
  }

  std::string temp;
  const int fd = createTemporaryBeside(target, &temp);
  if (fd < 0) {
    return fail(error, path + ": cannot save: cannot create a file beside it: " +
                           std::strerror(errno));
  }
  bool ok = writeAll(fd, bytes);
  if (ok && replacing) ::fchmod(fd, old.st_mode & 07777);
  ok = ok && ::fsync(fd) == 0;
  int savedErrno = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    savedErrno = errno;
  }
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
    ok = false;
    savedErrno = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return fail(error, path + ": cannot save: " + std::strerror(savedErrno) +
                           (replacing ? " (the old file is unchanged)" : ""));
  }
  // Make the rename itself durable; the new file is complete either way.
  const std::string folder = std::filesystem::path(target).parent_path().string();
  const int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}
