// The SDL window, renderer and streaming texture that show the picture, and
// the SDL steps that stand in for the display, sound and input set-up.
#include "game/sdl_platform.h"

#include <errno.h>
#include <time.h>

#include <cstdio>
#include <algorithm>
#include <cstring>

#include "game/frame_loop.h"
#include "media/sdl/sdl_events.h"

namespace {

constexpr int32_t WINDOW_SCALE = 2;
constexpr int32_t MIXER_SLOTS = 16;
constexpr uint32_t STRIP_BLACK = 0xFF000000u;
SdlDisplay* activeDisplay = nullptr;

void handleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      if (running) closeWindow();
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) appActive = 1;
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) appActive = 0;
      if (activeDisplay && (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                            event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
        activeDisplay->forceRedraw();
      }
      break;
    case SDL_KEYDOWN:
      if (event.key.keysym.scancode == SDL_SCANCODE_RETURN && (event.key.keysym.mod & KMOD_ALT) &&
          !event.key.repeat && activeDisplay) {
        activeDisplay->toggleFullscreen();
      }
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      // The picture's texture is gone: the loop's restore path rebuilds it.
      if (primarySurface) primarySurface->markLost();
      if (backBuffer) backBuffer->markLost();
      break;
    default:
      break;
  }
}

}  // namespace

SdlDisplay::~SdlDisplay() {
  if (activeDisplay == this) activeDisplay = nullptr;
  if (texture) SDL_DestroyTexture(texture);
  if (renderer) SDL_DestroyRenderer(renderer);
  if (window) SDL_DestroyWindow(window);
}

bool SdlDisplay::createWindow() {
  window = SDL_CreateWindow("Glimb", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, SCREEN_WIDTH * WINDOW_SCALE,
                            SCREEN_HEIGHT * WINDOW_SCALE, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  activeDisplay = this;
  return window != nullptr;
}

int32_t SdlDisplay::setDisplayMode(int32_t width, int32_t height) {
  if (!window) return DISPLAY_MODE_FAILED;
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) == 0 && (desktop.w < width || desktop.h < height)) {
    return DISPLAY_MODE_INVALID;
  }
  if (texture) SDL_DestroyTexture(texture);
  texture = nullptr;
  modeWidth = width;
  modeHeight = height;
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer || !makeTexture()) return DISPLAY_MODE_FAILED;
  // Twice the picture's size, or as large a whole multiple as the desktop has room for.
  int32_t scale = WINDOW_SCALE;
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
    while (scale > 1 && (width * scale > usable.w || height * scale > usable.h)) scale--;
  }
  SDL_SetWindowMinimumSize(window, width / 2, height / 2);
  SDL_SetWindowSize(window, width * scale, height * scale);
  SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  if (fullscreen) SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  SDL_ShowCursor(SDL_DISABLE);
  return 0;
}

bool SdlDisplay::makeTexture() {
  texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, modeWidth, modeHeight);
  return texture != nullptr;
}

void SdlDisplay::setPaletteEntries(int32_t start, int32_t count, const PaletteEntry* entries) {
  DisplayDevice::setPaletteEntries(start, count, entries);
  if (!paletteCreated || start < 0 || count < 0 || start + count > PALETTE_SIZE) return;
  for (int32_t i = start; i < start + count; i++) {
    colours[i] = 0xFF000000u | uint32_t(palette[i].red) << 16 | uint32_t(palette[i].green) << 8 | palette[i].blue;
  }
}

int32_t SdlDisplay::restoreAllSurfaces() {
  if (renderer) {
    if (texture) SDL_DestroyTexture(texture);
    texture = nullptr;
    if (!makeTexture()) return SURFACE_LOST;
    redrawNeeded = true;
  }
  return DisplayDevice::restoreAllSurfaces();
}

void SdlDisplay::convertPicture(const Surface& picture, uint32_t* pixels, int32_t pitchBytes) const {
  // A display taller than the 400-line picture shows it 40 lines down; the
  // lines above and below it are the display's black strips, whatever colour
  // their bytes have in the palette (entry 0, which the loop fills them
  // with, is the pale sky of every screen).
  const int32_t top = picture.height() > SCREEN_HEIGHT ? LETTERBOX_SHIFT : 0;
  const int32_t bottom = top + SCREEN_HEIGHT;
  const uint8_t* source = picture.pixels();
  for (int32_t row = 0; row < picture.height(); row++) {
    const uint8_t* in = source + size_t(row) * picture.pitch();
    uint32_t* out = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(pixels) + size_t(row) * pitchBytes);
    if (row < top || row >= bottom) {
      std::fill(out, out + picture.width(), STRIP_BLACK);
      continue;
    }
    for (int32_t x = 0; x < picture.width(); x++) out[x] = colours[in[x]];
  }
}

