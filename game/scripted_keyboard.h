// The keyboard the scripted driver reads: the real keyboard with the keys of
// an input script layered over it, and, when the script holds a pad, the pad
// it plays, plugged in and out as the lines say. Installed in place of the
// real keyboard, so every snapshot, a wait's re-reads among them, sees the
// same merged keys and the pad of the same frame.
#pragma once

#include <cstdint>

#include "game/input_script.h"
#include "media/input.h"

// The pad of a script: a game controller with named buttons ("PAD") or a
// joystick with numbered ones ("JOY"), holding what the script says.
class ScriptedPad : public JoystickDevice {
 public:
  bool readState(JoyState& state) override;
  int32_t buttonCount() const override { return held.named ? PAD_BUTTON_COUNT : JOY_MAX_BUTTONS; }
  const char* buttonName(int32_t button) const override;
  ScriptPad held;
};

class ScriptedKeyboard : public KeyboardDevice {
 public:
  // `real` may be absent; so may `script`. `frame` is the run's frame
  // counter: each read takes the script's keys of the frame it names.
  ScriptedKeyboard(KeyboardDevice* real, const InputScript* script, const int64_t& frame)
      : realKeyboard(real), inputScript(script), playsPad(script && script->usesPads()), frameNow(frame) {}
  ~ScriptedKeyboard() override;

  // Also plugs the script's pad in or out and sets what it holds, before
  // the snapshot reads the pad.
  bool readState(uint8_t keys[256]) override;

  KeyboardDevice* real() const { return realKeyboard; }

 private:
  void playPad(int64_t frame);
  KeyboardDevice* realKeyboard;
  const InputScript* inputScript;
  const bool playsPad;  // the script holds a pad on some line
  const int64_t& frameNow;
  // The real keyboard's last good read: a failed read keeps it, while the
  // script's keys are laid over it afresh on every read.
  uint8_t realKeys[256] = {};
  // Set once a wait outlasted the script while it held keys or buttons.
  bool letGo = false;
  ScriptedPad pad;
};

// The pad in use as a script line would hold it (not present without one).
ScriptPad padInUse();
