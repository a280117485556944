// The list of every key and mouse gesture of the editor, made from the tables
// the editor itself uses (the menu table, the typed tile keys): shown by
// Help -> Keys and written into the KEYS section of the manual page gle(6).
#pragma once

#include <string>
#include <vector>

namespace gle {

struct KeyHelpLine {
  std::string keys, action;
};
struct KeyHelpSection {
  std::string title;
  std::vector<KeyHelpLine> lines;
};

// With `tileNames`, typed keys name their tiles from the loaded data files
// ("tile 40 breakable block (solid)"); without, only the numbers, so that the
// list does not depend on the data (the manual page's).
std::vector<KeyHelpSection> keyHelp(bool tileNames);
// As plain text, a section title and then a key and its action a line.
std::string keyHelpText(bool tileNames);
// The manual page's KEYS section, from ".SH KEYS" up to the next section.
std::string keyHelpRoff();

}  // namespace gle
