// Builds the game palette from three key colours per ramp (dark, middle, light),
// with the fixed entries the display code relies on.
#include "content/palette.h"

namespace {

struct RampKeys {
  Ramp first;
  int count;
  Rgb dark, mid, light;
};

constexpr RampKeys RAMPS[] = {
    {GREY, 16, {20, 18, 28}, {132, 130, 140}, {255, 255, 255}},
    {WOOD, 8, {60, 34, 20}, {140, 86, 44}, {226, 176, 116}},
    {EARTH, 8, {54, 34, 26}, {124, 80, 50}, {200, 150, 100}},
    {GRASS, 8, {18, 66, 30}, {60, 164, 50}, {186, 240, 100}},
    {STONE, 8, {38, 42, 58}, {104, 112, 136}, {202, 210, 226}},
    {RED, 8, {80, 10, 24}, {206, 40, 40}, {255, 160, 140}},
    {ORANGE, 8, {110, 40, 10}, {236, 124, 30}, {255, 214, 130}},
    {GOLD, 8, {110, 66, 10}, {236, 184, 30}, {255, 252, 180}},
    {BLUE, 8, {20, 28, 90}, {50, 100, 214}, {170, 214, 255}},
    {WATER, 8, {10, 40, 104}, {30, 116, 206}, {160, 226, 255}},
    {PURPLE, 8, {40, 16, 70}, {124, 62, 186}, {216, 176, 255}},
    {SKIN, 8, {110, 50, 40}, {232, 152, 112}, {255, 226, 196}},
    {TEAL, 8, {10, 60, 60}, {30, 152, 140}, {150, 244, 214}},
    {FOLIAGE, 8, {10, 36, 24}, {30, 94, 52}, {100, 170, 86}},
    {SAND, 8, {110, 90, 50}, {212, 182, 122}, {255, 246, 214}},
    {ICE, 8, {60, 110, 164}, {150, 212, 242}, {244, 255, 255}},
    {MAGENTA, 7, {90, 20, 70}, {212, 62, 162}, {255, 176, 232}},
    {BRICK, 8, {70, 24, 22}, {164, 72, 52}, {236, 156, 116}},
    {STEEL, 8, {34, 40, 52}, {112, 122, 142}, {224, 232, 242}},
    {LAVA, 8, {90, 10, 0}, {224, 64, 0}, {255, 214, 70}},
    {LIME, 8, {40, 80, 10}, {134, 204, 30}, {234, 255, 156}},
    {VIOLET, 8, {20, 14, 40}, {62, 42, 104}, {136, 116, 186}},
    {NAVY, 8, {16, 24, 50}, {40, 62, 104}, {94, 126, 176}},
    {OLIVE, 8, {50, 50, 20}, {122, 122, 52}, {204, 204, 124}},
    {ROSE, 8, {90, 30, 50}, {204, 92, 124}, {255, 194, 214}},
    {WARM, 8, {50, 44, 40}, {132, 122, 112}, {224, 214, 204}},
    {PALE, 8, {122, 142, 172}, {192, 212, 232}, {250, 252, 255}},
};

uint8_t mix(uint8_t a, uint8_t b, int num, int den) {
  return uint8_t((a * (den - num) + b * num + den / 2) / den);
}

Rgb mixRgb(Rgb a, Rgb b, int num, int den) {
  return {mix(a.r, b.r, num, den), mix(a.g, b.g, num, den), mix(a.b, b.b, num, den)};
}

Palette build() {
  Palette p{};
  for (const RampKeys& ramp : RAMPS) {
    int half = (ramp.count - 1) / 2;  // shade `half` is the middle key
    for (int i = 0; i < ramp.count; ++i) {
      Rgb c = i <= half ? mixRgb(ramp.dark, ramp.mid, i, half)
                        : mixRgb(ramp.mid, ramp.light, i - half, ramp.count - 1 - half);
      p[ramp.first + i] = c;
    }
  }
  // Sky: 16 bands from a deep blue at the top of the screen to a pale horizon;
  // entry 0 continues the gradient one step, so the backdrop under the sky
  // strip meets it without a seam.
  const Rgb skyTop{52, 98, 196}, skyLow{150, 204, 250};
  for (int k = 0; k < 16; ++k) p[SKY_FIRST + k] = mixRgb(skyTop, skyLow, k, 16);
  p[TRANSPARENT] = skyLow;
  // Gauges: air 240 (centre row, light) to 242 (edge rows, dark); time 243 to 245.
  p[240] = {190, 244, 255};
  p[241] = {70, 172, 240};
  p[242] = {20, 78, 160};
  p[243] = {255, 236, 110};
  p[244] = {238, 164, 30};
  p[245] = {150, 78, 10};
  p[BLACK] = {0, 0, 0};
  p[247] = {255, 255, 255};
  // Shimmer: the cycling sets each blue to 0 or 127, red and green stay. With
  // full red and green that is a twinkle between yellow and pale yellow: glints
  // on water, coins and the exit. Loaded as the cycle's last phase leaves them.
  for (int i = 0; i < SHIMMER_COUNT; ++i)
    p[SHIMMER_FIRST + i] = {255, 255, uint8_t(i < 3 ? 127 : 0)};
  p[OUTLINE] = {24, 20, 36};
  p[WHITE] = {255, 255, 255};
  return p;
}

}  // namespace

const Palette& gamePalette() {
  static const Palette palette = build();
  return palette;
}

Palette introPalette() {
  Palette p = gamePalette();
  p[TRANSPARENT] = {0, 0, 0};
  return p;
}

std::array<uint8_t, 768> paletteBytes(const Palette& palette) {
  std::array<uint8_t, 768> bytes{};
  for (int i = 0; i < 256; ++i) {
    bytes[3 * i] = palette[i].r;
    bytes[3 * i + 1] = palette[i].g;
    bytes[3 * i + 2] = palette[i].b;
  }
  return bytes;
}
