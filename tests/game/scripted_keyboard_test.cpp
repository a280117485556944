// The keyboard the scripted driver reads, and the frame loop's wait for
// released keys over it: the script lies over the real keys frame by frame,
// and a wait's re-reads are frames paced to the tick. (The driver's tests run
// the rest through the program: records of waits, let-go, the frame limit.)
#include <gtest/gtest.h>

#include <cstring>

#include "game/frame_loop.h"
#include "game/scripted_keyboard.h"
#include "game/shell.h"
#include "game_test_support.h"

namespace {

InputScript parsed(const char* text) {
  InputScript script;
  std::string error;
  EXPECT_TRUE(script.parse(text, &error)) << error;
  return script;
}

std::vector<int> heldCodes(const uint8_t keys[256]) {
  std::vector<int> codes;
  for (int code = 0; code < 256; code++) {
    if (keys[code]) codes.push_back(code);
  }
  return codes;
}

// Reads well once, then fails every read.
struct FailingKeyboard : FakeKeyboard {
  bool readState(uint8_t keys[256]) override {
    if (reads++ > 0) return false;
    std::memcpy(keys, held, 256);
    return true;
  }
};

TEST(ScriptedKeyboard, ScriptKeysLieOverTheRealOnesAndFollowTheFrameOfEachRead) {
  FailingKeyboard real;
  real.held[KEY_SPACE] = 0x80;
  InputScript script = parsed("2: LEFT\n4:\n");
  int64_t frame = 1;
  ScriptedKeyboard keyboard(&real, &script, frame);
  uint8_t keys[256];
  std::vector<std::vector<int>> seen;
  for (; frame <= 4; frame++) {
    keyboard.readState(keys);
    seen.push_back(heldCodes(keys));
  }
  // The real keyboard fails after its first read: its last good keys stay,
  // while the script's keys still come and go with the frames.
  std::vector<std::vector<int>> expected = {
      {KEY_SPACE}, {KEY_SPACE, KEY_LEFT}, {KEY_SPACE, KEY_LEFT}, {KEY_SPACE}};
  EXPECT_EQ(seen, expected);
}

class ScriptedWaitTest : public LoadedShellTest {
 protected:
  void SetUp() override {
    LoadedShellTest::SetUp();
    test.paced = true;
    ASSERT_EQ(load(), 0);
    startFrameLoop();
    gameState = NO_SCREEN;
  }
  void TearDown() override {
    gKeyboard = &test.keyboard;
    LoadedShellTest::TearDown();
  }
  void useScript(const char* text) {
    script = parsed(text);
    scripted = std::make_unique<ScriptedKeyboard>(&test.keyboard, &script, framesRun);
    gKeyboard = scripted.get();
  }
  // A game-state code no handler answers to: only the loop's own work runs.
  static constexpr int32_t NO_SCREEN = -11;
  InputScript script;
  std::unique_ptr<ScriptedKeyboard> scripted;
};

TEST_F(ScriptedWaitTest, CaptureWaitRereadsOncePerFrameTickUntilTheScriptLetsGo) {
  useScript("1: F12\n5:\n");
  uint32_t start = test.tick;
  ASSERT_TRUE(runFramePass());
  // The pass is frame 1; the wait read frames 2 to 5, each 16 ms after the last.
  EXPECT_EQ(framesRun, 5);
  EXPECT_EQ(test.tick - start, 5 * FRAME_MILLISECONDS);
  EXPECT_EQ(test.keyboard.reads, 5);
  EXPECT_TRUE(fs::exists(data.path / "capt0000.pcx"));
  ASSERT_TRUE(runFramePass());
  EXPECT_EQ(framesRun, 6);
  EXPECT_FALSE(fs::exists(data.path / "capt0001.pcx"));
}

}  // namespace
