// The game palette: 256 colours built from named ramps (dark to light), the sky
// gradient, the gauge colours and the shimmer entries the frame loop cycles.
#pragma once

#include <array>
#include <cstdint>

struct Rgb {
  uint8_t r, g, b;
};
using Palette = std::array<Rgb, 256>;

// First index of each ramp; a ramp holds RAMP_LENGTH shades, 0 darkest.
constexpr int RAMP_LENGTH = 8;
enum Ramp : uint8_t {
  GREY = 1,  // 16 shades: 1 near black .. 16 white
  WOOD = 17,
  EARTH = 25,
  GRASS = 33,
  STONE = 41,
  RED = 49,
  ORANGE = 57,
  GOLD = 65,
  BLUE = 73,
  WATER = 81,
  PURPLE = 89,
  SKIN = 97,
  TEAL = 105,
  FOLIAGE = 113,
  SAND = 121,
  ICE = 129,
  MAGENTA = 137,  // 7 shades
  BRICK = 160,
  STEEL = 168,
  LAVA = 176,
  LIME = 184,
  VIOLET = 192,
  NAVY = 200,
  OLIVE = 208,
  ROSE = 216,
  WARM = 224,
  PALE = 232,
};

constexpr uint8_t TRANSPARENT = 0;    // the colour key; also the backdrop below the sky
constexpr uint8_t SKY_FIRST = 144;    // 16 sky bands, 144 at the top of the screen
constexpr uint8_t GAUGE_FIRST = 240;  // 240-242 air gauge (light to dark), 243-245 time gauge
constexpr uint8_t BLACK = 246;
constexpr uint8_t SHIMMER_FIRST = 248;  // 248-253: the blue of these is cycled in play
constexpr int SHIMMER_COUNT = 6;
constexpr uint8_t OUTLINE = 254;
constexpr uint8_t WHITE = 255;

// Shade i (0 darkest) of a ramp; clamped to the ramp.
constexpr uint8_t shade(Ramp ramp, int i) {
  int last = ramp == GREY ? 15 : ramp == MAGENTA ? 6 : RAMP_LENGTH - 1;
  return uint8_t(ramp + (i < 0 ? 0 : i > last ? last : i));
}

const Palette& gamePalette();
// The intro show's own palette: the game palette with entry 0 black, so the
// rows the show leaves unwritten read as black gaps.
Palette introPalette();
// 768 bytes: red, green, blue of entry 0, then entry 1, ...
std::array<uint8_t, 768> paletteBytes(const Palette& palette);
