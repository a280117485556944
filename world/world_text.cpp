// The header's text fields: reading up to the terminator, storing with zero fill, and the
// world name's stored codes for "." and "!".
#include "world/world_file.h"

#include <algorithm>
#include <cstring>

constexpr char NAME_CODE_FULL_STOP = 0x5B;
constexpr char NAME_CODE_EXCLAMATION = 0x5C;

bool hasWorldExtension(const std::string& name) {
  if (name.size() < 5) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext == ".glw";
}

std::string worldText(const char* field, size_t fieldSize) {
  const char* end = static_cast<const char*>(std::memchr(field, 0, fieldSize));
  return std::string(field, end != nullptr ? size_t(end - field) : fieldSize);
}

void setWorldText(char* field, size_t fieldSize, const std::string& text) {
  if (fieldSize == 0) return;
  std::memset(field, 0, fieldSize);
  // Stop at an embedded zero too: nothing after it could be read back.
  const size_t length = std::min({text.size(), fieldSize - 1, std::strlen(text.c_str())});
  std::memcpy(field, text.data(), length);
}

std::string displayWorldName(const std::string& stored) {
  std::string shown = stored;
  for (char& c : shown) {
    if (c == NAME_CODE_FULL_STOP) c = '.';
    else if (c == NAME_CODE_EXCLAMATION) c = '!';
  }
  return shown;
}

std::string storedWorldName(const std::string& shown) {
  std::string stored = shown;
  for (char& c : stored) {
    if (c == '.') c = NAME_CODE_FULL_STOP;
    else if (c == '!') c = NAME_CODE_EXCLAMATION;
  }
  return stored;
}

bool isWorldNameByte(uint8_t byte) {
  return (byte >= 'A' && byte <= 'Z') || byte == ' ' || byte == uint8_t(NAME_CODE_FULL_STOP) ||
         byte == uint8_t(NAME_CODE_EXCLAMATION);
}
