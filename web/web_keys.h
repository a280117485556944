// The browser's names of the keys of a PC keyboard (KeyboardEvent.code: the
// key's place, whatever the layout prints on it) mapped to the game's key codes.
#pragma once

#include <cstdint>
#include <string_view>

// The key code of a KeyboardEvent.code ("ArrowLeft", "KeyA", "Numpad7"), or
// 0 for a key the game has no code for.
uint8_t keyCodeFromKeyboardCode(std::string_view code);

// The whole table, in key-code order.
struct BrowserKey {
  const char* code;  // KeyboardEvent.code
  uint8_t key;       // the game's key code
};
const BrowserKey* browserKeyTable();
int32_t browserKeyTableSize();
