// The editor's core without a window: flood fill, picking, pasting at the
// level's edge, the size limits of Resize, recovery copies, the settings
// file, tile names, the status bar and the zoomed picture.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "editor/editor_area.h"
#include "editor/editor_keys.h"
#include "editor/editor_levels.h"
#include "editor/editor_paint.h"
#include "editor/editor_picture.h"
#include "editor/editor_recovery.h"
#include "editor/editor_settings.h"
#include "editor/editor_status.h"
#include "editor/editor_undo.h"
#include "tests/editor/editor_fixture.h"

using namespace gle;

namespace {

struct NotingPlatform : EditorPlatform {
  std::vector<std::string> notes, messages;
  void showStatusNote(const std::string& text) override { notes.push_back(text); }
  void showMessage(const std::string& text) override { messages.push_back(text); }
};

class EditorToolsTest : public EditorFixture<NotingPlatform> {
 protected:
  int32_t& fore(int32_t column, int32_t row) {
    return gCurrentLevel->foreground[size_t(column) * gCurrentLevel->height + row];
  }
  int32_t& back(int32_t column, int32_t row) {
    return gCurrentLevel->background[size_t(column) * gCurrentLevel->height + row];
  }
};

TEST_F(EditorToolsTest, FloodFillStaysInsideItsRegionOnTheEditLayerEvenWhenItIsLarge) {
  ASSERT_TRUE(resizeLevel(3000, 200, false, false));
  for (int32_t r = 0; r < 200; r++) fore(1500, r) = 9;
  back(10, 10) = 5;
  gSelectedCell = 41;
  ASSERT_TRUE(floodFill(0, 0));
  EXPECT_EQ(fore(1499, 199), gle_test::testMapEntry(41));
  EXPECT_EQ(fore(1500, 5), 9);
  EXPECT_EQ(fore(1501, 5), 0);
  EXPECT_EQ(back(10, 10), 5);
  // Filling a region with what it holds is no change.
  gModified = false;
  EXPECT_FALSE(floodFill(0, 0));
  EXPECT_FALSE(gModified);
  EXPECT_FALSE(floodFill(3000, 0));
  EXPECT_TRUE(undoChange());
  EXPECT_EQ(fore(0, 0), 0);
}

TEST_F(EditorToolsTest, PickFindsPlainToggleAndRandomCellsAndNotesTilesOnNoCell) {
  fore(0, 0) = gle_test::testMapEntry(30);
  EXPECT_TRUE(pickTile(0, 0));
  EXPECT_EQ(gPaletteMap[gSelectedCell], gle_test::testMapEntry(30));
  // Tiles no plain cell paints: the toggle's and the random rock's cells pick them.
  for (int32_t& entry : gPaletteMap)
    if (entry == 144 || entry == 133) entry = 0;
  fore(1, 0) = 144;  // the second tile of the last toggle
  EXPECT_TRUE(pickTile(1, 0));
  EXPECT_EQ(gSelectedCell, FIRST_TOGGLE_CELL + 5);
  fore(2, 0) = 133;
  EXPECT_TRUE(pickTile(2, 0));
  EXPECT_EQ(gSelectedCell, RANDOM_TILE_CELL);
  fore(3, 0) = 250;  // on no cell of the map
  const int32_t before = gSelectedCell;
  EXPECT_FALSE(pickTile(3, 0));
  EXPECT_EQ(gSelectedCell, before);
  ASSERT_EQ(platform.notes.size(), 1u);
  EXPECT_NE(platform.notes[0].find("Tile 250"), std::string::npos);
  EXPECT_FALSE(gModified);
}

TEST_F(EditorToolsTest, PasteAtTheEdgeWritesOnlyWhatFitsAndSelectsIt) {
  for (int32_t c = 0; c < 3; c++)
    for (int32_t r = 0; r < 3; r++) fore(c, r) = 1 + c * 3 + r;
  selectArea(CellRect{0, 0, 2, 2});
  ASSERT_TRUE(copySelection());
  gCursorColumn = 18, gCursorRow = 10;
  ASSERT_TRUE(pasteClipboard());
  EXPECT_EQ(fore(18, 10), 1);
  EXPECT_EQ(fore(19, 11), 5);
  EXPECT_EQ(currentSelection(), (CellRect{18, 10, 19, 11}));
  // A selection drawn past the level is held to it; without one, copy does nothing.
  selectArea(CellRect{15, 8, 40, 40});
  EXPECT_EQ(currentSelection(), (CellRect{15, 8, 19, 11}));
  clearSelection();
  EXPECT_FALSE(copySelection());
  EXPECT_FALSE(deleteSelection());
}

TEST_F(EditorToolsTest, ResizeRefusesWhatAWorldFileCannotHoldAndKeepsTheLevel) {
  EXPECT_FALSE(resizeLevel(19, 12, false, false));
  EXPECT_FALSE(resizeLevel(20, 65536, false, false));
  EXPECT_FALSE(resizeLevel(65535, 65535, false, false));
  ASSERT_EQ(platform.messages.size(), 3u);
  EXPECT_NE(platform.messages[2].find("MiB"), std::string::npos);
  EXPECT_EQ(gCurrentLevel->width, 20);
  EXPECT_FALSE(gModified);
  EXPECT_EQ(resizeProblem(65535, 512), "");
}

TEST_F(EditorToolsTest, RecoveryCopiesOfRunningEditorsAreNotOffered) {
  typeCharacter('2');
  ASSERT_TRUE(writeRecoveryCopy());
  EXPECT_TRUE(findRecoveryCopies().empty()) << "this editor's own copy";
  const std::string folder = recoveryFolder();
  const std::string mine = folder + "/gle-" + std::to_string(::getpid());
  std::filesystem::copy_file(mine + ".glw", folder + "/gle-1.glw");  // pid 1 is always running
  std::filesystem::copy_file(mine + ".txt", folder + "/gle-1.txt");
  std::filesystem::copy_file(mine + ".glw", folder + "/gle-999998.glw");
  std::filesystem::copy_file(mine + ".txt", folder + "/gle-999998.txt");
  std::ofstream(folder + "/gle-x.txt") << "File = nothing\n";
  const std::vector<RecoveryCopy> copies = findRecoveryCopies();
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].fileName, UNTITLED_NAME);
  EXPECT_NE(recoveryQuestion(copies[0]).find("Restore them?"), std::string::npos);
  discardRecoveryCopy(copies[0]);
  // Unmodified again (undone): the copy goes.
  ASSERT_TRUE(undoChange());
  ASSERT_TRUE(writeRecoveryCopy());
  EXPECT_FALSE(std::filesystem::exists(mine + ".glw"));
  for (const char* name : {"/gle-1.glw", "/gle-1.txt", "/gle-x.txt"}) std::filesystem::remove(folder + name);
}

