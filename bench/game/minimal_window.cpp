// The baseline of the window's processor share: the least any program
// showing the game's picture in a window must do. A 640 x 400 8-bit picture
// scrolling four pixels a frame is converted through a 256-entry colour
// table at twice its size straight into the window's own pixels and sent to
// the window every 16 ms, with the window events handled each frame.
// Usage: glimb_minimal_window FRAMES [WIDTH HEIGHT]
#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int PICTURE_WIDTH = 640;
constexpr int PICTURE_HEIGHT = 400;
constexpr int SCALE = 2;
constexpr int STRIP_WIDTH = 4 * PICTURE_WIDTH;  // the scrolling picture is a window onto this strip
constexpr int SCROLL_STEP = 4;
constexpr Uint32 FRAME_MILLISECONDS = 16;

// Some colours in bands and blocks, so that every line and column differs.
std::vector<uint8_t> makeStrip() {
  std::vector<uint8_t> strip(size_t(STRIP_WIDTH) * PICTURE_HEIGHT);
  for (int y = 0; y < PICTURE_HEIGHT; y++) {
    for (int x = 0; x < STRIP_WIDTH; x++) strip[size_t(y) * STRIP_WIDTH + x] = uint8_t((x / 32) * 7 + (y / 7) + (x ^ y) % 3);
  }
  return strip;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FRAMES [WIDTH HEIGHT]\n", argv[0]);
    return 2;
  }
  const long frames = std::atol(argv[1]);
  const int width = argc > 3 ? std::atoi(argv[2]) : PICTURE_WIDTH * SCALE;
  const int height = argc > 3 ? std::atoi(argv[3]) : PICTURE_HEIGHT * SCALE;
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window = SDL_CreateWindow("Glimb baseline", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, 0);
  SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
  if (!surface || surface->format->BytesPerPixel != 4 || surface->w < PICTURE_WIDTH * SCALE ||
      surface->h < PICTURE_HEIGHT * SCALE) {
    std::fprintf(stderr, "no 32-bit window surface of %d x %d: %s\n", width, height, SDL_GetError());
    return 1;
  }
  uint32_t colours[256];
  for (int i = 0; i < 256; i++) colours[i] = SDL_MapRGB(surface->format, uint8_t(i), uint8_t(255 - i), uint8_t(i * 3));
  const std::vector<uint8_t> strip = makeStrip();

  Uint32 nextTick = SDL_GetTicks();
  int scroll = 0;
  for (long frame = 0; frame < frames; frame++) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    // Each pixel twice across in one 64-bit store, into both of its lines.
    for (int y = 0; y < PICTURE_HEIGHT; y++) {
      const uint8_t* in = &strip[size_t(y) * STRIP_WIDTH + size_t(scroll)];
      uint8_t* first = static_cast<uint8_t*>(surface->pixels) + size_t(y * SCALE) * surface->pitch;
      uint8_t* second = first + surface->pitch;
      for (int x = 0; x < PICTURE_WIDTH; x++) {
        const uint64_t c = colours[in[x]];
        const uint64_t pair = c | c << 32;
        std::memcpy(first + 8 * x, &pair, sizeof pair);
        std::memcpy(second + 8 * x, &pair, sizeof pair);
      }
    }
    SDL_UpdateWindowSurface(window);
    scroll = (scroll + SCROLL_STEP) % (STRIP_WIDTH - PICTURE_WIDTH);
    nextTick += FRAME_MILLISECONDS;
    const Uint32 now = SDL_GetTicks();
    if (int32_t(nextTick - now) > 0) {
      SDL_Delay(nextTick - now);
    } else {
      nextTick = now;
    }
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
