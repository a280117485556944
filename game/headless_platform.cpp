// The headless platform's devices: a display that shows nothing and a
// keyboard with no key held.
#include "game/headless_platform.h"

#include <cstdio>
#include <cstring>

namespace {

class EmptyKeyboard : public KeyboardDevice {
 public:
  bool readState(uint8_t keys[256]) override {
    std::memset(keys, 0, 256);
    return true;
  }
};

}  // namespace

DisplayDevice* HeadlessPlatform::createDisplayDevice() {
  display = std::make_unique<DisplayDevice>();
  return display.get();
}

int32_t HeadlessPlatform::takeOverWindow() {
  // Nothing can take the focus away from a run without a window.
  appActive = 1;
  return 0;
}

KeyboardDevice* HeadlessPlatform::createKeyboard(int32_t&) {
  keyboard = std::make_unique<EmptyKeyboard>();
  return keyboard.get();
}

uint32_t HeadlessPlatform::tickCount() {
  auto since = std::chrono::steady_clock::now() - started;
  return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void HeadlessPlatform::showLoadError(const char* text) { std::fprintf(stderr, "%s\n", text); }
