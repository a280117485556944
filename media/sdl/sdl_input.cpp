// Reading SDL's keyboard and joystick into the DirectInput-shaped snapshot.
#include "media/sdl/sdl_input.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "media/regular_file.h"

namespace {

struct ScancodeKey {
  SDL_Scancode scancode;
  uint8_t code;
};

constexpr ScancodeKey SCANCODE_KEYS[] = {
    {SDL_SCANCODE_ESCAPE, 1},        {SDL_SCANCODE_1, 2},           {SDL_SCANCODE_2, 3},
    {SDL_SCANCODE_3, 4},             {SDL_SCANCODE_4, 5},           {SDL_SCANCODE_5, 6},
    {SDL_SCANCODE_6, 7},             {SDL_SCANCODE_7, 8},           {SDL_SCANCODE_8, 9},
    {SDL_SCANCODE_9, 10},            {SDL_SCANCODE_0, 11},          {SDL_SCANCODE_MINUS, 12},
    {SDL_SCANCODE_EQUALS, 13},       {SDL_SCANCODE_BACKSPACE, 14},  {SDL_SCANCODE_TAB, 15},
    {SDL_SCANCODE_Q, 16},            {SDL_SCANCODE_W, 17},          {SDL_SCANCODE_E, 18},
    {SDL_SCANCODE_R, 19},            {SDL_SCANCODE_T, 20},          {SDL_SCANCODE_Y, 21},
    {SDL_SCANCODE_U, 22},            {SDL_SCANCODE_I, 23},          {SDL_SCANCODE_O, 24},
    {SDL_SCANCODE_P, 25},            {SDL_SCANCODE_LEFTBRACKET, 26}, {SDL_SCANCODE_RIGHTBRACKET, 27},
    {SDL_SCANCODE_RETURN, 28},       {SDL_SCANCODE_LCTRL, 29},      {SDL_SCANCODE_A, 30},
    {SDL_SCANCODE_S, 31},            {SDL_SCANCODE_D, 32},          {SDL_SCANCODE_F, 33},
    {SDL_SCANCODE_G, 34},            {SDL_SCANCODE_H, 35},          {SDL_SCANCODE_J, 36},
    {SDL_SCANCODE_K, 37},            {SDL_SCANCODE_L, 38},          {SDL_SCANCODE_SEMICOLON, 39},
    {SDL_SCANCODE_APOSTROPHE, 40},   {SDL_SCANCODE_GRAVE, 41},      {SDL_SCANCODE_LSHIFT, 42},
    {SDL_SCANCODE_BACKSLASH, 43},    {SDL_SCANCODE_Z, 44},          {SDL_SCANCODE_X, 45},
    {SDL_SCANCODE_C, 46},            {SDL_SCANCODE_V, 47},          {SDL_SCANCODE_B, 48},
    {SDL_SCANCODE_N, 49},            {SDL_SCANCODE_M, 50},          {SDL_SCANCODE_COMMA, 51},
    {SDL_SCANCODE_PERIOD, 52},       {SDL_SCANCODE_SLASH, 53},      {SDL_SCANCODE_RSHIFT, 54},
    {SDL_SCANCODE_KP_MULTIPLY, 55},  {SDL_SCANCODE_LALT, 56},       {SDL_SCANCODE_SPACE, 57},
    {SDL_SCANCODE_CAPSLOCK, 58},     {SDL_SCANCODE_F1, 59},         {SDL_SCANCODE_F2, 60},
    {SDL_SCANCODE_F3, 61},           {SDL_SCANCODE_F4, 62},         {SDL_SCANCODE_F5, 63},
    {SDL_SCANCODE_F6, 64},           {SDL_SCANCODE_F7, 65},         {SDL_SCANCODE_F8, 66},
    {SDL_SCANCODE_F9, 67},           {SDL_SCANCODE_F10, 68},        {SDL_SCANCODE_NUMLOCKCLEAR, 69},
    {SDL_SCANCODE_SCROLLLOCK, 70},   {SDL_SCANCODE_KP_7, 71},       {SDL_SCANCODE_KP_8, 72},
    {SDL_SCANCODE_KP_9, 73},         {SDL_SCANCODE_KP_MINUS, 74},   {SDL_SCANCODE_KP_4, 75},
    {SDL_SCANCODE_KP_5, 76},         {SDL_SCANCODE_KP_6, 77},       {SDL_SCANCODE_KP_PLUS, 78},
    {SDL_SCANCODE_KP_1, 79},         {SDL_SCANCODE_KP_2, 80},       {SDL_SCANCODE_KP_3, 81},
    {SDL_SCANCODE_KP_0, 82},         {SDL_SCANCODE_KP_PERIOD, 83},  {SDL_SCANCODE_NONUSBACKSLASH, 86},
    {SDL_SCANCODE_F11, 87},          {SDL_SCANCODE_F12, 88},        {SDL_SCANCODE_KP_ENTER, 156},
    {SDL_SCANCODE_RCTRL, 157},       {SDL_SCANCODE_KP_DIVIDE, 181}, {SDL_SCANCODE_PRINTSCREEN, 183},
    {SDL_SCANCODE_RALT, 184},        {SDL_SCANCODE_PAUSE, 197},     {SDL_SCANCODE_HOME, 199},
    {SDL_SCANCODE_UP, 200},          {SDL_SCANCODE_PAGEUP, 201},    {SDL_SCANCODE_LEFT, 203},
    {SDL_SCANCODE_RIGHT, 205},       {SDL_SCANCODE_END, 207},       {SDL_SCANCODE_DOWN, 208},
    {SDL_SCANCODE_PAGEDOWN, 209},    {SDL_SCANCODE_INSERT, 210},    {SDL_SCANCODE_DELETE, 211},
    {SDL_SCANCODE_LGUI, 219},        {SDL_SCANCODE_RGUI, 220},      {SDL_SCANCODE_APPLICATION, 221},
};

// SDL's game-controller buttons in the order of PAD_BUTTON_NAMES.
constexpr SDL_GameControllerButton CONTROLLER_BUTTONS[] = {
    SDL_CONTROLLER_BUTTON_A,          SDL_CONTROLLER_BUTTON_B,          SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,          SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,  SDL_CONTROLLER_BUTTON_BACK,       SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_START,      SDL_CONTROLLER_BUTTON_GUIDE,      SDL_CONTROLLER_BUTTON_MISC1,
    SDL_CONTROLLER_BUTTON_PADDLE1,    SDL_CONTROLLER_BUTTON_PADDLE2,    SDL_CONTROLLER_BUTTON_PADDLE3,
    SDL_CONTROLLER_BUTTON_PADDLE4,    SDL_CONTROLLER_BUTTON_TOUCHPAD,
};
constexpr int32_t CONTROLLER_BUTTON_COUNT = int32_t(sizeof CONTROLLER_BUTTONS / sizeof CONTROLLER_BUTTONS[0]);
static_assert(CONTROLLER_BUTTON_COUNT == PAD_BUTTON_COUNT, "every named button has its SDL button");
static_assert(CONTROLLER_BUTTONS[PAD_BUTTON_BACK] == SDL_CONTROLLER_BUTTON_BACK &&
                  CONTROLLER_BUTTONS[PAD_BUTTON_RIGHT_STICK] == SDL_CONTROLLER_BUTTON_RIGHTSTICK &&
                  CONTROLLER_BUTTONS[PAD_BUTTON_START] == SDL_CONTROLLER_BUTTON_START &&
                  CONTROLLER_BUTTONS[PAD_BUTTON_LB] == SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
              "the named button numbers match SDL's buttons");

// The community mapping file is well under a megabyte; a mapping line a few
// hundred characters.
constexpr size_t MAPPING_FILE_MAX_BYTES = size_t(4) << 20;
constexpr size_t MAPPING_LINE_MAX = 1024;
constexpr size_t MAPPING_GUID_LENGTH = 32;
constexpr size_t MAPPING_NUMBER_DIGITS = 3;

constexpr int32_t SDL_AXIS_MIN = -32768;
constexpr int32_t SDL_AXIS_MAX = 32767;
constexpr uint8_t HELD = 0x80;

}  // namespace

