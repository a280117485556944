// The MIDI player over SDL2_mixer's music playback, for the music module.
// Needs the audio device open (SdlSoundDevice).
#pragma once

#include <memory>

#include "media/music.h"

// A player, or nullptr when no audio device is open.
std::unique_ptr<MusicPlayer> openSdlMusicPlayer();
