// The settings store: a per-user file holding the byte arrays "Keyboard"
// (7 key codes), "Joystick" (the pad buttons of Jump, Walk, Pause and Retry)
// and "JoystickQuit" (the pad's Quit button). A value that is missing,
// short or unreadable gives the default bindings; a damaged file never stops the game.
#pragma once

#include <string>

// $XDG_CONFIG_HOME/glimb/settings, or ~/.config/glimb/settings; empty when
// neither a config folder nor a home folder is known.
std::string settingsFilePath();

// Start-up: reads the bindings, or, when no store exists yet, sets the
// defaults and creates the store with them.
void readBindings();

// Exit: writes both values (the store is replaced whole, never half written).
void writeBindings();
