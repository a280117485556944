// Keyboard and joystick snapshots indexed the DirectInput way, the test that
// nothing at all is held, and the small device interfaces that fill them.
#pragma once

#include <cstdint>

// The 80-byte joystick record: six axes, two sliders, four point-of-view
// values and 32 button bytes. Only lX, lY and the buttons are used.
struct JoyState {
  int32_t lX = 0;
  int32_t lY = 0;
  int32_t lZ = 0;
  int32_t lRx = 0;
  int32_t lRy = 0;
  int32_t lRz = 0;
  int32_t rglSlider[2] = {0, 0};
  uint32_t rgdwPOV[4] = {0, 0, 0, 0};
  uint8_t rgbButtons[32] = {};
};
static_assert(sizeof(JoyState) == 80, "the joystick record is 80 bytes");

// A game controller's buttons in the order the bindings count them, with the
// names the setup page shows; each platform lays its pads' buttons out so. The
// first ten follow a PC pad's numbering (face buttons, shoulders, then Start
// at 9), except that Back and the right stick's click trade places: the
// default bindings then give each action its own button on a game controller
// (A jumps, B walks, Start pauses, the right stick's click retries, Back
// quits), while a plain joystick keeps the numbers it always had.
constexpr int32_t PAD_BUTTON_COUNT = 17;
constexpr const char* PAD_BUTTON_NAMES[PAD_BUTTON_COUNT] = {
    "A", "B", "X", "Y", "LB", "RB", "LS", "Back", "RS", "Start", "Guide", "Misc", "P1", "P2", "P3", "P4", "Touch"};
constexpr int32_t PAD_BUTTON_A = 0, PAD_BUTTON_B = 1, PAD_BUTTON_LB = 4, PAD_BUTTON_RB = 5, PAD_BUTTON_BACK = 7,
                  PAD_BUTTON_RIGHT_STICK = 8, PAD_BUTTON_START = 9;

// Axis range and dead zone (hundredths of a percent of the range: 15 %).
constexpr int32_t JOY_AXIS_MIN = -1024;
constexpr int32_t JOY_AXIS_MAX = 1024;
constexpr int32_t JOY_DEAD_ZONE = 1500;
constexpr int32_t JOY_MAX_BUTTONS = 32;

// One byte per key code; non-zero while the key is held.
extern uint8_t keyState[256];
extern JoyState joyState;
extern int32_t joyButtonCount;
// 1 once a joystick was found and set up; joyState stays all zero otherwise.
extern int32_t joystickPresent;

// The keyboard: fills the 256 key bytes. A failed read returns false and the
// previous snapshot stays.
class KeyboardDevice {
 public:
  virtual ~KeyboardDevice() = default;
  virtual bool readState(uint8_t keys[256]) = 0;
};

// The joystick: axes already scaled to JOY_AXIS_MIN..JOY_AXIS_MAX with the
// dead zone applied (scaleJoystickAxis), buttons as bytes.
class JoystickDevice {
 public:
  virtual ~JoystickDevice() = default;
  virtual void poll() {}
  virtual bool readState(JoyState& state) = 0;
  virtual int32_t buttonCount() const = 0;
  // The name of a button of a pad whose buttons are known ("A", "Start"),
  // nullptr for a joystick whose buttons only have numbers.
  virtual const char* buttonName(int32_t button) const {
    (void)button;
    return nullptr;
  }
};

// The devices in use, registered by the program at start-up; empty when absent.
extern KeyboardDevice* gKeyboard;
extern JoystickDevice* gJoystick;

// The pad in use changes while the game runs: the platform hands over a pad
// that arrived while none was in use, and takes back the one in use when it
// is removed. A fresh pad starts with nothing held.
void attachJoystick(JoystickDevice* device);
void detachJoystick();
// Lets go of the pad in use without telling play it was lost (shutting down).
void forgetJoystick();
// Set when the pad in use was removed; play takes it (it pauses the game) and
// the frame loop clears it after every frame.
extern int32_t joystickLost;

// Set by the platform when the program is being closed: from then on every
// snapshot reads as nothing held, so that release waits end.
extern int32_t inputClosing;

// Non-zero while a wait re-reads the devices until nothing is held. A device
// whose held keys nothing could ever release (an input script that has run
// out while holding keys) lets go of them on such a read, so the wait ends.
extern int32_t inputWaiting;

// Reads the keyboard into keyState and, when a joystick is present, polls it
// and reads it into joyState. Failed reads leave the previous snapshot.
void takeInputSnapshot();

// 1 when no key, no reported joystick button and no stick direction is held,
// 0 otherwise; with refresh non-zero a snapshot is taken first.
int32_t nothingPressed(int32_t refresh);

// Maps a raw axis reading of rawMin..rawMax onto JOY_AXIS_MIN..JOY_AXIS_MAX;
// readings within the dead zone around the centre give exactly 0.
int32_t scaleJoystickAxis(int32_t raw, int32_t rawMin, int32_t rawMax);
