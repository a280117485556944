// The music module's states over a recording player, and over SDL2_mixer's
// MIDI playback with a small MIDI file the test writes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include <SDL.h>

#include "media/music.h"
#include "media/sdl/sdl_music.h"
#include "media/sdl/sdl_sound.h"

namespace {

namespace fs = std::filesystem;

struct Piece : MusicSegment {
  void setRepeats(bool forever) override { repeats = forever; }
  bool repeats = false;
};

struct Player : MusicPlayer {
  std::unique_ptr<MusicSegment> load(const std::string& path) override {
    loadedPath = path;
    if (path.find("missing") != std::string::npos) return nullptr;
    return std::make_unique<Piece>();
  }
  bool play(MusicSegment&) override {
    plays++;
    playing = true;
    return true;
  }
  void stop(MusicSegment&) override {
    stops++;
    playing = false;
  }
  bool isPlaying(const MusicSegment&) const override { return playing; }
  void closeDown() override { (*closed)++; }
  std::string loadedPath;
  int plays = 0, stops = 0;
  bool playing = false;
  int* closed = nullptr;
};

class MusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto p = std::make_unique<Player>();
    p->closed = &closed;
    player = p.get();
    ASSERT_EQ(initMusic(std::move(p)), 0);
  }
  void TearDown() override { shutdownMusic(); }
  Player* player = nullptr;
  int closed = 0;
};

TEST_F(MusicTest, NothingHappensBeforeASuccessfulLoad) {
  playMusic();
  loopMusic();
  stopMusic();
  unloadMusic();
  EXPECT_EQ(player->plays + player->stops, 0);
  EXPECT_EQ(loadMusic("missing.mid"), -1);
  playMusic();
  EXPECT_EQ(player->plays, 0);
  EXPECT_EQ(updateMusic(), MUSIC_NONE);
}

TEST_F(MusicTest, PlayFinishesToLoadedAndLoopRestartsWhenPolled) {
  ASSERT_EQ(setMusicFolder("/music"), 0);
  ASSERT_EQ(loadMusic("song.mid"), 0);
  EXPECT_EQ(player->loadedPath, "/music/song.mid");
  EXPECT_EQ(gMusic.musicState, MUSIC_LOADED);
  playMusic();
  EXPECT_EQ(updateMusic(), MUSIC_PLAYING);
  player->playing = false;  // reached the end
  EXPECT_EQ(gMusic.musicState, MUSIC_PLAYING);  // only polling notices
  EXPECT_EQ(updateMusic(), MUSIC_LOADED);
  loopMusic();
  EXPECT_TRUE(static_cast<Piece*>(gMusic.musicSegment.get())->repeats);
  player->playing = false;
  EXPECT_EQ(updateMusic(), MUSIC_LOOPING);
  EXPECT_EQ(player->plays, 3);  // play, loop, restart
  stopMusic();
  EXPECT_EQ(gMusic.musicState, MUSIC_LOADED);
  ASSERT_EQ(loadMusic("other.mid"), 0);  // unloads the first
  EXPECT_EQ(player->stops, 2);
  unloadMusic();
  EXPECT_EQ(gMusic.musicState, MUSIC_NONE);
}

TEST(MusicShutdown, WithoutSetUpFindsNothingToRelease) {
  shutdownMusic();
  EXPECT_EQ(gMusic.musicState, MUSIC_NONE);
  EXPECT_EQ(gMusic.musicPerformance, nullptr);
  EXPECT_EQ(setMusicFolder(nullptr), -1);
  EXPECT_EQ(loadMusic("song.mid"), -1);
}

// One track: a program change, one note held for a while, the end.
std::vector<uint8_t> smallMidi() {
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,                      // format 0, one track
          'M', 'T', 'r', 'k', 0, 0, 0, 16,                                       // the track, 16 bytes
          0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x00,  // piano, middle C
          0x00, 0xFF, 0x2F, 0x00};                                               // end of track
}

TEST(SdlMusic, PlaysAndStopsASmallMidiFile) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::unique_ptr<SdlSoundDevice> device = SdlSoundDevice::open();
  ASSERT_NE(device, nullptr) << SDL_GetError();
  fs::path file = fs::temp_directory_path() / ("glimb-music-" + std::to_string(getpid()) + ".mid");
  std::vector<uint8_t> bytes = smallMidi();
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));

  ASSERT_EQ(initMusic(openSdlMusicPlayer()), 0);
  ASSERT_EQ(setMusicFolder(file.parent_path().c_str()), 0);
  int32_t loaded = loadMusic(file.filename().c_str());
  fs::remove(file);
  if (loaded != 0) {
    shutdownMusic();
    GTEST_SKIP() << "no MIDI instruments on this machine: " << SDL_GetError();
  }
  EXPECT_EQ(gMusic.musicState, MUSIC_LOADED);
  playMusic();
  EXPECT_EQ(updateMusic(), MUSIC_PLAYING);
  loopMusic();
  EXPECT_EQ(updateMusic(), MUSIC_LOOPING);
  stopMusic();
  EXPECT_EQ(updateMusic(), MUSIC_LOADED);
  shutdownMusic();
  EXPECT_EQ(gMusic.musicState, MUSIC_NONE);
  device.reset();
}

}  // namespace
