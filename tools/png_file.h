// A small PNG encoder for 8-bit palette pictures: the image data goes into
// stored (uncompressed) deflate blocks, so no compression library is needed.
#pragma once

#include <cstdint>
#include <vector>

// Encodes width x height palette indices (rows `pitch` bytes apart) with the
// 256-entry palette (768 bytes of red, green, blue). Empty when a side is 0 or less.
std::vector<uint8_t> encodePng(const uint8_t* pixels, int32_t width, int32_t height, int32_t pitch,
                               const uint8_t palette[768]);
