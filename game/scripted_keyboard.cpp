// Merging the input script into the keyboard snapshot, and playing its pad.
#include "game/scripted_keyboard.h"

#include <cstring>

namespace {

constexpr uint8_t HELD = 0x80;

bool holdsAnything(const ScriptPad& pad) { return pad.buttons != 0 || pad.x != 0 || pad.y != 0; }

}  // namespace

bool ScriptedPad::readState(JoyState& state) {
  state = JoyState{};
  state.lX = held.x;
  state.lY = held.y;
  for (int32_t b = 0; b < buttonCount() && b < JOY_MAX_BUTTONS; b++) {
    if (held.buttons & (1u << b)) state.rgbButtons[b] = HELD;
  }
  return true;
}

const char* ScriptedPad::buttonName(int32_t button) const {
  return held.named && button >= 0 && button < PAD_BUTTON_COUNT ? PAD_BUTTON_NAMES[button] : nullptr;
}

ScriptedKeyboard::~ScriptedKeyboard() {
  if (gJoystick == &pad) forgetJoystick();
}

bool ScriptedKeyboard::readState(uint8_t keys[256]) {
  if (realKeyboard) realKeyboard->readState(realKeys);
  std::memcpy(keys, realKeys, sizeof realKeys);
  if (inputScript && !letGo) {
    const int64_t frame = frameNow;
    const std::vector<uint8_t>& held = inputScript->keysAt(frame);
    // Past its last line a script never changes again: a wait for released
    // keys would wait for good, so the keys and buttons it still holds are let go.
    if (inputWaiting && (!held.empty() || holdsAnything(inputScript->padAt(frame))) &&
        frame > inputScript->lastFrame()) {
      letGo = true;
    } else {
      for (uint8_t code : held) keys[code] = HELD;
    }
  }
  if (playsPad) playPad(frameNow);
  return true;
}

void ScriptedKeyboard::playPad(int64_t frame) {
  ScriptPad wanted = inputScript->padAt(frame);
  if (letGo) {
    wanted.buttons = 0;
    wanted.x = 0;
    wanted.y = 0;
  }
  // Another kind of pad is another pad: the one in use goes first.
  const bool inUse = gJoystick == &pad;
  if (inUse && (!wanted.present || wanted.named != pad.held.named)) detachJoystick();
  pad.held = wanted;
  if (wanted.present && gJoystick != &pad) attachJoystick(&pad);
}

ScriptPad padInUse() {
  ScriptPad pad;
  if (!joystickPresent || !gJoystick) return pad;
  pad.present = true;
  pad.named = gJoystick->buttonName(0) != nullptr;
  for (int32_t b = 0; b < joyButtonCount && b < JOY_MAX_BUTTONS; b++) {
    if (joyState.rgbButtons[b]) pad.buttons |= 1u << b;
  }
  pad.x = joyState.lX;
  pad.y = joyState.lY;
  return pad;
}
