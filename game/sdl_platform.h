// The game's SDL platform: the window that shows the 8-bit picture through
// the palette (scaled by whole multiples, centred), the loading steps' SDL
// counterparts, the tick and the sleep to it, the event handling and the
// load-error message box.
#pragma once

#include <SDL.h>

#include <chrono>
#include <memory>
#include <vector>

#include "game/display.h"
#include "game/options.h"
#include "game/platform.h"
#include "media/sdl/sdl_input.h"
#include "media/sdl/sdl_sound.h"

// The window standing in for the full-screen display mode. It shows the
// picture one of two ways: converted and scaled by the processor straight
// into the window's own pixels (where the only GL is a software rasteriser,
// which would cost far more), or uploaded as a texture that a GPU renderer
// scales. Either way the picture fills the largest whole multiple of itself
// that fits, centred, the strips around it black, and a frame that looks
// exactly like the one shown is not sent again.
class SdlDisplay : public DisplayDevice {
 public:
  SdlDisplay(bool startFullscreen, RendererChoice renderer) : fullscreen(startFullscreen), choice(renderer) {}
  ~SdlDisplay() override;
  // Makes the window, hidden until its first picture is ready.
  bool createWindow();
  int32_t setDisplayMode(int32_t width, int32_t height) override;
  int32_t restoreAllSurfaces() override;
  void flip() override;
  void toggleFullscreen();
  // The window was resized: a whole multiple of the picture other than the
  // one it was made at becomes the scale the settings keep.
  void windowResized(int32_t width, int32_t height);
  // The window's content was lost (exposed): the next flip sends the whole
  // picture and window again, even an unchanged picture.
  void forceRedraw() { redrawNeeded = true; }
  // The window's size changed: the next flip also clears the strips around the picture.
  void windowChanged() { redrawNeeded = bordersNeeded = true; }
  SDL_Window* sdlWindow() const { return window; }
  // Whether the picture goes through a GPU renderer rather than the window's own pixels.
  bool throughGpu() const { return renderer != nullptr; }
  // When the window was first shown, and when its first picture was sent.
  std::chrono::steady_clock::time_point shownAt() const { return shownTime; }
  std::chrono::steady_clock::time_point firstPictureAt() const { return firstPictureTime; }

 private:
  void chooseRenderer();
  bool makeTexture();
  void showWindow();
  // The picture rows [first, end) that look different from the picture last
  // sent (new pixels, or pixels whose colour changed), taken over as sent;
  // every row when a redraw is due. False when nothing is to be sent.
  bool changedRows(int32_t& first, int32_t& end);
  void mapColours(const SDL_PixelFormat* format);
  bool presentIntoWindow(int32_t first, int32_t end);
  bool presentThroughGpu(int32_t first, int32_t end);

  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  bool fullscreen = false;
  RendererChoice choice;
  bool shown = false;
  int32_t scaleChosen = 0;  // the setting the window was made from
  int32_t scaleMade = 0;    // the whole multiple it was made at
  bool redrawNeeded = true;   // the whole picture and window are sent
  bool bordersNeeded = true;  // and the strips around the picture are cleared
  // The palette and the 8-bit picture last sent.
  PaletteEntry shownPalette[PALETTE_SIZE] = {};
  std::vector<uint8_t> shownIndices;
  // The palette mapped to the pixel format written to, and its black.
  uint32_t colours[PALETTE_SIZE] = {};
  uint32_t black = 0;
  // The window surface last written, to see it change.
  SDL_Surface* lastSurface = nullptr;
  int32_t lastWidth = 0;
  int32_t lastHeight = 0;
  // Window pixels of a depth other than 32 bits are converted here first.
  SDL_Surface* staging = nullptr;
  std::chrono::steady_clock::time_point shownTime{};
  std::chrono::steady_clock::time_point firstPictureTime{};
};

class SdlPlatform : public ShellPlatform {
 public:
  explicit SdlPlatform(const Options& options) : opts(options) {}
  ~SdlPlatform() override;

  DisplayDevice* createDisplayDevice() override;
  int32_t takeOverWindow() override;
  bool forceLetterbox() const override { return opts.letterbox; }
  SoundDevice* createSoundDevice() override;
  int32_t prepareSoundDevice() override;
  int32_t createInputSystem() override;
  KeyboardDevice* createKeyboard(int32_t& failure) override;
  JoystickDevice* openJoystick() override;
  void releaseJoystick() override { pads.reset(); }
  void releaseKeyboard() override { keyboard.reset(); }
  void releaseInputSystem() override { SDL_QuitSubSystem(SDL_INIT_EVENTS); }
  void releaseSoundDevice() override { sound.reset(); }
  void releaseDisplayDevice() override;

  // Milliseconds of the system's monotonic clock; the sleep to a tick wakes
  // on that clock at the very start of the tick's millisecond.
  uint32_t tickCount() override;
  void sleepMilliseconds(uint32_t ms) override { SDL_Delay(ms); }
  void sleepUntilTick(uint32_t tick) override;
  bool pacing() const override { return !opts.headless; }
  void pumpEvents() override;
  void showLoadError(const char* text) override;
  SdlDisplay* sdlDisplay() const { return display.get(); }

 private:
  const Options& opts;
  std::unique_ptr<SdlDisplay> display;
  std::unique_ptr<SdlSoundDevice> sound;
  std::unique_ptr<SdlKeyboard> keyboard;
  std::unique_ptr<SdlPads> pads;
};
