// The key-code table: DirectInput codes of the keys of a PC keyboard, the
// names input scripts use for them and the labels the setup page shows.
#include "media/key_codes.h"

#include <cctype>

namespace {

constexpr KeyCodeName KEY_TABLE[] = {
    {1, "ESCAPE", "Esc"},
    {2, "1", "1"},
    {3, "2", "2"},
    {4, "3", "3"},
    {5, "4", "4"},
    {6, "5", "5"},
    {7, "6", "6"},
    {8, "7", "7"},
    {9, "8", "8"},
    {10, "9", "9"},
    {11, "0", "0"},
    {12, "MINUS", "-"},
    {13, "EQUALS", "="},
    {14, "BACKSPACE", "Backspace"},
    {15, "TAB", "Tab"},
    {16, "Q", "Q"},
    {17, "W", "W"},
    {18, "E", "E"},
    {19, "R", "R"},
    {20, "T", "T"},
    {21, "Y", "Y"},
    {22, "U", "U"},
    {23, "I", "I"},
    {24, "O", "O"},
    {25, "P", "P"},
    {26, "LBRACKET", "["},
    {27, "RBRACKET", "]"},
    {28, "ENTER", "Enter"},
    {29, "LCONTROL", "LCtrl"},
    {30, "A", "A"},
    {31, "S", "S"},
    {32, "D", "D"},
    {33, "F", "F"},
    {34, "G", "G"},
    {35, "H", "H"},
    {36, "J", "J"},
    {37, "K", "K"},
    {38, "L", "L"},
    {39, "SEMICOLON", ";"},
    {40, "APOSTROPHE", "'"},
    {41, "GRAVE", "`"},
    {42, "LSHIFT", "LShift"},
    {43, "BACKSLASH", "\\"},
    {44, "Z", "Z"},
    {45, "X", "X"},
    {46, "C", "C"},
    {47, "V", "V"},
    {48, "B", "B"},
    {49, "N", "N"},
    {50, "M", "M"},
    {51, "COMMA", ","},
    {52, "PERIOD", "."},
    {53, "SLASH", "/"},
    {54, "RSHIFT", "RShift"},
    {55, "MULTIPLY", "KP *"},
    {56, "LALT", "LAlt"},
    {57, "SPACE", "Space"},
    {58, "CAPSLOCK", "Caps Lock"},
    {59, "F1", "F1"},
    {60, "F2", "F2"},
    {61, "F3", "F3"},
    {62, "F4", "F4"},
    {63, "F5", "F5"},
    {64, "F6", "F6"},
    {65, "F7", "F7"},
    {66, "F8", "F8"},
    {67, "F9", "F9"},
    {68, "F10", "F10"},
    {69, "NUMLOCK", "Num Lock"},
    {70, "SCROLLLOCK", "ScrollLck"},
    {71, "NUMPAD7", "KP 7"},
    {72, "NUMPAD8", "KP 8"},
    {73, "NUMPAD9", "KP 9"},
    {74, "SUBTRACT", "KP -"},
    {75, "NUMPAD4", "KP 4"},
    {76, "NUMPAD5", "KP 5"},
    {77, "NUMPAD6", "KP 6"},
    {78, "ADD", "KP +"},
    {79, "NUMPAD1", "KP 1"},
    {80, "NUMPAD2", "KP 2"},
    {81, "NUMPAD3", "KP 3"},
    {82, "NUMPAD0", "KP 0"},
    {83, "DECIMAL", "KP ."},
    {86, "OEM_102", "ISO \\"},
    {87, "F11", "F11"},
    {88, "F12", "F12"},
    {156, "NUMPADENTER", "KP Enter"},
    {157, "RCONTROL", "RCtrl"},
    {181, "DIVIDE", "KP /"},
    {183, "SYSRQ", "PrintScr"},
    {184, "RALT", "RAlt"},
    {197, "PAUSE", "Pause"},
    {199, "HOME", "Home"},
    {200, "UP", "Up"},
    {201, "PAGEUP", "Page Up"},
    {203, "LEFT", "Left"},
    {205, "RIGHT", "Right"},
    {207, "END", "End"},
    {208, "DOWN", "Down"},
    {209, "PAGEDOWN", "Page Down"},
    {210, "INSERT", "Insert"},
    {211, "DELETE", "Delete"},
    {219, "LWIN", "LSuper"},
    {220, "RWIN", "RSuper"},
    {221, "APPS", "Menu"},
};

// Other spellings people use for the same keys (the DirectInput names among them).
struct KeyAlias {
  uint8_t code;
  const char* name;
};
constexpr KeyAlias KEY_ALIASES[] = {
    {1, "ESC"},       {14, "BACK"},       {28, "RETURN"},     {29, "LCTRL"},  {56, "LMENU"},
    {58, "CAPITAL"},  {70, "SCROLL"},     {157, "RCTRL"},     {184, "RMENU"}, {201, "PRIOR"},
    {209, "NEXT"},    {211, "DEL"},       {210, "INS"},       {183, "PRINTSCREEN"},
};

bool sameName(std::string_view a, const char* b) {
  size_t i = 0;
  for (; i < a.size(); i++) {
    if (b[i] == 0) return false;
    if (std::toupper(static_cast<unsigned char>(a[i])) != static_cast<unsigned char>(b[i])) return false;
  }
  return b[i] == 0;
}

}  // namespace

const char* keyNameFromCode(int32_t code) {
  for (const KeyCodeName& k : KEY_TABLE) {
    if (k.code == code) return k.name;
  }
  return nullptr;
}

int32_t keyCodeFromName(std::string_view name) {
  if (name.empty()) return -1;
  for (const KeyCodeName& k : KEY_TABLE) {
    if (sameName(name, k.name)) return k.code;
  }
  for (const KeyAlias& k : KEY_ALIASES) {
    if (sameName(name, k.name)) return k.code;
  }
  return -1;
}

const char* keyLabelFromCode(int32_t code) {
  for (const KeyCodeName& k : KEY_TABLE) {
    if (k.code == code) return k.label;
  }
  return nullptr;
}

const KeyCodeName* keyCodeTable() { return KEY_TABLE; }
int32_t keyCodeTableSize() { return int32_t(sizeof KEY_TABLE / sizeof KEY_TABLE[0]); }
