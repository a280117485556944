// The settings store's bindings across runs and its mend of damaged values,
// the window's renderer from the store or the command line, and the input
// scripts of the driver.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

#include "game/input_script.h"
#include "game/options.h"
#include "game/settings.h"
#include "game/shell.h"
#include "game_test_support.h"

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", folder.path.c_str(), 1);
    std::memset(keyBindings, 0, sizeof keyBindings);
    std::memset(joyBindings, 0, sizeof joyBindings);
  }
  void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }
  void writeStore(const std::string& text) {
    fs::create_directories(folder.path / "glimb");
    std::ofstream(folder.path / "glimb" / "settings") << text;
  }
  std::vector<uint8_t> keys() const { return {keyBindings, keyBindings + KEY_BINDING_COUNT}; }
  std::vector<uint8_t> buttons() const { return {joyBindings, joyBindings + JOY_BINDING_COUNT}; }
  ScratchFolder folder;
};

const std::vector<uint8_t> DEFAULT_KEYS = {203, 205, 200, 208, 25, 1, 16};
const std::vector<uint8_t> DEFAULT_BUTTONS = {0, 1, 9, 8};

TEST_F(SettingsTest, FirstRunCreatesTheStoreWithDefaultsAndTheNextRunReadsThemBack) {
  EXPECT_EQ(settingsFilePath(), (folder.path / "glimb" / "settings").string());
  readBindings();
  EXPECT_EQ(keys(), DEFAULT_KEYS);
  EXPECT_EQ(buttons(), DEFAULT_BUTTONS);
  EXPECT_TRUE(fs::exists(folder.path / "glimb" / "settings"));

  keyBindings[BIND_JUMP] = KEY_SPACE;
  joyBindings[JOY_BIND_PAUSE] = 3;
  writeBindings();
  std::memset(keyBindings, 0, sizeof keyBindings);
  std::memset(joyBindings, 0, sizeof joyBindings);
  readBindings();
  EXPECT_EQ(keyBindings[BIND_JUMP], KEY_SPACE);
  EXPECT_EQ(keyBindings[BIND_QUIT], 16);
  EXPECT_EQ(joyBindings[JOY_BIND_PAUSE], 3);
  EXPECT_FALSE(fs::exists(folder.path / "glimb" / "settings.new"));
}

TEST_F(SettingsTest, MissingShortOrCorruptValuesGiveTheDefaultsForThatValueOnly) {
  writeStore("Joystick = 4 5 6 7\n");  // no Keyboard value
  readBindings();
  EXPECT_EQ(keys(), DEFAULT_KEYS);
  EXPECT_EQ(buttons(), (std::vector<uint8_t>{4, 5, 6, 7}));

  writeStore("Keyboard = 30 31 32\nJoystick = 1 2 x 3\n");  // short, corrupt
  readBindings();
  EXPECT_EQ(keys(), DEFAULT_KEYS);
  EXPECT_EQ(buttons(), DEFAULT_BUTTONS);

  writeStore("Keyboard = 30 31 32 33 34 35 999\nJoystick = 1 2 3 4 5\n");  // out of range, too long
  readBindings();
  EXPECT_EQ(keys(), DEFAULT_KEYS);
  EXPECT_EQ(buttons(), DEFAULT_BUTTONS);
}

TEST_F(SettingsTest, BinaryGarbageNeverStopsTheGame) {
  std::string garbage(300, '\0');
  for (size_t i = 0; i < garbage.size(); i++) garbage[i] = char(i * 37);
  writeStore(garbage + "\nKeyboard = 1 2 3 4 5 6 7\n");
  readBindings();
  EXPECT_EQ(keys(), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(buttons(), DEFAULT_BUTTONS);
}

TEST_F(SettingsTest, UnwritableStoreStillGivesTheDefaults) {
  setenv("XDG_CONFIG_HOME", "/proc/no-such-folder", 1);
  readBindings();
  EXPECT_EQ(keys(), DEFAULT_KEYS);
  writeBindings();  // fails quietly
}

TEST_F(SettingsTest, NamedPipesInTheStoresPlaceAreNeverWaitedOn) {
  const fs::path store = folder.path / "glimb" / "settings";
  fs::create_directories(store.parent_path());
  ASSERT_EQ(::mkfifo(store.c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((store.string() + ".new").c_str(), 0600), 0);
  readBindings();
  EXPECT_EQ(keys(), DEFAULT_KEYS);
  EXPECT_EQ(buttons(), DEFAULT_BUTTONS);
  // Not taken for a first run: nothing is written over it at start.
  EXPECT_TRUE(fs::is_fifo(store));
  // At exit the bindings replace both.
  keyBindings[BIND_JUMP] = KEY_SPACE;
  writeBindings();
  EXPECT_TRUE(fs::is_regular_file(store));
  EXPECT_FALSE(fs::exists(store.string() + ".new"));
  std::memset(keyBindings, 0, sizeof keyBindings);
  readBindings();
  EXPECT_EQ(keyBindings[BIND_JUMP], KEY_SPACE);
}

TEST_F(SettingsTest, TheRendererLineChoosesTheWindowsRendererAndOutlivesTheBindingsBeingWritten) {
  EXPECT_EQ(readRendererSetting(RendererChoice::AUTO), RendererChoice::AUTO);  // no file yet
  writeStore("Keyboard = 1 2 3 4 5 6 7\nrenderer = software\n");
  EXPECT_EQ(readRendererSetting(RendererChoice::AUTO), RendererChoice::SOFTWARE);
  readBindings();
  writeBindings();
  EXPECT_EQ(readRendererSetting(RendererChoice::AUTO), RendererChoice::SOFTWARE);
  EXPECT_EQ(keys(), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7}));

  writeStore("Renderer = gpu\n");
  EXPECT_EQ(readRendererSetting(RendererChoice::AUTO), RendererChoice::GPU);
  writeStore("renderer = vulkan\nrenderer =\nrenderer = gpu extra\n");  // none of them names a renderer
  EXPECT_EQ(readRendererSetting(RendererChoice::SOFTWARE), RendererChoice::SOFTWARE);
}