uint8_t keyCodeFromScancode(SDL_Scancode scancode) {
  for (const ScancodeKey& k : SCANCODE_KEYS) {
    if (k.scancode == scancode) return k.code;
  }
  return 0;
}

SDL_Scancode scancodeFromKeyCode(uint8_t code) {
  for (const ScancodeKey& k : SCANCODE_KEYS) {
    if (k.code == code) return k.scancode;
  }
  return SDL_SCANCODE_UNKNOWN;
}

bool SdlKeyboard::readState(uint8_t keys[256]) {
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  if (!state) return false;
  std::memset(keys, 0, 256);
  for (const ScancodeKey& k : SCANCODE_KEYS) {
    if (k.scancode < count && state[k.scancode]) keys[k.code] = HELD;
  }
  return true;
}

std::unique_ptr<SdlJoystick> SdlJoystick::open(int index) {
  auto device = std::make_unique<SdlJoystick>();
  if (SDL_IsGameController(index)) device->controller = SDL_GameControllerOpen(index);
  if (device->controller) {
    device->buttons = CONTROLLER_BUTTON_COUNT;
    device->instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(device->controller));
    return device;
  }
  device->joystick = SDL_JoystickOpen(index);
  if (!device->joystick) return nullptr;
  const int n = SDL_JoystickNumButtons(device->joystick);
  device->buttons = n < 0 ? 0 : n > JOY_MAX_BUTTONS ? JOY_MAX_BUTTONS : n;
  device->instance = SDL_JoystickInstanceID(device->joystick);
  return device;
}

