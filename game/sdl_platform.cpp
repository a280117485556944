// The SDL window that shows the picture, through its own pixels or a GPU
// renderer's streaming texture, and the SDL steps that stand in for the
// display, sound and input set-up, the tick and the sleep to it.
#include "game/sdl_platform.h"

#include <errno.h>
#include <time.h>

#include <cstdio>
#include <algorithm>
#include <cstring>

#include "game/frame_loop.h"
#include "game/picture_conversion.h"
#include "game/sdl_gpu_probe.h"
#include "game/settings.h"
#include "media/sdl/sdl_events.h"

namespace {

constexpr int32_t WINDOW_SCALE = 2;
constexpr const char* PAD_MAPPING_FILE = "gamecontrollerdb.txt";
constexpr int32_t MIXER_SLOTS = 16;
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
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) activeDisplay->forceRedraw();
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) activeDisplay->windowChanged();
      }
      if (activeDisplay && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        activeDisplay->windowResized(event.window.data1, event.window.data2);
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
  if (staging) SDL_FreeSurface(staging);
  if (texture) SDL_DestroyTexture(texture);
  if (renderer) SDL_DestroyRenderer(renderer);
  if (window) SDL_DestroyWindow(window);
}

bool SdlDisplay::createWindow() {
  // The window's own pixels are sent to the window system as they are; left
  // to itself SDL would put them through a GL texture, software GL where
  // there is no GPU, at several times the cost.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  const int32_t scale = windowScale == SCALE_AUTOMATIC ? WINDOW_SCALE : windowScale;
  window = SDL_CreateWindow("Glimb", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, SCREEN_WIDTH * scale,
                            SCREEN_HEIGHT * scale, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  activeDisplay = this;
  return window != nullptr;
}

void SdlDisplay::chooseRenderer() {
  if (renderer || choice == RendererChoice::SOFTWARE) return;
  if (choice == RendererChoice::AUTO && !gpuAtHand(window)) return;
  renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  // Chosen for the machine, a renderer that turns out to run on a software
  // rasteriser gives way to the window's own pixels.
  if (renderer && choice == RendererChoice::AUTO && rendererOnSoftwareRasteriser(renderer)) {
    SDL_DestroyRenderer(renderer);
    renderer = nullptr;
  }
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
  chooseRenderer();
  if (renderer && !makeTexture()) return DISPLAY_MODE_FAILED;
  // The player's scale, else twice the picture's size, or as large a whole
  // multiple as the desktop has room for.
  scaleChosen = windowScale;
  int32_t scale = windowScale == SCALE_AUTOMATIC ? WINDOW_SCALE : windowScale;
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
    while (scale > 1 && (width * scale > usable.w || height * scale > usable.h)) scale--;
  }
  SDL_SetWindowMinimumSize(window, width / 2, height / 2);
  SDL_SetWindowSize(window, width * scale, height * scale);
  scaleMade = scale;
  SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  if (fullscreen) SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  shownIndices.clear();
  windowChanged();
  // The window stays hidden until the first picture is ready to go into it.
  return 0;
}

bool SdlDisplay::makeTexture() {
  texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, modeWidth, modeHeight);
  return texture != nullptr;
}

int32_t SdlDisplay::restoreAllSurfaces() {
  if (renderer) {
    if (texture) SDL_DestroyTexture(texture);
    texture = nullptr;
    if (!makeTexture()) return SURFACE_LOST;
  }
  windowChanged();
  return DisplayDevice::restoreAllSurfaces();
}

void SdlDisplay::showWindow() {
  shown = true;
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  SDL_ShowCursor(SDL_DISABLE);
  shownTime = std::chrono::steady_clock::now();
  windowChanged();
}