TEST(RendererOption, NamesAutoSoftwareOrGpuAndRefusesAnythingElse) {
  auto parse = [](std::vector<std::string> words, Options& options, std::string& error) {
    std::vector<char*> argv{const_cast<char*>("glimb")};
    for (std::string& w : words) argv.push_back(w.data());
    return parseOptions(int(argv.size()), argv.data(), options, error);
  };
  Options options;
  std::string error;
  ASSERT_TRUE(parse({"--renderer", "gpu"}, options, error)) << error;
  EXPECT_EQ(options.renderer, RendererChoice::GPU);
  EXPECT_TRUE(options.rendererGiven);
  ASSERT_TRUE(parse({"--renderer", "software"}, options, error)) << error;
  EXPECT_EQ(options.renderer, RendererChoice::SOFTWARE);
  Options other;
  EXPECT_FALSE(parse({"--renderer", "opengl"}, other, error));
  EXPECT_NE(error.find("auto, software or gpu"), std::string::npos);
  EXPECT_FALSE(parse({"--renderer"}, other, error));
  EXPECT_FALSE(other.rendererGiven);
}

TEST(InputScript, LinesHoldKeysUntilTheNextLineAndAnEmptyLineReleasesAll) {
  InputScript script;
  std::string error;
  ASSERT_TRUE(script.parse("# start\n3: LEFT space 57\n\n10: enter   # go\n12:\n", &error)) << error;
  EXPECT_TRUE(script.keysAt(2).empty());
  EXPECT_EQ(script.keysAt(3), (std::vector<uint8_t>{203, 57, 57}));
  EXPECT_EQ(script.keysAt(9).size(), 3u);
  EXPECT_EQ(script.keysAt(10), (std::vector<uint8_t>{28}));
  EXPECT_TRUE(script.keysAt(12).empty());
  EXPECT_TRUE(script.keysAt(1000).empty());
}

TEST(InputScript, SingleDigitsNameDigitKeysAndLongerNumbersAreCodes) {
  EXPECT_EQ(scriptKeyCode("1"), 2);
  EXPECT_EQ(scriptKeyCode("0"), 11);
  EXPECT_EQ(scriptKeyCode("01"), 1);
  EXPECT_EQ(scriptKeyCode("88"), 88);
  EXPECT_EQ(scriptKeyCode("256"), -1);
  EXPECT_EQ(scriptKeyCode("F12"), 88);
  EXPECT_EQ(scriptKeyCode("esc"), 1);
  EXPECT_EQ(scriptKeyCode("NOKEY"), -1);
}

TEST(InputScript, BadLinesAreRefusedWithTheirLineNumber) {
  InputScript script;
  std::string error;
  EXPECT_FALSE(script.parse("1: A\nsecond line\n", &error));
  EXPECT_EQ(error.rfind("line 2:", 0), 0u);
  EXPECT_FALSE(script.parse("5: A\n4: B\n", &error));
  EXPECT_FALSE(script.parse("0: A\n", &error));
  EXPECT_FALSE(script.parse("2: WIBBLE\n", &error));
  EXPECT_NE(error.find("WIBBLE"), std::string::npos);
}

TEST(InputScript, RecordedLinesReadBackAsTheSameKeys) {
  uint8_t keys[256] = {};
  keys[KEY_LEFT] = 0x80;
  keys[KEY_D] = 0x80;
  keys[84] = 0x80;  // a code without a name is written as its number
  std::string line = formatScriptLine(7, keys);
  EXPECT_EQ(line, "7: D 84 LEFT");
  InputScript script;
  ASSERT_TRUE(script.parse(line, nullptr));
  EXPECT_EQ(script.keysAt(7), (std::vector<uint8_t>{KEY_D, 84, KEY_LEFT}));
}

}  // namespace
