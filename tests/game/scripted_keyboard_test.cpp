// The keyboard the scripted driver reads, and the frame loop's wait for
// released keys over it: the script lies over the real keys frame by frame,
// the recorder sees every read, and a wait's re-reads are paced frames.
#include <gtest/gtest.h>

#include <cstdio>
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
  ScriptedKeyboard keyboard(&real, &script, nullptr, frame);
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

TEST(ScriptedKeyboard, AWaitOutlastingTheScriptLetsGoOfItsKeysForGood) {
  InputScript script = parsed("3: F12 P\n");
  int64_t frame = 4;
  ScriptedKeyboard keyboard(nullptr, &script, nullptr, frame);
  uint8_t keys[256];
  keyboard.readState(keys);  // outside a wait the last line holds on
  EXPECT_EQ(heldCodes(keys), (std::vector<int>{KEY_P, KEY_F12}));
  inputWaiting = 1;
  frame = 5;
  keyboard.readState(keys);
  inputWaiting = 0;
  EXPECT_TRUE(heldCodes(keys).empty());
  EXPECT_TRUE(keyboard.scriptLetGo());
  frame = 6;
  keyboard.readState(keys);
  EXPECT_TRUE(heldCodes(keys).empty());

  // A wait within the script's lines waits for them.
  InputScript longer = parsed("3: F12\n9:\n");
  ScriptedKeyboard waiting(nullptr, &longer, nullptr, frame);
  inputWaiting = 1;
  waiting.readState(keys);
  inputWaiting = 0;
  EXPECT_EQ(heldCodes(keys), std::vector<int>{KEY_F12});
}

TEST(ScriptedKeyboard, TheRecorderWritesWhatEveryReadReturned) {
  FakeKeyboard real;
  InputScript script = parsed("2: RIGHT\n");
  FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  InputRecorder recorder(out);
  int64_t frame = 1;
  ScriptedKeyboard keyboard(&real, &script, &recorder, frame);
  uint8_t keys[256];
  for (; frame <= 5; frame++) {
    real.held[KEY_SPACE] = frame == 3 || frame == 4 ? 0x80 : 0;
    keyboard.readState(keys);
  }
  std::rewind(out);
  char text[256] = {};
  size_t got = std::fread(text, 1, sizeof text - 1, out);
  std::fclose(out);
  EXPECT_EQ(std::string(text, got), "2: RIGHT\n3: SPACE RIGHT\n5: RIGHT\n");
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
    scripted = std::make_unique<ScriptedKeyboard>(&test.keyboard, &script, nullptr, framesRun);
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

TEST_F(ScriptedWaitTest, WaitEndsAtTheFrameLimitAndCostsNoReadWhenNothingIsHeld) {
  useScript("1: F12\n");
  frameLimit = 3;
  test.keyboard.held[KEY_F12] = 0x80;  // a real key held too: only the limit ends the wait
  ASSERT_TRUE(runFramePass());
  EXPECT_EQ(framesRun, 3);
  EXPECT_EQ(inputWaiting, 0);

  std::memset(keyState, 0, sizeof keyState);
  int reads = test.keyboard.reads;
  waitUntilNothingHeld();
  EXPECT_EQ(test.keyboard.reads, reads);
  EXPECT_EQ(framesRun, 3);
}

}  // namespace
