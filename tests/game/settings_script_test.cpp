// The settings store's bindings, window and sound values across runs, its
// mend of damaged values and the lines of other names it keeps, the window's
// renderer from the store or the command line, and the input scripts of the
// driver.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

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
  void TearDown() override {
    unsetenv("XDG_CONFIG_HOME");
    fullscreenSetting = 0;
    windowScale = SCALE_AUTOMATIC;
    soundVolume = VOLUME_MAX;
    soundMuted = 0;
  }
  fs::path store() const { return folder.path / "glimb" / "settings"; }
  void writeStore(const std::string& text) {
    fs::create_directories(folder.path / "glimb");
    std::ofstream(store(), std::ios::binary) << text;
  }
  std::string readStore() const {
    std::ifstream in(store(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::vector<uint8_t> keys() const { return {keyBindings, keyBindings + KEY_BINDING_COUNT}; }
  std::vector<uint8_t> buttons() const { return {joyBindings, joyBindings + JOY_BINDING_COUNT}; }
  ScratchFolder folder;
};

const std::vector<uint8_t> DEFAULT_KEYS = {203, 205, 200, 208, 25, 1, 16};
const std::vector<uint8_t> DEFAULT_BUTTONS = {0, 1, 9, 8, 7};

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
  EXPECT_EQ(buttons(), (std::vector<uint8_t>{4, 5, 6, 7, 7}));

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
  // Written back, the garbage is gone and every value is whole.
  writeBindings();
  EXPECT_EQ(readStore(), "Keyboard = 1 2 3 4 5 6 7\nJoystick = 0 1 9 8\nJoystickQuit = 7\nFullscreen = 0\nVolume = 100\n"
                         "Mute = 0\n");
}

TEST_F(SettingsTest, AStoreOfTheTwoOriginalLinesKeepsWorkingAndGainsTheNewValues) {
  writeStore("Keyboard = 30 32 17 31 25 1 16\nJoystick = 2 3 4 5\n");
  readPlayerSettings();
  readBindings();
  EXPECT_EQ(keys(), (std::vector<uint8_t>{30, 32, 17, 31, 25, 1, 16}));
  EXPECT_EQ(buttons(), (std::vector<uint8_t>{2, 3, 4, 5, 7}));  // Quit on Back
  EXPECT_EQ(fullscreenSetting, 0);
  EXPECT_EQ(windowScale, SCALE_AUTOMATIC);
  EXPECT_EQ(soundVolume, 100);
  EXPECT_EQ(soundMuted, 0);
  writeBindings();
  // The four buttons stay on the line older versions read; the rest follows.
  EXPECT_EQ(readStore(),
            "Keyboard = 30 32 17 31 25 1 16\nJoystick = 2 3 4 5\nJoystickQuit = 7\nFullscreen = 0\nVolume = 100\n"
            "Mute = 0\n");
}

TEST_F(SettingsTest, WindowAndSoundValuesRoundTripAndOtherLinesAreWrittenBackWhereTheyWere) {
  writeStore("# my settings\r\nRenderer = software\nJoystick = 1 2 3 4\nVolume = 40\n\nFuture = a b c\n"
             "Joystick = 9 9 9 9\nScale = 3\nMute = 1\nFullscreen = 1\n");
  readPlayerSettings();
  readBindings();
  EXPECT_EQ(soundVolume, 40);
  EXPECT_EQ(soundMuted, 1);
  EXPECT_EQ(windowScale, 3);
  EXPECT_EQ(fullscreenSetting, 1);
  EXPECT_EQ(buttons(), (std::vector<uint8_t>{9, 9, 9, 9, 7}));  // the last line of a name counts
  joyBindings[JOY_BIND_QUIT] = 10;
  fullscreenSetting = 0;
  windowScale = 2;
  soundVolume = 75;
  writeBindings();
  EXPECT_EQ(readStore(),
            "# my settings\nRenderer = software\nJoystick = 9 9 9 9\nVolume = 75\nFuture = a b c\nScale = 2\n"
            "Mute = 1\nFullscreen = 0\nKeyboard = 203 205 200 208 25 1 16\nJoystickQuit = 10\n");
  // Read again, the values are those written, and so is the file once more.
  const std::string written = readStore();
  readPlayerSettings();
  readBindings();
  EXPECT_EQ(windowScale, 2);
  EXPECT_EQ(soundVolume, 75);
  EXPECT_EQ(joyBindings[JOY_BIND_QUIT], 10);
  writeBindings();
  EXPECT_EQ(readStore(), written);
}

TEST_F(SettingsTest, DamagedWindowAndSoundValuesKeepTheirDefaultsAndAreMendedOnWriting) {
  writeStore("Volume = 101\nMute = yes\nScale = 17\nFullscreen = 2\nJoystickQuit = 300\n"
             "Volume\nbad\x01line\n" + std::string(300, 'x') + "\n");
  readPlayerSettings();
  readBindings();
  EXPECT_EQ(soundVolume, 100);
  EXPECT_EQ(soundMuted, 0);
  EXPECT_EQ(windowScale, SCALE_AUTOMATIC);
  EXPECT_EQ(fullscreenSetting, 0);
  EXPECT_EQ(joyBindings[JOY_BIND_QUIT], 7);
  writeBindings();
  // A line with a control character and an overlong one are not kept; a
  // line with no value is not one of ours.
  EXPECT_EQ(readStore(),
            "Volume = 100\nMute = 0\nFullscreen = 0\nJoystickQuit = 7\nVolume\nKeyboard = 203 205 200 208 25 1 16\n"
            "Joystick = 0 1 9 8\n");
}

TEST_F(SettingsTest, ANamedPipeOrAnOverlongFileIsRefusedWithoutWaitingAndGivesTheDefaults) {
  fs::create_directories(folder.path / "glimb");
  ASSERT_EQ(mkfifo(store().c_str(), 0600), 0);
  soundVolume = 3;
  readPlayerSettings();  // would wait for a writer if it opened the pipe plainly
  EXPECT_EQ(soundVolume, 100);
  fs::remove(store());

  writeStore("Volume = 10\n" + std::string(70000, '#') + "\n");
  readPlayerSettings();
  EXPECT_EQ(soundVolume, 100);
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

TEST(InputScript, APadIsPluggedInWhileTheLinesHoldItWithItsButtonsAndStick) {
  InputScript script;
  std::string error;
  ASSERT_TRUE(script.parse("5: LEFT pad b1 B32 x=-1024 Y=300\n9: JOY B2\n12: SPACE\n", &error)) << error;
  EXPECT_TRUE(script.usesPads());
  EXPECT_FALSE(script.padAt(4).present);
  const ScriptPad& pad = script.padAt(6);
  EXPECT_TRUE(pad.present && pad.named);
  EXPECT_EQ(pad.buttons, 0x80000001u);
  EXPECT_EQ(pad.x, -1024);
  EXPECT_EQ(pad.y, 300);
  EXPECT_EQ(script.keysAt(6), (std::vector<uint8_t>{KEY_LEFT}));
  EXPECT_FALSE(script.padAt(9).named);
  EXPECT_EQ(script.padAt(9).buttons, 2u);
  EXPECT_FALSE(script.padAt(12).present);  // a line without the pad pulls it out
  ASSERT_TRUE(script.parse("5: LEFT\n", &error));
  EXPECT_FALSE(script.usesPads());

  for (const char* bad : {"1: B1\n", "1: PAD B0\n", "1: PAD B33\n", "1: PAD X=1025\n", "1: JOY Y=-2000\n",
                          "1: PAD JOY\n", "1: X=5\n", "1: PAD Z=1\n"}) {
    EXPECT_FALSE(script.parse(bad, &error)) << bad;
    EXPECT_EQ(error.rfind("line 1:", 0), 0u) << error;
  }
}

TEST(InputScript, APadsRecordedLineReadsBackAsTheSamePad) {
  uint8_t keys[256] = {};
  keys[KEY_LEFT] = 0x80;
  ScriptPad pad;
  pad.present = true;
  pad.buttons = (1u << 0) | (1u << 7);
  pad.x = -1024;
  const std::string line = formatScriptLine(12, keys, pad);
  EXPECT_EQ(line, "12: LEFT PAD B1 B8 X=-1024");
  InputScript script;
  ASSERT_TRUE(script.parse(line, nullptr));
  EXPECT_EQ(script.padAt(12), pad);
  pad.named = false;
  pad.buttons = 0;
  pad.x = 0;
  pad.y = 17;
  EXPECT_EQ(formatScriptLine(3, keys, pad), "3: LEFT JOY Y=17");
  EXPECT_EQ(formatScriptLine(3, keys, ScriptPad{}), "3: LEFT");
}

}  // namespace
