// The drawing helpers the art is built with, and how the pictures are laid out:
// EPX doubling, outlines, pixel maps, the intro's record layout, the editor palette
// picture against the sheet, and glyph spacing.
#include <gtest/gtest.h>

#include <stdexcept>

#include "content/canvas.h"
#include "content/fonts.h"
#include "content/intro.h"
#include "content/levels.h"
#include "content/palette.h"
#include "content/sheet.h"
#include "content/tile_set.h"
#include "content_fixture.h"
#include "media/pcx.h"

namespace {

TEST(ContentDrawing, DoublingRoundsDiagonalStepsAndKeepsSolidAreas) {
  Canvas c = parseMap("#.\n##\n", {{'#', 7}});
  Canvas d = scale2x(c);
  ASSERT_EQ(d.width(), 4);
  ASSERT_EQ(d.height(), 4);
  // The inner corner of the step is filled in: a rounded edge, not a block.
  EXPECT_EQ(d.at(2, 1), 7);
  EXPECT_EQ(d.at(3, 0), 0);
  EXPECT_EQ(d.at(0, 0), 7);
  EXPECT_EQ(d.at(3, 3), 7);
  // A filled square stays filled.
  Canvas full = scale2x(parseMap("##\n##\n", {{'#', 3}}));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(full.at(x, y), 3);
}

TEST(ContentDrawing, OutlineSurroundsInkWithoutCoveringIt) {
  Canvas c(5, 5);
  c.set(2, 2, 9);
  c.outline(OUTLINE);
  EXPECT_EQ(c.at(2, 2), 9);
  for (auto [x, y] : {std::pair{1, 2}, {3, 2}, {2, 1}, {2, 3}}) EXPECT_EQ(c.at(x, y), OUTLINE);
  EXPECT_EQ(c.at(1, 1), 0);  // four-neighbour outline: corners stay open
  Canvas m = parseMap("ab.\n", {{'a', 1}, {'b', 2}}).mirrored();
  EXPECT_EQ(m.at(0, 0), 0);
  EXPECT_EQ(m.at(1, 0), 2);
  EXPECT_EQ(m.at(2, 0), 1);
}

TEST(ContentDrawing, PixelMapsRefuseRaggedRowsAndUnknownCharacters) {
  EXPECT_THROW(parseMap("##\n#\n", {{'#', 1}}), std::runtime_error);
  EXPECT_THROW(parseMap("#?\n", {{'#', 1}}), std::runtime_error);
  EXPECT_NO_THROW(parseMap("#.\n. \n", {{'#', 1}}));
}

TEST(ContentDrawing, GeneratorSequenceIsFixed) {
  // The art's noise comes from this sequence; a change here changes every picture.
  Prng a(42), b(42);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(a.next(), b.next());
  Prng zero(0);
  EXPECT_NE(zero.next(), 0u);  // seed 0 would stick at 0 in xorshift
  Prng c(1);
  EXPECT_EQ(c.next(), 270369u);
}

TEST(ContentDrawing, IntroRecordsPlaceEachPictureRowWhereTheShowReadsIt) {
  Canvas pan(1280, 400);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 1280; ++x) pan.set(x, y, uint8_t(1 + (x * 7 + y * 13) % 250));
  std::vector<uint8_t> f = introFile(pan);
  ASSERT_EQ(f.size(), 1024768u);
  for (int k : {0, 1, 77, 199}) {
    const uint8_t* rec = f.data() + size_t(k) * 2560;
    for (int x : {0, 5, 639, 640, 1000, 1279}) EXPECT_EQ(rec[x], pan.at(x, 2 * k)) << k << "," << x;  // back layer
    for (int x : {0, 9, 639}) {
      EXPECT_EQ(rec[1280 + x], pan.at(x, 2 * k + 1));        // front columns 640-1279: picture one
      EXPECT_EQ(rec[1920 + x], pan.at(640 + x, 2 * k + 1));  // front columns 0-639: picture two
    }
  }
  // Records past row 399 are never shown and hold nothing.
  for (size_t i = 200 * 2560; i < 400 * 2560; i += 997) EXPECT_EQ(f[i], 0);
}

TEST(ContentDrawing, EditorPaletteCellsShowTheTilesTheyPaint) {
  PcxPicture sheet, pal;
  const auto& s = file("data09.glb");
  const auto& p = file("glegfx.pcx");
  ASSERT_EQ(decodePcx(s.data(), s.size(), &sheet), PcxProblem::NONE);
  ASSERT_EQ(decodePcx(p.data(), p.size(), &pal), PcxProblem::NONE);
  auto map = paletteMap();
  for (int cell = 1; cell < 180; ++cell) {
    if (cell == PALETTE_RANDOM_CELL || (cell >= PALETTE_TOGGLE_FIRST && cell < PALETTE_TOGGLE_FIRST + 6)) continue;
    int tile = map[cell];
    bool same = true;
    for (int y = 0; y < 32 && same; ++y)
      for (int x = 0; x < 32 && same; ++x)
        same = pal.pixels[size_t((cell / 20) * 32 + y) * pal.width + (cell % 20) * 32 + x] ==
               sheet.pixels[size_t((tile / 20) * 32 + y) * sheet.width + (tile % 20) * 32 + x];
    EXPECT_TRUE(same) << "palette cell " << cell << " does not show tile " << tile;
  }
}

TEST(ContentDrawing, SmallGlyphsLeaveAGapBetweenNeighbours) {
  loadGlyphDesigns(CONTENT_SOURCE_DIR);
  Canvas font = smallFontSheet();
  for (int code = 32; code <= 126; ++code) {
    int x0 = (code % 16) * 16, y0 = (code / 16) * 16;
    for (int y = 0; y < 16; ++y) {
      EXPECT_EQ(font.at(x0, y0 + y), 0) << char(code) << " touches its left neighbour";
      EXPECT_EQ(font.at(x0 + 15, y0 + y), 0) << char(code) << " touches its right neighbour";
    }
  }
}

TEST(ContentDrawing, DemonstrationFileIsColumnsOfTwelveAfterTheCount) {
  TileMap m;
  m.width = 21;
  m.height = 12;
  for (int i = 0; i < 21 * 12; ++i) m.cells.push_back(i % 240);
  std::vector<uint8_t> f = demoFile(m);
  ASSERT_EQ(f.size(), 2u + 21 * 12);
  EXPECT_EQ(f[0], 20);  // the count is columns - 1
  EXPECT_EQ(f[1], 0);
  EXPECT_EQ(f[2 + 12 * 3 + 5], m.cells[3 * 12 + 5]);  // column 3, row 5
}

}  // namespace
