// Feeds arbitrary bytes to the WAV reader and hands what it accepts to the SDL
// sound device on the dummy audio driver, whose conversion to the mixer's rate
// and format must stay within its bound; then loads the same bytes through the
// pool from a file, which must agree with the two steps.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/fuzz_require.h"
#include "media/sdl/sdl_sound.h"
#include "media/sound.h"
#include "media/wave_reader.h"

namespace {

SdlSoundDevice& device() {
  static std::unique_ptr<SdlSoundDevice> opened = [] {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::unique_ptr<SdlSoundDevice> sdl = SdlSoundDevice::open();
    if (!sdl || !sdl->reserveChannels(16)) std::abort();
    initSoundPool(sdl.get(), 16);
    return sdl;
  }();
  return *opened;
}

// The pool reads the same bytes through a scratch file, one per process.
struct ScratchFile {
  std::string path = "/tmp/fuzz_wave_" + std::to_string(getpid()) + ".wav";
  ~ScratchFile() { unlink(path.c_str()); }
};

bool writeScratch(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SdlSoundDevice& sdl = device();
  static const ScratchFile scratch;

  WaveFormat format;
  std::vector<uint8_t> samples;
  std::string why;
  const bool read = readWave(data, size, format, samples, &why) == 0;
  bool playable = false;
  if (read) {
    // Only accepted formats pass, with whole sample frames of the file's own bytes.
    REQUIRE(waveFormatProblem(format).empty());
    REQUIRE(!samples.empty() && samples.size() <= size && samples.size() % format.blockAlign == 0);
    REQUIRE(samples.size() <= uint64_t(WAVE_MAX_SECONDS) * format.samplesPerSec * format.blockAlign);
    std::unique_ptr<SoundBuffer> voice = sdl.createBuffer(format, samples.data(), uint32_t(samples.size()));
    playable = voice != nullptr;
    if (voice) {
      voice->play(false);
      voice->stop();
      voice->setCurrentPosition(0);
      voice->play(true);
    }
  } else {
    REQUIRE(!why.empty());
  }

  if (writeScratch(scratch.path, data, size)) {
    int32_t slot = -1;
    std::string refused;
    const bool loaded = loadSound(scratch.path.c_str(), &slot, &refused) == 0;
    REQUIRE(loaded == playable);
    REQUIRE(loaded || !refused.empty());
    if (loaded) {
      playSound(slot);
      releaseSound(slot);
    }
    REQUIRE(gSoundLoaded == 0);
  }
  return 0;
}
