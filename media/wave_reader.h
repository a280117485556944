// Reads a RIFF WAVE file held in memory: the format record and the PCM data.
// Never reads past the bytes it is given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/sound.h"

// The formats a sound effect may have. Anything else is refused before any
// memory is allocated for its samples, so that no file can make the device's
// conversion to its own rate and format ask for more than a short sound needs:
// PCM, 1 or 2 channels, 8 or 16 bits a sample, 8000 to 96000 samples a second,
// a block alignment of channels x bytes a sample, and 1 sample frame to 30 seconds.
constexpr uint16_t WAVE_MAX_CHANNELS = 2;
constexpr uint32_t WAVE_MIN_RATE = 8000;
constexpr uint32_t WAVE_MAX_RATE = 96000;
constexpr uint32_t WAVE_MAX_SECONDS = 30;

// Why `format` is not one a sound effect may have; empty when it is.
std::string waveFormatProblem(const WaveFormat& format);

// 0 and the format and sample bytes on success; -1 when the bytes are not
// a RIFF "WAVE" with a "fmt " chunk of at least 18 bytes of room, format tag 1
// (PCM), a format accepted above, and a "data" chunk of 1 sample frame to
// 30 seconds. Other chunks, before or between, are skipped. On -1, *why
// (when given) says what is wrong.
int32_t readWave(const uint8_t* bytes, size_t size, WaveFormat& format, std::vector<uint8_t>& samples,
                 std::string* why = nullptr);
