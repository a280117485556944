// The editor's core without a window system: painting and typed tiles, the
// palette, scrolling, drawing the view, and opening and saving worlds.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "editor/editor_commands.h"
#include "editor/editor_files.h"
#include "editor/editor_keys.h"
#include "editor/editor_paint.h"
#include "editor/editor_picture.h"
#include "editor/editor_platform.h"
#include "editor/editor_setup.h"
#include "editor/editor_state.h"
#include "editor/editor_undo.h"
#include "editor/editor_view.h"
#include "tests/editor/editor_fixture.h"
#include "tests/editor/editor_test_data.h"

using namespace gle;
using gle_test::TestLevel;

namespace {

// Answers dialogs as a test sets them up and keeps a scroll bar that clamps
// its position to maximum - page + 1, as the window system's bars do.
struct FakePlatform : EditorPlatform {
  std::vector<std::string> messages, prompts;
  int32_t answer = ANSWER_CANCEL;
  std::string savePath, openPath;  // empty: the dialog is cancelled
  int32_t saveDialogs = 0;
  int32_t columnMaximum = 0, columnPage = 0, columnBar = 0;
  int32_t presents = 0;

  void setScrollRanges(int32_t cMax, int32_t cPage, int32_t, int32_t) override {
    columnMaximum = cMax;
    columnPage = cPage;
  }
  int32_t scrollPosition(bool horizontal) override { return horizontal ? columnBar : gScrollRow; }
  void setScrollPosition(bool horizontal, int32_t position) override {
    if (horizontal) columnBar = std::clamp(position, 0, std::max(0, columnMaximum - columnPage + 1));
  }
  void presentView(const ViewPicture&) override { presents++; }
  bool chooseOpenPath(std::string* path) override {
    if (openPath.empty()) return false;
    *path = openPath;
    return true;
  }
  bool chooseSavePath(std::string* path) override {
    saveDialogs++;
    if (savePath.empty()) return false;
    *path = savePath;
    return true;
  }
  int32_t askSaveNow(const std::string& text) override {
    prompts.push_back(text);
    return answer;
  }
  void showMessage(const std::string& text) override { messages.push_back(text); }
};

class EditorCoreTest : public EditorFixture<FakePlatform> {
 protected:
  std::string path(const std::string& name) const { return *dataFolder + "/" + name; }
  int32_t& foreground(int32_t column, int32_t row) {
    return gCurrentLevel->foreground[size_t(column) * gCurrentLevel->height + row];
  }
  int32_t& background(int32_t column, int32_t row) {
    return gCurrentLevel->background[size_t(column) * gCurrentLevel->height + row];
  }
  // Puts the cursor on a cell through the mouse, without painting.
  void moveCursor(int32_t column, int32_t row) {
    mouseInView((column - gScrollColumn) * TILE_SIZE + 5, (row - gScrollRow) * TILE_SIZE + 5, false);
  }
  void paintAt(int32_t column, int32_t row) {
    mouseInView((column - gScrollColumn) * TILE_SIZE + 5, (row - gScrollRow) * TILE_SIZE + 5, true);
  }
  // The test palette is a grey ramp: a shown pixel's blue is its palette index.
  uint8_t viewPixel(int32_t x, int32_t y) const { return uint8_t(gViewPicture.at(x, y)); }

};

// ---- painting ----

TEST_F(EditorCoreTest, PaintingWritesThePaletteMapEntryAndMarksTheWorldModified) {
  gSelectedCell = 41;
  paintAt(4, 2);
  EXPECT_EQ(foreground(4, 2), gle_test::testMapEntry(41));
  EXPECT_TRUE(gModified);
  EXPECT_EQ(background(4, 2), 0);
}

TEST_F(EditorCoreTest, EachTogglingPaletteCellFlipsBetweenItsTwoTiles) {
  const int32_t pairs[][2] = {{65, 68}, {9, 11}, {13, 15}, {33, 34}, {53, 55}, {121, 144}};
  for (int32_t i = 0; i < 6; i++) {
    gSelectedCell = 92 + i;
    foreground(1, 1) = 7;
    paintAt(1, 1);
    EXPECT_EQ(foreground(1, 1), pairs[i][0]) << "cell " << 92 + i << " on another tile";
    paintAt(1, 1);
    EXPECT_EQ(foreground(1, 1), pairs[i][1]) << "cell " << 92 + i << " on its first tile";
    paintAt(1, 1);
    EXPECT_EQ(foreground(1, 1), pairs[i][0]) << "cell " << 92 + i << " on its second tile";
  }
}

TEST_F(EditorCoreTest, PaletteCell13PaintsRandomTiles130To134) {
  gSelectedCell = 13;
  std::set<int32_t> seen;
  for (int32_t i = 0; i < 200; i++) {
    paintAt(2, 3);
    seen.insert(foreground(2, 3));
  }
  EXPECT_EQ(*seen.begin(), 130);
  EXPECT_EQ(*seen.rbegin(), 134);
  EXPECT_EQ(seen.size(), 5u);
}

TEST_F(EditorCoreTest, PaletteCellsOutsideTheMapNeverPaint) {
  for (int32_t cell : {240, 259, 1000, -1}) {
    gSelectedCell = cell;
    gModified = false;
    foreground(3, 3) = 5;
    paintAt(3, 3);
    EXPECT_EQ(foreground(3, 3), 5) << cell;
    EXPECT_FALSE(gModified) << cell;
  }
}

TEST_F(EditorCoreTest, PaletteCellsMappedAboveTile255PaintNothingSoNothingIsCutOnSaving) {
  // Cell 5 names tile 300, cell 6 tile 256, cell 7 tile 255.
  std::vector<uint8_t> map(PALETTE_CELLS * 2, 1);
  map[10] = 300 & 0xFF, map[11] = 300 >> 8;
  map[12] = 0, map[13] = 1;
  map[14] = 255, map[15] = 0;
  gle_test::writeBytes(path("big map.glb"), map);
  std::string error;
  ASSERT_TRUE(readPaletteMap(path("big map.glb"), &error)) << error;
  for (int32_t cell : {5, 6}) {
    gSelectedCell = cell;
    gModified = false;
    paintAt(2, 2);
    EXPECT_EQ(foreground(2, 2), 0) << cell;
    EXPECT_FALSE(gModified) << cell;
  }
  gSelectedCell = 7;
  paintAt(3, 2);
  EXPECT_EQ(foreground(3, 2), 255);
  platform.savePath = path("big map.glw");
  ASSERT_TRUE(saveWorld());
  ASSERT_TRUE(openWorld(path("big map.glw").c_str()));
  EXPECT_EQ(foreground(2, 2), 0);
  EXPECT_EQ(foreground(3, 2), 255);
}

TEST_F(EditorCoreTest, ANamedPipeInPlaceOfAWorldOrThePaletteMapIsRefusedAtOnce) {
  const std::string pipe = path("pipe.glw");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(openWorld(pipe.c_str()));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], "The world could not be opened.\n" + pipe + ": is not a regular file");
  EXPECT_EQ(gFileName, UNTITLED_NAME);
  std::string error;
  EXPECT_FALSE(readPaletteMap(pipe, &error));
  EXPECT_EQ(error, pipe + ": is not a regular file");
  ::unlink(pipe.c_str());
}

