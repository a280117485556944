// The page's frame step: 16 ms steps run on the browser's animation frames,
// one or more per animation frame as they fall due, so that the steps keep
// their 16 ms on average whatever the display's refresh rate.
#pragma once

#include <cstdint>

class FrameClock {
 public:
  // A clock that fell this far behind (a stall, a hidden tab) starts afresh
  // instead of running the missed steps back to back.
  static constexpr double CATCH_UP_LIMIT_MS = 100;
  // At most this many steps run at one animation frame, so that steps that
  // take longer than 16 ms still let the browser paint and take input.
  static constexpr int32_t MAX_STEPS_PER_FRAME = 4;

  // True when the next step may run at an animation frame of time `now`
  // (milliseconds): the first step at once, later ones once due.
  bool stepDue(double now) const {
    if (started && now == frameTime && stepsAtFrame >= MAX_STEPS_PER_FRAME) return false;
    return !started || now >= nextDue;
  }

  // The step runs at an animation frame of time `now`: the next one is due
  // one step after this one was.
  void stepStarted(double now);

  double nextDueTime() const { return nextDue; }

 private:
  bool started = false;
  double nextDue = 0;
  double frameTime = 0;  // the animation frame the last step ran at
  int32_t stepsAtFrame = 0;
};
