// SDL2_mixer voices for the sound pool. A stopped voice is paused, so that
// playing it again goes on from where it stopped; a rewind halts the channel,
// so that the next play starts from the beginning.
#include "media/sdl/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>
#include <new>

namespace {

constexpr int MIXER_RATE = 44100;
constexpr int MIXER_CHANNELS = 2;
constexpr int MIXER_CHUNK = 1024;
// The most working room any sound's conversion may take. SDL asks for the
// sound's size times a factor that grows with the ratio of the rates; the
// longest sound the reader accepts (30 seconds) needs at most 46 MB at any
// accepted rate, a 1 Hz sound of 60 KB would need 42 GB.
constexpr uint64_t CONVERSION_LIMIT = uint64_t(64) << 20;

// Converted samples shared by a voice and its duplicates.
struct ChunkData {
  std::vector<uint8_t> samples;
  Mix_Chunk* chunk = nullptr;
  ~ChunkData() {
    if (chunk) Mix_FreeChunk(chunk);
  }
};

class SdlVoice : public SoundBuffer {
 public:
  SdlVoice(SdlSoundDevice& owner, std::shared_ptr<ChunkData> chunkData, int32_t mixerChannel)
      : device(owner), data(std::move(chunkData)), channel(mixerChannel) {}
  ~SdlVoice() override {
    if (mine()) Mix_HaltChannel(channel);
    device.giveBackChannel(channel);
  }

  bool play(bool looping) override {
    if (mine() && Mix_Paused(channel) && !looping) {
      Mix_Resume(channel);
      return true;
    }
    return Mix_PlayChannel(channel, data->chunk, looping ? -1 : 0) >= 0;
  }
  void stop() override {
    if (mine()) Mix_Pause(channel);
  }
  void setCurrentPosition(uint32_t) override {
    if (mine()) Mix_HaltChannel(channel);
  }
  bool isPlaying() const override { return mine() && Mix_Playing(channel) && !Mix_Paused(channel); }

  const std::shared_ptr<ChunkData>& shared() const { return data; }

 private:
  bool mine() const { return Mix_GetChunk(channel) == data->chunk && Mix_Playing(channel); }
  SdlSoundDevice& device;
  std::shared_ptr<ChunkData> data;
  int32_t channel;
};

SDL_AudioFormat sdlFormat(const WaveFormat& format) {
  switch (format.bitsPerSample) {
    case 8:
      return AUDIO_U8;
    case 16:
      return AUDIO_S16LSB;
    case 32:
      return AUDIO_S32LSB;
    default:
      return 0;
  }
}

}  // namespace

std::unique_ptr<SdlSoundDevice> SdlSoundDevice::open() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  if (Mix_OpenAudio(MIXER_RATE, AUDIO_S16SYS, MIXER_CHANNELS, MIXER_CHUNK) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  return std::unique_ptr<SdlSoundDevice>(new SdlSoundDevice());
}

SdlSoundDevice::~SdlSoundDevice() {
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundDevice::reserveChannels(int32_t channels) {
  if (Mix_AllocateChannels(channels) < channels) return false;
  if (int32_t(channelsInUse.size()) < channels) channelsInUse.resize(size_t(channels), false);
  return true;
}

int32_t SdlSoundDevice::takeChannel() {
  for (size_t i = 0; i < channelsInUse.size(); i++) {
    if (!channelsInUse[i]) {
      channelsInUse[i] = true;
      return int32_t(i);
    }
  }
  int32_t next = int32_t(channelsInUse.size());
  if (!reserveChannels(next + 1)) return -1;
  channelsInUse[size_t(next)] = true;
  return next;
}

void SdlSoundDevice::giveBackChannel(int32_t channel) {
  if (channel >= 0 && size_t(channel) < channelsInUse.size()) channelsInUse[size_t(channel)] = false;
}

void SdlSoundDevice::setVolume(int32_t percent) {
  const int32_t clamped = percent < 0 ? 0 : percent > 100 ? 100 : percent;
  Mix_MasterVolume(clamped * MIX_MAX_VOLUME / 100);
}

std::unique_ptr<SoundBuffer> SdlSoundDevice::createBuffer(const WaveFormat& format, const uint8_t* data, uint32_t size) {
  SDL_AudioFormat from = sdlFormat(format);
  if (!from || format.channels < 1 || format.channels > 8 || format.samplesPerSec == 0 || size == 0) return nullptr;
  int rate = 0, channels = 0;
  Uint16 to = 0;
  if (!Mix_QuerySpec(&rate, &to, &channels)) return nullptr;
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, from, Uint8(format.channels), int(format.samplesPerSec), to, Uint8(channels), rate) < 0) {
    return nullptr;
  }
  // The conversion works in place in a buffer len_mult times the sound's
  // size, and len_mult grows with the ratio of the rates: its size is checked
  // before anything is allocated, and a failed allocation refuses the sound.
  const uint64_t room = uint64_t(size) * uint64_t(cvt.len_mult > 0 ? cvt.len_mult : 1);
  if (room > CONVERSION_LIMIT) return nullptr;
  try {
    auto shared = std::make_shared<ChunkData>();
    cvt.len = int(size);
    shared->samples.assign(size_t(room), 0);
    std::memcpy(shared->samples.data(), data, size);
    cvt.buf = shared->samples.data();
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return nullptr;
    const int converted = cvt.needed ? cvt.len_cvt : cvt.len;
    if (converted <= 0 || uint64_t(converted) > room) return nullptr;
    shared->samples.resize(size_t(converted));
    shared->samples.shrink_to_fit();
    shared->chunk = Mix_QuickLoad_RAW(shared->samples.data(), Uint32(shared->samples.size()));
    if (!shared->chunk) return nullptr;
    int32_t channel = takeChannel();
    if (channel < 0) return nullptr;
    return std::make_unique<SdlVoice>(*this, shared, channel);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

std::unique_ptr<SoundBuffer> SdlSoundDevice::duplicateBuffer(const SoundBuffer& original) {
  const auto* voice = dynamic_cast<const SdlVoice*>(&original);
  if (!voice) return nullptr;
  int32_t channel = takeChannel();
  if (channel < 0) return nullptr;
  return std::make_unique<SdlVoice>(*this, voice->shared(), channel);
}
