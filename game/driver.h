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

// A file named on the command line is taken from the folder the program was
// started in, before it moves into the working folder: its path made absolute.
void makeAbsolute(std::string& path);

// Makes the input, record and trace paths absolute, moves into the working
// folder and opens the driver's files; false after saying why on the error
// output. The --play world is found by the caller first.
bool enterWorkingFolder(Options& options);

// Loads, runs the frame loop until the quit message, runs the exit sequence.
// Returns the exit code: 0, 1 when loading failed, or a display code 31-36.
int32_t runGlimb(const Options& options);
