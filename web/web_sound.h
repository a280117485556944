// The sound device over Web Audio: each sound's samples, read by the game's
// own WAV reader, become an audio buffer once; each voice plays it through
// a buffer source it starts, stops and rewinds. Browsers let a page make
// sound only after the player pressed a key or a button: the page resumes
// the audio then, and sounds played before it are not heard.
#pragma once

#include <memory>

#include "media/sound.h"

class WebSoundDevice : public SoundDevice {
 public:
  // nullptr when the browser has no Web Audio.
  static std::unique_ptr<WebSoundDevice> open();
  ~WebSoundDevice() override;

  std::unique_ptr<SoundBuffer> createBuffer(const WaveFormat& format, const uint8_t* data, uint32_t size) override;
  std::unique_ptr<SoundBuffer> duplicateBuffer(const SoundBuffer& original) override;
};
