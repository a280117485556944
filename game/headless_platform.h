// The platform of a headless run: no window, no picture sent anywhere, no
// sound device, no joystick and no pacing. The display keeps its 8-bit
// picture and palette for captures and traces; the keyboard holds nothing,
// so input comes only from an input script layered over it. No SDL here, so
// the same run builds wherever the shell builds.
#pragma once

#include <chrono>
#include <memory>

#include "game/display.h"
#include "game/platform.h"

class HeadlessPlatform : public ShellPlatform {
 public:
  DisplayDevice* createDisplayDevice() override;
  int32_t takeOverWindow() override;
  SoundDevice* createSoundDevice() override { return nullptr; }
  KeyboardDevice* createKeyboard(int32_t& failure) override;
  void releaseKeyboard() override { keyboard.reset(); }
  void releaseDisplayDevice() override { display.reset(); }

  uint32_t tickCount() override;
  void sleepMilliseconds(uint32_t) override {}
  bool pacing() const override { return false; }
  void pumpEvents() override {}
  void showLoadError(const char* text) override;

 private:
  std::unique_ptr<DisplayDevice> display;
  std::unique_ptr<KeyboardDevice> keyboard;
  const std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
};