TEST_F(EditorCoreTest, EditBackgroundSendsPaintingToTheBackgroundLayer) {
  toggleEditBackground();
  gSelectedCell = 3;
  paintAt(6, 7);
  EXPECT_EQ(background(6, 7), gle_test::testMapEntry(3));
  EXPECT_EQ(foreground(6, 7), 0);
}

TEST_F(EditorCoreTest, MouseOnlyPaintsInsideTheLevelAndTheRightButtonOnlyMovesTheCursor) {
  gSelectedCell = 1;
  resizeView(1000, 480);  // the view is wider than the 20-column level
  mouseInView(21 * TILE_SIZE, 10, true);
  mouseInView(-3, 10, true);
  EXPECT_FALSE(gModified);
  mouseInView(5 * TILE_SIZE + 1, 2 * TILE_SIZE + 1, false);
  EXPECT_EQ(gCursorColumn, 5);
  EXPECT_EQ(gCursorRow, 2);
  EXPECT_EQ(foreground(5, 2), 0);
  EXPECT_FALSE(gModified);
}

TEST_F(EditorCoreTest, MouseCellsCountFromTheScrollPosition) {
  gScrollColumn = 4;
  gScrollRow = 2;
  gSelectedCell = 1;
  mouseInView(33, 65, true);
  EXPECT_EQ(gCursorColumn, 5);
  EXPECT_EQ(gCursorRow, 4);
  EXPECT_EQ(foreground(5, 4), gle_test::testMapEntry(1));
}

