// The frame step's due times.
#include "web/frame_clock.h"

#include "game/frame_loop.h"

void FrameClock::stepStarted(double now) {
  if (!started || now != frameTime) {
    frameTime = now;
    stepsAtFrame = 0;
  }
  stepsAtFrame++;
  if (!started || now - nextDue > CATCH_UP_LIMIT_MS) {
    started = true;
    nextDue = now;
  }
  // Counted from when the step was due, not from when it ran: a step run late
  // leaves its successor's due time where it was, so the average stays 16 ms.
  nextDue += FRAME_MILLISECONDS;
}
