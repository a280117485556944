// Start-up and pacing of the game as a player meets them. Start-up: from the
// process start to the first picture sent, windowed (also from the window
// being shown to its first picture) or headless. Pacing, windowed: the steps
// between the ends of successive frames, their average and how far they
// stray from 16 ms. The game runs from its start as glimb does: the intro,
// then the title menu's demonstration.
// Usage: glimb_window_timing DATA_DIR [--headless] [--frames N] [--renderer auto|software|gpu]
// The process start is GLIMB_LAUNCHED_AT (nanoseconds of the real-time
// clock, as `date +%s%N` gives them) when set, else the start of main.
#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "game/display.h"
#include "game/frame_loop.h"
#include "game/headless_platform.h"
#include "game/loading.h"
#include "game/sdl_platform.h"

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The steady clock's reading at the process start.
Clock::time_point processStart() {
  const Clock::time_point now = Clock::now();
  const char* launched = std::getenv("GLIMB_LAUNCHED_AT");
  if (!launched || !*launched) return now;
  const auto since = std::chrono::system_clock::now().time_since_epoch() - std::chrono::nanoseconds(std::atoll(launched));
  return now - std::chrono::duration_cast<Clock::duration>(since);
}

void reportSteps(const std::vector<Clock::time_point>& ends) {
  if (ends.size() < 3) return;
  std::vector<double> steps;
  for (size_t i = 1; i < ends.size(); i++) steps.push_back(milliseconds(ends[i] - ends[i - 1]));
  double sum = 0, squares = 0, worst = 0;
  size_t worstStep = 0;
  for (size_t i = 0; i < steps.size(); i++) {
    sum += steps[i];
    if (std::fabs(steps[i] - FRAME_MILLISECONDS) > worst) {
      worst = std::fabs(steps[i] - FRAME_MILLISECONDS);
      worstStep = i;
    }
  }
  const double mean = sum / double(steps.size());
  for (double s : steps) squares += (s - mean) * (s - mean);
  std::vector<double> off;
  for (double s : steps) off.push_back(std::fabs(s - FRAME_MILLISECONDS));
  std::sort(off.begin(), off.end());
  const double p99 = off[size_t(double(off.size() - 1) * 0.99)];
  std::printf("%zu steps: average %.4f ms, standard deviation %.3f ms, 99 %% within %.3f ms of 16, worst %.3f ms off"
              " (after frame %zu)\n",
              steps.size(), mean, std::sqrt(squares / double(steps.size())), p99, worst, worstStep + 2);
}

}  // namespace

int main(int argc, char** argv) {
  const Clock::time_point started = processStart();
  const Clock::time_point mainEntered = Clock::now();
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DATA_DIR [--headless] [--frames N] [--renderer auto|software|gpu]\n", argv[0]);
    return 2;
  }
  Options options;
  long frames = 0;
  for (int i = 2; i < argc; i++) {
    const std::string arg = argv[i];
    if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "--frames" && i + 1 < argc) {
      frames = std::atol(argv[++i]);
    } else if (arg == "--renderer" && i + 1 < argc && parseRendererChoice(argv[i + 1], options.renderer)) {
      i++;
    } else {
      std::fprintf(stderr, "unknown argument %s\n", argv[i]);
      return 2;
    }
  }
  if (chdir(argv[1]) != 0) return 2;

  std::unique_ptr<HeadlessPlatform> headless;
  std::unique_ptr<SdlPlatform> sdl;
  if (options.headless) {
    headless = std::make_unique<HeadlessPlatform>();
    platform = headless.get();
  } else {
    sdl = std::make_unique<SdlPlatform>(options);
    platform = sdl.get();
  }
  if (loadGame() != 0) {
    std::fprintf(stderr, "the game could not be loaded\n");
    return 1;
  }
  startFrameLoop();
  runFramePass();
  Clock::time_point firstPicture = Clock::now();
  if (sdl) {
    const SdlDisplay* display = sdl->sdlDisplay();
    firstPicture = display->firstPictureAt();
    std::printf("%s, %s: process start to first picture %.1f ms (to main %.1f ms); window shown to first picture %.2f ms\n",
                SDL_GetCurrentVideoDriver(), display->throughGpu() ? "through a GPU renderer" : "through the window's pixels",
                milliseconds(firstPicture - started), milliseconds(mainEntered - started),
                milliseconds(firstPicture - display->shownAt()));
  } else {
    std::printf("headless: process start to first picture %.1f ms (to main %.1f ms)\n",
                milliseconds(firstPicture - started), milliseconds(mainEntered - started));
  }

  std::vector<Clock::time_point> ends;
  for (long f = 0; f < frames && !quitPosted; f++) {
    runFramePass();
    ends.push_back(Clock::now());
  }
  reportSteps(ends);
  shutdownGame();
  platform = nullptr;
  sdl.reset();
  SDL_Quit();
  return 0;
}