// ---- typed tiles ----

TEST_F(EditorCoreTest, EveryTypedSingleTileKeyPlacesItsTile) {
  struct Key {
    char key;
    int32_t tile;
  };
  const Key keys[] = {{'\'', 87}, {'/', 114}, {'1', 17}, {'8', 26},  {'9', 41},  {';', 105}, {'\\', 164},
                      {'`', 73},  {'a', 40},  {'b', 22}, {'c', 66},  {'e', 161}, {'h', 117}, {'i', 108},
                      {'l', 140}, {'n', 23},  {'o', 109}, {'q', 160}, {'s', 20},  {'v', 21},  {'w', 85},
                      {'x', 69},  {'z', 88},  {'!', 230}, {'>', 173}, {'d', 0}};
  moveCursor(2, 2);
  for (const Key& k : keys) {
    foreground(2, 2) = 99;
    typeCharacter(k.key);
    EXPECT_EQ(foreground(2, 2), k.tile) << "key " << k.key;
  }
  for (char c = 'A'; c <= 'Z'; c++) {
    typeCharacter(c);
    const int32_t expected = c <= 'J' ? c + 119 : c <= 'P' ? c + 129 : c + 139;
    EXPECT_EQ(foreground(2, 2), expected) << "key " << c;
  }
  EXPECT_EQ(foreground(2, 3), 0);  // nothing spills into the neighbours
  EXPECT_EQ(foreground(3, 2), 0);
}

TEST_F(EditorCoreTest, TypedToggleKeysFlipAndGPlacesARandomTile) {
  const int32_t pairs[][2] = {{65, 68}, {9, 11}, {13, 15}, {33, 34}, {53, 55}, {121, 144}};
  moveCursor(8, 9);
  for (int32_t i = 0; i < 6; i++) {
    foreground(8, 9) = 1;
    typeCharacter('2' + i);
    EXPECT_EQ(foreground(8, 9), pairs[i][0]);
    typeCharacter('2' + i);
    EXPECT_EQ(foreground(8, 9), pairs[i][1]);
  }
  for (int32_t i = 0; i < 20; i++) {
    typeCharacter('g');
    EXPECT_GE(foreground(8, 9), 130);
    EXPECT_LE(foreground(8, 9), 134);
  }
}

TEST_F(EditorCoreTest, TheUBlockFillsFourColumnsAndTwoRows) {
  moveCursor(3, 5);
  typeCharacter('u');
  for (int32_t i = 0; i < 4; i++) {
    EXPECT_EQ(foreground(3 + i, 5), 29 + i);
    EXPECT_EQ(foreground(3 + i, 6), 49 + i);
  }
  EXPECT_EQ(foreground(7, 5), 0);
  EXPECT_EQ(foreground(3, 7), 0);
  EXPECT_EQ(foreground(2, 5), 0);
}

TEST_F(EditorCoreTest, BlocksAreCutAtTheLevelsLastColumnAndRow) {
  moveCursor(19, 4);
  typeCharacter('p');
  EXPECT_EQ(foreground(19, 4), 98);
  EXPECT_EQ(foreground(19, 5), 118);
  moveCursor(0, 11);
  typeCharacter('0');
  EXPECT_EQ(foreground(0, 11), 27);
  EXPECT_EQ(foreground(1, 11), 28);
  for (const char key : {',', '.', 'f', 'j', 'k', 'm', 't', 'y', '[', ']', 'r'}) {
    moveCursor(19, 0);
    foreground(19, 0) = 0;
    typeCharacter(key);
    EXPECT_NE(foreground(19, 0), 0) << key;
  }
}

