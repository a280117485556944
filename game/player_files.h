// The small text files the game writes for the player (the settings, the
// progress): replaced whole through a temporary file, never left half written.
#pragma once

#include <string>

// Writes `text` to a new file beside `path`, makes sure it reached the disk
// and renames it over `path`; the folders on the way are made. False with the
// reason in *error ("PATH: reason"), the old file unchanged, when any step fails.
bool replacePlayerFile(const std::string& path, const std::string& text, std::string* error);