bool SdlDisplay::changedRows(int32_t& first, int32_t& end) {
  const Surface& picture = *primarySurface;
  const size_t rowBytes = size_t(picture.width());
  const size_t pitch = size_t(picture.pitch());
  const int32_t rows = picture.height();
  const uint8_t* now = picture.pixels();
  auto sameRow = [&](int32_t row) { return std::memcmp(&shownIndices[row * pitch], now + row * pitch, rowBytes) == 0; };
  first = 0;
  end = rows;
  if (shownIndices.size() != pitch * size_t(rows)) {
    shownIndices.assign(now, now + pitch * size_t(rows));
    std::memcpy(shownPalette, palette, sizeof palette);
    return true;
  }
  // The whole picture first: every frame of a still screen ends here.
  const bool rowsChanged = std::memcmp(shownIndices.data(), now, shownIndices.size()) != 0;
  if (rowsChanged) {
    while (first < rows && sameRow(first)) first++;
    while (end > first && sameRow(end - 1)) end--;
    std::memcpy(&shownIndices[first * pitch], now + first * pitch, size_t(end - first) * pitch);
  } else {
    end = 0;
  }
  if (std::memcmp(shownPalette, palette, sizeof palette) != 0) {
    if (rowsChanged) {
      // A moving picture in new colours: every row.
      first = 0;
      end = rows;
    } else {
      // A still picture: only the rows showing a colour that changed (none
      // when the colour cycling turns entries the picture does not use).
      bool changed[PALETTE_SIZE];
      for (int32_t i = 0; i < PALETTE_SIZE; i++) {
        changed[i] = std::memcmp(&shownPalette[i], &palette[i], sizeof palette[i]) != 0;
      }
      auto showsChange = [&](int32_t row) {
        const uint8_t* in = now + row * pitch;
        for (size_t x = 0; x < rowBytes; x++) {
          if (changed[in[x]]) return true;
        }
        return false;
      };
      first = 0;
      end = rows;
      while (first < rows && !showsChange(first)) first++;
      while (end > first && !showsChange(end - 1)) end--;
    }
    std::memcpy(shownPalette, palette, sizeof palette);
  }
  if (redrawNeeded) {
    first = 0;
    end = rows;
  }
  return end > first;
}

void SdlDisplay::mapColours(const SDL_PixelFormat* format) {
  for (int32_t i = 0; i < PALETTE_SIZE; i++) colours[i] = SDL_MapRGB(format, palette[i].red, palette[i].green, palette[i].blue);
  black = SDL_MapRGB(format, 0, 0, 0);
}

bool SdlDisplay::presentIntoWindow(int32_t first, int32_t end) {
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (!surface) return false;
  // A new surface comes with a resize, a fullscreen switch or a lost one:
  // its strips are cleared and all of it sent.
  if (surface != lastSurface || surface->w != lastWidth || surface->h != lastHeight) {
    bordersNeeded = redrawNeeded = true;
    lastSurface = surface;
    lastWidth = surface->w;
    lastHeight = surface->h;
  }
  if (redrawNeeded) {
    first = 0;
    end = primarySurface->height();
  }
  const bool wide = surface->format->BytesPerPixel == 4;
  SDL_PixelFormat* target = surface->format;
  const PictureArea area = pictureArea(surface->w, surface->h, modeWidth, modeHeight);
  if (!wide && (!staging || staging->w != area.w || staging->h != area.h)) {
    if (staging) SDL_FreeSurface(staging);
    staging = SDL_CreateRGBSurfaceWithFormat(0, area.w, area.h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!staging) return false;
    redrawNeeded = true;
    first = 0;
    end = primarySurface->height();
  }
  if (!wide) target = staging->format;
  // 256 entries: nothing next to the picture, and always right for the format.
  mapColours(target);

  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
  if (bordersNeeded) SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
  int32_t top = 0, bottom = 0;
  areaRowsShowing(area, primarySurface->height(), first, end, top, bottom);
  if (wide) {
    convertPicture(*primarySurface, colours, black, area, static_cast<uint32_t*>(surface->pixels), surface->pitch,
                   first, end);
  } else {
    convertPicture(*primarySurface, colours, black, PictureArea{0, 0, area.w, area.h},
                   static_cast<uint32_t*>(staging->pixels), staging->pitch, first, end);
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  if (!wide) {
    SDL_Rect from{0, top - area.y, area.w, bottom - top};
    SDL_Rect to{area.x, top, area.w, bottom - top};
    SDL_BlitSurface(staging, &from, surface, &to);
  }

  if (redrawNeeded) return SDL_UpdateWindowSurface(window) == 0;
  if (bottom <= top) return true;  // in a window smaller than the picture, rows can fall between lines
  SDL_Rect rows{area.x, top, area.w, bottom - top};
  return SDL_UpdateWindowSurfaceRects(window, &rows, 1) == 0;
}

bool SdlDisplay::presentThroughGpu(int32_t first, int32_t end) {
  if (!texture) return false;
  // The texture's pixels are ARGB8888.
  for (int32_t i = 0; i < PALETTE_SIZE; i++) {
    colours[i] = 0xFF000000u | uint32_t(palette[i].red) << 16 | uint32_t(palette[i].green) << 8 | palette[i].blue;
  }
  black = 0xFF000000u;
  // Only the changed rows are written and uploaded.
  SDL_Rect rows{0, first, modeWidth, end - first};
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture, &rows, &pixels, &pitch) != 0) return false;
  // The locked pixels begin at row `first`: the picture one to one, `first` rows up.
  convertPicture(*primarySurface, colours, black, PictureArea{0, -first, modeWidth, modeHeight},
                 static_cast<uint32_t*>(pixels), pitch, first, end);
  SDL_UnlockTexture(texture);
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer, &w, &h);
  const PictureArea area = pictureArea(w, h, modeWidth, modeHeight);
  const SDL_Rect to{area.x, area.y, area.w, area.h};
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderCopy(renderer, texture, nullptr, &to);
  SDL_RenderPresent(renderer);
  return true;
}

