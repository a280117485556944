// SDL2_mixer music: a loaded MIDI file is a Mix_Music, played once or
// looping; one piece plays at a time.
#include "media/sdl/sdl_music.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace {

class SdlSegment : public MusicSegment {
 public:
  explicit SdlSegment(Mix_Music* loaded) : music(loaded) {}
  ~SdlSegment() override {
    if (Mix_PlayingMusic() && current == this) Mix_HaltMusic();
    if (current == this) current = nullptr;
    Mix_FreeMusic(music);
  }
  void setRepeats(bool forever) override { repeats = forever; }

  Mix_Music* music;
  bool repeats = false;
  static inline const SdlSegment* current = nullptr;
};

class SdlMusicPlayer : public MusicPlayer {
 public:
  std::unique_ptr<MusicSegment> load(const std::string& path) override {
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music) return nullptr;
    return std::make_unique<SdlSegment>(music);
  }
  bool play(MusicSegment& segment) override {
    auto& s = static_cast<SdlSegment&>(segment);
    if (Mix_PlayMusic(s.music, s.repeats ? -1 : 1) != 0) return false;
    SdlSegment::current = &s;
    return true;
  }
  void stop(MusicSegment& segment) override {
    if (SdlSegment::current == &segment) {
      Mix_HaltMusic();
      SdlSegment::current = nullptr;
    }
  }
  bool isPlaying(const MusicSegment& segment) const override {
    return SdlSegment::current == &segment && Mix_PlayingMusic();
  }
  void closeDown() override { Mix_HaltMusic(); }
};

}  // namespace

std::unique_ptr<MusicPlayer> openSdlMusicPlayer() {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  if (!Mix_QuerySpec(&rate, &format, &channels)) return nullptr;
  return std::make_unique<SdlMusicPlayer>();
}
