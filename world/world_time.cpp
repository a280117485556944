// The level time step: its stored code in the flags, and the time limit it stands for.
#include "world/world_file.h"

#include <algorithm>

int32_t timeStepFromCode(int32_t code) {
  const int32_t k = code & 0xF;
  if (k == 0) return 3;
  if (k <= 3) return k - 1;
  return k;
}

int32_t timeCodeFromStep(int32_t step) {
  const int32_t s = std::clamp(step, 0, TIME_STEP_COUNT - 1);
  if (s <= 2) return s + 1;
  if (s == 3) return 0;
  return s;
}

int32_t levelTimeStep(int32_t flags) {
  return timeStepFromCode((flags & LEVEL_TIME_CODE) >> LEVEL_TIME_CODE_SHIFT);
}

int32_t withTimeStep(int32_t flags, int32_t step) {
  return (flags & ~LEVEL_TIME_CODE) | (timeCodeFromStep(step) << LEVEL_TIME_CODE_SHIFT);
}

// Width factor of each step in hundredths; step 15 has no limit.
constexpr int32_t TIME_FACTOR_PERCENT[TIME_STEP_COUNT - 1] = {
    60, 75, 90, 100, 125, 150, 175, 200, 225, 250, 275, 300, 325, 330, 360};

int64_t levelTimeLimitMs(int32_t flags, int32_t width) {
  const int32_t step = levelTimeStep(flags);
  if (step == TIME_STEP_UNLIMITED) return -1;
  if (flags & LEVEL_TICK_TIME) return int64_t(step + 1) * 15000;
  // factor x width / 2 seconds = percent / 100 x width / 2 x 1000 ms
  return int64_t(TIME_FACTOR_PERCENT[step]) * width * 5;
}
