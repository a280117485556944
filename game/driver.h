// The game program's run after the platform is up: loading, the settings,
// the frame loop with the scripted driver (scripted and recorded keys, the
// trace, captures at chosen frames, the frame limit, the --play start), exit.
#pragma once

#include <cstdint>
#include <string>

#include "game/options.h"

// Reads the input script and opens the record and trace files, and reads the
// header of the --play world; false with a message when any of it fails.
// Paths are taken as given (the caller makes them absolute first).
bool openDriverFiles(const Options& options, std::string& error);

// Loads, runs the frame loop until the quit message, runs the exit sequence.
// Returns the exit code: 0, 1 when loading failed, or a display code 31-36.
int32_t runGlimb(const Options& options);
