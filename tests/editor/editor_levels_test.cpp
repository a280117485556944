// The editor's level list operations, the properties dialogs' conversions and
// undo, on small worlds in memory without a window system.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "editor/editor_commands.h"
#include "editor/editor_files.h"
#include "editor/editor_levels.h"
#include "editor/editor_paint.h"
#include "editor/editor_platform.h"
#include "editor/editor_properties.h"
#include "editor/editor_setup.h"
#include "editor/editor_state.h"
#include "editor/editor_undo.h"
#include "editor/editor_view.h"
#include "tests/editor/editor_fixture.h"
#include "tests/editor/editor_test_data.h"

using namespace gle;

namespace {

struct LevelsPlatform : EditorPlatform {
  std::vector<std::string> messages;
  bool shift = false;
  int32_t presents = 0;
  std::string savePath;
  bool shiftHeld() override { return shift; }
  void showMessage(const std::string& text) override { messages.push_back(text); }
  void presentView(const ViewPicture&) override { presents++; }
  bool chooseSavePath(std::string* path) override {
    *path = savePath;
    return !savePath.empty();
  }
};

class EditorLevelsTest : public EditorFixture<LevelsPlatform> {
 protected:
  // A world of `count` blank levels whose cell (0, 0) holds 1 + the level's position.
  void makeLevels(int32_t count) {
    World world = blankWorld();
    world.levels.clear();
    for (int32_t i = 0; i < count; i++) {
      LevelRecord level = newLevel();
      level.foreground[0] = 1 + i;
      world.levels.push_back(level);
    }
    world.header.levelCount = uint16_t(count);
    std::string error;
    ASSERT_TRUE(worldIntoEditor(world, &error)) << error;
    gModified = false;
    clearUndoHistory();
  }
  void goToLevel(int32_t index) {
    firstLevel();
    for (int32_t i = 0; i < index; i++) nextLevel();
  }
  // The marker of every level in list order, 0 for a blank one.
  std::vector<int32_t> markers() const {
    std::vector<int32_t> out;
    for (const EditorLevel* level = gFirstLevel.get(); level; level = level->next.get())
      out.push_back(level->foreground[0]);
    return out;
  }
  int32_t currentMarker() const { return gCurrentLevel->foreground[0]; }
  int32_t& fore(int32_t column, int32_t row) { return gCurrentLevel->foreground[size_t(column) * gCurrentLevel->height + row]; }
  int32_t& back(int32_t column, int32_t row) { return gCurrentLevel->background[size_t(column) * gCurrentLevel->height + row]; }
  // Column x of both layers holds x + 1 (foreground) and 100 + x (background) in every row.
  void numberColumns() {
    for (int32_t x = 0; x < gCurrentLevel->width; x++)
      for (int32_t y = 0; y < gCurrentLevel->height; y++) {
        fore(x, y) = x + 1;
        back(x, y) = 100 + x;
      }
  }
  std::string savedBytesPath(const std::string& name) {
    platform.savePath = *dataFolder + "/" + name;
    gFileName = platform.savePath;
    EXPECT_TRUE(saveWorld());
    return platform.savePath;
  }
  std::vector<uint8_t> savedBytes(const std::string& name) { return gle_test::readBytes(savedBytesPath(name)); }

};

// ---- navigation, add and delete ----

TEST_F(EditorLevelsTest, NavigationStopsAtBothEndsAndKeepsTheScrollPosition) {
  makeLevels(3);
  gScrollColumn = 0;
  gCursorColumn = 4;
  prevLevel();
  EXPECT_EQ(gCurrentIndex, 0);
  EXPECT_EQ(currentMarker(), 1);
  lastLevel();
  EXPECT_EQ(gCurrentIndex, 2);
  EXPECT_EQ(currentMarker(), 3);
  const int32_t presents = platform.presents;
  nextLevel();
  EXPECT_EQ(gCurrentIndex, 2);
  EXPECT_EQ(currentMarker(), 3);
  EXPECT_GT(platform.presents, presents) << "Next on the last level still redraws";
  prevLevel();
  EXPECT_EQ(currentMarker(), 2);
  firstLevel();
  EXPECT_EQ(gCurrentIndex, 0);
  EXPECT_EQ(gCursorColumn, 4);
  EXPECT_FALSE(gModified);
}

TEST_F(EditorLevelsTest, DeleteIsRefusedOnTheFirstLevel) {
  for (int32_t count : {1, 3}) {
    makeLevels(count);
    platform.messages.clear();
    deleteLevel();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "Cannot delete the last level!");
    EXPECT_EQ(gLevelCount, count);
    EXPECT_EQ(int32_t(markers().size()), count);
    EXPECT_FALSE(gModified);
    EXPECT_FALSE(canUndo());
  }
}