TEST_F(EditorToolsTest, SettingsKeepEightRecentWorldsAndSkipWhatTheyDoNotUnderstand) {
  std::filesystem::create_directories(std::filesystem::path(editorSettingsPath()).parent_path());
  std::ofstream(editorSettingsPath()) << "junk\nTestDifficulty = hard\nRecent = /a.glw\nRecent = /a.glw\n= \n"
                                      << std::string(3000, 'x') << "\n";
  loadEditorSettings();
  EXPECT_EQ(gTestDifficulty, 2);
  EXPECT_EQ(gRecentWorlds, (std::vector<std::string>{"/a.glw"}));
  for (int32_t i = 0; i < 10; i++) rememberRecentWorld("/w" + std::to_string(i) + ".glw");
  loadEditorSettings();
  ASSERT_EQ(gRecentWorlds.size(), size_t(RECENT_MAX));
  EXPECT_EQ(gRecentWorlds.front(), "/w9.glw");
  EXPECT_EQ(gRecentWorlds.back(), "/w2.glw");
  std::filesystem::remove(editorSettingsPath());
}

TEST_F(EditorToolsTest, TileNamesAndClassesDescribeTheTileUnderTheCursor) {
  readTileNames("41 earth\nbad line\n999 too big\n7 walker right\r\n 3 leading space\n");
  gTileClass[41] = 1;
  EXPECT_EQ(describeTile(41), "Tile 41 earth (solid)");
  EXPECT_EQ(describeTile(7), "Tile 7 walker right (no effect)");
  EXPECT_EQ(describeTile(3), "Tile 3 (no effect)");
  EXPECT_EQ(tileClassName(17), "checkpoint");
  EXPECT_EQ(tileClassName(2), "class 2");
  gCursorColumn = 25;
  EXPECT_EQ(statusFields()[2], "Outside the level");
  // A palette map naming a number no world can hold says the cell paints nothing.
  const int32_t kept = gPaletteMap[5];
  gPaletteMap[5] = 300;
  EXPECT_EQ(paletteCellTip(5), "Cell 5: Tile 300: not a tile a world can hold; this cell paints nothing");
  gPaletteMap[5] = kept;
  gTileNames.clear();
}

