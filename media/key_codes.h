// The DirectInput key codes of a PC keyboard with their names, in both
// directions, and the labels players see. Stored bindings, keyState and input
// scripts all use these codes.
#pragma once

#include <cstdint>
#include <string_view>

struct KeyCodeName {
  uint8_t code;
  const char* name;   // for input scripts: upper case, one word ("LSHIFT", "NUMPADENTER")
  const char* label;  // for the setup page: at most KEY_LABEL_MAX characters ("LShift", "KP Enter")
};

// The longest label: the setup page has room for nine characters.
constexpr int32_t KEY_LABEL_MAX = 9;

// Key codes the game names directly.
constexpr uint8_t KEY_ESCAPE = 1;
constexpr uint8_t KEY_Q = 16;
constexpr uint8_t KEY_P = 25;
constexpr uint8_t KEY_O = 24;
constexpr uint8_t KEY_ENTER = 28;
constexpr uint8_t KEY_D = 32;
constexpr uint8_t KEY_G = 34;
constexpr uint8_t KEY_B = 48;
constexpr uint8_t KEY_SPACE = 57;
constexpr uint8_t KEY_F1 = 59;
constexpr uint8_t KEY_F2 = 60;
constexpr uint8_t KEY_F3 = 61;
constexpr uint8_t KEY_F4 = 62;
constexpr uint8_t KEY_F5 = 63;
constexpr uint8_t KEY_F12 = 88;
constexpr uint8_t KEY_UP = 200;
constexpr uint8_t KEY_LEFT = 203;
constexpr uint8_t KEY_RIGHT = 205;
constexpr uint8_t KEY_DOWN = 208;

// The name of a key code ("LEFT", "A", "F12", "NUMPAD7"), or nullptr for a
// code no key of the table has.
const char* keyNameFromCode(int32_t code);

// The label the setup page shows for a key code, or nullptr for a code no
// key of the table has.
const char* keyLabelFromCode(int32_t code);

// The key code of a name, case-insensitive, or -1 for an unknown name.
// A few common aliases are accepted too (RETURN for ENTER, ESC for ESCAPE).
int32_t keyCodeFromName(std::string_view name);

// The whole table, in code order.
const KeyCodeName* keyCodeTable();
int32_t keyCodeTableSize();