TEST_F(EditorLevelsTest, DeletingTheLastLevelMakesTheOneBeforeCurrent) {
  makeLevels(3);
  goToLevel(2);
  gScrollColumn = 3;
  deleteLevel();
  EXPECT_EQ(gLevelCount, 2);
  EXPECT_EQ(gCurrentIndex, 1);
  EXPECT_EQ(currentMarker(), 2);
  EXPECT_EQ(markers(), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(gScrollColumn, 0);
  EXPECT_TRUE(gModified);
}

TEST_F(EditorLevelsTest, DeletingAMiddleLevelMakesTheFollowingOneCurrentAndShowsIt) {
  makeLevels(3);
  goToLevel(1);
  gCursorColumn = 10;  // the cursor is drawn away from cell (0, 0)
  const int32_t presents = platform.presents;
  deleteLevel();
  EXPECT_EQ(gLevelCount, 2);
  EXPECT_EQ(gCurrentIndex, 1);
  EXPECT_EQ(currentMarker(), 3);
  EXPECT_EQ(markers(), (std::vector<int32_t>{1, 3}));
  EXPECT_GT(platform.presents, presents);
  EXPECT_EQ(uint8_t(gViewPicture.at(5, 5)), 3) << "the view shows the former level 2's tile 3 at once";
}

TEST_F(EditorLevelsTest, AddInsertsABlankLevelAfterTheCurrentOneAndShowsIt) {
  makeLevels(3);
  goToLevel(1);
  gCursorColumn = 10;
  fore(0, 0) = 9;
  addLevel();
  EXPECT_EQ(gLevelCount, 4);
  EXPECT_EQ(gCurrentIndex, 2);
  EXPECT_EQ(markers(), (std::vector<int32_t>{1, 9, 0, 3}));
  EXPECT_EQ(gCurrentLevel->width, 20);
  EXPECT_EQ(gCurrentLevel->height, 12);
  EXPECT_EQ(gCurrentLevel->flags, LEVEL_SCROLL_RIGHT);
  EXPECT_TRUE(gModified);
  EXPECT_EQ(uint8_t(gViewPicture.at(5, 5)), 0) << "the blank level shows at once";
}

// ---- expand and shrink ----

TEST_F(EditorLevelsTest, ExpandAppendsOrInsertsABlankColumnInBothLayers) {
  for (bool shift : {false, true}) {
    makeLevels(1);
    numberColumns();
    gCursorColumn = 5;
    platform.shift = shift;
    expandLevel();
    ASSERT_EQ(gCurrentLevel->width, 21);
    EXPECT_EQ(gCurrentLevel->height, 12);
    for (int32_t x = 0; x < 21; x++) {
      int32_t expected = x < 5 ? x + 1 : (shift ? (x == 5 ? 0 : x) : (x == 20 ? 0 : x + 1));
      EXPECT_EQ(fore(x, 11), expected) << "shift " << shift << " column " << x;
      EXPECT_EQ(back(x, 0), expected ? expected + 99 : 0) << "shift " << shift << " column " << x;
    }
    EXPECT_TRUE(gModified);
  }
}

TEST_F(EditorLevelsTest, ShrinkDropsTheLastOrTheCursorColumnAndStopsAt20) {
  for (bool shift : {false, true}) {
    makeLevels(1);
    platform.shift = false;
    gCursorColumn = 19;
    expandLevel();
    numberColumns();
    gCursorColumn = 5;
    platform.shift = shift;
    platform.messages.clear();
    shrinkLevel();
    ASSERT_EQ(gCurrentLevel->width, 20);
    for (int32_t x = 0; x < 20; x++) {
      const int32_t expected = (shift && x >= 5) ? x + 2 : x + 1;
      EXPECT_EQ(fore(x, 3), expected) << "shift " << shift << " column " << x;
      EXPECT_EQ(back(x, 3), expected + 99) << "shift " << shift << " column " << x;
    }
    EXPECT_TRUE(platform.messages.empty());
    shrinkLevel();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "Cannot shrink width past 20!");
    EXPECT_EQ(gCurrentLevel->width, 20);
  }
}

TEST_F(EditorLevelsTest, ExpandWithTheCursorPastTheLevelAppends) {
  makeLevels(1);
  numberColumns();
  gCursorColumn = 400;
  platform.shift = true;
  expandLevel();
  ASSERT_EQ(gCurrentLevel->width, 21);
  EXPECT_EQ(fore(19, 0), 20);
  EXPECT_EQ(fore(20, 0), 0);
}