void SdlDisplay::flip() {
  if (!window || !primarySurface || primarySurface->isLost()) return;
  if (primarySurface->width() != modeWidth || primarySurface->height() != modeHeight) return;
  // The window is shown with its first picture, so it is never seen blank.
  if (!shown) showWindow();
  int32_t first = 0, end = 0;
  // A frame that looks exactly like the one shown (a paused game, a held
  // picture, colour cycling on entries the picture does not use) is not sent.
  if (!changedRows(first, end)) return;
  const bool sent = renderer ? presentThroughGpu(first, end) : presentIntoWindow(first, end);
  if (!sent) {
    // Tried again in full with the next frame.
    windowChanged();
    return;
  }
  redrawNeeded = bordersNeeded = false;
  if (firstPictureTime == std::chrono::steady_clock::time_point{}) firstPictureTime = std::chrono::steady_clock::now();
}

void SdlDisplay::windowResized(int32_t width, int32_t height) {
  if (fullscreen || modeWidth <= 0 || modeHeight <= 0 || (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN)) return;
  const int32_t scale = std::min(width / modeWidth, height / modeHeight);
  if (scale < 1) return;
  // The size the window was made at keeps the setting it was made from
  // (automatic stays automatic); any other whole multiple is the player's.
  windowScale = scale == scaleMade ? scaleChosen : std::min(scale, SCALE_MAX);
}

void SdlDisplay::toggleFullscreen() {
  fullscreen = !fullscreen;
  fullscreenSetting = fullscreen ? 1 : 0;
  windowChanged();
  SDL_SetWindowFullscreen(window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

SdlPlatform::~SdlPlatform() {
  pads.reset();
  keyboard.reset();
  sound.reset();
  display.reset();
}

DisplayDevice* SdlPlatform::createDisplayDevice() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
  display = std::make_unique<SdlDisplay>(fullscreenSetting != 0, opts.renderer);
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

int32_t SdlPlatform::prepareSoundDevice() {
  if (!sound || !sound->reserveChannels(MIXER_SLOTS)) return 1;
  sound->setVolume(soundMuted ? 0 : soundVolume);
  return 0;
}

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
  // SDL's own mappings, then those of the data folder (the working folder),
  // then the player's own, each later one taking over a pad named before.
  const std::string settings = settingsFilePath();
  std::vector<std::string> mappings{PAD_MAPPING_FILE};
  if (!settings.empty()) mappings.push_back(settings.substr(0, settings.rfind('/') + 1) + PAD_MAPPING_FILE);
  pads = std::make_unique<SdlPads>();
  if (!pads->start(mappings)) {
    pads.reset();
    return nullptr;
  }
  return pads->inUse();
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
