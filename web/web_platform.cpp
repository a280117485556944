// The canvas display and the platform's steps of loading, its clock and
// its per-pass handling of the page.
#include "web/web_platform.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "game/shell.h"
#include "web/picture_rgba.h"
#include "web/web_page.h"

namespace {

EM_JS(int, glimbSetCanvasSize, (int width, int height), { return Glimb.setCanvasSize(width, height) ? 1 : 0; });
EM_JS(void, glimbShowPicture, (const uint8_t* rgba, int width, int height), {
  Glimb.showPicture(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height);
});

bool pageHidden() {
  EmscriptenVisibilityChangeEvent status;
  return emscripten_get_visibility_status(&status) == EMSCRIPTEN_RESULT_SUCCESS && status.hidden;
}

}  // namespace

int32_t WebDisplay::setDisplayMode(int32_t width, int32_t height) {
  if (!glimbSetCanvasSize(width, height)) return DISPLAY_MODE_FAILED;
  redrawNeeded = true;
  return DisplayDevice::setDisplayMode(width, height);
}

int32_t WebDisplay::restoreAllSurfaces() {
  redrawNeeded = true;
  return DisplayDevice::restoreAllSurfaces();
}

void WebDisplay::flip() {
  if (!primarySurface || primarySurface->isLost() || !paletteCreated) return;
  const size_t bytes = size_t(primarySurface->pitch()) * size_t(primarySurface->height());
  const uint8_t* indices = primarySurface->pixels();
  const bool sameIndices = shownIndices.size() == bytes && std::memcmp(shownIndices.data(), indices, bytes) == 0;
  const bool sameColours = std::memcmp(shownPalette, palette, sizeof palette) == 0;
  // A paused game, a held picture or colour cycling on entries nothing
  // shows leaves the canvas as it is.
  if (!redrawNeeded && sameIndices && sameColours) return;
  redrawNeeded = false;
  if (!sameIndices) shownIndices.assign(indices, indices + bytes);
  std::memcpy(shownPalette, palette, sizeof palette);
  rgba.resize(size_t(primarySurface->width()) * size_t(primarySurface->height()) * 4);
  convertToRgba(*primarySurface, palette, rgba.data());
  glimbShowPicture(rgba.data(), primarySurface->width(), primarySurface->height());
}

DisplayDevice* WebPlatform::createDisplayDevice() {
  display = std::make_unique<WebDisplay>();
  return display.get();
}

int32_t WebPlatform::takeOverWindow() {
  appActive = pageHidden() ? 0 : 1;
  return 0;
}

SoundDevice* WebPlatform::createSoundDevice() {
  sound = WebSoundDevice::open();
  return sound.get();
}

KeyboardDevice* WebPlatform::createKeyboard(int32_t& failure) {
  keyboard = std::make_unique<WebKeyboard>();
  if (!keyboard->listen()) {
    keyboard.reset();
    failure = 11;
    return nullptr;
  }
  return keyboard.get();
}

JoystickDevice* WebPlatform::openJoystick() {
  if (!WebPad::available()) return nullptr;
  pad = std::make_unique<WebPad>();
  // A pad the browser shows later is handed over then (followPads).
  return WebPad::anyConnected() ? pad.get() : nullptr;
}

void WebPlatform::followPads() {
  if (!pad) return;
  const bool connected = WebPad::anyConnected();
  if (connected && !gJoystick) {
    attachJoystick(pad.get());
  } else if (!connected && gJoystick == pad.get()) {
    // The last pad went: play pauses as when the Pause key is pressed.
    detachJoystick();
  }
}

uint32_t WebPlatform::tickCount() { return uint32_t(emscripten_get_now()); }

void WebPlatform::sleepMilliseconds(uint32_t ms) {
  // Browsers run a hidden page's timers as seldom as once a minute; the next
  // animation frame comes as soon as the page shows again.
  if (pageHidden()) {
    waitForPageFrame();
  } else {
    emscripten_sleep(ms);
  }
}

void WebPlatform::pumpEvents() {
  appActive = pageHidden() ? 0 : 1;
  followPads();
  if (keyboard && keyboard->takeCaptureKeySeen()) offerNewCaptures();
  takeIncomingWorlds();
  keepSettings();
}

void WebPlatform::showLoadError(const char* text) { showPageMessage(text, true); }
