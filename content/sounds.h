// The sixteen sound effects, synthesised: PCM RIFF WAVE files in pool-slot order.
#pragma once

#include <cstdint>
#include <vector>

constexpr int SOUND_COUNT = 16;
constexpr int SOUND_RATE = 22050;

// The WAV file image of slot `slot` (0..15).
std::vector<uint8_t> soundFile(int slot);
// Wraps 16-bit mono samples in a RIFF WAVE file image.
std::vector<uint8_t> waveFile(const std::vector<int16_t>& samples, int rate);