TEST_F(EditorCoreTest, EveryBlockKeyPlacesItsBlock) {
  struct Block {
    char key;
    int32_t columns, rows, first;
  };
  const Block blocks[] = {{',', 2, 1, 112}, {'.', 2, 1, 135}, {'f', 2, 1, 106}, {'j', 2, 1, 90},
                          {'k', 2, 1, 70},  {'m', 2, 1, 110}, {'t', 2, 1, 43},  {'y', 2, 1, 63},
                          {'0', 2, 2, 27},  {'[', 2, 2, 81},  {']', 2, 2, 83},  {'p', 2, 2, 98},
                          {'r', 2, 2, 95}};
  for (const Block& b : blocks) {
    gle::newWorld();
    moveCursor(10, 3);
    typeCharacter(b.key);
    for (int32_t i = 0; i < 3; i++)
      for (int32_t j = 0; j < 3; j++) {
        const int32_t expected = i < b.columns && j < b.rows ? b.first + i + 20 * j : 0;
        EXPECT_EQ(foreground(10 + i, 3 + j), expected) << b.key << " at +" << i << ",+" << j;
      }
  }
}

TEST_F(EditorCoreTest, PlusStopsAt168AndKeysThatChangeNothingLeaveTheWorldUnmodified) {
  gSelectedCell = 167;
  typeCharacter('+');
  EXPECT_EQ(gSelectedCell, 168);
  EXPECT_FALSE(gModified);
  typeCharacter('=');
  EXPECT_EQ(gSelectedCell, 168);
  EXPECT_FALSE(gModified);
  EXPECT_FALSE(canUndo());
  for (int32_t column = 0; column < 20; column++)
    for (int32_t row = 0; row < 12; row++) ASSERT_EQ(foreground(column, row), 0);
  gSelectedCell = 0;
  typeCharacter('-');
  EXPECT_EQ(gSelectedCell, 0);
  EXPECT_FALSE(gModified);
  // A tile typed onto a cell that already holds it is no change either.
  moveCursor(2, 2);
  typeCharacter('a');
  EXPECT_TRUE(gModified);
  gModified = false;
  typeCharacter('a');
  EXPECT_FALSE(gModified);
}

TEST_F(EditorCoreTest, CharactersWithoutATileChangeNothing) {
  moveCursor(1, 1);
  foreground(1, 1) = 9;
  for (int32_t c : {int32_t('#'), 1, 3, 0x1F}) typeCharacter(c);
  EXPECT_EQ(foreground(1, 1), 9);
  EXPECT_FALSE(gModified);
  EXPECT_FALSE(canUndo());
}

TEST_F(EditorCoreTest, DeleteErasesTheCursorCellAsDDoesAndIsOneUndoStep) {
  moveCursor(4, 3);
  foreground(4, 3) = 41;
  typeCharacter(DELETE_CHARACTER);
  EXPECT_EQ(foreground(4, 3), 0);
  EXPECT_TRUE(gModified);
  ASSERT_TRUE(undoChange());
  EXPECT_EQ(foreground(4, 3), 41);
  EXPECT_FALSE(gModified);
  EXPECT_TRUE(redoChange());
  EXPECT_EQ(foreground(4, 3), 0);
  // On an empty cell Delete changes nothing and marks nothing.
  gModified = false;
  typeCharacter(DELETE_CHARACTER);
  EXPECT_FALSE(gModified);
}

TEST_F(EditorCoreTest, TypingWithTheCursorOutsideTheLevelPlacesNothing) {
  gCursorColumn = 25;  // left behind by a wider level
  gCursorRow = 3;
  typeCharacter('a');
  EXPECT_FALSE(gModified);
  for (int32_t column = 0; column < 20; column++)
    for (int32_t row = 0; row < 12; row++) ASSERT_EQ(foreground(column, row), 0);
}

