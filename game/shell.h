// The game shell's process-wide state: game-state codes and the fade request,
// bindings, display objects and palettes, sprite sheets, the tile class table
// and the shared text buffer. Screens and play read and write these by name.
#pragma once

#include <cstdint>

#include "media/input.h"  // keyState, joyState, joystickPresent, nothingPressed
#include "media/key_codes.h"
#include "media/sound.h"  // playSound(slot)
#include "media/surface.h"

class SpriteSurface;

// Game-state codes (gameState, pendingState). From STATE_LEVEL_DONE upward
// the codes belong to play, which writes gameState directly.
constexpr int32_t STATE_INTRO = -10;
constexpr int32_t STATE_QUIT = -9;
constexpr int32_t STATE_FADE_HOLD = -8;
constexpr int32_t STATE_TITLE_MENU = -7;
constexpr int32_t STATE_LEVEL_INTRO = -6;
constexpr int32_t STATE_CONGRATULATIONS = -5;
constexpr int32_t STATE_LEVEL_DONE = -4;
constexpr int32_t STATE_PAUSED = -3;
constexpr int32_t STATE_GAME_OVER = -2;
constexpr int32_t STATE_LEVEL_START = -1;
constexpr int32_t STATE_ON_GROUND = 0;
constexpr int32_t STATE_AIRBORNE = 1;
constexpr int32_t STATE_DYING = 3;
constexpr int32_t STATE_AIR_RELEASED = 4;
constexpr int32_t STATE_AIR_REPRESSED = 5;
constexpr int32_t STATE_BONUS_JUMP = 6;

// Fade control (fadeMode): the mode in the low bits, FADE_RUNNING while a
// fade of mode 1-3 runs.
constexpr int32_t FADE_TO_WHITE = 1;
constexpr int32_t FADE_TO_BLACK = 2;
constexpr int32_t FADE_IN = 3;
constexpr int32_t FADE_RESTORE = 4;
constexpr int32_t FADE_RUNNING = 8;

extern int32_t gameState;
extern int32_t pendingState;  // state to enter when the fade completes; 0 = none
extern int32_t fadeMode;
extern int32_t paletteSettled;  // 1 once the display shows targetPalette
extern int32_t running;         // frames run only while 1
extern int32_t appActive;       // 1 while the window has the focus
extern int32_t debugMode;
extern int32_t letterboxMode;  // the display is 640 x 480, the picture 40 lines down
extern int32_t frameCounter;   // 0..59
extern uint32_t nextTick;
extern int32_t cyclePhase;  // 0..5

// Bindings: key codes for Left, Right, Jump, Walk, Pause, Retry, Quit and
// joystick buttons (0-based) for Jump, Walk, Pause, Retry and Quit. No
// button does two things by default: on a game controller 0 is A, 1 B,
// 7 Back, 8 the right stick's click and 9 Start (see media/input.h).
constexpr int32_t KEY_BINDING_COUNT = 7;
constexpr int32_t JOY_BINDING_COUNT = 5;
constexpr int32_t BIND_LEFT = 0;
constexpr int32_t BIND_RIGHT = 1;
constexpr int32_t BIND_JUMP = 2;
constexpr int32_t BIND_WALK = 3;
constexpr int32_t BIND_PAUSE = 4;
constexpr int32_t BIND_RETRY = 5;
constexpr int32_t BIND_QUIT = 6;
constexpr int32_t JOY_BIND_JUMP = 0;
constexpr int32_t JOY_BIND_WALK = 1;
constexpr int32_t JOY_BIND_PAUSE = 2;
constexpr int32_t JOY_BIND_RETRY = 3;
constexpr int32_t JOY_BIND_QUIT = 4;
constexpr uint8_t DEFAULT_KEY_BINDINGS[KEY_BINDING_COUNT] = {203, 205, 200, 208, 25, 1, 16};
constexpr uint8_t DEFAULT_JOY_BINDINGS[JOY_BINDING_COUNT] = {0, 1, 9, 8, 7};
extern uint8_t keyBindings[KEY_BINDING_COUNT];
extern uint8_t joyBindings[JOY_BINDING_COUNT];

// Palettes: 256 entries of red, green, blue, flags.
struct PaletteEntry {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t flags = 0;
};
constexpr int32_t PALETTE_SIZE = 256;
extern PaletteEntry targetPalette[PALETTE_SIZE];   // the game palette
extern PaletteEntry currentPalette[PALETTE_SIZE];  // what the fades last sent
// Sends entries to the display palette (the picture shows through it).
void setDisplayPalette(int32_t start, int32_t count, const PaletteEntry* entries);

// Display objects. backBuffer is 640 x 400 (640 x 480 in letterbox mode) and
// every screen draws there; the layers are 704 x 448 with colour key 0;
// gaugeSurface is 640 x 124 (sky rows 0-111, time gauge 112-117, air 118-123).
constexpr int32_t SCREEN_WIDTH = 640;
constexpr int32_t SCREEN_HEIGHT = 400;
constexpr int32_t LETTERBOX_HEIGHT = 480;
constexpr int32_t LETTERBOX_SHIFT = 40;
extern Surface* primarySurface;  // the picture shown last
extern Surface* backBuffer;
extern Surface* tileLayer;
extern Surface* backgroundLayer;
extern Surface* gaugeSurface;
// Set to 1 whenever the surfaces were restored after a loss; the screens that
// keep pictures in surfaces redraw them and clear it.
extern int32_t surfacesRestored;

// The sprite sheets: 32 x 32 keyed (objects, player, large font), 32 x 32
// opaque (tiles), 16 x 16 keyed (small font). Include media/sprite_surface.h to use them.
extern SpriteSurface gSheetKeyed;
extern SpriteSurface gSheetOpaque;
extern SpriteSurface gFontSmall;

// Tile class of every tile value, from data07.glb.
constexpr int32_t TILE_CLASS_COUNT = 240;
extern int32_t tileClass[TILE_CLASS_COUNT];

// The one buffer messages and file names are formatted in before use.
constexpr int32_t SHARED_TEXT_SIZE = 512;
extern char sharedText[SHARED_TEXT_SIZE];
