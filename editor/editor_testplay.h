// Test play: the world in memory goes to a temporary file through the safe
// writer, is checked as the game checks a world, and glimb is started on the
// current level (or from the cursor cell) as a process of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gle {

// Where the editor was started from and the data folder it uses (empty: the
// current folder); set at start-up, used to find glimb and its data.
extern std::string gProgramFolder;
extern std::string gDataFolder;
// Where an installed glimb finds its data, relative to its own folder
// ("../share/glimb" unless the install layout says otherwise).
extern std::string gInstalledDataRelative;

// The temporary world test play writes: test-PID.glw in a folder of this
// editor's own made in $TMPDIR (else /tmp); empty when none can be made.
std::string testWorldPath();
// glimb beside gle, else in the build tree's game folder, else "glimb" from PATH.
std::string findGlimb();
// glimb's command line: --play WORLD --level N --difficulty D, --start
// COLUMN,ROW when `fromCursor`, and --data DIR unless glimb finds the same
// data folder by itself.
std::vector<std::string> testPlayArguments(const std::string& glimb, const std::string& world, bool fromCursor);
// Level -> "&Test Level" (F10) and "Test from &Here" (Shift+F10). False, with
// a message saying why, when the game could not play the level or glimb did not start.
bool testLevel(bool fromCursor);
// Removes the temporary world (at exit).
void removeTestWorld();

}  // namespace gle