TEST_F(EditorCoreTest, ToolsClickSelectsCellByHalfSizeGrid) {
  mouseInTools(37, 20, true);
  EXPECT_EQ(gSelectedCell, 22);
  mouseInTools(319, 143, true);
  EXPECT_EQ(gSelectedCell, 179);
  mouseInTools(5, 5, false);
  EXPECT_EQ(gSelectedCell, 179);
  mouseInTools(330, 5, true);  // beside the picture: no cell
  EXPECT_EQ(gSelectedCell, 179);
}

// ---- layers and scrolling ----

TEST_F(EditorCoreTest, LayerTogglesOnlyHideTheLayerNotBeingEdited) {
  toggleShowForeground();
  EXPECT_EQ(gShowForeground, 1);
  toggleShowBackground();
  EXPECT_EQ(gShowBackground, 0);
  toggleEditBackground();
  EXPECT_EQ(gShowBackground, 1);  // the edited layer is shown again
  toggleShowBackground();
  EXPECT_EQ(gShowBackground, 1);
  toggleShowForeground();
  EXPECT_EQ(gShowForeground, 0);
  toggleEditBackground();
  EXPECT_EQ(gShowForeground, 1);
}

TEST_F(EditorCoreTest, ScrollingClampsToTheLevelAndLetsTheLastColumnReachTheEdge) {
  resizeView(320, 384);  // 10 columns
  EXPECT_EQ(platform.columnMaximum, 19);
  EXPECT_EQ(platform.columnPage, 10);
  scrollColumns(SCROLL_TO_END);
  EXPECT_EQ(gScrollColumn, 19);
  EXPECT_EQ(platform.columnBar, 10);  // the bar stops where the page fits
  scrollColumns(SCROLL_LINE_FORWARD);
  EXPECT_EQ(gScrollColumn, 11);  // counted from the bar's own position
  scrollColumns(SCROLL_PAGE_BACK);
  EXPECT_EQ(gScrollColumn, 0);
  scrollColumns(SCROLL_LINE_BACK);
  EXPECT_EQ(gScrollColumn, 0);
  scrollColumns(SCROLL_THUMB_TRACK, 55);
  EXPECT_EQ(gScrollColumn, 19);
  scrollColumns(SCROLL_THUMB_TRACK, 4);
  scrollColumns(SCROLL_END);
  scrollColumns(SCROLL_THUMB_POSITION, 9);
  EXPECT_EQ(gScrollColumn, 4);
  scrollRows(SCROLL_PAGE_FORWARD);
  EXPECT_EQ(gScrollRow, 11);
  scrollRows(SCROLL_TO_START);
  EXPECT_EQ(gScrollRow, 0);
  EXPECT_EQ(scrollTarget(SCROLL_PAGE_FORWARD, 15, 0, 10, 20), 19);
  EXPECT_EQ(scrollTarget(SCROLL_PAGE_BACK, 3, 0, 10, 20), 0);
}

// ---- drawing ----

TEST_F(EditorCoreTest, RedrawDrawsBackgroundOpaqueForegroundKeyedThenTheCursorTile) {
  background(0, 0) = 3;
  foreground(1, 0) = gle_test::HOLED_FRAME;
  background(1, 0) = 4;
  foreground(2, 1) = 9;
  gSelectedCell = 5;
  moveCursor(3, 3);
  redrawEditor();
  EXPECT_EQ(viewPixel(10, 10), 3);
  EXPECT_EQ(viewPixel(32 + 4, 4), 4);                   // background through the key
  EXPECT_EQ(viewPixel(32 + 20, 4), gle_test::HOLED_FRAME);
  EXPECT_EQ(viewPixel(64 + 1, 33), 9);
  EXPECT_EQ(viewPixel(96 + 31, 96 + 31), gle_test::PALETTE_PICTURE_BASE + 5);  // the cursor cell
  EXPECT_EQ(viewPixel(96 + 40, 96), 0);
  EXPECT_EQ(gViewPicture.at(639, 479), OUTSIDE_COLOUR);  // beyond the level, shaded
}

