// Converting PCM samples to planar floats.
#include "web/pcm_samples.h"

namespace {

constexpr uint16_t MAX_CHANNELS = 8;

float sampleAt(const uint8_t* p, uint16_t bits) {
  switch (bits) {
    case 8:
      return float(int32_t(p[0]) - 128) / 128.0f;
    case 16:
      return float(int16_t(uint16_t(p[0] | p[1] << 8))) / 32768.0f;
    case 24: {
      int32_t value = int32_t(uint32_t(p[0]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 24) >> 8;
      return float(value) / 8388608.0f;
    }
    default: {
      int32_t value = int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
      return float(double(value) / 2147483648.0);
    }
  }
}

}  // namespace

bool pcmToFloatChannels(const WaveFormat& format, const uint8_t* data, uint32_t size, std::vector<float>& channels,
                        uint32_t& frames) {
  const uint16_t bits = format.bitsPerSample;
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (format.channels < 1 || format.channels > MAX_CHANNELS || format.samplesPerSec == 0) return false;
  const uint32_t sampleBytes = bits / 8u;
  const uint32_t frameBytes = sampleBytes * format.channels;
  frames = size / frameBytes;
  channels.assign(size_t(frames) * format.channels, 0.0f);
  for (uint32_t f = 0; f < frames; f++) {
    for (uint16_t c = 0; c < format.channels; c++) {
      channels[size_t(c) * frames + f] = sampleAt(data + size_t(f) * frameBytes + size_t(c) * sampleBytes, bits);
    }
  }
  return true;
}
