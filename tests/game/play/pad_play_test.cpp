// A pad plugged in and out during play, through SDL's virtual game controller
// and the frame loop's passes: a pad arriving mid-game is used at once, the
// pad in use pulled out pauses play, and the pad's Back button leaves the level.
#include <SDL.h>

#include "game/frame_loop.h"
#include "game/game_vars.h"
#include "game/play/play.h"
#include "game/shell.h"
#include "media/sdl/sdl_events.h"
#include "media/sdl/sdl_input.h"
#include "play_test_support.h"

namespace {

// The pad whose button a wait for released keys lets go of, as a player
// would, from the keyboard's read number releaseAtRead on.
SDL_Joystick* padToRelease = nullptr;
SDL_GameControllerButton buttonToRelease = SDL_CONTROLLER_BUTTON_INVALID;
int releaseAtRead = 0;

void releaseThePadsButton(int reads) {
  if (reads >= releaseAtRead && padToRelease && buttonToRelease != SDL_CONTROLLER_BUTTON_INVALID) {
    SDL_JoystickSetVirtualButton(padToRelease, int(buttonToRelease), 0);
  }
}

class PadPlayTest : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    startFrameLoop();
    ASSERT_TRUE(pads.start({}));
    attachJoystick(pads.inUse());
  }
  void TearDown() override {
    padToRelease = nullptr;
    test.keyboard.onRead = nullptr;
    if (pad) SDL_JoystickClose(pad);
    for (int i = SDL_NumJoysticks() - 1; i >= 0; i--) {
      if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
    }
    gJoystick = nullptr;
    joystickPresent = 0;
    joystickLost = 0;
    PlayTest::TearDown();
  }
  // One pass of the loop as the program runs it: the window's events, then the pass.
  void pass() {
    pumpSdlEvents();
    runFramePass();
  }
  void plugIn() {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Virtual Pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    pad = SDL_JoystickOpen(index);
  }
  void unplug() {
    const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
    SDL_JoystickClose(pad);
    pad = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); i++) {
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
  }
  void button(SDL_GameControllerButton b, bool down) { SDL_JoystickSetVirtualButton(pad, int(b), down ? 1 : 0); }
  void standOnTheFloor() {
    for (int i = 0; i < 60 && gameState != STATE_ON_GROUND; i++) pass();
    ASSERT_EQ(gameState, STATE_ON_GROUND);
  }
  SdlPads pads;
  SDL_Joystick* pad = nullptr;
};

TEST_F(PadPlayTest, APadPluggedInMidGameIsUsedPullingItOutPausesAndBackLeavesTheLevel) {
  writeWorld({TestLevel(20, 12).floor(11)});
  start();
  standOnTheFloor();
  ASSERT_EQ(joystickPresent, 0);

  plugIn();
  pass();
  ASSERT_EQ(joystickPresent, 1);
  button(SDL_CONTROLLER_BUTTON_A, true);  // Jump
  pass();
  EXPECT_EQ(gameState, STATE_AIRBORNE);
  button(SDL_CONTROLLER_BUTTON_A, false);
  standOnTheFloor();

  unplug();
  pass();
  EXPECT_EQ(gameState, STATE_PAUSED);
  EXPECT_EQ(joystickPresent, 0);
  const int32_t time = timeLeft;
  for (int i = 0; i < 40; i++) pass();
  EXPECT_EQ(gameState, STATE_PAUSED);
  EXPECT_EQ(timeLeft, time);

  // Plugged in again, any of its buttons goes on, as any key does.
  plugIn();
  pass();
  EXPECT_EQ(gameState, STATE_PAUSED);
  // The pass waits until the button is let go; the player lets go of it then.
  button(SDL_CONTROLLER_BUTTON_X, true);
  padToRelease = pad;
  buttonToRelease = SDL_CONTROLLER_BUTTON_X;
  releaseAtRead = test.keyboard.reads + 3;
  test.keyboard.onRead = releaseThePadsButton;
  pass();
  EXPECT_EQ(gameState, STATE_ON_GROUND);

  // Back leaves the level for the title menu, without retrying as well.
  button(SDL_CONTROLLER_BUTTON_BACK, true);
  pass();
  EXPECT_EQ(pendingState, STATE_TITLE_MENU);
  button(SDL_CONTROLLER_BUTTON_BACK, false);
  for (int i = 0; i < 40 && gameState == STATE_FADE_HOLD; i++) pass();
  EXPECT_EQ(gameState, STATE_TITLE_MENU);
  EXPECT_EQ(lives, 3);
}

}  // namespace
