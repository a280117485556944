// The one SDL event pump of the program: handles input-related events (a
// quit request, pads plugged in and out) and hands every event to the handler the game registers (window focus, close,
// Alt+Enter, display resets).
#pragma once

#include <SDL.h>

// Called for every event taken from the queue.
extern void (*gSdlEventHandler)(const SDL_Event& event);

// Takes every waiting event. A quit request sets inputClosing.
void pumpSdlEvents();