TEST_F(EditorCoreTest, HiddenLayersAreNotDrawnAndTheScrollPositionShiftsTheView) {
  background(5, 2) = 3;
  foreground(6, 2) = 9;
  gScrollColumn = 5;
  gScrollRow = 2;
  gCursorColumn = 100;  // cursor off the view
  redrawEditor();
  EXPECT_EQ(viewPixel(1, 1), 3);
  EXPECT_EQ(viewPixel(33, 1), 9);
  gShowBackground = 0;
  redrawEditor();
  EXPECT_EQ(viewPixel(1, 1), 0);
  gShowForeground = 0;
  redrawEditor();
  EXPECT_EQ(viewPixel(33, 1), 0);
}

TEST_F(EditorCoreTest, CursorWithoutTileIsAWhiteCornerOf15PixelsEachWay) {
  toggleCursorAsTile();
  moveCursor(1, 1);
  redrawEditor();
  EXPECT_EQ(viewPixel(32, 32), 255);
  EXPECT_EQ(viewPixel(32 + 15, 32), 255);
  EXPECT_EQ(viewPixel(32 + 16, 32), 0);
  EXPECT_EQ(viewPixel(32, 32 + 14), 255);
  EXPECT_EQ(viewPixel(32, 32 + 15), 0);
  EXPECT_EQ(viewPixel(33, 33), 0);
}

TEST_F(EditorCoreTest, ToolsPictureShowsThePaletteWithTheSelectedCellInverted) {
  gSelectedCell = 22;
  toggleToolsWindow();
  ASSERT_TRUE(gToolsBuffer);
  EXPECT_EQ(gToolsBuffer->width(), TOOLS_WIDTH);
  EXPECT_EQ(gToolsBuffer->height(), TOOLS_HEIGHT);
  EXPECT_EQ(gToolsBuffer->pixelAt(2 * 32 + 3, 32 + 3), uint8_t(~(gle_test::PALETTE_PICTURE_BASE + 22)));
  EXPECT_EQ(gToolsBuffer->pixelAt(3 * 32 + 3, 32 + 3), gle_test::PALETTE_PICTURE_BASE + 23);
  EXPECT_EQ(gToolsBuffer->pixelAt(639, 287), gle_test::PALETTE_PICTURE_BASE + 179);
}

TEST_F(EditorCoreTest, NothingIsDrawnWhileInactiveButTheStateStillChanges) {
  redrawEditor();
  const int32_t before = platform.presents;
  gActive = 0;
  typeCharacter('a');
  EXPECT_EQ(platform.presents, before);
  EXPECT_TRUE(gModified);
}

TEST_F(EditorCoreTest, TitleShowsTheFileAndAStarWhileModified) {
  EXPECT_EQ(editorTitle(), "Glimb Level Editor - Untitled  ");
  gModified = true;
  EXPECT_EQ(editorTitle(), "Glimb Level Editor - Untitled *");
}

// ---- files ----

TEST_F(EditorCoreTest, NewWorldSavesAs350Bytes) {
  platform.savePath = path("new.glw");
  EXPECT_TRUE(saveWorld());
  EXPECT_EQ(platform.saveDialogs, 1);
  EXPECT_EQ(gFileName, path("new.glw"));
  EXPECT_EQ(std::filesystem::file_size(path("new.glw")), 350u);
  EXPECT_FALSE(gModified);
}

TEST_F(EditorCoreTest, OpenThenSaveOfThreeLevelsIsByteIdentical) {
  const std::vector<TestLevel> levels = {{20, 12, 0x02, 1, 0}, {23, 14, 0x12 | 0x300, 50, 200}, {31, 13, 0x2F, 9, 0}};
  const auto bytes = gle_test::worldBytes(levels);
  ASSERT_EQ(bytes.size(), size_t(102 + (8 + 20 * 12) + (8 + 2 * 23 * 14) + (8 + 31 * 13)));
  gle_test::writeBytes(path("three.glw"), bytes);
  ASSERT_TRUE(openWorld(path("three.glw").c_str()));
  EXPECT_EQ(gLevelCount, 3);
  EXPECT_EQ(gFileName, path("three.glw"));
  EXPECT_EQ(gCurrentLevel->width, 20);
  EXPECT_EQ(gFirstLevel->next->background[5], uint8_t(200 + 5));
  EXPECT_EQ(gFirstLevel->next->foreground[210], uint8_t(50 + 210));  // bytes are never sign-extended
  EXPECT_EQ(gFirstLevel->next->next->background[0], 0);
  gModified = true;
  ASSERT_TRUE(saveWorld());
  EXPECT_EQ(gle_test::readBytes(path("three.glw")), bytes);
}

