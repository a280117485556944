// PCM samples of a sound file as the floating-point channels Web Audio plays.
#pragma once

#include <cstdint>
#include <vector>

#include "media/sound.h"

// Channel after channel, `frames` samples each, in -1..1. Takes 8-bit
// unsigned and 16-, 24- and 32-bit signed little-endian samples of 1 to 8
// channels; a partial frame at the end is dropped. False for any other format.
bool pcmToFloatChannels(const WaveFormat& format, const uint8_t* data, uint32_t size, std::vector<float>& channels,
                        uint32_t& frames);
