// glimb-content: makes every data file of the game and the editor from the text
// sources and the drawing code, or writes a contact sheet of the tiles.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "content/content_files.h"
#include "content/fonts.h"
#include "content/palette.h"
#include "content/sheet.h"
#include "media/pcx.h"

namespace {

void usage() {
  std::fprintf(stderr,
               "usage: glimb-content all SOURCE_DIR OUT_DIR     write every data file into OUT_DIR\n"
               "       glimb-content sheet SOURCE_DIR OUT.pcx   write a contact sheet of the tiles\n"
               "SOURCE_DIR is the content folder holding font_glyphs.txt and levels/.\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    usage();
    return 2;
  }
  std::string command = argv[1], source = argv[2], out = argv[3];
  std::string error;
  if (command == "all") {
    if (!writeContent(source, out, &error)) {
      std::fprintf(stderr, "glimb-content: %s\n", error.c_str());
      return 1;
    }
    return 0;
  }
  if (command == "sheet") {
    try {
      loadGlyphDesigns(source);
      Canvas sheet = contactSheet(tileSheet());
      auto pal = paletteBytes(gamePalette());
      if (!writePcxFile(out, sheet.data(), sheet.width(), sheet.height(), sheet.width(), pal.data(), &error)) {
        std::fprintf(stderr, "glimb-content: %s\n", error.c_str());
        return 1;
      }
    } catch (const std::exception& e) {
      std::fprintf(stderr, "glimb-content: %s\n", e.what());
      return 1;
    }
    return 0;
  }
  usage();
  return 2;
}