TEST_F(EditorCoreTest, SavingWithTheBackgroundFlagClearedDropsThoseTiles) {
  gle_test::writeBytes(path("bg.glw"), gle_test::worldBytes({{20, 12, 0x12, 1, 7}}));
  ASSERT_TRUE(openWorld(path("bg.glw").c_str()));
  ASSERT_EQ(gFirstLevel->background[3], 10);
  gFirstLevel->flags &= ~LEVEL_BACKGROUND;
  ASSERT_TRUE(saveWorld());
  EXPECT_EQ(std::filesystem::file_size(path("bg.glw")), 350u);
  ASSERT_TRUE(openWorld(path("bg.glw").c_str()));
  gFirstLevel->flags |= LEVEL_BACKGROUND;  // setting the flag again gives an empty layer
  for (int32_t i = 0; i < 240; i++) ASSERT_EQ(gFirstLevel->background[i], 0);
}

TEST_F(EditorCoreTest, OpeningAnUnreadableOrBrokenFileKeepsTheWorldAndSaysWhy) {
  foreground(0, 0) = 12;
  gModified = true;
  const std::vector<uint8_t> whole = gle_test::worldBytes({{20, 12, 0x02, 1, 0}});
  gle_test::writeBytes(path("short.glw"), std::vector<uint8_t>(whole.begin(), whole.end() - 10));
  gle_test::writeBytes(path("empty.glw"), gle_test::worldBytes({}));
  for (const std::string name : {"missing.glw", "short.glw", "empty.glw"}) {
    platform.messages.clear();
    EXPECT_FALSE(openWorld(path(name).c_str())) << name;
    ASSERT_EQ(platform.messages.size(), 1u) << name;
    EXPECT_NE(platform.messages[0].find(name), std::string::npos) << platform.messages[0];
    EXPECT_EQ(gFileName, UNTITLED_NAME);
    EXPECT_TRUE(gModified);
    EXPECT_EQ(foreground(0, 0), 12);
    EXPECT_EQ(gLevelCount, 1);
  }
}

TEST_F(EditorCoreTest, OpeningMoreLevelsThanTheEditorCountsIsRefused) {
  std::vector<TestLevel> many(32768, TestLevel{1, 1, 0, 0, 0});
  gle_test::writeBytes(path("many.glw"), gle_test::worldBytes(many));
  EXPECT_FALSE(openWorld(path("many.glw").c_str()));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].find("32767"), std::string::npos) << platform.messages[0];
  EXPECT_EQ(gLevelCount, 1);
  std::filesystem::remove(path("many.glw"));
}

