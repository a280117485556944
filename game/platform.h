// What the shell needs of the platform: the display device, the window, the
// sound and input devices, the millisecond tick and the sleep to a tick, the
// window events, the load-error message and key names. The SDL platform, the
// headless platform and the tests provide it.
#pragma once

#include <cstdint>
#include <cstring>

#include "media/key_codes.h"

class DisplayDevice;
class SoundDevice;
class KeyboardDevice;
class JoystickDevice;

class ShellPlatform {
 public:
  virtual ~ShellPlatform() = default;

  // Loading steps, in loadGame's order. Each returns what it made (nullptr on
  // failure) or 0 / non-zero.
  virtual DisplayDevice* createDisplayDevice() = 0;
  virtual int32_t takeOverWindow() = 0;
  // The letterbox mode is asked for at once (no 640 x 400 attempt).
  virtual bool forceLetterbox() const { return false; }
  virtual SoundDevice* createSoundDevice() = 0;  // nullptr: the game runs silent
  virtual int32_t prepareSoundDevice() { return 0; }
  virtual int32_t createInputSystem() { return 0; }
  // The keyboard, or nullptr with `failure` set to the load code of the failed step.
  virtual KeyboardDevice* createKeyboard(int32_t& failure) = 0;
  // Starts watching for pads and returns the first one attached, or nullptr.
  // Pads come and go while the game runs: the platform hands one that arrives
  // while none is in use to the snapshot with attachJoystick, and takes the
  // one in use back with detachJoystick when it is removed (media/input.h).
  // A game controller's buttons are numbered as PAD_BUTTON_NAMES lists them.
  virtual JoystickDevice* openJoystick() { return nullptr; }

  // Shutdown, releasing what the steps above made. releaseJoystick is called
  // whether a pad is in use or not, and lets go of every pad.
  virtual void releaseJoystick() {}
  virtual void releaseKeyboard() {}
  virtual void releaseInputSystem() {}
  virtual void releaseSoundDevice() {}
  virtual void releaseDisplayDevice() {}

  // Time: the millisecond tick, and waits for pacing.
  virtual uint32_t tickCount() = 0;
  virtual void sleepMilliseconds(uint32_t ms) = 0;
  // Sleeps once, until the tick count reaches `tick` (compared as a signed
  // difference, so across the wrap of the tick too); at once when it has.
  // A platform with a finer clock wakes at the start of that millisecond.
  virtual void sleepUntilTick(uint32_t tick) {
    int32_t remaining = int32_t(tick - tickCount());
    if (remaining > 0) sleepMilliseconds(uint32_t(remaining));
  }
  // Whether the loop paces frames at all (off when running headless).
  virtual bool pacing() const { return true; }

  // Handles every waiting window event: focus sets appActive, a close ends
  // the program through closeWindow. The loop calls it once before each
  // reading of the devices (a pass's, and each of a wait's re-reads).
  virtual void pumpEvents() = 0;
  virtual void showLoadError(const char* text) = 0;

  // The display name of a key code in at most size - 1 characters and a
  // zero; false, leaving `out` alone, for a code it cannot name. Every
  // platform shows the key-code table's labels, which fit the setup page whole.
  virtual bool keyName(int32_t code, char* out, int32_t size) {
    const char* name = keyLabelFromCode(code);
    if (!name || size < 1) return false;
    std::strncpy(out, name, size_t(size - 1));
    out[size - 1] = 0;
    return true;
  }
};

extern ShellPlatform* platform;
