// Page key events to held keys, and the Gamepad API to the joystick record.
#include "web/web_input.h"

#include <emscripten/html5.h>

#include <cstring>

#include "media/key_codes.h"
#include "web/web_keys.h"
#include "web/web_page.h"

namespace {

constexpr uint8_t HELD = 0x80;
constexpr uint8_t KEY_F11 = 87;

// Buttons of the standard gamepad layout in the order the game numbers a game
// controller's (PAD_BUTTON_NAMES): A, B, X, Y, LB, RB, the left stick's
// click, Back, the right stick's click, Start, Guide; then the two triggers.
constexpr int32_t STANDARD_BUTTONS[] = {0, 1, 2, 3, 4, 5, 10, 8, 11, 9, 16, 6, 7};
// The buttons of the list above that have a name on the setup page.
constexpr int32_t NAMED_BUTTONS = 11;
constexpr int32_t DPAD_UP = 12, DPAD_DOWN = 13, DPAD_LEFT = 14, DPAD_RIGHT = 15;
constexpr int32_t RAW_AXIS_MIN = -32768, RAW_AXIS_MAX = 32767;

int32_t rawAxis(double value) {
  if (value < -1) value = -1;
  if (value > 1) value = 1;
  return int32_t(value * RAW_AXIS_MAX);
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* event, void* keyboard) {
  const uint8_t code = keyCodeFromKeyboardCode(event->code);
  if (code == 0) return EM_FALSE;
  static_cast<WebKeyboard*>(keyboard)->keyDown(code);
  // The page keeps the game's keys from the browser (arrows scrolling,
  // Space paging, Tab moving the focus, Alt+Left going back), but leaves it
  // its shortcuts with Ctrl or the Windows key, reload and full screen.
  if (event->ctrlKey || event->metaKey || code == KEY_F5 || code == KEY_F11) return EM_FALSE;
  return EM_TRUE;
}

EM_BOOL onKeyUp(int, const EmscriptenKeyboardEvent* event, void* keyboard) {
  const uint8_t code = keyCodeFromKeyboardCode(event->code);
  if (code == 0) return EM_FALSE;
  static_cast<WebKeyboard*>(keyboard)->keyUp(code);
  return EM_TRUE;
}

// Keys held when the page loses the focus never see their key-up.
EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void* keyboard) {
  static_cast<WebKeyboard*>(keyboard)->releaseAll();
  return EM_FALSE;
}

}  // namespace

bool WebKeyboard::listen() {
  const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  listening = emscripten_set_keydown_callback(page, this, EM_TRUE, onKeyDown) == EMSCRIPTEN_RESULT_SUCCESS &&
              emscripten_set_keyup_callback(page, this, EM_TRUE, onKeyUp) == EMSCRIPTEN_RESULT_SUCCESS &&
              emscripten_set_blur_callback(page, this, EM_TRUE, onBlur) == EMSCRIPTEN_RESULT_SUCCESS;
  return listening;
}

WebKeyboard::~WebKeyboard() {
  const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(page, nullptr, EM_TRUE, nullptr);
  emscripten_set_keyup_callback(page, nullptr, EM_TRUE, nullptr);
  emscripten_set_blur_callback(page, nullptr, EM_TRUE, nullptr);
}

void WebKeyboard::keyDown(uint8_t code) {
  held[code] = 1;
  pressedSinceRead[code] = 1;
  if (code == KEY_F12) captureKeySeen = true;
}

void WebKeyboard::keyUp(uint8_t code) { held[code] = 0; }

void WebKeyboard::releaseAll() { std::memset(held, 0, sizeof held); }

bool WebKeyboard::readState(uint8_t keys[256]) {
  awaitFrameTurn();
  for (int32_t code = 0; code < 256; code++) keys[code] = held[code] || pressedSinceRead[code] ? HELD : 0;
  std::memset(pressedSinceRead, 0, sizeof pressedSinceRead);
  return true;
}

bool WebKeyboard::takeCaptureKeySeen() {
  const bool seen = captureKeySeen;
  captureKeySeen = false;
  return seen;
}

bool WebPad::available() {
  return emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS;
}

bool WebPad::anyConnected() {
  if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return false;
  const int count = emscripten_get_num_gamepads();
  for (int i = 0; i < count; i++) {
    EmscriptenGamepadEvent pad;
    if (emscripten_get_gamepad_status(i, &pad) == EMSCRIPTEN_RESULT_SUCCESS && pad.connected) return true;
  }
  return false;
}

void WebPad::poll() { emscripten_sample_gamepad_data(); }

const char* WebPad::buttonName(int32_t button) const {
  if (!standardLayout || button < 0 || button >= NAMED_BUTTONS) return nullptr;
  return PAD_BUTTON_NAMES[button];
}

bool WebPad::readState(JoyState& state) {
  state = JoyState{};
  standardLayout = false;
  const int count = emscripten_get_num_gamepads();
  for (int i = 0; i < count; i++) {
    EmscriptenGamepadEvent pad;
    if (emscripten_get_gamepad_status(i, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !pad.connected) continue;
    const bool standard = std::strcmp(pad.mapping, "standard") == 0;
    auto pressed = [&](int32_t b) { return b < pad.numButtons && pad.digitalButton[b]; };
    state.lX = pad.numAxes > 0 ? scaleJoystickAxis(rawAxis(pad.axis[0]), RAW_AXIS_MIN, RAW_AXIS_MAX) : 0;
    state.lY = pad.numAxes > 1 ? scaleJoystickAxis(rawAxis(pad.axis[1]), RAW_AXIS_MIN, RAW_AXIS_MAX) : 0;
    standardLayout = standard;
    if (standard) {
      int32_t b = 0;
      for (int32_t button : STANDARD_BUTTONS) state.rgbButtons[b++] = pressed(button) ? HELD : 0;
      if (pressed(DPAD_LEFT)) state.lX = JOY_AXIS_MIN;
      if (pressed(DPAD_RIGHT)) state.lX = JOY_AXIS_MAX;
      if (pressed(DPAD_UP)) state.lY = JOY_AXIS_MIN;
      if (pressed(DPAD_DOWN)) state.lY = JOY_AXIS_MAX;
    } else {
      for (int32_t b = 0; b < BUTTONS; b++) state.rgbButtons[b] = pressed(b) ? HELD : 0;
    }
    return true;
  }
  return true;
}
