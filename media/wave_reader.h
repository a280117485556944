// Reads a RIFF WAVE file held in memory: the format record and the PCM data.
// Never reads past the bytes it is given.
#pragma once

#include <cstdint>
#include <vector>

#include "media/sound.h"

// 0 and the format and sample bytes on success; -1 when the bytes are not
// a RIFF "WAVE" with a "fmt " chunk of at least 18 bytes of room, format tag 1
// (PCM), and a "data" chunk. Other chunks, before or between, are skipped.
int32_t readWave(const uint8_t* bytes, size_t size, WaveFormat& format, std::vector<uint8_t>& samples);
