// The music module: one MIDI file at a time, loaded, played once or looped,
// stopped and unloaded, with a state value callers poll. The player behind it
// is a MusicPlayer the program hands over at set-up.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// One loaded piece of music.
class MusicSegment {
 public:
  virtual ~MusicSegment() = default;
  virtual void setRepeats(bool forever) = 0;
};

// The platform's MIDI player, standing in for the performance.
class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  virtual std::unique_ptr<MusicSegment> load(const std::string& path) = 0;
  virtual bool play(MusicSegment& segment) = 0;
  virtual void stop(MusicSegment& segment) = 0;
  virtual bool isPlaying(const MusicSegment& segment) const = 0;
  virtual void closeDown() = 0;
};

constexpr int32_t MUSIC_NONE = 0;
constexpr int32_t MUSIC_LOADED = 1;
constexpr int32_t MUSIC_PLAYING = 2;
constexpr int32_t MUSIC_LOOPING = 3;

// The module's state, cleared by initMusic.
struct MusicModule {
  std::unique_ptr<MusicSegment> musicSegment;
  int32_t musicState = MUSIC_NONE;
  std::string musicLoader;  // the folder files are looked up in
  bool loaderReady = false;
  std::unique_ptr<MusicPlayer> musicPerformance;
};
extern MusicModule gMusic;

// Takes the player over; -1 when there is none.
int32_t initMusic(std::unique_ptr<MusicPlayer> player);
// The folder music files are read from; none = the current folder.
int32_t setMusicFolder(const char* path);
int32_t loadMusic(const char* fileName);
void playMusic();
void loopMusic();
void stopMusic();
void unloadMusic();
int32_t updateMusic();
void shutdownMusic();
