// The settings store: a per-user file of lines "NAME = VALUE" holding the
// bindings ("Keyboard": 7 key codes; "Joystick": the pad buttons of Jump,
// Walk, Pause and Retry; "JoystickQuit": the pad's Quit button), the window
// ("Fullscreen", "Scale") and the sound ("Volume", "Mute"). A value that is
// missing, short or unreadable keeps its default; a damaged file never stops
// the game. Lines of other names (a later version's) are written back as they were.
#pragma once

#include <cstdint>
#include <string>

#include "game/options.h"

// $XDG_CONFIG_HOME/glimb/settings, or ~/.config/glimb/settings; empty when
// neither a config folder nor a home folder is known.
std::string settingsFilePath();

// The window: 1 for the whole screen (Alt+Enter switches), and the whole
// multiple of the picture the window is made at; SCALE_AUTOMATIC makes it
// twice the picture or as large as the desktop holds.
constexpr int32_t SCALE_AUTOMATIC = 0;
constexpr int32_t SCALE_MAX = 16;
extern int32_t fullscreenSetting;
extern int32_t windowScale;

// The sound effects' volume in percent, and 1 while the sound is off. The
// game plays no music.
constexpr int32_t VOLUME_MAX = 100;
extern int32_t soundVolume;
extern int32_t soundMuted;

// Before loading: the window and sound values (defaults for what the file
// lacks). Nothing is written.
void readPlayerSettings();

// After loading: reads the bindings, or, when no store exists yet, sets the
// defaults and creates the store with them.
void readBindings();

// Exit: writes every value (the store is replaced whole, never half written),
// with the lines of other names read by readBindings, the "renderer" line among them.
void writeBindings();

// The window's renderer from the line "renderer = auto|software|gpu" of the
// settings file; `fallback` when there is no file, no such line, or a line
// naming none of the three. Read before the window is made.
RendererChoice readRendererSetting(RendererChoice fallback);
