// The test that nothing is held, over keys, stick and buttons; the dead
// zone; and the key-code table in both directions, SDL's scancodes included.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "media/input.h"
#include "media/key_codes.h"
#include "media/sdl/sdl_input.h"

namespace {

struct Keys : KeyboardDevice {
  bool readState(uint8_t keys[256]) override {
    std::memcpy(keys, held, 256);
    return !fail;
  }
  uint8_t held[256] = {};
  bool fail = false;
};

struct Stick : JoystickDevice {
  bool readState(JoyState& s) override {
    polled = true;
    s = state;
    return true;
  }
  int32_t buttonCount() const override { return buttons; }
  JoyState state;
  int32_t buttons = 4;
  bool polled = false;
};

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(keyState, 0, sizeof keyState);
    joyState = JoyState{};
    gKeyboard = &keys;
    gJoystick = &stick;
    joystickPresent = 0;
    joyButtonCount = 0;
    inputClosing = 0;
  }
  void TearDown() override {
    gKeyboard = nullptr;
    gJoystick = nullptr;
    joystickPresent = 0;
    inputClosing = 0;
  }
  void useStick() {
    joystickPresent = 1;
    joyButtonCount = stick.buttons;
  }
  Keys keys;
  Stick stick;
};

TEST_F(InputTest, AnyHeldKeyEvenAnUnboundOneCountsAsPressed) {
  EXPECT_EQ(nothingPressed(1), 1);
  keys.held[0xB7] = 0x80;
  EXPECT_EQ(nothingPressed(0), 1);  // without refresh the snapshot stays
  EXPECT_EQ(nothingPressed(1), 0);
  keys.held[0xB7] = 0;
  EXPECT_EQ(nothingPressed(1), 1);
}

TEST_F(InputTest, WithoutAJoystickTheStickIsNeverReadAndStaysZero) {
  stick.state.lX = 800;
  stick.state.rgbButtons[0] = 0x80;
  EXPECT_EQ(nothingPressed(1), 1);
  EXPECT_FALSE(stick.polled);
  EXPECT_EQ(joyState.lX, 0);
}

TEST_F(InputTest, StickDirectionsAndOnlyTheReportedButtonsCount) {
  useStick();
  stick.state.lY = -1;
  EXPECT_EQ(nothingPressed(1), 0);
  stick.state.lY = 0;
  stick.state.rgbButtons[3] = 0x80;
  EXPECT_EQ(nothingPressed(1), 0);
  stick.state.rgbButtons[3] = 0;
  stick.state.rgbButtons[4] = 0x80;  // a 4-button joystick has no fifth button
  EXPECT_EQ(nothingPressed(1), 1);
  EXPECT_TRUE(stick.polled);
}

TEST_F(InputTest, ClosingReleasesEverythingSoWaitsEnd) {
  useStick();
  keys.held[1] = 0x80;
  stick.state.lX = 1024;
  EXPECT_EQ(nothingPressed(1), 0);
  inputClosing = 1;
  EXPECT_EQ(nothingPressed(1), 1);
  EXPECT_EQ(keyState[1], 0);
}

TEST(JoystickAxis, ADeflectionInsideFifteenPercentReadsCentred) {
  EXPECT_EQ(scaleJoystickAxis(0, -32768, 32767), 0);
  EXPECT_EQ(scaleJoystickAxis(4800, -32768, 32767), 0);    // under 15 %
  EXPECT_EQ(scaleJoystickAxis(-4800, -32768, 32767), 0);
  EXPECT_GT(scaleJoystickAxis(5200, -32768, 32767), 0);    // just past it
  EXPECT_EQ(scaleJoystickAxis(32767, -32768, 32767), 1024);
  EXPECT_EQ(scaleJoystickAxis(-32768, -32768, 32767), -1024);
  EXPECT_EQ(scaleJoystickAxis(99999, -32768, 32767), 1024);
  EXPECT_EQ(scaleJoystickAxis(5, 10, 10), 0);
  int32_t half = scaleJoystickAxis(16384, -32768, 32767);
  EXPECT_GT(half, 400);
  EXPECT_LT(half, 500);  // a half deflection walks (below 500)
}

TEST(KeyCodes, EveryNameAndCodeRoundTrip) {
  std::set<int32_t> codes;
  std::set<std::string> names;
  for (int32_t i = 0; i < keyCodeTableSize(); i++) {
    const KeyCodeName& k = keyCodeTable()[i];
    EXPECT_TRUE(codes.insert(k.code).second) << "code " << int(k.code);
    EXPECT_TRUE(names.insert(k.name).second) << k.name;
    EXPECT_EQ(keyCodeFromName(k.name), k.code) << k.name;
    EXPECT_STREQ(keyNameFromCode(k.code), k.name);
  }
  EXPECT_GE(codes.size(), 100u);  // a full PC keyboard
  EXPECT_EQ(keyCodeFromName("left"), 203);
  EXPECT_EQ(keyCodeFromName("Return"), 28);
  EXPECT_EQ(keyCodeFromName("F12"), 88);
  EXPECT_EQ(keyCodeFromName("LEFTX"), -1);
  EXPECT_EQ(keyCodeFromName(""), -1);
  EXPECT_EQ(keyNameFromCode(0), nullptr);
  EXPECT_EQ(keyNameFromCode(300), nullptr);
}

TEST(KeyCodes, EveryKeyHasItsOwnLabelThatFitsNineCharactersOfTheFont) {
  std::set<std::string> labels;
  for (int32_t i = 0; i < keyCodeTableSize(); i++) {
    const KeyCodeName& k = keyCodeTable()[i];
    ASSERT_NE(k.label, nullptr) << k.name;
    const std::string label = k.label;
    EXPECT_GE(label.size(), 1u) << k.name;
    EXPECT_LE(label.size(), size_t(KEY_LABEL_MAX)) << k.name << " is labelled \"" << label << "\"";
    // The small font has glyphs for the printable ASCII characters only.
    for (char c : label) EXPECT_TRUE(c >= 32 && c <= 126) << k.name;
    EXPECT_NE(label.front(), ' ') << k.name;
    EXPECT_NE(label.back(), ' ') << k.name;
    EXPECT_TRUE(labels.insert(label).second) << "two keys are labelled \"" << label << "\"";
    EXPECT_STREQ(keyLabelFromCode(k.code), k.label);
  }
  EXPECT_STREQ(keyLabelFromCode(KEY_ESCAPE), "Esc");
  EXPECT_STREQ(keyLabelFromCode(KEY_F12), "F12");
  EXPECT_EQ(keyLabelFromCode(0), nullptr);
  EXPECT_EQ(keyLabelFromCode(300), nullptr);
}

TEST(KeyCodes, EveryTableKeyHasAnSdlScancodeAndBack) {
  for (int32_t i = 0; i < keyCodeTableSize(); i++) {
    uint8_t code = keyCodeTable()[i].code;
    SDL_Scancode scancode = scancodeFromKeyCode(code);
    EXPECT_NE(scancode, SDL_SCANCODE_UNKNOWN) << keyCodeTable()[i].name;
    EXPECT_EQ(keyCodeFromScancode(scancode), code) << keyCodeTable()[i].name;
  }
  EXPECT_EQ(keyCodeFromScancode(SDL_SCANCODE_UP), 200);
  EXPECT_EQ(keyCodeFromScancode(SDL_SCANCODE_P), 25);
  EXPECT_EQ(keyCodeFromScancode(SDL_SCANCODE_KP_ENTER), 156);
}

}  // namespace
