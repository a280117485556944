// The sound device over SDL2_mixer: one mixer channel per voice; samples are
// converted once to the mixer's format when a sound is loaded.
#pragma once

#include <memory>
#include <vector>

#include "media/sound.h"

class SdlSoundDevice : public SoundDevice {
 public:
  // Opens the audio device; nullptr when there is none.
  static std::unique_ptr<SdlSoundDevice> open();
  ~SdlSoundDevice() override;
  // Makes sure the mixer has at least `channels` channels; false if it cannot.
  bool reserveChannels(int32_t channels);
  // The loudness of every sound, 0 (silent) to 100 percent.
  void setVolume(int32_t percent);

  std::unique_ptr<SoundBuffer> createBuffer(const WaveFormat& format, const uint8_t* data, uint32_t size) override;
  std::unique_ptr<SoundBuffer> duplicateBuffer(const SoundBuffer& original) override;

  int32_t takeChannel();
  void giveBackChannel(int32_t channel);

 private:
  std::vector<bool> channelsInUse;
};
