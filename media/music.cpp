// The music module's states over the MIDI player handed to it.
#include "media/music.h"

#include <unistd.h>

#include <climits>

MusicModule gMusic;

int32_t initMusic(std::unique_ptr<MusicPlayer> player) {
  if (!player) return -1;
  if (gMusic.musicPerformance) shutdownMusic();
  gMusic.musicPerformance = std::move(player);
  gMusic.loaderReady = true;
  gMusic.musicLoader.clear();
  gMusic.musicSegment.reset();
  gMusic.musicState = MUSIC_NONE;
  return 0;
}

int32_t setMusicFolder(const char* path) {
  if (!gMusic.loaderReady) return -1;
  constexpr size_t MAX_FOLDER = 260;
  if (path) {
    std::string folder(path);
    if (folder.size() > MAX_FOLDER) return -1;
    gMusic.musicLoader = folder;
    return 0;
  }
  char here[MAX_FOLDER + 1];
  if (!getcwd(here, sizeof here)) return -1;
  gMusic.musicLoader = here;
  return 0;
}

int32_t loadMusic(const char* fileName) {
  if (gMusic.musicState != MUSIC_NONE) unloadMusic();
  if (!gMusic.musicPerformance || !fileName) return -1;
  std::string path = fileName;
  if (!gMusic.musicLoader.empty() && path[0] != '/') path = gMusic.musicLoader + "/" + path;
  std::unique_ptr<MusicSegment> segment = gMusic.musicPerformance->load(path);
  if (!segment) return -1;
  gMusic.musicSegment = std::move(segment);
  gMusic.musicState = MUSIC_LOADED;
  return 0;
}

void playMusic() {
  if (gMusic.musicState == MUSIC_NONE) return;
  gMusic.musicSegment->setRepeats(false);
  gMusic.musicPerformance->play(*gMusic.musicSegment);
  gMusic.musicState = MUSIC_PLAYING;
}

void loopMusic() {
  if (gMusic.musicState == MUSIC_NONE) return;
  gMusic.musicSegment->setRepeats(true);
  gMusic.musicPerformance->play(*gMusic.musicSegment);
  gMusic.musicState = MUSIC_LOOPING;
}

void stopMusic() {
  if (gMusic.musicState == MUSIC_NONE) return;
  gMusic.musicPerformance->stop(*gMusic.musicSegment);
  gMusic.musicState = MUSIC_LOADED;
}

void unloadMusic() {
  if (gMusic.musicState == MUSIC_NONE) return;
  gMusic.musicPerformance->stop(*gMusic.musicSegment);
  gMusic.musicSegment.reset();
  gMusic.musicState = MUSIC_NONE;
}

int32_t updateMusic() {
  if (gMusic.musicState != MUSIC_NONE && !gMusic.musicPerformance->isPlaying(*gMusic.musicSegment)) {
    if (gMusic.musicState == MUSIC_PLAYING) {
      gMusic.musicState = MUSIC_LOADED;
    } else if (gMusic.musicState == MUSIC_LOOPING) {
      gMusic.musicPerformance->play(*gMusic.musicSegment);
    }
  }
  return gMusic.musicState;
}

void shutdownMusic() {
  unloadMusic();
  if (gMusic.musicPerformance) {
    gMusic.musicPerformance->closeDown();
    gMusic.musicPerformance.reset();
  }
  gMusic.loaderReady = false;
  gMusic.musicLoader.clear();
}
