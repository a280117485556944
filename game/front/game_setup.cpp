// The game setup page of the title menu: rebinding the seven keys and the
// pad's five buttons, the difficulty choice and RETURN, acting on input edges.
#include <cstdio>
#include <cstring>

#include "game/front/title_menu.h"
#include "game/game_vars.h"
#include "game/platform.h"
#include "game/shell.h"
#include "media/sprite_surface.h"
#include "media/text.h"

char keyNames[KEY_BINDING_COUNT][KEY_NAME_SIZE] = {};
int32_t keyNamesValid = 0;

namespace {

constexpr int32_t SECTION_KEYBOARD = 0, SECTION_JOYSTICK = 1, SECTION_DIFFICULTY = 2, SECTION_RETURN = 3;
constexpr int32_t SECTION_Y[4] = {32, 192, 288, 352};
constexpr const char* KEY_LABELS[KEY_BINDING_COUNT] = {"Left  - %s", "Right - %s", "Jump  - %s", "Walk  - %s",
                                                       "Pause - %s", "Retry - %s", "Quit  - %s"};
constexpr const char* BUTTON_LABELS[JOY_BINDING_COUNT] = {"Jump  - %s", "Walk  - %s", "Pause - %s",
                                                          "Retry - %s", "Quit - %s"};
// Where each pad row is drawn: the four under each other, the Quit button
// beside Retry (below them is the difficulty). The row marker stands one
// character left of a row, the "?" of a capture in place of its blank after "-".
constexpr int32_t BUTTON_X[JOY_BINDING_COUNT] = {224, 224, 224, 224, 448};
constexpr int32_t BUTTON_Y[JOY_BINDING_COUNT] = {224, 240, 256, 272, 272};
constexpr int32_t BUTTON_MARKER_GAP[JOY_BINDING_COUNT] = {32, 32, 32, 32, 16};
constexpr int32_t BUTTON_QUESTION_AT[JOY_BINDING_COUNT] = {112, 112, 112, 112, 96};
constexpr int32_t MARKER_CHAR = 1;  // the small font's pointer glyph
constexpr int32_t DIFFICULTY_MARKER_X = 224, DIFFICULTY_STEP = 128;

bool held(uint8_t code) { return keyState[code] != 0; }

// Fetches the display names of the bound keys; a key the platform cannot
// name keeps the name its slot had.
void fetchKeyNames() {
  for (int32_t i = 0; i < KEY_BINDING_COUNT; i++) {
    char name[KEY_NAME_SIZE] = {};
    if (platform && platform->keyName(keyBindings[i], name, KEY_NAME_SIZE)) {
      std::memcpy(keyNames[i], name, KEY_NAME_SIZE);
      keyNames[i][KEY_NAME_SIZE - 1] = 0;
    }
  }
  keyNamesValid = 1;
}

void drawPage() {
  drawTextLarge(192, 32, "KEYBOARD");
  for (int32_t i = 0; i < KEY_BINDING_COUNT; i++) {
    std::snprintf(sharedText, sizeof sharedText, KEY_LABELS[i], keyNames[i]);
    drawTextSmall(224, 64 + 16 * i, sharedText);
  }
  drawTextLarge(192, 192, "JOYSTICK");
  for (int32_t i = 0; i < JOY_BINDING_COUNT; i++) {
    // A pad whose buttons SDL knows shows their names; others count them from 1.
    char button[16];
    const char* name = gJoystick ? gJoystick->buttonName(joyBindings[i]) : nullptr;
    if (name) {
      std::snprintf(button, sizeof button, "%.5s", name);
    } else {
      std::snprintf(button, sizeof button, "B%i", int(joyBindings[i]) + 1);
    }
    std::snprintf(sharedText, sizeof sharedText, BUTTON_LABELS[i], button);
    drawTextSmall(BUTTON_X[i], BUTTON_Y[i], sharedText);
  }
  drawTextLarge(192, 288, "DIFFICULTY");
  drawTextSmall(240, 320, "Easy    Normal  Hard");
  const char marker[2] = {char(MARKER_CHAR), 0};
  drawTextSmall(DIFFICULTY_MARKER_X + DIFFICULTY_STEP * difficulty, 320, marker);
  drawTextLarge(192, 352, "RETURN");
}

// One edge of a capture: the lowest key (or button) held becomes the binding.
void captureBinding() {
  if (menuCursor == SECTION_KEYBOARD) {
    for (int32_t code = 0; code < 256; code++) {
      if (!keyState[code]) continue;
      keyBindings[listRow - 1] = uint8_t(code);
      listPage = 0;
      keyNamesValid = 0;
      // The key just bound neither goes back nor quits in this frame.
      keyState[MENU_KEY_ESCAPE] = 0;
      keyState[MENU_KEY_Q] = 0;
      return;
    }
    return;
  }
  // Without a joystick no button ever comes; Escape on the keyboard cancels
  // the capture so that the page is not locked.
  for (int32_t button = 0; button < joyButtonCount && button < JOY_MAX_BUTTONS; button++) {
    if (!joyState.rgbButtons[button]) continue;
    joyBindings[listRow - 1] = uint8_t(button);
    listPage = 0;
    return;
  }
  if (held(MENU_KEY_ESCAPE)) {
    playSound(MENU_SOUND_BACK);
    listPage = 0;
  }
}

void stepDifficulty(int32_t by) {
  playSound(MENU_SOUND_CHOOSE);
  difficulty += by;
  if (difficulty < DIFFICULTY_EASY) difficulty = DIFFICULTY_HARD;
  if (difficulty > DIFFICULTY_HARD) difficulty = DIFFICULTY_EASY;
}

void actOnEdge() {
  if (held(MENU_KEY_DOWN)) {
    playSound(MENU_SOUND_MOVE);
    if (listRow > 0) {
      if (menuCursor == SECTION_KEYBOARD && listRow < KEY_BINDING_COUNT) listRow++;
      if (menuCursor == SECTION_JOYSTICK && listRow < JOY_BINDING_COUNT) listRow++;
    } else if (menuCursor < SECTION_RETURN) {
      menuCursor++;
    }
  }
  if (held(MENU_KEY_UP)) {
    playSound(MENU_SOUND_MOVE);
    if (listRow > 1) {
      listRow--;
    } else if (listRow == 0 && menuCursor > 0) {
      menuCursor--;
    }
  }
  if (held(MENU_KEY_ESCAPE)) {
    playSound(MENU_SOUND_BACK);
    if (listRow > 0) {
      listRow = 0;
    } else {
      menuPage = MENU_PAGE_MAIN;
      menuCursor = 0;
      return;
    }
  }
  if (menuCursor == SECTION_DIFFICULTY && held(MENU_KEY_LEFT)) stepDifficulty(-1);
  if (menuCursor == SECTION_DIFFICULTY && held(MENU_KEY_RIGHT)) stepDifficulty(1);
  if (held(MENU_KEY_ENTER)) {
    if (menuCursor == SECTION_KEYBOARD || menuCursor == SECTION_JOYSTICK) {
      if (listRow == 0) {
        listPage = 0;
        listRow = 1;
      } else {
        listPage = 1;
      }
      playSound(MENU_SOUND_CHOOSE);
    } else if (menuCursor == SECTION_DIFFICULTY) {
      stepDifficulty(1);
    } else if (menuCursor == SECTION_RETURN) {
      menuPage = MENU_PAGE_MAIN;
      menuCursor = 0;
      playSound(MENU_SOUND_BACK);
    }
  }
}

}  // namespace

void runGameSetupPage() {
  if (keyNamesValid == 0) fetchKeyNames();
  drawPage();
  if (menuEdge) {
    if (listPage == 1) {
      captureBinding();
    } else {
      actOnEdge();
    }
  }
  if (menuPage != MENU_PAGE_SETUP) return;
  if (menuCursor >= SECTION_KEYBOARD && menuCursor <= SECTION_RETURN) drawMenuPointer(128, SECTION_Y[menuCursor]);
  if (listRow > 0) {
    const char marker[2] = {char(MARKER_CHAR), 0};
    if (menuCursor == SECTION_JOYSTICK && listRow <= JOY_BINDING_COUNT) {
      const int32_t row = listRow - 1;
      drawTextSmall(BUTTON_X[row] - BUTTON_MARKER_GAP[row], BUTTON_Y[row], marker);
      if (listPage == 1) drawTextSmall(BUTTON_X[row] + BUTTON_QUESTION_AT[row], BUTTON_Y[row], "?");
      return;
    }
    int32_t y = (menuCursor == SECTION_KEYBOARD ? 48 : 208) + 16 * listRow;
    drawTextSmall(192, y, marker);
    if (listPage == 1) drawTextSmall(336, y, "?");
  }
}
