// The SDL event pump.
#include "media/sdl/sdl_events.h"

#include "media/input.h"
#include "media/sdl/sdl_input.h"

void (*gSdlEventHandler)(const SDL_Event& event) = nullptr;

void pumpSdlEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_QUIT) inputClosing = 1;
    if (gSdlPads && (event.type == SDL_JOYDEVICEADDED || event.type == SDL_JOYDEVICEREMOVED)) {
      gSdlPads->handleEvent(event);
    }
    if (gSdlEventHandler) gSdlEventHandler(event);
  }
}
