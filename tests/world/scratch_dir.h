// A scratch folder per test process, removed when the process ends, so that tests and
// builds running at the same time never share a file.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

inline std::string scratchPath(const std::string& name) {
  struct Folder {
    std::filesystem::path path = std::filesystem::path(testing::TempDir()) /
                                 ("glimb_world_tests_" + std::to_string(getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static const Folder folder;
  return (folder.path / name).string();
}
