// The game's SDL platform: the window that shows the 8-bit picture through
// the palette (scaled with the aspect kept), the loading steps' SDL
// counterparts, the tick, the event handling and the load-error message box.
#pragma once

#include <SDL.h>

#include <memory>
#include <vector>

#include "game/display.h"
#include "game/options.h"
#include "game/platform.h"
#include "media/sdl/sdl_input.h"
#include "media/sdl/sdl_sound.h"

// The window standing in for the full-screen display mode.
class SdlDisplay : public DisplayDevice {
 public:
  explicit SdlDisplay(bool startFullscreen) : fullscreen(startFullscreen) {}
  ~SdlDisplay() override;
  bool createWindow();
  int32_t setDisplayMode(int32_t width, int32_t height) override;
  void setPaletteEntries(int32_t start, int32_t count, const PaletteEntry* entries) override;
  int32_t restoreAllSurfaces() override;
  void flip() override;
  void toggleFullscreen();
  // The next flip presents even an unchanged picture (the window was exposed or resized).
  void forceRedraw() { redrawNeeded = true; }
  SDL_Window* sdlWindow() const { return window; }

  // Converts an 8-bit picture through the palette into 32-bit pixels. In the
  // 640 x 480 mode the lines outside the 400-line picture are shown black.
  void convertPicture(const Surface& picture, uint32_t* pixels, int32_t pitchBytes) const;
  // The rectangle the picture fills in a window of this size: the largest
  // whole multiple of the picture that fits, or a smaller scale when none
  // does, with the aspect kept, centred.
  static SDL_Rect pictureArea(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth, int32_t pictureHeight);

 private:
  bool makeTexture();
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  bool fullscreen = false;
  bool redrawNeeded = true;
  uint32_t colours[PALETTE_SIZE] = {};
  // The picture last presented, as 8-bit pixels with its colours and as
  // 32-bit pixels: a frame identical in either form is not sent again.
  std::vector<uint8_t> shownIndices;
  uint32_t shownColours[PALETTE_SIZE] = {};
  std::vector<uint32_t> shown;
  std::vector<uint32_t> converted;
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
  void releaseJoystick() override { joystick.reset(); }
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

 private:
  const Options& opts;
  std::unique_ptr<SdlDisplay> display;
  std::unique_ptr<SdlSoundDevice> sound;
  std::unique_ptr<SdlKeyboard> keyboard;
  std::unique_ptr<SdlJoystick> joystick;
};
