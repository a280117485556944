// Builds both fonts from one set of 6 x 8 glyph designs: doubled with EPX for the
// small font, doubled twice and shaded in gold for the large font.
#include "content/fonts.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "content/palette.h"
#include "content/tile_set.h"
#include "media/text.h"

namespace {

constexpr int DESIGN_W = 6, DESIGN_H = 8;
std::map<int, Canvas> designs;  // code -> 6 x 8 canvas, ink = 1

const std::map<char, uint8_t> SYMBOL_LEGEND = {
    {'o', OUTLINE}, {'y', shade(GOLD, 5)}, {'Y', shade(GOLD, 7)}, {'z', shade(GOLD, 2)},
    {'r', shade(RED, 4)}, {'R', shade(RED, 6)}, {'m', shade(RED, 2)}, {'w', WHITE}, {'g', shade(GREY, 10)},
};
// The three symbols, drawn 8 x 8 in colour and doubled.
const char* SYMBOL_PICKUP = "..oooo..\n.oyYYyo.\noyYyyyzo\noyYyyyzo\noyyyyyzo\noyyyyzzo\n.ozzzzo.\n..oooo..\n";
const char* SYMBOL_LIVES = ".oo..oo.\norRoorro\norRrrrro\norrrrrmo\n.orrrmo.\n..ormo..\n...oo...\n........\n";
const char* SYMBOL_CREDITS = "..oooo..\n.owwwwo.\nowoooowo\nowowwowo\nowoooowo\nowwoowwo\n.owwwwo.\n..oooo..\n";

const Canvas& design(int code) {
  static const Canvas blank(DESIGN_W, DESIGN_H);
  auto it = designs.find(code);
  return it == designs.end() ? blank : it->second;
}

Canvas smallGlyph(int code) {
  Canvas out(16, 16);
  if (code == 1 || code == 2 || code == 127) {
    const char* map = code == 1 ? SYMBOL_PICKUP : code == 2 ? SYMBOL_LIVES : SYMBOL_CREDITS;
    out.blit(scale2x(parseMap(map, SYMBOL_LEGEND)), 0, 0);
    return out;
  }
  Canvas big = scale2x(design(code));
  for (int y = 0; y < big.height(); ++y)
    for (int x = 0; x < big.width(); ++x)
      if (big.at(x, y)) out.set(x + 2, y, y < 7 ? WHITE : shade(GREY, 13));
  out.outline(OUTLINE);
  return out;
}

}  // namespace

void loadGlyphDesigns(const std::string& sourceDir) {
  std::ifstream in(sourceDir + "/font_glyphs.txt");
  if (!in) throw std::runtime_error("cannot read " + sourceDir + "/font_glyphs.txt");
  designs.clear();
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    int code = std::stoi(line);
    Canvas c(DESIGN_W, DESIGN_H);
    for (int y = 0; y < DESIGN_H; ++y) {
      if (!std::getline(in, line) || int(line.size()) != DESIGN_W)
        throw std::runtime_error("glyph " + std::to_string(code) + ": each row must be 6 characters");
      for (int x = 0; x < DESIGN_W; ++x)
        if (line[x] == '#') c.set(x, y, 1);
    }
    designs[code] = c;
  }
  for (int code = 32; code <= 126; ++code)
    if (!designs.count(code)) throw std::runtime_error("glyph " + std::to_string(code) + " is missing");
}

Canvas smallFontSheet() {
  Canvas sheet(256, 128);
  for (int code = 1; code < 128; ++code) sheet.blit(smallGlyph(code), (code % 16) * 16, (code / 16) * 16, false);
  return sheet;
}

Canvas largeGlyph(char ch) {
  Canvas shape = scale2x(scale2x(design(uint8_t(ch))));  // 24 x 32, capitals 28 rows tall
  Canvas out(32, 32);
  for (int y = 0; y < 28; ++y)
    for (int x = 0; x < shape.width(); ++x)
      if (shape.at(x, y)) {
        // Gold at the top shading to orange at the bottom.
        uint8_t c = y < 6 ? shade(GOLD, 7) : y < 12 ? shade(GOLD, 6) : y < 18 ? shade(GOLD, 5)
                  : y < 23 ? shade(ORANGE, 5) : shade(ORANGE, 4);
        out.set(x + 4, y + 2, c);
      }
  // Darker right and bottom edges give the letters depth.
  Canvas edge = out;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (edge.at(x, y) && (!edge.at(x + 1, y) || !edge.at(x, y + 1))) out.set(x, y, shade(ORANGE, 2));
  out.outline(OUTLINE);
  return out;
}

void drawLargeFont(Canvas& sheet) {
  for (int b = 'A'; b <= '\\'; ++b) {
    int frame = largeFontFrames[b - 'A'];
    char design = b == '[' ? '.' : b == '\\' ? '!' : char(b);
    sheet.blit(largeGlyph(design), (frame % SHEET_COLUMNS) * CELL, (frame / SHEET_COLUMNS) * CELL, false);
  }
}

Canvas glyphShape(char ch, int times) {
  Canvas c = design(uint8_t(ch));
  for (int i = 0; i < times; ++i) c = scale2x(c);
  return c;
}

void drawSmallText(Canvas& target, int x, int y, const std::string& text) {
  for (unsigned char ch : text) {
    target.blit(smallGlyph(ch < 128 ? ch : 0), x, y);
    x += 16;
  }
}
