// SDL keyboard and joystick behind the input snapshot: SDL scancodes become
// DirectInput key codes; the first joystick or game controller becomes the
// joystick with scaled axes and the dead zone.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>

#include "media/input.h"

// The DirectInput key code of an SDL scancode, 0 for keys the table lacks.
uint8_t keyCodeFromScancode(SDL_Scancode scancode);
// The SDL scancode of a key code, SDL_SCANCODE_UNKNOWN when none.
SDL_Scancode scancodeFromKeyCode(uint8_t code);

class SdlKeyboard : public KeyboardDevice {
 public:
  // The keys as of the last event pump: the shell pumps the events once
  // before every reading.
  bool readState(uint8_t keys[256]) override;
};

class SdlJoystick : public JoystickDevice {
 public:
  ~SdlJoystick() override;
  // The first attached joystick or game controller, or nullptr.
  static std::unique_ptr<SdlJoystick> openFirst();
  void poll() override;
  bool readState(JoyState& state) override;
  int32_t buttonCount() const override { return buttons; }

 private:
  SDL_GameController* controller = nullptr;
  SDL_Joystick* joystick = nullptr;
  int32_t buttons = 0;
};
