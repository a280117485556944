// Makes the whole content set once for all tests of a binary, in memory.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "content/content_files.h"

inline const std::map<std::string, std::vector<uint8_t>>& content() {
  static const std::map<std::string, std::vector<uint8_t>> files = makeContent(CONTENT_SOURCE_DIR);
  return files;
}

inline const std::vector<uint8_t>& file(const std::string& name) {
  auto it = content().find(name);
  if (it == content().end()) throw std::runtime_error("no file " + name);
  return it->second;
}
