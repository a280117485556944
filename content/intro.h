// The intro show (data00.glb): two 640 x 400 title pictures in the interleaved
// two-layer record layout the show reads, then the show's own palette.
#pragma once

#include <cstdint>
#include <vector>

#include "content/canvas.h"

// The 1280 x 400 panorama: picture one (the title) left, picture two right. It
// wraps around, so the layers scrolling in opposite directions meet seamlessly.
Canvas introPanorama(const Canvas& sheet);
// 400 records of 2560 bytes, then 768 palette bytes (1,024,768 bytes).
std::vector<uint8_t> introFile(const Canvas& panorama);
