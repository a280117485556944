// Starting the editor: the command line (an optional world path and --data DIR),
// where the data files are looked for, and the start-up before the window is shown.
#pragma once

#include <QStringList>
#include <cstdint>
#include <string>

namespace gle {

class EditorWindow;

struct GleOptions {
  std::string worldPath;   // empty: a new untitled world
  std::string dataFolder;  // folder of "data09.glb", "glegfx.pcx", "data06.glb"; empty: the current folder
  std::string programFolder;  // where gle is; glimb is looked for beside it
  bool help = false;
  std::string error;       // set when the command line cannot be understood
};

// `arguments` as QCoreApplication gives them (program first). The words that
// are not options make up the world path, joined by single spaces, so that an
// unquoted path with spaces still opens. Without --data the data files are
// looked for in the current folder, then in ../data beside the program, then
// in the installed data folder.
GleOptions parseGleArguments(const QStringList& arguments, const std::string& programFolder);

constexpr const char* GLE_USAGE =
    "usage: gle [--data DIR] [WORLD]\n"
    "  WORLD       a world file (*.glw) to open; without one the editor starts untitled\n"
    "  --data DIR  folder holding data09.glb, glegfx.pcx and data06.glb (else the\n"
    "              current folder, ../data or the installed data folder)\n"
    "  --version   show the version\n"
    "  --help      show this text\n";

// Graphics set-up, the settings, then the world of the command line (or a
// new one) and the offer to restore unsaved changes left by an editor that
// stopped without closing, all before the window is shown. Returns 0, or the set-up code with *error naming
// the file that failed to load.
int32_t startEditor(EditorWindow& window, const GleOptions& options, std::string* error);

}  // namespace gle
