// Regular files only: opened without blocking, checked, then read as usual.
#include "media/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

std::FILE* openRegularFile(const char* path, uint64_t* size, std::string* error) {
  // O_NONBLOCK makes opening a named pipe return at once, so that the check
  // below can refuse it; it changes nothing for a regular file.
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    const int openErrno = errno;
    if (error) *error = std::string("cannot open: ") + std::strerror(openErrno);
    errno = openErrno;
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    if (error) *error = "is not a regular file";
    errno = EINVAL;
    return nullptr;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  std::FILE* file = ::fdopen(fd, "rb");
  if (!file) {
    if (error) *error = std::string("cannot open: ") + std::strerror(errno);
    ::close(fd);
    return nullptr;
  }
  if (size) *size = uint64_t(info.st_size);
  return file;
}

bool readRegularFile(const std::string& path, uint64_t limit, std::vector<uint8_t>* out, std::string* error) {
  std::string reason;
  uint64_t size = 0;
  std::FILE* file = openRegularFile(path.c_str(), &size, &reason);
  if (!file) {
    if (error) *error = path + ": " + reason;
    return false;
  }
  if (size > limit) {
    std::fclose(file);
    if (error) {
      *error = path + ": is " + std::to_string(size) + " bytes long, more than the " + std::to_string(limit) +
               " it may be";
    }
    return false;
  }
  std::vector<uint8_t> bytes;
  bool ok = true;
  try {
    bytes.resize(size_t(size));
  } catch (const std::bad_alloc&) {
    ok = false;
    reason = "there is not enough memory to read it";
  }
  if (ok && !bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    ok = false;
    reason = "cannot read it whole";
  }
  std::fclose(file);
  if (!ok) {
    if (error) *error = path + ": " + reason;
    return false;
  }
  *out = std::move(bytes);
  return true;
}

std::vector<std::string> textLines(const std::vector<uint8_t>& bytes) {
  std::vector<std::string> lines;
  const std::string text(bytes.begin(), bytes.end());
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    at = end + 1;
  }
  return lines;
}
