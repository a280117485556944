// Pads through SDL's virtual joysticks: the pad in use as pads are plugged in
// and out, the buttons of a game controller by name and in the order the
// bindings count them, and the community mapping file that makes a plain
// joystick a named game controller, read safely.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "media/input.h"
#include "media/sdl/sdl_events.h"
#include "media/sdl/sdl_input.h"

namespace {

namespace fs = std::filesystem;

// The buttons of SDL's virtual game controller, in SDL's button order.
int virtualButton(SDL_GameControllerButton button) { return int(button); }

class PadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("glimb-pad-test-" + std::to_string(getpid()));
    fs::create_directories(folder);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    gJoystick = nullptr;
    joystickPresent = 0;
    joystickLost = 0;
  }
  void TearDown() override {
    pads.reset();
    for (SDL_Joystick* j : opened) SDL_JoystickClose(j);
    for (int i = SDL_NumJoysticks() - 1; i >= 0; i--) {
      if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
    }
    // The last user of the systems gone, SDL forgets the mappings added.
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    gJoystick = nullptr;
    joystickPresent = 0;
    joystickLost = 0;
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  void startPads(const std::vector<std::string>& files = {}) {
    pads = std::make_unique<SdlPads>();
    ASSERT_TRUE(pads->start(files));
    attachJoystick(pads->inUse());
  }
  // A virtual pad: a game controller with every button, or a plain joystick
  // of 12 buttons that SDL knows no mapping for. Its device index.
  int plugIn(bool controller, const char* name) {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = controller ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.naxes = controller ? SDL_CONTROLLER_AXIS_MAX : 2;
    desc.nbuttons = controller ? SDL_CONTROLLER_BUTTON_MAX : 12;
    desc.vendor_id = controller ? 0 : 0x1234;
    desc.product_id = controller ? 0 : 0x5678;
    desc.name = name;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(index, 0) << SDL_GetError();
    return index;
  }
  // The SDL joystick of a virtual device, for setting its buttons.
  SDL_Joystick* handle(int index) {
    SDL_Joystick* j = SDL_JoystickOpen(index);
    opened.push_back(j);
    return j;
  }
  void unplug(SDL_Joystick* j) {
    const SDL_JoystickID id = SDL_JoystickInstanceID(j);
    for (int i = 0; i < SDL_NumJoysticks(); i++) {
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
  }
  void press(SDL_Joystick* j, int button, bool down = true) {
    SDL_JoystickSetVirtualButton(j, button, down ? 1 : 0);
    SDL_JoystickUpdate();
  }
  std::string guidOf(int index) {
    char text[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), text, sizeof text);
    return text;
  }
  JoyState read() {
    JoyState state;
    EXPECT_NE(gJoystick, nullptr);
    if (gJoystick) gJoystick->readState(state);
    return state;
  }
  fs::path folder;
  std::unique_ptr<SdlPads> pads;
  std::vector<SDL_Joystick*> opened;
};

TEST_F(PadTest, APadPluggedInLaterIsUsedAndTheOneInUseUnpluggedIsLetGoAndTold) {
  startPads();
  EXPECT_EQ(gJoystick, nullptr);
  EXPECT_EQ(joystickPresent, 0);

  SDL_Joystick* first = handle(plugIn(true, "First Pad"));
  pumpSdlEvents();
  ASSERT_NE(gJoystick, nullptr);
  EXPECT_EQ(gJoystick, pads->inUse());
  EXPECT_EQ(joystickPresent, 1);
  EXPECT_EQ(joyButtonCount, gJoystick->buttonCount());
  press(first, virtualButton(SDL_CONTROLLER_BUTTON_A));
  EXPECT_TRUE(read().rgbButtons[0]);

  // A second pad while the first is in use changes nothing.
  SDL_Joystick* second = handle(plugIn(true, "Second Pad"));
  pumpSdlEvents();
  EXPECT_EQ(pads->inUse()->instanceId(), SDL_JoystickInstanceID(first));
  EXPECT_EQ(joystickLost, 0);

  // The one in use goes: it is told, and the other one still there is taken.
  unplug(first);
  pumpSdlEvents();
  EXPECT_EQ(joystickLost, 1);
  ASSERT_NE(pads->inUse(), nullptr);
  EXPECT_EQ(pads->inUse()->instanceId(), SDL_JoystickInstanceID(second));
  EXPECT_EQ(gJoystick, pads->inUse());
  EXPECT_EQ(joystickPresent, 1);
  press(second, virtualButton(SDL_CONTROLLER_BUTTON_START));
  EXPECT_TRUE(read().rgbButtons[PAD_BUTTON_START]);

  joystickLost = 0;
  unplug(second);
  pumpSdlEvents();
  EXPECT_EQ(joystickLost, 1);
  EXPECT_EQ(gJoystick, nullptr);
  EXPECT_EQ(joystickPresent, 0);
  EXPECT_EQ(pads->inUse(), nullptr);
}

