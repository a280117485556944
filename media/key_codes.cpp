// The key-code table: DirectInput codes of the keys of a PC keyboard and the
// names input scripts and the setup page use for them.
#include "media/key_codes.h"

#include <cctype>

namespace {

constexpr KeyCodeName KEY_TABLE[] = {
    {1, "ESCAPE"},       {2, "1"},          {3, "2"},         {4, "3"},          {5, "4"},
    {6, "5"},            {7, "6"},          {8, "7"},         {9, "8"},          {10, "9"},
    {11, "0"},           {12, "MINUS"},     {13, "EQUALS"},   {14, "BACKSPACE"}, {15, "TAB"},
    {16, "Q"},           {17, "W"},         {18, "E"},        {19, "R"},         {20, "T"},
    {21, "Y"},           {22, "U"},         {23, "I"},        {24, "O"},         {25, "P"},
    {26, "LBRACKET"},    {27, "RBRACKET"},  {28, "ENTER"},    {29, "LCONTROL"},  {30, "A"},
    {31, "S"},           {32, "D"},         {33, "F"},        {34, "G"},         {35, "H"},
    {36, "J"},           {37, "K"},         {38, "L"},        {39, "SEMICOLON"}, {40, "APOSTROPHE"},
    {41, "GRAVE"},       {42, "LSHIFT"},    {43, "BACKSLASH"}, {44, "Z"},        {45, "X"},
    {46, "C"},           {47, "V"},         {48, "B"},        {49, "N"},         {50, "M"},
    {51, "COMMA"},       {52, "PERIOD"},    {53, "SLASH"},    {54, "RSHIFT"},    {55, "MULTIPLY"},
    {56, "LALT"},        {57, "SPACE"},     {58, "CAPSLOCK"}, {59, "F1"},        {60, "F2"},
    {61, "F3"},          {62, "F4"},        {63, "F5"},       {64, "F6"},        {65, "F7"},
    {66, "F8"},          {67, "F9"},        {68, "F10"},      {69, "NUMLOCK"},   {70, "SCROLLLOCK"},
    {71, "NUMPAD7"},     {72, "NUMPAD8"},   {73, "NUMPAD9"},  {74, "SUBTRACT"},  {75, "NUMPAD4"},
    {76, "NUMPAD5"},     {77, "NUMPAD6"},   {78, "ADD"},      {79, "NUMPAD1"},   {80, "NUMPAD2"},
    {81, "NUMPAD3"},     {82, "NUMPAD0"},   {83, "DECIMAL"},  {86, "OEM_102"},   {87, "F11"},
    {88, "F12"},         {156, "NUMPADENTER"}, {157, "RCONTROL"}, {181, "DIVIDE"}, {183, "SYSRQ"},
    {184, "RALT"},       {197, "PAUSE"},    {199, "HOME"},    {200, "UP"},       {201, "PAGEUP"},
    {203, "LEFT"},       {205, "RIGHT"},    {207, "END"},     {208, "DOWN"},     {209, "PAGEDOWN"},
    {210, "INSERT"},     {211, "DELETE"},   {219, "LWIN"},    {220, "RWIN"},     {221, "APPS"},
};

// Other spellings people use for the same keys (the DirectInput names among them).
constexpr KeyCodeName KEY_ALIASES[] = {
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
  for (const KeyCodeName& k : KEY_ALIASES) {
    if (sameName(name, k.name)) return k.code;
  }
  return -1;
}

const KeyCodeName* keyCodeTable() { return KEY_TABLE; }
int32_t keyCodeTableSize() { return int32_t(sizeof KEY_TABLE / sizeof KEY_TABLE[0]); }
