// Replacing small text files (the game's settings and progress, the editor's
// settings and recovery notes) whole through a temporary file, so that they
// are never left half written.
#pragma once

#include <string>

// Writes `text` to a new file beside `path`, makes sure it reached the disk
// and renames it over `path`; the folders on the way are made. False with the
// reason in *error ("PATH: reason"), the old file unchanged, when any step fails.
bool replaceFile(const std::string& path, const std::string& text, std::string* error);
