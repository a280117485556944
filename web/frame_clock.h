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

  // True when the next step may run at an animation frame of time `now`
  // (milliseconds): the first step at once, later ones once due.
  bool stepDue(double now) const { return !started || now >= nextDue; }

  // The step runs at an animation frame of time `now`: the next one is due
  // one step after this one was.
  void stepStarted(double now);

  double nextDueTime() const { return nextDue; }

 private:
  bool started = false;
  double nextDue = 0;
};
