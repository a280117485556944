// Where an installed game looks for its data and keeps the player's files.
#include "game/data_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

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

TEST(DataFolders, TheInstalledDataLiesWhereTheInstallLayoutPutsItBesideTheProgram) {
  EXPECT_EQ(installedDataFolder("/opt/glimb/bin/glimb", "../share/glimb"), fs::path("/opt/glimb/share/glimb"));
  EXPECT_EQ(installedDataFolder("/home/p/.local/bin/glimb", "../share/glimb"),
            fs::path("/home/p/.local/share/glimb"));
  // Debian's layout: /usr/games with /usr/share/games.
  EXPECT_EQ(installedDataFolder("/usr/games/glimb", "../share/games/glimb"), fs::path("/usr/share/games/glimb"));
  // Without a layout named, the one the build was configured for.
  EXPECT_EQ(installedDataFolder("/p/bin/glimb"), installedDataFolder("/p/bin/glimb", INSTALLED_DATA_FROM_BIN));
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

TEST(DataFolders, SystemWideWorldsAreInTheGlimbFolderOfEachAbsoluteXdgDataDir) {
  {
    ScopedEnv dirs("XDG_DATA_DIRS", "/opt/share:relative/share::/usr/share/:/opt/share/");
    EXPECT_EQ(xdgSystemWorldFolders(), (std::vector<fs::path>{"/opt/share/glimb", "/usr/share/glimb"}));
  }
  for (const char* unset : {static_cast<const char*>(nullptr), ""}) {
    ScopedEnv dirs("XDG_DATA_DIRS", unset);
    EXPECT_EQ(xdgSystemWorldFolders(), (std::vector<fs::path>{"/usr/local/share/glimb", "/usr/share/glimb"}));
  }
}

}  // namespace