TEST_F(EditorLevelsTest, ExpandIsRefusedAtTheWidestLevelAFileCanHold) {
  World world = blankWorld();
  LevelRecord& level = world.levels[0];
  level.width = LEVEL_MAX_WIDTH;
  level.foreground.assign(size_t(level.width) * level.height, 0);
  std::string error;
  ASSERT_TRUE(worldIntoEditor(world, &error)) << error;
  expandLevel();
  EXPECT_EQ(gCurrentLevel->width, LEVEL_MAX_WIDTH);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], "Cannot expand width past 65535!");
  EXPECT_FALSE(canUndo());
}

// ---- properties conversions ----

TEST_F(EditorLevelsTest, TimeLabelFollowsTheStepTheTickBoxAndTheWidth) {
  EXPECT_EQ(timeLabel(levelTimeStep(LEVEL_NEW_FLAGS), false, 20), "Time: 0:10");
  EXPECT_EQ(timeLabel(4, true, 20), "Time: 1:15");
  EXPECT_EQ(timeLabel(14, false, 100), "Time: 3:20");
  EXPECT_EQ(timeLabel(12, false, 40), "Time: 1:06");
  EXPECT_EQ(timeLabel(0, false, 20), "Time: 0:06");
  EXPECT_EQ(timeLabel(15, false, 20), "Time: Inf.");
  EXPECT_EQ(timeLabel(15, true, 20), "Time: Inf.");
}

TEST_F(EditorLevelsTest, LevelOkStoresTheBoxesWithTheTimeCodeAndClearsTheRest) {
  EXPECT_EQ(flagsFromControls(LEVEL_SCROLL_RIGHT, 3), LEVEL_SCROLL_RIGHT);
  EXPECT_EQ(flagsFromControls(0, 0), 1 << LEVEL_TIME_CODE_SHIFT);
  EXPECT_EQ(flagsFromControls(int32_t(0xFFFFFFFF), 15), 0xFFF);
  makeLevels(3);
  goToLevel(2);
  gCurrentLevel->flags = int32_t(0x7000F5FF);
  EXPECT_EQ(levelPositionText(), "3/3");
  storeLevelFlags(flagsFromControls(LEVEL_BACKGROUND | LEVEL_SCROLL_UP, 3));
  EXPECT_EQ(gCurrentLevel->flags, LEVEL_BACKGROUND | LEVEL_SCROLL_UP);
  EXPECT_TRUE(gModified);
}

TEST_F(EditorLevelsTest, WorldNameIsUpperCaseCutAtAnyOtherCharacterAndStoredWithItsCodes) {
  EXPECT_EQ(typedWorldName("ab.e!"), "AB.E!");
  EXPECT_EQ(typedWorldName("HELLO2 WORLD"), "HELLO");
  EXPECT_EQ(typedWorldName("A-B"), "A");
  EXPECT_EQ(typedWorldName("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), "ABCDEFGHIJKLMNOPQRS");
  std::memset(gWorldName, 'Q', sizeof gWorldName);  // leftover bytes from before
  storeWorldProperties("ab.e!", "An Author", "A comment");
  const uint8_t expected[] = {0x41, 0x42, 0x5B, 0x45, 0x5C, 0};
  EXPECT_EQ(std::memcmp(gWorldName, expected, sizeof expected), 0);
  EXPECT_EQ(worldNameForEdit(), "AB.E!");
  EXPECT_STREQ(gAuthorName, "An Author");
  EXPECT_STREQ(gComment, "A comment");
  EXPECT_TRUE(gModified);
}

// ---- undo ----

TEST_F(EditorLevelsTest, EveryKindOfChangeUndoesAndRedoesByteForByte) {
  makeLevels(2);
  gSelectedCell = 41;
  // Each change, run on the world as the one before left it.
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"paint stroke",
       [] {
         mouseInView(5, 5, true);
         mouseInView(40, 5, true);
         mouseInView(72, 40, true);
         endPaintStroke();
       }},
      {"typed tile", [] { gCursorColumn = 3, gCursorRow = 4; typeCharacter('u'); }},
      {"add", [] { addLevel(); }},
      {"expand", [this] { platform.shift = true; gCursorColumn = 1; expandLevel(); }},
      {"shrink", [this] { platform.shift = false; shrinkLevel(); }},
      {"level properties", [] { storeLevelFlags(flagsFromControls(LEVEL_BACKGROUND | LEVEL_SCROLL_DOWN, 9)); }},
      {"background paint", [] { gEditBackground = 1; mouseInView(5, 5, true); endPaintStroke(); gEditBackground = 0; }},
      {"clear background flag", [] { storeLevelFlags(flagsFromControls(LEVEL_SCROLL_DOWN, 9)); }},
      {"world properties", [] { storeWorldProperties("NEW NAME!", "me", "hello"); }},
      {"delete", [] { firstLevel(); nextLevel(); deleteLevel(); }},
  };
  std::vector<std::vector<uint8_t>> before, after;
  for (size_t i = 0; i < changes.size(); i++) {
    before.push_back(savedBytes("before.glw"));
    changes[i].second();
    after.push_back(savedBytes("after.glw"));
    EXPECT_NE(before.back(), after.back()) << changes[i].first << " changed nothing";
  }
  for (size_t i = changes.size(); i-- > 0;) {
    ASSERT_TRUE(undoChange()) << changes[i].first;
    EXPECT_EQ(savedBytes("undone.glw"), before[i]) << "undo of " << changes[i].first;
  }
  EXPECT_FALSE(canUndo());
  for (size_t i = 0; i < changes.size(); i++) {
    ASSERT_TRUE(redoChange()) << changes[i].first;
    EXPECT_EQ(savedBytes("redone.glw"), after[i]) << "redo of " << changes[i].first;
  }
  EXPECT_FALSE(canRedo());
  // The background painted while its flag was set comes back with the flag.
  ASSERT_TRUE(undoChange());  // delete
  ASSERT_TRUE(undoChange());  // world properties
  ASSERT_TRUE(undoChange());  // clearing the flag
  firstLevel();
  nextLevel();
  EXPECT_EQ(back(0, 0), gle_test::testMapEntry(41));
}

