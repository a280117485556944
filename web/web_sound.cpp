// Web Audio voices for the sound pool. The page script keeps the audio
// buffers and voices (Glimb.audio); these calls name them by number.
#include "web/web_sound.h"

#include <emscripten.h>

#include <vector>

#include "web/pcm_samples.h"

namespace {

EM_JS(int, glimbAudioOpen, (), { return Glimb.audio.open() ? 1 : 0; });
EM_JS(void, glimbAudioClose, (), { Glimb.audio.close(); });
// The channels lie one after another in the float heap.
EM_JS(int, glimbAudioSound, (int channels, int frames, int rate, const float* samples), {
  const data = HEAPF32.subarray(samples >> 2, (samples >> 2) + channels * frames);
  return Glimb.audio.createSound(channels, frames, rate, data);
});
EM_JS(int, glimbAudioVoice, (int sound), { return Glimb.audio.createVoice(sound); });
EM_JS(void, glimbAudioRelease, (int voice), { Glimb.audio.releaseVoice(voice); });
EM_JS(int, glimbAudioPlay, (int voice, int looping), { return Glimb.audio.play(voice, looping != 0) ? 1 : 0; });
EM_JS(void, glimbAudioStop, (int voice), { Glimb.audio.stop(voice); });
EM_JS(void, glimbAudioSeek, (int voice, double seconds), { Glimb.audio.seek(voice, seconds); });
EM_JS(int, glimbAudioPlaying, (int voice), { return Glimb.audio.isPlaying(voice) ? 1 : 0; });

class WebVoice : public SoundBuffer {
 public:
  WebVoice(int32_t soundId, int32_t voiceId, uint32_t bytesPerSecond)
      : sound(soundId), voice(voiceId), byteRate(bytesPerSecond) {}
  ~WebVoice() override { glimbAudioRelease(voice); }

  bool play(bool looping) override { return glimbAudioPlay(voice, looping) != 0; }
  void stop() override { glimbAudioStop(voice); }
  // Positions are bytes of the sound's data, as the pool counts them.
  void setCurrentPosition(uint32_t position) override {
    glimbAudioSeek(voice, byteRate ? double(position) / byteRate : 0.0);
  }
  bool isPlaying() const override { return glimbAudioPlaying(voice) != 0; }

  int32_t soundId() const { return sound; }
  uint32_t bytesPerSecond() const { return byteRate; }

 private:
  int32_t sound;
  int32_t voice;
  uint32_t byteRate;
};

}  // namespace

std::unique_ptr<WebSoundDevice> WebSoundDevice::open() {
  if (!glimbAudioOpen()) return nullptr;
  return std::unique_ptr<WebSoundDevice>(new WebSoundDevice());
}

WebSoundDevice::~WebSoundDevice() { glimbAudioClose(); }

std::unique_ptr<SoundBuffer> WebSoundDevice::createBuffer(const WaveFormat& format, const uint8_t* data,
                                                          uint32_t size) {
  std::vector<float> channels;
  uint32_t frames = 0;
  if (!pcmToFloatChannels(format, data, size, channels, frames) || frames == 0) return nullptr;
  const int32_t sound = glimbAudioSound(format.channels, int(frames), int(format.samplesPerSec), channels.data());
  if (sound < 0) return nullptr;
  const int32_t voice = glimbAudioVoice(sound);
  if (voice < 0) return nullptr;
  const uint32_t bytesPerSecond = format.samplesPerSec * format.channels * (format.bitsPerSample / 8u);
  return std::make_unique<WebVoice>(sound, voice, bytesPerSecond);
}

std::unique_ptr<SoundBuffer> WebSoundDevice::duplicateBuffer(const SoundBuffer& original) {
  const auto* first = dynamic_cast<const WebVoice*>(&original);
  if (!first) return nullptr;
  const int32_t voice = glimbAudioVoice(first->soundId());
  if (voice < 0) return nullptr;
  return std::make_unique<WebVoice>(first->soundId(), voice, first->bytesPerSecond());
}
