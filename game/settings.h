// The settings store: a per-user file holding the two byte arrays "Keyboard"
// (7 key codes) and "Joystick" (4 button numbers). A value that is missing,
// short or unreadable gives the default bindings; a damaged file never stops the game.
#pragma once

#include <string>

#include "game/options.h"

// $XDG_CONFIG_HOME/glimb/settings, or ~/.config/glimb/settings; empty when
// neither a config folder nor a home folder is known.
std::string settingsFilePath();

// Start-up: reads the bindings, or, when no store exists yet, sets the
// defaults and creates the store with them.
void readBindings();

// Exit: writes both values (the store is replaced whole, never half written).
// A "renderer" line already in the file is kept.
void writeBindings();

// The window's renderer from the line "renderer = auto|software|gpu" of the
// settings file; `fallback` when there is no file, no such line, or a line
// naming none of the three. Read before the window is made.
RendererChoice readRendererSetting(RendererChoice fallback);
