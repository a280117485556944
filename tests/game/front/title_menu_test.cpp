// The title menu through its real handler over a loaded game: the world list
// built from the folder, the world select page's paging and clamping, input
// edges, Escape and Q, the game setup page's captures and difficulty, and
// the demonstration's object tiles.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "game/data_folders.h"
#include "game/front/title_menu.h"
#include "game/game_vars.h"
#include "game/handlers.h"
#include "game/play/play.h"
#include "game/progress.h"
#include "game_test_support.h"
#include "media/pcx.h"
#include "world/world_file.h"

namespace {

// A sheet of solid blocks, each coloured by its frame number.
std::vector<uint8_t> blockSheet(int32_t cell, int32_t columns, int32_t rows) {
  int32_t w = cell * columns, h = cell * rows;
  std::vector<uint8_t> pixels(size_t(w) * h);
  for (int32_t y = 0; y < h; y++)
    for (int32_t x = 0; x < w; x++) pixels[size_t(y) * w + x] = uint8_t((y / cell) * columns + x / cell);
  uint8_t palette[768] = {};
  return encodePcx(pixels.data(), w, h, w, palette);
}

// A playable world of one level whose name is `name`.
void writeWorld(const fs::path& path, const std::string& name, const std::string& author = "") {
  World world = blankWorld();
  setWorldText(world.header.worldName, WORLD_NAME_SIZE, name);
  setWorldText(world.header.authorName, AUTHOR_NAME_SIZE, author);
  std::string error;
  ASSERT_TRUE(writeWorldFile(path.string(), world, &error)) << error;
}

class TitleMenuTest : public LoadedShellTest {
 protected:
  void SetUp() override {
    LoadedShellTest::SetUp();
    writeFile(data.path / "data12.glb", blockSheet(16, 16, 8));  // small glyph c has colour c
    writeWorld(data.path / "data10.glb", "BUILT IN", "The Team");
  }
  void TearDown() override {
    userFolder.clear();
    systemWorldFolders.clear();
    joystickPresent = 0;
    joyState = JoyState{};
    freeObjects();
    LoadedShellTest::TearDown();
  }
  // Loads the game and runs the first menu frame with `worlds` world files.
  void start() {
    ASSERT_EQ(load(), 0);
    menuInit = MENU_BUILD_LIST;
    keyNamesValid = 0;
    difficulty = DIFFICULTY_NORMAL;
    std::memcpy(keyBindings, DEFAULT_KEY_BINDINGS, sizeof keyBindings);
    std::memcpy(joyBindings, DEFAULT_JOY_BINDINGS, sizeof joyBindings);
    gameState = STATE_TITLE_MENU;
    frame({});
  }
  void addWorlds(int n) {
    for (int i = 1; i <= n; i++) writeWorld(data.path / ("w" + std::to_string(i) + ".glw"), "WORLD " + std::string(1, char('A' + i)));
  }
  // One menu frame with exactly these keys held.
  void frame(std::initializer_list<uint8_t> keys) {
    std::memset(keyState, 0, sizeof keyState);
    for (uint8_t k : keys) keyState[k] = 0x80;
    runTitleMenu();
  }
  // A key pressed for a frame and released.
  void press(uint8_t key) {
    frame({key});
    frame({});
  }
  void expectSelection(int32_t page, int32_t row) {
    EXPECT_EQ(listPage, page);
    EXPECT_EQ(listRow, row);
  }
  uint8_t drawn(int32_t x, int32_t y) const { return backBuffer->pixelAt(x, y); }
};

TEST_F(TitleMenuTest, WorldSelectWithSevenWorldsPagesAndClampsTheRow) {
  addWorlds(6);
  start();
  ASSERT_EQ(worldCount, 7);
  press(MENU_KEY_ENTER);  // BEGIN GAME
  ASSERT_EQ(menuPage, MENU_PAGE_WORLDS);
  expectSelection(0, 1);
  EXPECT_STREQ(sharedText, "Page 1 of 2");
  // Up on row 1 of the first page: the first page stays, the pointer goes to row 5.
  press(MENU_KEY_UP);
  expectSelection(0, 5);
  // Down on row 5 of a full page: row 1 of the next page, which has rows 1 and 2 only.
  press(MENU_KEY_DOWN);
  expectSelection(1, 1);
  EXPECT_STREQ(sharedText, "Page 2 of 2");
  press(MENU_KEY_DOWN);
  expectSelection(1, 2);
  press(MENU_KEY_DOWN);  // row 3 does not exist
  expectSelection(1, 2);
  press(MENU_KEY_RIGHT);  // no third page
  expectSelection(1, 2);
  press(MENU_KEY_LEFT);  // the row is kept
  expectSelection(0, 2);
  press(MENU_KEY_DOWN);
  press(MENU_KEY_DOWN);
  press(MENU_KEY_DOWN);
  expectSelection(0, 5);
  press(MENU_KEY_RIGHT);  // clamped to the entries present
  expectSelection(1, 2);
  press(MENU_KEY_UP);
  press(MENU_KEY_UP);  // Up on row 1 of a later page: row 5 of the page before
  expectSelection(0, 5);
}

TEST_F(TitleMenuTest, UpOnTheFirstRowOfAShortListGoesToTheLastWorld) {
  addWorlds(2);
  start();
  press(MENU_KEY_ENTER);
  press(MENU_KEY_UP);
  expectSelection(0, 3);
  EXPECT_STREQ(sharedText, "Page 1 of 1");
}

TEST_F(TitleMenuTest, HeldKeysNeverRepeatAndASecondKeyWhileOneIsHeldDoesNothing) {
  start();
  for (int i = 0; i < 10; i++) frame({MENU_KEY_DOWN});
  EXPECT_EQ(menuCursor, 1);
  frame({});
  frame({MENU_KEY_UP});
  frame({MENU_KEY_UP, MENU_KEY_DOWN});  // Down joins a held key: no edge
  EXPECT_EQ(menuCursor, 0);
  frame({});
  frame({MENU_KEY_ENTER});
  frame({MENU_KEY_ENTER, MENU_KEY_DOWN});
  EXPECT_EQ(menuPage, MENU_PAGE_WORLDS);
  expectSelection(0, 1);
}

TEST_F(TitleMenuTest, EscapeReturnsFromWorldSelectAndQuitsFromTheMainPage) {
  start();
  press(MENU_KEY_ENTER);
  ASSERT_EQ(menuPage, MENU_PAGE_WORLDS);
  press(MENU_KEY_ESCAPE);
  EXPECT_EQ(menuPage, MENU_PAGE_MAIN);
  EXPECT_EQ(menuCursor, 0);
  EXPECT_EQ(pendingState, 0);
  press(MENU_KEY_ESCAPE);
  EXPECT_EQ(pendingState, STATE_QUIT);
  EXPECT_EQ(fadeMode, FADE_TO_BLACK);
}

TEST_F(TitleMenuTest, QuitGlimbAndTheQKeyOnAnyPageAskToQuit) {
  start();
  press(MENU_KEY_DOWN);
  press(MENU_KEY_DOWN);
  press(MENU_KEY_ENTER);  // QUIT GLIMB
  EXPECT_EQ(pendingState, STATE_QUIT);
  pendingState = fadeMode = 0;
  menuPage = MENU_PAGE_SETUP;
  menuCursor = listRow = listPage = 0;
  press(MENU_KEY_Q);
  EXPECT_EQ(pendingState, STATE_QUIT);
}

TEST_F(TitleMenuTest, ChoosingAWorldStartsANewGameOnIt) {
  addWorlds(1);
  start();
  lives = 0;
  levelIndex = 4;
  pickupCount = 9;
  difficulty = DIFFICULTY_HARD;
  press(MENU_KEY_ENTER);
  press(MENU_KEY_DOWN);
  frame({MENU_KEY_ENTER});
  EXPECT_EQ(worldFileName, "w1.glw");
  EXPECT_EQ(worldName, "WORLD B");
  EXPECT_EQ(levelCount, 1);
  EXPECT_EQ(lives, 3);
  EXPECT_EQ(levelIndex, 0);
  EXPECT_EQ(pickupCount, 0);
  EXPECT_EQ(difficulty, DIFFICULTY_HARD);  // kept from the setup page
  EXPECT_EQ(pendingState, STATE_LEVEL_INTRO);
  EXPECT_EQ(fadeMode, FADE_TO_BLACK);
  EXPECT_EQ(menuInit, MENU_BUILD_LIST);
  EXPECT_EQ(worldCount, 0);
  EXPECT_TRUE(worldList[1].fileName.empty());
}

TEST_F(TitleMenuTest, AJoystickPushedLeftTurnsThePageBackLikeTheLeftKey) {
  addWorlds(6);
  start();
  press(MENU_KEY_ENTER);
  press(MENU_KEY_RIGHT);
  ASSERT_EQ(listPage, 1);
  joystickPresent = 1;
  joyState.lX = -1000;
  frame({});
  joyState.lX = 0;
  frame({});
  EXPECT_EQ(listPage, 0);
}

TEST_F(TitleMenuTest, OnlyPlayableWorldsAreListedInNameOrderWithFullLengthTexts) {
  writeWorld(data.path / "c.glw", "CCC");
  writeWorld(data.path / "a.glw", "AAA");
  writeWorld(data.path / "b.GLW", "BBB");
  writeWorld(data.path / "notes.txt", "NOT A WORLD NAME");
  writeFile(data.path / "short.glw", std::vector<uint8_t>(50, 'A'));  // shorter than the header
  World narrow = blankWorld();
  narrow.levels[0].width = 5;  // too narrow to play
  narrow.levels[0].foreground.assign(5 * 12, 0);
  narrow.levels[0].background.assign(5 * 12, 0);
  std::string error;
  ASSERT_TRUE(writeWorldFile((data.path / "narrow.glw").string(), narrow, &error)) << error;
  fs::create_directory(data.path / "folder.glw");
  // Header texts filling their fields with no zero byte.
  std::vector<uint8_t> full = encodeWorld(blankWorld());
  std::memset(full.data() + 2, 'N', WORLD_NAME_SIZE);
  std::memset(full.data() + 22, 'W', AUTHOR_NAME_SIZE);
  std::memset(full.data() + 62, 'C', COMMENT_SIZE);
  writeFile(data.path / "full.glw", full);
  start();
  ASSERT_EQ(worldCount, 5);
  EXPECT_EQ(worldList[0].fileName, "data10.glb");
  EXPECT_EQ(worldList[0].name, "BUILT IN");
  EXPECT_EQ(worldList[0].author, "The Team");
  EXPECT_EQ(worldList[1].name, "AAA");
  EXPECT_EQ(worldList[2].name, "BBB");
  EXPECT_EQ(worldList[3].name, "CCC");
  EXPECT_EQ(worldList[4].fileName, "full.glw");
  EXPECT_EQ(worldList[4].name, std::string(20, 'N'));
  EXPECT_EQ(worldList[4].author, std::string(40, 'W'));
  EXPECT_EQ(worldList[4].comment, std::string(40, 'C'));
}

TEST_F(TitleMenuTest, ThePlayersFolderWorldsAreListedAmongTheCurrentFoldersInNameOrder) {
  ScratchFolder player;
  writeWorld(data.path / "b.glw", "HERE");
  writeWorld(player.path / "a.glw", "MINE A");
  writeWorld(player.path / "c.glw", "MINE C");
  writeFile(player.path / "broken.glw", std::vector<uint8_t>(50, 'A'));
  userFolder = player.path.string();
  start();
  userFolder.clear();
  ASSERT_EQ(worldCount, 4);
  EXPECT_EQ(worldList[1].name, "MINE A");
  EXPECT_EQ(worldList[1].fileName, (player.path / "a.glw").string());  // opened where it lies
  EXPECT_EQ(worldList[2].fileName, "b.glw");
  EXPECT_EQ(worldList[3].name, "MINE C");
}

TEST_F(TitleMenuTest, SystemWideWorldsFollowThePlayersOwnFolderByFolderWithinTheHundred) {
  ScratchFolder player, first, second;
  writeWorld(data.path / "b.glw", "HERE");
  writeWorld(player.path / "z.glw", "MINE");
  writeWorld(first.path / "c.glw", "FIRST C");
  writeWorld(first.path / "a.glw", "FIRST A");
  writeFile(first.path / "broken.glw", std::vector<uint8_t>(50, 'A'));
  writeWorld(second.path / "0.glw", "SECOND");
  userFolder = player.path.string();
  // A missing folder, the second twice and the player's own again: each
  // folder is listed once, in the order first named.
  systemWorldFolders = {(first.path / "missing").string(), first.path.string(), second.path.string(),
                        (second.path / ".").string(), player.path.string()};
  start();
  ASSERT_EQ(worldCount, 6);
  EXPECT_EQ(worldList[1].name, "HERE");
  EXPECT_EQ(worldList[2].name, "MINE");
  EXPECT_EQ(worldList[3].name, "FIRST A");
  EXPECT_EQ(worldList[3].fileName, (first.path / "a.glw").string());  // opened where it lies
  EXPECT_EQ(worldList[4].name, "FIRST C");
  EXPECT_EQ(worldList[5].name, "SECOND");

  // The system-wide worlds only fill what the player's own leave of the hundred.
  std::vector<uint8_t> world = encodeWorld(blankWorld());
  for (int i = 0; i < 96; i++) writeFile(player.path / ("m" + std::to_string(1000 + i) + ".glw"), world);
  menuInit = MENU_BUILD_LIST;
  frame({});
  ASSERT_EQ(worldCount, WORLD_LIST_MAX);
  EXPECT_EQ(worldList[98].name, "MINE");
  EXPECT_EQ(worldList[99].name, "FIRST A");
}

TEST_F(TitleMenuTest, TheListHoldsAtMostOneHundredWorlds) {
  std::vector<uint8_t> world = encodeWorld(blankWorld());
  for (int i = 0; i < 105; i++) writeFile(data.path / ("m" + std::to_string(1000 + i) + ".glw"), world);
  start();
  EXPECT_EQ(worldCount, WORLD_LIST_MAX);
  EXPECT_EQ(worldList[99].fileName, "m1098.glw");
}

class GameSetupTest : public TitleMenuTest {
 protected:
  void SetUp() override {
    TitleMenuTest::SetUp();
    start();
    press(MENU_KEY_DOWN);
    press(MENU_KEY_ENTER);
    ASSERT_EQ(menuPage, MENU_PAGE_SETUP);
  }
};

TEST_F(GameSetupTest, BindingEscapeOrQInTheKeyboardSectionNeitherLeavesNorQuits) {
  press(MENU_KEY_ENTER);  // into the rows
  ASSERT_EQ(listRow, 1);
  press(MENU_KEY_ENTER);  // capture Left
  ASSERT_EQ(listPage, 1);
  press(MENU_KEY_ESCAPE);
  EXPECT_EQ(keyBindings[BIND_LEFT], MENU_KEY_ESCAPE);
  EXPECT_EQ(listPage, 0);
  EXPECT_EQ(listRow, 1);
  EXPECT_EQ(menuPage, MENU_PAGE_SETUP);
  EXPECT_STREQ(keyNames[BIND_LEFT], "Esc");
  press(MENU_KEY_DOWN);
  press(MENU_KEY_ENTER);  // capture Right
  press(MENU_KEY_Q);
  EXPECT_EQ(keyBindings[BIND_RIGHT], MENU_KEY_Q);
  EXPECT_EQ(menuPage, MENU_PAGE_SETUP);
  EXPECT_EQ(pendingState, 0);
  EXPECT_STREQ(keyNames[BIND_RIGHT], "Q");
}

TEST_F(GameSetupTest, EveryKeyOfTheTableIsShownByItsWholeLabel) {
  // Small glyph c is a block of colour c: the text is read back glyph by glyph.
  auto textAt = [](int32_t x, int32_t y, size_t length) {
    std::string text;
    for (size_t i = 0; i < length; i++) text += char(backBuffer->pixelAt(x + 16 * int32_t(i) + 8, y + 8));
    return text;
  };
  for (int32_t i = 0; i < keyCodeTableSize(); i++) {
    const KeyCodeName& key = keyCodeTable()[i];
    keyBindings[BIND_LEFT] = key.code;
    keyNamesValid = 0;
    backBuffer->fillAll(0);
    frame({});
    EXPECT_STREQ(keyNames[BIND_LEFT], key.label) << key.name;
    const std::string shown = std::string("Left  - ") + key.label;
    EXPECT_EQ(textAt(224, 64, shown.size()), shown) << key.name;
  }
  // The names the setup page showed cut short before.
  const std::pair<uint8_t, const char*> named[] = {
      {42, "LShift"}, {54, "RShift"}, {157, "RCtrl"}, {156, "KP Enter"}, {184, "RAlt"}, {209, "Page Down"}};
  for (auto [code, label] : named) EXPECT_STREQ(keyLabelFromCode(code), label);
}

TEST_F(GameSetupTest, AKeyHeldFromBeforeBindsNothingUntilEverythingIsReleased) {
  press(MENU_KEY_ENTER);
  press(MENU_KEY_DOWN);
  press(MENU_KEY_DOWN);  // Jump
  frame({MENU_KEY_ENTER});
  frame({MENU_KEY_ENTER, 30});  // A joins the held Enter: no edge
  EXPECT_EQ(listPage, 1);
  EXPECT_EQ(keyBindings[BIND_JUMP], DEFAULT_KEY_BINDINGS[BIND_JUMP]);
  frame({});
  press(30);
  EXPECT_EQ(keyBindings[BIND_JUMP], 30);
  EXPECT_EQ(listPage, 0);
}

TEST_F(GameSetupTest, EscapeOnTheKeyboardCancelsAJoystickCaptureWithNoJoystick) {
  press(MENU_KEY_DOWN);
  ASSERT_EQ(menuCursor, 1);
  press(MENU_KEY_ENTER);
  press(MENU_KEY_ENTER);
  ASSERT_EQ(listPage, 1);
  press(MENU_KEY_DOWN);  // the capture takes the edge
  EXPECT_EQ(listRow, 1);
  EXPECT_EQ(listPage, 1);
  press(MENU_KEY_ESCAPE);
  EXPECT_EQ(listPage, 0);
  EXPECT_EQ(menuPage, MENU_PAGE_SETUP);
  EXPECT_EQ(joyBindings[0], DEFAULT_JOY_BINDINGS[0]);
  press(MENU_KEY_ESCAPE);  // back to the heading
  EXPECT_EQ(listRow, 0);
  press(MENU_KEY_ESCAPE);  // back to the main page
  EXPECT_EQ(menuPage, MENU_PAGE_MAIN);
  EXPECT_EQ(menuCursor, 0);
}

TEST_F(GameSetupTest, AJoystickButtonIsBoundFromTheLowestHeld) {
  joystickPresent = 1;
  joyButtonCount = 12;
  press(MENU_KEY_DOWN);
  press(MENU_KEY_ENTER);
  press(MENU_KEY_DOWN);  // Walk
  press(MENU_KEY_ENTER);
  joyState.rgbButtons[7] = joyState.rgbButtons[5] = 0x80;
  frame({});
  joyState = JoyState{};
  frame({});
  EXPECT_EQ(joyBindings[JOY_BIND_WALK], 5);
  EXPECT_EQ(listPage, 0);
  joyButtonCount = 0;
}

// A pad whose buttons have names, as SDL's game controllers do.
struct NamedPad : JoystickDevice {
  bool readState(JoyState& s) override {
    s = state;
    return true;
  }
  int32_t buttonCount() const override { return 11; }
  const char* buttonName(int32_t b) const override { return b >= 0 && b < 11 ? PAD_BUTTON_NAMES[b] : nullptr; }
  JoyState state;
};

// The small glyphs of the block font read back as text.
std::string textAt(int32_t x, int32_t y, size_t length) {
  std::string text;
  for (size_t i = 0; i < length; i++) text += char(backBuffer->pixelAt(x + 16 * int32_t(i) + 8, y + 8));
  return text;
}

TEST_F(GameSetupTest, TheFifthPadRowBindsTheQuitButton) {
  NamedPad pad;
  attachJoystick(&pad);
  press(MENU_KEY_DOWN);
  press(MENU_KEY_ENTER);  // into the pad's rows
  for (int i = 0; i < 5; i++) press(MENU_KEY_DOWN);
  EXPECT_EQ(listRow, 5);  // Down on Quit stays there
  EXPECT_EQ(drawn(432 + 8, 272 + 8), 1);  // the marker left of "Quit"
  EXPECT_NE(drawn(192 + 8, 272 + 8), 1);
  press(MENU_KEY_ENTER);
  ASSERT_EQ(listPage, 1);
  EXPECT_EQ(drawn(448 + 96 + 8, 272 + 8), '?');
  joyState.rgbButtons[3] = 0x80;  // Y
  frame({});
  joyState = JoyState{};
  frame({});
  EXPECT_EQ(joyBindings[JOY_BIND_QUIT], 3);
  EXPECT_EQ(listPage, 0);
  EXPECT_EQ(textAt(448, 272, 8), "Quit - Y");
  press(MENU_KEY_UP);
  EXPECT_EQ(listRow, 4);
  detachJoystick();
  joystickLost = 0;
}

TEST_F(GameSetupTest, TheDifficultyCyclesAndItsMarkerMoves128PixelsAStep) {
  press(MENU_KEY_DOWN);
  press(MENU_KEY_DOWN);
  ASSERT_EQ(menuCursor, 2);
  auto markerAt = [this](int32_t d) { return drawn(224 + 128 * d + 8, 328) == 1; };
  EXPECT_TRUE(markerAt(1));
  press(MENU_KEY_RIGHT);
  EXPECT_EQ(difficulty, DIFFICULTY_HARD);
  EXPECT_TRUE(markerAt(2));
  EXPECT_FALSE(markerAt(1));
  press(MENU_KEY_RIGHT);
  EXPECT_EQ(difficulty, DIFFICULTY_EASY);
  EXPECT_TRUE(markerAt(0));
  EXPECT_FALSE(markerAt(2));
  press(MENU_KEY_LEFT);
  EXPECT_EQ(difficulty, DIFFICULTY_HARD);
  press(MENU_KEY_ENTER);
  EXPECT_EQ(difficulty, DIFFICULTY_EASY);
  EXPECT_TRUE(markerAt(0));
  press(MENU_KEY_DOWN);
  press(MENU_KEY_DOWN);  // RETURN is the last section
  EXPECT_EQ(menuCursor, 3);
  press(MENU_KEY_ENTER);
  EXPECT_EQ(menuPage, MENU_PAGE_MAIN);
}

TEST_F(TitleMenuTest, TheDemonstrationTurnsObjectTilesIntoObjectsAndRestartsWhenItsTimeIsUp) {
  // 30 columns: a kind-1 tile at column 2 row 3, a 53 at column 4 row 5,
  // an 87 at column 6 row 7 and a kind-3 tile at column 25 row 2.
  std::vector<uint8_t> demo = {29, 0};
  demo.resize(2 + 30 * 12, 0);
  demo[2 + 2 * 12 + 3] = 9;
  demo[2 + 4 * 12 + 5] = 53;
  demo[2 + 6 * 12 + 7] = 87;
  demo[2 + 25 * 12 + 2] = 13;
  writeFile(data.path / "data14.glb", demo);
  start();
  EXPECT_EQ(levelWidth, 30);
  EXPECT_EQ(timeLeft, 30);
  EXPECT_EQ(tileMap[2 * 12 + 3], 0);
  EXPECT_EQ(tileMap[4 * 12 + 5], 85);
  EXPECT_EQ(tileMap[6 * 12 + 7], 86);
  EXPECT_EQ(tileMap[25 * 12 + 2], 13);  // not yet in view
  loadDemonstration();
  int kinds = 0;
  for (ActiveObject* o = activeObjects; o; o = o->next) {
    if (o->kind == 1 && o->x == 64 && o->y == 96) kinds |= 1;
    if (o->kind == 6 && o->x == 128 && o->y == 160) kinds |= 2;
  }
  EXPECT_EQ(kinds, 3);
  // The scroll stops at the level's end (30 x 32 - 640 = 320); column 25
  // comes in once the view starts at column 5.
  for (int i = 0; i < 100; i++) frame({});
  EXPECT_EQ(scrollX, 320);
  EXPECT_EQ(tileMap[25 * 12 + 2], 0);
  while (menuInit == MENU_DEMO_RUNNING && timeLeft > -5) frame({});
  EXPECT_EQ(menuInit, MENU_DEMO_FADING);
  EXPECT_EQ(fadeMode, FADE_TO_BLACK);
  EXPECT_EQ(pendingState, 0);  // the menu keeps running through the fades
  fadeMode = 0;                // the fade to black is over
  frame({});
  EXPECT_EQ(fadeMode, FADE_TO_WHITE);
  frame({});
  EXPECT_EQ(menuInit, MENU_DEMO_RUNNING);
  EXPECT_EQ(timeLeft, 30);
  EXPECT_EQ(scrollX, 4);
}

TEST_F(TitleMenuTest, AShortDemonstrationFileGivesOnlyTheColumnsItHolds) {
  std::vector<uint8_t> demo = {200, 0};  // claims 201 columns, holds 25 and a bit
  demo.resize(2 + 25 * 12 + 5, 7);
  writeFile(data.path / "data14.glb", demo);
  start();
  EXPECT_EQ(levelWidth, 25);
  EXPECT_EQ(tileMap.size(), 25u * 12);
}

// A playable world of `levels` levels.
void writeLevels(const fs::path& path, const std::string& name, int32_t levels, const std::string& author = "") {
  World world = blankWorld();
  while (int32_t(world.levels.size()) < levels) world.levels.push_back(newLevel());
  world.header.levelCount = uint16_t(levels);
  setWorldText(world.header.worldName, WORLD_NAME_SIZE, name);
  setWorldText(world.header.authorName, AUTHOR_NAME_SIZE, author);
  std::string error;
  ASSERT_TRUE(writeWorldFile(path.string(), world, &error)) << error;
}

class WorldProgressTest : public TitleMenuTest {
 protected:
  void SetUp() override {
    TitleMenuTest::SetUp();
    writeLevels(data.path / "w1.glw", "SHORT", 6);
    start();
    key = worldList[1].progressKey;
    ASSERT_FALSE(key.empty());
  }
  void TearDown() override {
    detachJoystick();
    joystickLost = 0;
    TitleMenuTest::TearDown();
  }
  // Back to the title menu, which builds the list anew, and on to world select.
  void worldSelect() {
    menuInit = MENU_BUILD_LIST;
    frame({});
    press(MENU_KEY_ENTER);
    ASSERT_EQ(menuPage, MENU_PAGE_WORLDS);
  }
  std::string shown(int32_t x, int32_t y, size_t length) {
    backBuffer->fillAll(0);
    frame({});
    return textAt(x, y, length);
  }
  std::string key;
};

TEST_F(WorldProgressTest, AWorldsProgressShowsOnItsRowAndAnyLevelReachedStartsWithTheUsualLives) {
  recordLevelReached(key, DIFFICULTY_NORMAL, 4);
  difficulty = DIFFICULTY_HARD;  // each difficulty has its own progress
  worldSelect();
  press(MENU_KEY_DOWN);
  EXPECT_NE(shown(640 - 16 * 9, 128 + 8, 5), "Level");
  EXPECT_NE(textAt(0, 48, 5), "Start");
  press(MENU_KEY_UP);
  difficulty = DIFFICULTY_NORMAL;
  EXPECT_EQ(shown(640 - 16 * 9, 128 + 8, 9), "Level 4/6");  // right of the second row's name
  EXPECT_NE(textAt(640 - 16 * 9, 64 + 8, 5), "Level");      // the built-in world has none
  EXPECT_NE(textAt(0, 48, 5), "Start");                      // nor a hint while it is highlighted
  press(MENU_KEY_DOWN);
  EXPECT_EQ(shown(0, 48, 22), "Start at level 1 (- +)");
  press(MENU_KEY_PLUS);
  press(MENU_KEY_PAD_PLUS);
  EXPECT_EQ(shown(0, 48, 22), "Start at level 3 (- +)");
  for (int i = 0; i < 5; i++) press(MENU_KEY_PLUS);
  EXPECT_EQ(chosenStartLevel, 4);  // no further than reached
  press(MENU_KEY_MINUS);
  EXPECT_EQ(chosenStartLevel, 3);
  press(MENU_KEY_UP);  // another world, and back: level 1 again
  press(MENU_KEY_DOWN);
  EXPECT_EQ(shown(0, 48, 22), "Start at level 1 (- +)");
  press(MENU_KEY_PLUS);
  lives = 0;
  pickupCount = 5;
  frame({MENU_KEY_ENTER});
  EXPECT_EQ(pendingState, STATE_LEVEL_INTRO);
  EXPECT_EQ(levelIndex, 1);
  EXPECT_EQ(levelCount, 6);
  EXPECT_EQ(lives, 3);
  EXPECT_EQ(pickupCount, 0);
  EXPECT_EQ(worldProgressKey, key);
}

TEST_F(WorldProgressTest, ALongNameLeavesTheProgressToTheAuthorsLineAndThePadsShouldersChooseTheLevel) {
  writeLevels(data.path / "w1.glw", "ABCDEFGHIJKLMNOPQR", 6, "Me");
  worldSelect();
  recordLevelReached(worldList[1].progressKey, DIFFICULTY_NORMAL, 3);
  worldSelect();
  EXPECT_EQ(shown(640 - 16 * 9, 128 + 32, 9), "Level 3/6");
  NamedPad pad;
  attachJoystick(&pad);
  press(MENU_KEY_DOWN);
  EXPECT_EQ(shown(0, 48, 28), "Start at level 1 (- + LB RB)");
  joyState.rgbButtons[5] = 0x80;  // RB
  frame({});
  joyState = JoyState{};
  frame({});
  EXPECT_EQ(chosenStartLevel, 2);
}

}  // namespace