TEST_F(EditorLevelsTest, UndoingBackToTheSavedStateClearsTheModifiedMark) {
  makeLevels(1);
  gCursorColumn = 2;
  typeCharacter('a');
  savedBytesPath("saved.glw");
  EXPECT_FALSE(gModified);
  typeCharacter('b');
  typeCharacter('c');
  EXPECT_TRUE(gModified);
  undoChange();
  EXPECT_TRUE(gModified);
  undoChange();
  EXPECT_FALSE(gModified) << "back at the saved state";
  EXPECT_NE(editorTitle().find("saved.glw  "), std::string::npos);
  undoChange();
  EXPECT_TRUE(gModified) << "before the saved state";
  redoChange();
  EXPECT_FALSE(gModified);
  redoChange();
  EXPECT_TRUE(gModified);
}

TEST_F(EditorLevelsTest, UndoReturnsToTheLevelOfTheChangeAndANewChangeDropsTheRedo) {
  makeLevels(3);
  goToLevel(2);
  addLevel();
  EXPECT_EQ(gCurrentIndex, 3);
  editorCommand(CMD_UNDO);
  EXPECT_EQ(gLevelCount, 3);
  EXPECT_EQ(gCurrentIndex, 2);
  EXPECT_EQ(currentMarker(), 3);
  EXPECT_TRUE(canRedo());
  typeCharacter('a');
  EXPECT_FALSE(canRedo());
  EXPECT_FALSE(redoChange());
  editorCommand(CMD_UNDO);
  EXPECT_FALSE(undoChange());
  EXPECT_FALSE(gModified);
}

TEST_F(EditorLevelsTest, APaintStrokeIsOneStepAndNewOrOpenForgetsTheHistory) {
  makeLevels(1);
  gSelectedCell = 41;
  mouseInView(5, 5, true);
  mouseInView(40, 5, true);
  mouseInView(40, 5, false);  // moved without the button: the stroke is over
  mouseInView(72, 5, true);
  EXPECT_TRUE(undoChange());
  EXPECT_EQ(fore(1, 0), gle_test::testMapEntry(41));
  EXPECT_EQ(fore(2, 0), 0);
  EXPECT_TRUE(undoChange());
  EXPECT_EQ(fore(1, 0), 0);
  EXPECT_FALSE(canUndo());
  typeCharacter('a');
  EXPECT_TRUE(canUndo());
  gle::newWorld();
  EXPECT_FALSE(canUndo());
  EXPECT_FALSE(canRedo());
}

TEST_F(EditorLevelsTest, HistoryKeepsOnlyTheNewestSteps) {
  makeLevels(1);
  // Toggles change their cell every time.
  for (size_t i = 0; i < UNDO_MAX_STEPS + 5; i++) typeCharacter('2');
  size_t steps = 0;
  while (undoChange()) steps++;
  EXPECT_EQ(steps, UNDO_MAX_STEPS);
  EXPECT_TRUE(gModified) << "the saved state fell out of the history";
}

}  // namespace
