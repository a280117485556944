// SDL keyboard and pads behind the input snapshot: SDL scancodes become
// DirectInput key codes; a game controller or joystick becomes the joystick
// with scaled axes and the dead zone. The pads come and go: the first one
// attached is used, another is taken when it arrives while none is in use,
// and the community mapping files name the buttons of more pads.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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
  // Device `index` as a game controller when SDL knows its buttons, else as a
  // joystick; nullptr when it cannot be opened.
  static std::unique_ptr<SdlJoystick> open(int index);
  void poll() override;
  bool readState(JoyState& state) override;
  int32_t buttonCount() const override { return buttons; }
  // A game controller's buttons by their names; a joystick's have none.
  const char* buttonName(int32_t button) const override;
  SDL_JoystickID instanceId() const { return instance; }

 private:
  SDL_GameController* controller = nullptr;
  SDL_Joystick* joystick = nullptr;
  SDL_JoystickID instance = -1;
  int32_t buttons = 0;
};

// Adds the game-controller mappings of a file in the community format
// (gamecontrollerdb.txt: "GUID,name,a:b0,...,platform:Linux," a line) to
// SDL's own. The file is read only when it is a regular file of a sensible
// size; lines that are not mappings are passed over. The number of mappings
// added, or -1 with the reason in *error.
int32_t addPadMappings(const std::string& path, std::string* error);

// The pads: SDL's joystick and game-controller systems, the mapping files,
// the pad in use and the device events that change it. The pad in use is
// handed to the input snapshot with attachJoystick and taken back with
// detachJoystick.
class SdlPads {
 public:
  ~SdlPads();
  // Starts SDL's pad systems, adds the mappings of those files that exist
  // (a problem with one is told on the error output), and uses the first
  // pad attached. False when the systems cannot start.
  bool start(const std::vector<std::string>& mappingFiles);
  // A pad arriving while none is in use is taken; when the pad in use is
  // removed it is let go, and another one still attached is taken.
  void handleEvent(const SDL_Event& event);
  SdlJoystick* inUse() const { return pad.get(); }

 private:
  // Opens the first pad attached, when none is open.
  void openFirst();
  void useFirstAttached();
  void letGo();
  std::unique_ptr<SdlJoystick> pad;
  bool started = false;
};

// The pads the event pump hands device events to; nullptr when none are started.
extern SdlPads* gSdlPads;
