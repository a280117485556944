// The SDL event pump.
#include "media/sdl/sdl_events.h"

#include "media/input.h"

void (*gSdlEventHandler)(const SDL_Event& event) = nullptr;

void pumpSdlEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_QUIT) inputClosing = 1;
    if (gSdlEventHandler) gSdlEventHandler(event);
  }
}