SDL_Rect SdlDisplay::pictureArea(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth, int32_t pictureHeight) {
  SDL_Rect area{0, 0, windowWidth, windowHeight};
  if (pictureWidth <= 0 || pictureHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) return area;
  int32_t whole = std::min(windowWidth / pictureWidth, windowHeight / pictureHeight);
  if (whole >= 1) {
    area.w = pictureWidth * whole;
    area.h = pictureHeight * whole;
  } else if (int64_t(windowWidth) * pictureHeight <= int64_t(windowHeight) * pictureWidth) {
    area.w = windowWidth;
    area.h = int32_t(int64_t(windowWidth) * pictureHeight / pictureWidth);
  } else {
    area.h = windowHeight;
    area.w = int32_t(int64_t(windowHeight) * pictureWidth / pictureHeight);
  }
  area.x = (windowWidth - area.w) / 2;
  area.y = (windowHeight - area.h) / 2;
  return area;
}

void SdlDisplay::flip() {
  if (!renderer || !texture || !primarySurface || primarySurface->isLost()) return;
  // Converting is cheap next to uploading, scaling and presenting; a frame
  // that looks exactly like the one on screen (a paused game, a held
  // picture, colour cycling on entries the picture does not use) is not sent.
  size_t count = size_t(primarySurface->width()) * size_t(primarySurface->height());
  size_t bytes = size_t(primarySurface->pitch()) * size_t(primarySurface->height());
  const uint8_t* indices = primarySurface->pixels();
  bool sameIndices = shownIndices.size() == bytes && std::memcmp(shownIndices.data(), indices, bytes) == 0;
  bool sameColours = std::memcmp(shownColours, colours, sizeof colours) == 0;
  if (!redrawNeeded && sameIndices && sameColours) return;
  if (!sameIndices) shownIndices.assign(indices, indices + bytes);
  std::memcpy(shownColours, colours, sizeof colours);
  converted.resize(count);
  convertPicture(*primarySurface, converted.data(), primarySurface->width() * 4);
  if (!redrawNeeded && shown == converted) return;
  redrawNeeded = false;
  shown.swap(converted);
  if (SDL_UpdateTexture(texture, nullptr, shown.data(), primarySurface->width() * 4) != 0) return;
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer, &w, &h);
  SDL_Rect area = pictureArea(w, h, modeWidth, modeHeight);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderCopy(renderer, texture, nullptr, &area);
  SDL_RenderPresent(renderer);
}

void SdlDisplay::toggleFullscreen() {
  fullscreen = !fullscreen;
  redrawNeeded = true;
  SDL_SetWindowFullscreen(window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

SdlPlatform::~SdlPlatform() {
  joystick.reset();
  keyboard.reset();
  sound.reset();
  display.reset();
}

DisplayDevice* SdlPlatform::createDisplayDevice() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
  display = std::make_unique<SdlDisplay>(opts.fullscreen);
  return display.get();
}

int32_t SdlPlatform::takeOverWindow() {
  if (!display->createWindow()) return 1;
  gSdlEventHandler = handleEvent;
  // The window is made as the active one; focus events follow from here on.
  appActive = 1;
  return 0;
}

SoundDevice* SdlPlatform::createSoundDevice() {
  sound = SdlSoundDevice::open();
  return sound.get();
}

int32_t SdlPlatform::prepareSoundDevice() { return sound && sound->reserveChannels(MIXER_SLOTS) ? 0 : 1; }

int32_t SdlPlatform::createInputSystem() { return SDL_InitSubSystem(SDL_INIT_EVENTS) == 0 ? 0 : 1; }

KeyboardDevice* SdlPlatform::createKeyboard(int32_t& failure) {
  if (!SDL_GetKeyboardState(nullptr)) {
    failure = 11;
    return nullptr;
  }
  keyboard = std::make_unique<SdlKeyboard>();
  return keyboard.get();
}

JoystickDevice* SdlPlatform::openJoystick() {
  if (opts.headless) return nullptr;
  joystick = SdlJoystick::openFirst();
  return joystick.get();
}

void SdlPlatform::releaseDisplayDevice() {
  gSdlEventHandler = nullptr;
  display.reset();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

namespace {

constexpr int64_t NANOSECONDS_PER_MILLISECOND = 1000000;
constexpr int64_t NANOSECONDS_PER_SECOND = 1000000000;

int64_t monotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * NANOSECONDS_PER_SECOND + now.tv_nsec;
}

}  // namespace

uint32_t SdlPlatform::tickCount() { return uint32_t(monotonicNanoseconds() / NANOSECONDS_PER_MILLISECOND); }

void SdlPlatform::sleepUntilTick(uint32_t tick) {
  // The tick is the low 32 bits of the clock's milliseconds: the wake-up
  // time is the millisecond that many ticks from now, taken whole.
  const int64_t nowMs = monotonicNanoseconds() / NANOSECONDS_PER_MILLISECOND;
  const int32_t ahead = int32_t(tick - uint32_t(nowMs));
  if (ahead <= 0) return;
  const int64_t wake = (nowMs + ahead) * NANOSECONDS_PER_MILLISECOND;
  timespec at{time_t(wake / NANOSECONDS_PER_SECOND), long(wake % NANOSECONDS_PER_SECOND)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
  }
}

void SdlPlatform::pumpEvents() { pumpSdlEvents(); }

void SdlPlatform::showLoadError(const char* text) {
  if (!opts.headless && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", text,
                                                 display ? display->sdlWindow() : nullptr) == 0) {
    return;
  }
  std::fprintf(stderr, "%s\n", text);
}