TEST_F(PadTest, AControllersButtonsHaveNamesInTheBindingsOrderAndAPlainJoysticksDoNot) {
  SDL_Joystick* pad = handle(plugIn(true, "Named Pad"));
  startPads();
  ASSERT_NE(gJoystick, nullptr);
  EXPECT_STREQ(gJoystick->buttonName(PAD_BUTTON_A), "A");
  EXPECT_STREQ(gJoystick->buttonName(PAD_BUTTON_BACK), "Back");
  EXPECT_EQ(gJoystick->buttonName(gJoystick->buttonCount()), nullptr);
  // Each physical button lands on its number, Back and the right stick among them.
  const std::pair<SDL_GameControllerButton, int32_t> buttons[] = {{SDL_CONTROLLER_BUTTON_BACK, PAD_BUTTON_BACK},
                                                                  {SDL_CONTROLLER_BUTTON_RIGHTSTICK, PAD_BUTTON_RIGHT_STICK},
                                                                  {SDL_CONTROLLER_BUTTON_B, PAD_BUTTON_B}};
  for (auto [button, number] : buttons) {
    press(pad, virtualButton(button));
    JoyState state = read();
    for (int32_t b = 0; b < 32; b++) EXPECT_EQ(state.rgbButtons[b] != 0, b == number) << number << " " << b;
    press(pad, virtualButton(button), false);
  }
  // The d-pad counts as the stick pushed all the way.
  press(pad, virtualButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT));
  EXPECT_EQ(read().lX, JOY_AXIS_MIN);
  pads.reset();

  SDL_Joystick* stick = handle(plugIn(false, "Plain Stick"));
  unplug(pad);
  startPads();
  ASSERT_NE(gJoystick, nullptr);
  EXPECT_EQ(gJoystick->buttonCount(), 12);
  EXPECT_EQ(gJoystick->buttonName(0), nullptr);
  press(stick, 7);
  EXPECT_TRUE(read().rgbButtons[7]);  // a plain joystick's buttons keep their numbers
}

// A mapping file for the stick at `index`, with lines SDL must never see.
void writeMappings(const fs::path& db, const std::string& guid) {
  std::ofstream out(db, std::ios::binary);
  out << "# Game controller mappings\r\n\r\n"
      << "not a mapping at all\n"
      << std::string(5000, 'f') << ",Too Long,a:b0,platform:Linux,\n"
      << "0300000000000000\x01" << "000000000000000,Control,a:b0,platform:Linux,\n"
      << guid << ",Elsewhere,a:b5,platform:Windows,\n"
      << guid << ",Mapped Stick,a:b3,b:b2,back:b11,start:b10,leftx:a0,lefty:a1,platform:Linux,\r\n";
}

TEST_F(PadTest, TheMappingFileMakesAPlainJoystickANamedControllerAndItsJunkIsPassedOver) {
  const int index = plugIn(false, "Mapped Stick");
  SDL_Joystick* stick = handle(index);
  ASSERT_FALSE(SDL_IsGameController(index));
  const fs::path db = folder / "gamecontrollerdb.txt";
  writeMappings(folder / "junk.txt", "not-a-guid");
  std::string error;
  EXPECT_EQ(addPadMappings((folder / "junk.txt").string(), &error), 0);  // no line reaches SDL
  writeMappings(db, guidOf(index));
  // Read at start, from the files that exist; a missing one is passed over quietly.
  startPads({(folder / "missing.txt").string(), db.string()});
  ASSERT_NE(gJoystick, nullptr);
  EXPECT_STREQ(gJoystick->buttonName(0), "A");
  press(stick, 3);  // the stick's button 3 is A, the bindings' button 0
  EXPECT_TRUE(read().rgbButtons[0]);
  press(stick, 3, false);
  press(stick, 11);
  EXPECT_TRUE(read().rgbButtons[PAD_BUTTON_BACK]);
}

TEST_F(PadTest, AMappingWithABindingNumberTooLongForAnIntNeverReachesSdl) {
  // SDL would read such a number as a negative button and read before the
  // pad's buttons: a stranger's file must not crash the game.
  const int index = plugIn(false, "Mapped Stick");
  const std::string guid = guidOf(index);
  std::ofstream(folder / "overflow.txt", std::ios::binary)
      << guid << ",Overflow,a:b356000000007600,b:b2,platform:Linux,\n"
      << guid << ",Overflow,a:b0,leftx:-a99999999999,platform:Linux,\n"
      << guid << ",Overflow,a:b0,dpup:h4294967296.1,platform:Linux,\n";
  std::string error;
  EXPECT_EQ(addPadMappings((folder / "overflow.txt").string(), &error), 0);
  EXPECT_FALSE(SDL_IsGameController(index));
  // Three digits are a binding's numbers, and other fields keep theirs.
  std::ofstream(folder / "fine.txt", std::ios::binary) << guid << ",Fine,a:b100,b:b2,crc:1a2b,platform:Linux,\n";
  EXPECT_EQ(addPadMappings((folder / "fine.txt").string(), &error), 1) << error;
}

TEST_F(PadTest, AMappingFileThatIsAPipeOrTooLongIsRefusedAtOnce) {
  const fs::path pipe = folder / "pipe.txt";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  std::string error;
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(addPadMappings(pipe.string(), &error), -1);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;

  const fs::path huge = folder / "huge.txt";
  std::ofstream(huge).put('#');
  fs::resize_file(huge, size_t(5) << 20);
  EXPECT_EQ(addPadMappings(huge.string(), &error), -1);
  EXPECT_NE(error.find("more than"), std::string::npos) << error;
  EXPECT_EQ(addPadMappings((folder / "none.txt").string(), &error), -1);

  // Neither stops the pads from starting.
  startPads({pipe.string(), huge.string()});
  EXPECT_EQ(gJoystick, nullptr);
}

}  // namespace
