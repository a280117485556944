// The browser's keyboard and gamepad as the game's input devices: key events
// of the page (Emscripten's HTML5 API) kept as held keys, and the first
// gamepad of the Gamepad API read as the joystick record.
#pragma once

#include <cstdint>

#include "media/input.h"

// Holds the keys the page's key events say are down. A key pressed and let go
// between two reads still counts as held for the next read, so that a tap
// shorter than a frame is never lost. Reading it is where a frame waits for
// its turn (the page's frame step): every frame reads the keyboard once.
class WebKeyboard : public KeyboardDevice {
 public:
  // Listens to the page's key and focus events; false when it cannot.
  bool listen();
  ~WebKeyboard() override;
  bool readState(uint8_t keys[256]) override;

  // True once after F12 was pressed: a capture may be waiting to be offered.
  bool takeCaptureKeySeen();

  void keyDown(uint8_t code);
  void keyUp(uint8_t code);
  void releaseAll();

 private:
  bool listening = false;
  bool captureKeySeen = false;
  uint8_t held[256] = {};
  uint8_t pressedSinceRead[256] = {};
};

// The first connected gamepad. Present from the start (browsers show a pad
// only once it is used), reading as centred with nothing pressed while no
// pad is there. A pad of the standard layout numbers its buttons as the SDL
// game does (A, B, X, Y, LB, RB, left stick, right stick, Back, Start,
// Guide, then the triggers), its directional pad counts as the stick pushed
// all the way; other pads give their own buttons and first two axes.
class WebPad : public JoystickDevice {
 public:
  static constexpr int32_t BUTTONS = 16;
  // True when the browser has the Gamepad API at all.
  static bool available();
  // True when the browser shows at least one pad (it shows one only after
  // one of its buttons was pressed on this page).
  static bool anyConnected();
  void poll() override;
  bool readState(JoyState& state) override;
  int32_t buttonCount() const override { return BUTTONS; }
  // A pad of the browser's standard layout has its buttons named.
  const char* buttonName(int32_t button) const override;

 private:
  bool standardLayout = false;  // the pad last read has the standard layout
};
