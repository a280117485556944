// Where an installed game looks for its data and keeps the player's files.
#include "game/data_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "game_test_support.h"

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(DataFolders, TheInstalledDataLiesInShareBesideTheProgramsBinFolder) {
  EXPECT_EQ(installedDataFolder("/opt/glimb/bin/glimb"), fs::path("/opt/glimb/share/glimb"));
  EXPECT_EQ(installedDataFolder("/home/p/.local/bin/glimb"), fs::path("/home/p/.local/share/glimb"));
}

TEST(DataFolders, AFolderHoldsTheGameDataOnlyWithAllThirtyNineFiles) {
  ScratchFolder folder;
  EXPECT_FALSE(holdsGameData(folder.path));
  writeDataFiles(folder.path);
  EXPECT_TRUE(holdsGameData(folder.path));
  fs::remove(folder.path / "data26.glb");
  EXPECT_FALSE(holdsGameData(folder.path));
}

TEST(DataFolders, ThePlayersFolderFollowsXdgDataHomeElseHome) {
  ScopedEnv home("HOME", "/home/p");
  {
    ScopedEnv data("XDG_DATA_HOME", "/xdg/data");
    EXPECT_EQ(perUserFolder(), fs::path("/xdg/data/glimb"));
  }
  {
    ScopedEnv data("XDG_DATA_HOME", "relative/data");  // only absolute paths count
    EXPECT_EQ(perUserFolder(), fs::path("/home/p/.local/share/glimb"));
  }
  ScopedEnv data("XDG_DATA_HOME", nullptr);
  EXPECT_EQ(perUserFolder(), fs::path("/home/p/.local/share/glimb"));
  ScopedEnv noHome("HOME", nullptr);
  EXPECT_TRUE(perUserFolder().empty());
}

}  // namespace
