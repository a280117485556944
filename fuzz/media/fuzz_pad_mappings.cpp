// Feeds arbitrary bytes to the pad mapping reader as a gamecontrollerdb.txt
// and hands what it accepts to SDL, with a plain virtual joystick attached
// whose GUID the seeds name; when a mapping makes it a game controller, the
// pad is opened and read. SDL forgets the mappings between inputs.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_require.h"
#include "media/sdl/sdl_input.h"

namespace {

// The virtual joystick, attached once: GUID ff00c55a341200007856000000007600.
int stickIndex() {
  static const int index = [] {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) std::abort();
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.naxes = 2;
    desc.nbuttons = 12;
    desc.vendor_id = 0x1234;
    desc.product_id = 0x5678;
    desc.name = "Fuzz Stick";
    const int attached = SDL_JoystickAttachVirtualEx(&desc);
    if (attached < 0) std::abort();
    return attached;
  }();
  return index;
}

struct ScratchFile {
  std::string path = "/tmp/fuzz_pad_mappings_" + std::to_string(getpid()) + ".txt";
  ~ScratchFile() { unlink(path.c_str()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ScratchFile scratch;
  const int index = stickIndex();
  std::FILE* file = std::fopen(scratch.path.c_str(), "wb");
  if (!file) return 0;
  const bool written = std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) return 0;

  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) std::abort();
  std::string error;
  const int32_t added = addPadMappings(scratch.path, &error);
  REQUIRE(added >= -1);
  REQUIRE(added >= 0 || !error.empty());
  if (SDL_IsGameController(index)) {
    std::unique_ptr<SdlJoystick> pad = SdlJoystick::open(index);
    if (pad) {
      REQUIRE(pad->buttonCount() == PAD_BUTTON_COUNT);
      REQUIRE(pad->buttonName(PAD_BUTTON_BACK) != nullptr);
      pad->poll();
      JoyState state;
      pad->readState(state);
      REQUIRE(state.lX >= JOY_AXIS_MIN && state.lX <= JOY_AXIS_MAX);
    }
  }
  // The last user of the game-controller system gone, its mappings go too.
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  return 0;
}
