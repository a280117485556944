// The keyboard the scripted driver reads: the real keyboard with the keys of
// an input script layered over it, and the recorder writing down what every
// read returned. Installed in place of the real keyboard, so every snapshot,
// a wait's re-reads among them, sees the same merged keys.
#pragma once

#include <cstdint>

#include "game/input_script.h"
#include "media/input.h"

class ScriptedKeyboard : public KeyboardDevice {
 public:
  // `real` may be absent; so may `script` and `recorder`. `frame` is the run's
  // frame counter: each read takes the script's keys of the frame it names.
  ScriptedKeyboard(KeyboardDevice* real, const InputScript* script, InputRecorder* recorder, const int64_t& frame)
      : realKeyboard(real), inputScript(script), inputRecorder(recorder), frameNow(frame) {}

  bool readState(uint8_t keys[256]) override;

  KeyboardDevice* real() const { return realKeyboard; }

 private:
  KeyboardDevice* realKeyboard;
  const InputScript* inputScript;
  InputRecorder* inputRecorder;
  const int64_t& frameNow;
  // The real keyboard's last good read: a failed read keeps it, while the
  // script's keys are laid over it afresh on every read.
  uint8_t realKeys[256] = {};
  // Set once a wait outlasted the script while it held keys.
  bool letGo = false;
};