TEST_F(EditorCoreTest, CancellingTheOpenDialogChangesNothing) {
  gModified = true;
  EXPECT_FALSE(openWorld(nullptr));
  EXPECT_TRUE(gModified);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(EditorCoreTest, AFailedSaveSaysWhyKeepsTheOldFileAndLeavesTheWorldModified) {
  const auto old = gle_test::worldBytes({{20, 12, 0x02, 3, 0}});
  gle_test::writeBytes(path("keep.glw"), old);
  ASSERT_TRUE(openWorld(path("keep.glw").c_str()));
  foreground(0, 0) = 77;
  gModified = true;
  gFileName = path("no-such-folder/keep.glw");
  EXPECT_FALSE(saveWorld());
  EXPECT_TRUE(gModified);
  ASSERT_EQ(platform.messages.size(), 1u);
  // Save As to a folder in the way of the file keeps the old name too.
  std::filesystem::create_directories(path("in-the-way.glw"));
  gFileName = path("keep.glw");
  platform.savePath = path("in-the-way.glw");
  EXPECT_FALSE(saveWorldAs());
  EXPECT_EQ(gFileName, path("keep.glw"));
  EXPECT_TRUE(gModified);
  EXPECT_EQ(gle_test::readBytes(path("keep.glw")), old);
}

TEST_F(EditorCoreTest, SavePromptAnswers) {
  // Unmodified: no prompt at all.
  EXPECT_EQ(confirmDiscard(), ANSWER_NO);
  EXPECT_TRUE(platform.prompts.empty());
  gModified = true;
  platform.answer = ANSWER_NO;
  EXPECT_EQ(confirmDiscard(), ANSWER_NO);
  ASSERT_EQ(platform.prompts.size(), 1u);
  EXPECT_EQ(platform.prompts[0], "Untitled\nThis file is not saved. Save it now?");
  EXPECT_TRUE(gModified);
  platform.answer = ANSWER_CANCEL;
  EXPECT_EQ(confirmDiscard(), ANSWER_CANCEL);
  // Yes with the Save dialog cancelled does not discard: it counts as Cancel.
  platform.answer = ANSWER_YES;
  EXPECT_EQ(confirmDiscard(), ANSWER_CANCEL);
  EXPECT_TRUE(gModified);
  // Yes whose write fails counts as Cancel too.
  gFileName = path("no-such-folder/x.glw");
  EXPECT_EQ(confirmDiscard(), ANSWER_CANCEL);
  EXPECT_TRUE(gModified);
  // Yes that saves.
  gFileName = path("prompt.glw");
  EXPECT_EQ(confirmDiscard(), ANSWER_YES);
  EXPECT_FALSE(gModified);
  EXPECT_TRUE(std::filesystem::exists(path("prompt.glw")));
}

TEST_F(EditorCoreTest, NewAndCloseFollowThePromptsAnswer) {
  foreground(0, 0) = 5;
  gModified = true;
  platform.answer = ANSWER_CANCEL;
  editorCommand(CMD_NEW);
  EXPECT_EQ(foreground(0, 0), 5);
  EXPECT_FALSE(confirmClose());
  EXPECT_EQ(gRunning, 1);
  platform.answer = ANSWER_NO;
  editorCommand(CMD_NEW);
  EXPECT_EQ(foreground(0, 0), 0);
  EXPECT_FALSE(gModified);
  EXPECT_TRUE(confirmClose());
  EXPECT_EQ(gRunning, 0);
}

TEST_F(EditorCoreTest, DefaultExtensionIsAddedOnlyToNamesWithoutOne) {
  EXPECT_EQ(withDefaultExtension("/tmp/castle"), "/tmp/castle.glw");
  EXPECT_EQ(withDefaultExtension("/tmp/castle.glw"), "/tmp/castle.glw");
  EXPECT_EQ(withDefaultExtension("/tmp/castle.old"), "/tmp/castle.old");
  EXPECT_EQ(withDefaultExtension("/tmp.d/castle"), "/tmp.d/castle.glw");
}

TEST_F(EditorCoreTest, SetupFailsWithTheNameOfAMissingDataFile) {
  shutdownEditor();
  std::string error;
  EXPECT_EQ(setupGraphics(*dataFolder + "/nowhere", &error), SETUP_LOAD_FAILED);
  EXPECT_NE(error.find("data09.glb"), std::string::npos) << error;
}

}  // namespace

// The KEYS section of gle(6) is the list Help -> Keys shows, made from the
// editor's own tables: a key added to a table must reach the manual too.
TEST(EditorManualTest, ManualPageKeyListMatchesTheEditorTables) {
  std::ifstream in(GLE_MANUAL_PAGE);
  ASSERT_TRUE(in) << GLE_MANUAL_PAGE;
  std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t start = page.find(".SH KEYS\n");
  ASSERT_NE(start, std::string::npos) << "gle.6 has no KEYS section";
  const size_t end = page.find("\n.SH ", start);
  const std::string section = page.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
  const std::string expected = keyHelpRoff();
  if (section != expected) {
    std::ofstream("gle-keys-section.6") << expected;
    FAIL() << "the KEYS section of " << GLE_MANUAL_PAGE
           << " differs from the editor's tables; the section as it must be is in gle-keys-section.6";
  }
}