SdlJoystick::~SdlJoystick() {
  if (controller) SDL_GameControllerClose(controller);
  if (joystick) SDL_JoystickClose(joystick);
}

void SdlJoystick::poll() { SDL_JoystickUpdate(); }

bool SdlJoystick::readState(JoyState& state) {
  state = JoyState{};
  if (controller) {
    if (!SDL_GameControllerGetAttached(controller)) return false;
    state.lX = scaleJoystickAxis(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX), SDL_AXIS_MIN, SDL_AXIS_MAX);
    state.lY = scaleJoystickAxis(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY), SDL_AXIS_MIN, SDL_AXIS_MAX);
    // The directional pad counts as the stick pushed all the way.
    if (SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) state.lX = JOY_AXIS_MIN;
    if (SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) state.lX = JOY_AXIS_MAX;
    if (SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_UP)) state.lY = JOY_AXIS_MIN;
    if (SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) state.lY = JOY_AXIS_MAX;
    for (int32_t b = 0; b < buttons; b++) {
      state.rgbButtons[b] = SDL_GameControllerGetButton(controller, CONTROLLER_BUTTONS[b]) ? HELD : 0;
    }
    return true;
  }
  if (!joystick || !SDL_JoystickGetAttached(joystick)) return false;
  state.lX = scaleJoystickAxis(SDL_JoystickGetAxis(joystick, 0), SDL_AXIS_MIN, SDL_AXIS_MAX);
  state.lY = scaleJoystickAxis(SDL_JoystickGetAxis(joystick, 1), SDL_AXIS_MIN, SDL_AXIS_MAX);
  for (int32_t b = 0; b < buttons; b++) state.rgbButtons[b] = SDL_JoystickGetButton(joystick, b) ? HELD : 0;
  return true;
}

const char* SdlJoystick::buttonName(int32_t button) const {
  if (!controller || button < 0 || button >= PAD_BUTTON_COUNT) return nullptr;
  return PAD_BUTTON_NAMES[button];
}

