// The pictures: PCX trailer and size, the palette's fixed entries, frames that must be
// empty or drawn, look-alike tiles behaving alike, and the intro's record layout.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "content/palette.h"
#include "content/tile_set.h"
#include "content_fixture.h"
#include "media/pcx.h"
#include "media/text.h"

namespace {

PcxPicture decoded(const std::string& name) {
  const std::vector<uint8_t>& bytes = file(name);
  PcxPicture picture;
  EXPECT_EQ(decodePcx(bytes.data(), bytes.size(), &picture), PcxProblem::NONE) << name;
  return picture;
}

// Pixels of frame n of a sheet with frames of `size` pixels.
std::vector<uint8_t> frame(const PcxPicture& p, int n, int size) {
  int columns = p.width / size;
  int x0 = (n % columns) * size, y0 = (n / columns) * size;
  std::vector<uint8_t> out;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) out.push_back(p.pixels[size_t(y0 + y) * p.width + x0 + x]);
  return out;
}

bool blank(const std::vector<uint8_t>& pixels) {
  for (uint8_t v : pixels)
    if (v) return false;
  return true;
}

TEST(ContentPictures, EveryPictureEndsWithTheGamePaletteTrailer) {
  auto palette = paletteBytes(gamePalette());
  for (const char* name : {"data09.glb", "data12.glb", "glegfx.pcx"}) {
    const std::vector<uint8_t>& bytes = file(name);
    ASSERT_GT(bytes.size(), 128u + 769u) << name;
    EXPECT_EQ(bytes[bytes.size() - 769], PCX_PALETTE_MARK) << name;
    EXPECT_EQ(std::memcmp(bytes.data() + bytes.size() - 768, palette.data(), 768), 0) << name;
  }
}

TEST(ContentPictures, SheetsHaveTheFrameGridsTheirReadersAddress) {
  PcxPicture tiles = decoded("data09.glb");
  EXPECT_EQ(tiles.width, 640);
  EXPECT_EQ(tiles.height, 416);  // 20 x 13 frames of 32 x 32
  PcxPicture font = decoded("data12.glb");
  EXPECT_EQ(font.width % 16, 0);
  EXPECT_GE((font.width / 16) * (font.height / 16), 128);
  PcxPicture palette = decoded("glegfx.pcx");
  EXPECT_EQ(palette.width, 640);
  EXPECT_GE(palette.height, 288);  // the editor shows the top 9 rows of cells
}

TEST(ContentPictures, PaletteKeepsItsFixedEntries) {
  const Palette& p = gamePalette();
  auto brightness = [&](int i) { return p[i].r + p[i].g + p[i].b; };
  for (int i = 144; i < 159; ++i) EXPECT_LT(brightness(i), brightness(i + 1)) << "sky band " << i;
  // Gauges: the centre rows (243, 240) brightest, the edges (245, 242) darkest.
  EXPECT_GT(brightness(243), brightness(244));
  EXPECT_GT(brightness(244), brightness(245));
  EXPECT_GT(brightness(240), brightness(241));
  EXPECT_GT(brightness(241), brightness(242));
  // The cycled entries only ever change blue, so red and green carry their look.
  for (int i = 248; i <= 253; ++i) EXPECT_GT(p[i].r + p[i].g, 400) << i;
}

TEST(ContentPictures, FrameZeroIsEmptyAndEveryFigureAndGlyphIsDrawn) {
  PcxPicture tiles = decoded("data09.glb");
  EXPECT_TRUE(blank(frame(tiles, 0, 32)));
  for (int i = 0; i < 29; ++i) EXPECT_FALSE(blank(frame(tiles, largeFontFrames[i], 32))) << "glyph " << char('A' + i);
  const int figures[] = {1,  2,  3,  4,  5,  6,  7,  8,  65, 68, 9,   10,  11,  12,  13,  14,  15,  16,  33, 57,
                         34, 35, 36, 37, 53, 54, 55, 56, 121, 122, 123, 124, 125, 126, 141, 142, 143, 144};
  for (int f : figures) EXPECT_FALSE(blank(frame(tiles, f, 32))) << "figure frame " << f;
  // Every named tile has a picture; unnamed ones stay empty so they read as empty.
  for (int t = 1; t < TILE_COUNT; ++t) {
    bool named = tileInfo()[t].name[0] != '\0';
    if (t == 183 || t == 203) continue;  // the last frames of a collapse may be nearly gone
    EXPECT_EQ(!blank(frame(tiles, t, 32)), named) << "tile " << t << " " << tileInfo()[t].name;
  }
  PcxPicture font = decoded("data12.glb");
  EXPECT_TRUE(blank(frame(font, 0, 16)));
  EXPECT_TRUE(blank(frame(font, ' ', 16)));
  for (int code : {1, 2, 127}) EXPECT_FALSE(blank(frame(font, code, 16))) << code;
  for (int code = 33; code <= 126; ++code) EXPECT_FALSE(blank(frame(font, code, 16))) << char(code);
}

TEST(ContentPictures, TilesThatLookAlikeBehaveAlike) {
  PcxPicture tiles = decoded("data09.glb");
  for (int a = 1; a < TILE_COUNT; ++a)
    for (int b = a + 1; b < TILE_COUNT; ++b) {
      auto fa = frame(tiles, a, 32);
      if (blank(fa) || fa != frame(tiles, b, 32)) continue;
      EXPECT_EQ(tileInfo()[a].tileClass, tileInfo()[b].tileClass) << a << " and " << b << " look the same";
    }
}

TEST(ContentPictures, IntroHoldsBothPicturesInTheInterleavedRecords) {
  const std::vector<uint8_t>& intro = file("data00.glb");
  ASSERT_EQ(intro.size(), 1024768u);
  // The show's palette: the game's, with a black entry 0 for the unwritten rows.
  Palette show = introPalette();
  auto bytes = paletteBytes(show);
  EXPECT_EQ(std::memcmp(intro.data() + 1024000, bytes.data(), 768), 0);
  EXPECT_EQ(show[0].r + show[0].g + show[0].b, 0);
  // The shown rows (records 0-199) carry no index 0: in the keyed front layer it
  // would let the back layer's unwritten rows through.
  for (size_t k = 0; k < 200; ++k)
    for (size_t i = 0; i < 2560; ++i) ASSERT_NE(intro[k * 2560 + i], 0) << "record " << k << " byte " << i;
}

}  // namespace
