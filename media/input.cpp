// The keyboard and joystick snapshots and the test that nothing is held.
#include "media/input.h"

#include <cstdlib>
#include <cstring>

uint8_t keyState[256] = {};
JoyState joyState;
int32_t joyButtonCount = 0;
int32_t joystickPresent = 0;
KeyboardDevice* gKeyboard = nullptr;
JoystickDevice* gJoystick = nullptr;
int32_t inputClosing = 0;
int32_t inputWaiting = 0;
int32_t joystickLost = 0;

static void clearSnapshot() {
  std::memset(keyState, 0, sizeof keyState);
  joyState = JoyState{};
}

void attachJoystick(JoystickDevice* device) {
  if (!device) return;
  gJoystick = device;
  joyButtonCount = device->buttonCount();
  joystickPresent = 1;
  joyState = JoyState{};
}

void forgetJoystick() {
  gJoystick = nullptr;
  joyButtonCount = 0;
  joystickPresent = 0;
  joyState = JoyState{};
}

void detachJoystick() {
  if (!gJoystick) return;
  forgetJoystick();
  joystickLost = 1;
}

void takeInputSnapshot() {
  if (gKeyboard) gKeyboard->readState(keyState);
  if (joystickPresent && gJoystick) {
    gJoystick->poll();
    JoyState read;
    if (gJoystick->readState(read)) joyState = read;
  }
  // A close seen while reading ends every wait for released keys.
  if (inputClosing) clearSnapshot();
}

int32_t nothingPressed(int32_t refresh) {
  if (refresh) takeInputSnapshot();
  bool pressed = false;
  for (uint8_t b : keyState) pressed = pressed || b != 0;
  if (joystickPresent) {
    if (joyState.lX != 0 || joyState.lY != 0) pressed = true;
    int32_t buttons = joyButtonCount < JOY_MAX_BUTTONS ? joyButtonCount : JOY_MAX_BUTTONS;
    for (int32_t i = 0; i < buttons; i++) pressed = pressed || joyState.rgbButtons[i] != 0;
  }
  return pressed ? 0 : 1;
}

int32_t scaleJoystickAxis(int32_t raw, int32_t rawMin, int32_t rawMax) {
  if (rawMax <= rawMin) return 0;
  // Work in the full range first, then cut the dead zone out of the middle
  // and stretch what is left, so that full travel still reads the limit.
  int64_t span = int64_t(rawMax) - rawMin;
  int64_t full = (2 * (int64_t(raw) - rawMin) - span) * JOY_AXIS_MAX / span;
  if (full > JOY_AXIS_MAX) full = JOY_AXIS_MAX;
  if (full < -JOY_AXIS_MAX) full = -JOY_AXIS_MAX;
  int64_t dead = int64_t(JOY_AXIS_MAX) * JOY_DEAD_ZONE / 10000;
  int64_t size = full < 0 ? -full : full;
  if (size <= dead) return 0;
  int64_t scaled = (size - dead) * JOY_AXIS_MAX / (JOY_AXIS_MAX - dead);
  return int32_t(full < 0 ? -scaled : scaled);
}
