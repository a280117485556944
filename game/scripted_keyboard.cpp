// Merging the input script into the keyboard snapshot, and recording it.
#include "game/scripted_keyboard.h"

#include <cstring>

namespace {

constexpr uint8_t HELD = 0x80;

}  // namespace

bool ScriptedKeyboard::readState(uint8_t keys[256]) {
  if (realKeyboard) realKeyboard->readState(realKeys);
  std::memcpy(keys, realKeys, sizeof realKeys);
  if (inputScript && !letGo) {
    const int64_t frame = frameNow;
    const std::vector<uint8_t>& held = inputScript->keysAt(frame);
    // Past its last line a script never changes again: a wait for released
    // keys would wait for good, so the keys it still holds are let go.
    if (inputWaiting && !held.empty() && frame > inputScript->lastFrame()) {
      letGo = true;
    } else {
      for (uint8_t code : held) keys[code] = HELD;
    }
  }
  if (inputRecorder) inputRecorder->record(frameNow, keys);
  return true;
}
