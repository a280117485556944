// Definitions of the shell's process-wide state, the sprite sheets and the
// game variables shared by the front end and play.
#include "game/game_vars.h"
#include "game/shell.h"
#include "media/sprite_surface.h"

int32_t gameState = STATE_INTRO;
int32_t pendingState = 0;
int32_t fadeMode = 0;
int32_t paletteSettled = 0;
int32_t running = 1;
int32_t appActive = 0;
int32_t debugMode = 0;
int32_t letterboxMode = 0;
int32_t frameCounter = 0;
uint32_t nextTick = 0;
int32_t cyclePhase = 0;

uint8_t keyBindings[KEY_BINDING_COUNT] = {};
uint8_t joyBindings[JOY_BINDING_COUNT] = {};

PaletteEntry targetPalette[PALETTE_SIZE];
PaletteEntry currentPalette[PALETTE_SIZE];

int32_t tileClass[TILE_CLASS_COUNT] = {};
char sharedText[SHARED_TEXT_SIZE] = {};

// Constructed before the program's entry runs and released after it ends,
// in the reverse order.
SpriteSurface gSheetKeyed(32, 32, 1);
SpriteSurface gSheetOpaque(32, 32, 0);
SpriteSurface gFontSmall(16, 16, 1);

int32_t levelIndex = 0;
int32_t levelCount = 0;
int32_t lives = 0;
int32_t pickupCount = 0;
int32_t difficulty = DIFFICULTY_NORMAL;  // the game setup starts on Normal
int32_t checkpointScrollX = 0;
int32_t checkpointScrollY = 0;
std::string worldFileName;
std::string worldName;
std::string worldAuthor;
std::string worldProgressKey;
