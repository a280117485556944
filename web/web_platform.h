// The game's web platform: the canvas that shows the 8-bit picture through
// the palette, the page's keyboard, gamepad and Web Audio as the devices, the
// millisecond clock and sleeps (Asyncify), and the page's events.
#pragma once

#include <memory>
#include <vector>

#include "game/display.h"
#include "game/options.h"
#include "game/platform.h"
#include "web/web_input.h"
#include "web/web_sound.h"

// The canvas standing in for the full-screen display mode: as many pixels
// as the mode has, scaled by the page in whole steps.
class WebDisplay : public DisplayDevice {
 public:
  int32_t setDisplayMode(int32_t width, int32_t height) override;
  int32_t restoreAllSurfaces() override;
  void flip() override;

 private:
  // The picture last sent, as 8-bit pixels with its colours: a frame
  // identical in both is not sent again.
  std::vector<uint8_t> shownIndices;
  PaletteEntry shownPalette[PALETTE_SIZE] = {};
  bool redrawNeeded = true;
  std::vector<uint8_t> rgba;
};

class WebPlatform : public ShellPlatform {
 public:
  explicit WebPlatform(const Options& options) : opts(options) {}

  DisplayDevice* createDisplayDevice() override;
  int32_t takeOverWindow() override;
  bool forceLetterbox() const override { return opts.letterbox; }
  SoundDevice* createSoundDevice() override;
  KeyboardDevice* createKeyboard(int32_t& failure) override;
  JoystickDevice* openJoystick() override;
  void releaseJoystick() override { pad.reset(); }
  void releaseKeyboard() override { keyboard.reset(); }
  void releaseSoundDevice() override { sound.reset(); }
  void releaseDisplayDevice() override { display.reset(); }

  uint32_t tickCount() override;
  void sleepMilliseconds(uint32_t ms) override;
  // The frame step waits in the keyboard's read (awaitFrameTurn), on the
  // browser's animation frames, not in the loop's pacing.
  bool pacing() const override { return false; }
  // The page's visibility (a hidden tab pauses the game), pads shown and
  // gone, worlds added from the page, captures to offer, settings to keep.
  void pumpEvents() override;
  void showLoadError(const char* text) override;

 private:
  // Hands the pad over when the browser shows one and takes it back when it
  // shows none any more.
  void followPads();

  const Options& opts;
  std::unique_ptr<WebDisplay> display;
  std::unique_ptr<WebSoundDevice> sound;
  std::unique_ptr<WebKeyboard> keyboard;
  std::unique_ptr<WebPad> pad;
};