namespace {

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// A line SDL is given: a pad's GUID, a comma, then short text without
// control characters. Comments, blank lines and anything else stay out.
bool mappingLine(const std::string& line) {
  if (line.size() <= MAPPING_GUID_LENGTH || line.size() > MAPPING_LINE_MAX || line[MAPPING_GUID_LENGTH] != ',') {
    return false;
  }
  for (size_t i = 0; i < MAPPING_GUID_LENGTH; i++) {
    if (!isHexDigit(line[i])) return false;
  }
  for (unsigned char c : line) {
    if (c < 0x20 || c == 0x7F) return false;
  }
  // SDL reads a binding's button, axis or hat number ("b12", "+a3", "h0.4")
  // with atoi and checks it only against the top of the pad's range: a
  // number too long for an int comes out negative and is read before the
  // pad's buttons. Bindings take numbers of three digits at most; a line
  // with a longer one is left out. The GUID and the name are not bindings,
  // and other fields ("platform:Linux", "crc:1a2b") are SDL's to read.
  size_t field = line.find(',', MAPPING_GUID_LENGTH + 1);
  while (field != std::string::npos) {
    const size_t end = std::min(line.find(',', field + 1), line.size());
    size_t at = line.find(':', field + 1);
    field = end < line.size() ? end : std::string::npos;
    if (at == std::string::npos || at >= end) continue;
    at++;
    if (at < end && (line[at] == '+' || line[at] == '-')) at++;
    if (at >= end || (line[at] != 'a' && line[at] != 'b' && line[at] != 'h')) continue;
    size_t digits = 0;
    for (size_t i = at + 1; i < end; i++) {
      digits = line[i] >= '0' && line[i] <= '9' ? digits + 1 : 0;
      if (digits > MAPPING_NUMBER_DIGITS) return false;
    }
  }
  return true;
}

}  // namespace

int32_t addPadMappings(const std::string& path, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!readRegularFile(path, MAPPING_FILE_MAX_BYTES, &bytes, error)) return -1;
  std::string lines;
  for (const std::string& line : textLines(bytes)) {
    if (mappingLine(line)) lines += line + "\n";
  }
  if (lines.empty()) return 0;
  // SDL takes the lines meant for this platform and checks each mapping itself.
  SDL_RWops* source = SDL_RWFromConstMem(lines.data(), int(lines.size()));
  const int added = source ? SDL_GameControllerAddMappingsFromRW(source, 1) : -1;
  if (added < 0) {
    if (error) *error = path + ": " + SDL_GetError();
    return -1;
  }
  return added;
}

SdlPads* gSdlPads = nullptr;

SdlPads::~SdlPads() {
  if (gSdlPads == this) gSdlPads = nullptr;
  // The game is letting go of its pads, not losing one: nothing is told.
  if (pad && gJoystick == pad.get()) forgetJoystick();
  pad.reset();
  if (started) SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
}

bool SdlPads::start(const std::vector<std::string>& mappingFiles) {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0) return false;
  started = true;
  for (const std::string& file : mappingFiles) {
    std::error_code absent;
    if (!std::filesystem::exists(file, absent)) continue;
    std::string error;
    if (addPadMappings(file, &error) < 0) std::fprintf(stderr, "glimb: pad mappings not read: %s\n", error.c_str());
  }
  gSdlPads = this;
  openFirst();
  return true;
}

void SdlPads::openFirst() {
  for (int i = 0; i < SDL_NumJoysticks() && !pad; i++) pad = SdlJoystick::open(i);
}

void SdlPads::letGo() {
  if (!pad) return;
  if (gJoystick == pad.get()) detachJoystick();
  pad.reset();
}

void SdlPads::useFirstAttached() {
  openFirst();
  if (pad && !gJoystick) attachJoystick(pad.get());
}

void SdlPads::handleEvent(const SDL_Event& event) {
  if (event.type == SDL_JOYDEVICEADDED && !pad) {
    useFirstAttached();
  } else if (event.type == SDL_JOYDEVICEREMOVED && pad && pad->instanceId() == event.jdevice.which) {
    letGo();
    useFirstAttached();
  }
}