TEST_F(EditorToolsTest, ZoomedPictureShowsEachCellScaledAndTheKeyListCoversEveryKey) {
  fore(1, 0) = 5;
  gCursorColumn = 10;
  setZoom(25);
  EXPECT_EQ(cellPixels(), 8);
  EXPECT_EQ(gPageColumns, 640 / 8);
  EXPECT_EQ(gViewPicture.at(8 + 3, 0) & 0xFF, 5u);
  EXPECT_EQ(gViewPicture.at(20 * 8 + 3, 0), OUTSIDE_COLOUR | 0) << "past column 20, after the edge";
  setZoom(400);
  EXPECT_EQ(gViewPicture.at(128 + 100, 0) & 0xFF, 5u);
  setZoom(1000);
  EXPECT_EQ(gZoom, 400);
  const std::string keys = keyHelpText(false);
  for (const TypedKey& key : typedKeys())
    if (key.character != '\\' && key.character != '`')
      EXPECT_NE(keys.find("\n  " + std::string(1, char(key.character)) + " "), std::string::npos) << char(key.character);
}

}  // namespace

namespace {

// The view drawn straight from 32-bit frames must be the very picture the
// 8-bit back buffer gives through the colour table.
TEST_F(EditorToolsTest, DirectPictureEqualsTheEightBitOneInEveryState) {
  for (int32_t c = 0; c < 20; c++)
    for (int32_t r = 0; r < 12; r++) {
      fore(c, r) = (c * 7 + r) % 12;  // frames 0 (all key) and 7 (half key) among them
      back(c, r) = (c + r * 3) % 9 + 1;
    }
  gCursorColumn = 3, gCursorRow = 4;
  selectArea(CellRect{2, 2, 5, 6});
  struct State {
    int32_t showForeground, showBackground, cursorAsTile, grid, scroll;
  };
  for (const State& s : {State{1, 1, 1, 0, 0}, State{0, 1, 0, 1, 0}, State{1, 0, 1, 0, 3}, State{1, 1, 0, 1, 15}}) {
    gShowForeground = s.showForeground, gShowBackground = s.showBackground;
    gCursorAsTile = s.cursorAsTile, gShowGrid = s.grid, gScrollColumn = s.scroll;
    ASSERT_TRUE(loadDirectFrames(*dataFolder + "/data09.glb", *dataFolder + "/glegfx.pcx"));
    redrawEditor();
    const std::vector<uint32_t> direct = *gViewPicture.store;
    releaseDirectFrames();
    redrawEditor();
    ASSERT_EQ(direct.size(), gViewPicture.store->size());
    size_t differing = 0;
    for (size_t i = 0; i < direct.size(); i++) differing += direct[i] != (*gViewPicture.store)[i];
    EXPECT_EQ(differing, 0u) << "state " << s.showForeground << s.showBackground << s.cursorAsTile << s.grid << s.scroll;
  }
}

}  // namespace
