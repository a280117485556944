// The editor's Qt windows on the offscreen platform: title, menu, check marks,
// the view, the Tools window, shortcuts, the save prompt and the command line.
#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <filesystem>

#include "editor/editor_commands.h"
#include "editor/editor_files.h"
#include "editor/editor_setup.h"
#include "editor/editor_state.h"
#include "editor/ui/edit_view.h"
#include "editor/ui/editor_window.h"
#include "editor/ui/gle_app.h"
#include "editor/ui/tools_window.h"
#include "tests/editor/editor_test_data.h"

using namespace gle;

namespace {

// What the test wants the dialogs to answer, and what they were asked.
struct DialogScript {
  std::string openPath, savePath;  // empty: the dialog is cancelled
  int32_t answer = ANSWER_CANCEL;
  int32_t saveDialogs = 0;
  QStringList prompts, messages;
};

class ScriptedDialogs : public EditorDialogs {
 public:
  explicit ScriptedDialogs(DialogScript* script) : script(script) {}
  bool openFileName(QWidget*, std::string* path) override {
    if (script->openPath.empty()) return false;
    *path = script->openPath;
    return true;
  }
  bool saveFileName(QWidget*, std::string* path) override {
    script->saveDialogs++;
    if (script->savePath.empty()) return false;
    *path = script->savePath;
    return true;
  }
  int32_t askYesNoCancel(QWidget*, const QString& text) override {
    script->prompts << text;
    return script->answer;
  }
  void showMessage(QWidget*, const QString& text) override { script->messages << text; }

 private:
  DialogScript* script;
};

}  // namespace

class EditorUiTest : public QObject {
  Q_OBJECT

 private:
  std::string dataFolder;
  DialogScript script;
  EditorWindow* window = nullptr;

  std::string path(const std::string& name) const { return dataFolder + "/" + name; }
  EditorWindow* makeWindow() { return new EditorWindow(std::make_unique<ScriptedDialogs>(&script)); }
  int32_t& background(int32_t column, int32_t row) {
    return gCurrentLevel->background[size_t(column) * gCurrentLevel->height + row];
  }
  int32_t& foreground(int32_t column, int32_t row) {
    return gCurrentLevel->foreground[size_t(column) * gCurrentLevel->height + row];
  }
  int viewPixel(int x, int y) const { return window->view()->picture().pixelIndex(x, y); }
  void trigger(int32_t id) { window->action(id)->trigger(); }

 private slots:
  void initTestCase() { dataFolder = gle_test::makeEditorDataFolder(); }
  void cleanupTestCase() { gle_test::removeFolder(dataFolder); }

  void init() {
    resetEditorState();
    script = DialogScript{};
    window = makeWindow();
    GleOptions options;
    options.dataFolder = dataFolder;
    std::string error;
    QCOMPARE(startEditor(*window, options, &error), 0);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
  }

  void cleanup() {
    gModified = false;  // no prompt while closing
    delete window;
    window = nullptr;
    shutdownEditor();
  }

  void titleShowsTheFileAndTheModifiedStar() {
    QCOMPARE(window->windowTitle(), QStringLiteral("Glimb Level Editor - Untitled  "));
    QTest::keyClick(window->view(), 'a');
    QCOMPARE(window->windowTitle(), QStringLiteral("Glimb Level Editor - Untitled *"));
    QCOMPARE(foreground(0, 0), 40);
  }

  void menuHasItsTextsShortcutsAndAGreyedSwap() {
    QCOMPARE(window->action(CMD_OPEN)->text(), QStringLiteral("&Open..."));
    QCOMPARE(window->action(CMD_OPEN)->shortcut().toString(), QStringLiteral("Ctrl+O"));
    QCOMPARE(window->action(CMD_SAVE)->shortcut().toString(), QStringLiteral("Ctrl+S"));
    QCOMPARE(window->action(CMD_LEVEL_PROPERTIES)->shortcut().toString(), QStringLiteral("F9"));
    QCOMPARE(window->action(CMD_FIRST_LEVEL)->text(), QStringLiteral("&First"));
    QCOMPARE(window->action(CMD_EXIT)->text(), QStringLiteral("E&xit"));
    QCOMPARE(window->action(CMD_EXIT)->shortcut().toString(), QStringLiteral("Alt+F4"));
    QCOMPARE(window->action(CMD_SWAP_WITH_NEXT)->text(), QStringLiteral("S&wap with Next"));
    QVERIFY(!window->action(CMD_SWAP_WITH_NEXT)->isEnabled());
    QCOMPARE(window->action(CMD_EDIT_BACKGROUND)->text(), QStringLiteral("Edit &Background"));
    QCOMPARE(window->action(CMD_TILE_SELECT_WINDOW)->text(), QStringLiteral("&Tile Select Window"));
  }

  void checkMarksFollowTheToggles() {
    QVERIFY(window->action(CMD_FOREGROUND_LAYER)->isChecked());
    QVERIFY(window->action(CMD_BACKGROUND_LAYER)->isChecked());
    QVERIFY(window->action(CMD_CURSOR_AS_TILE)->isChecked());
    QVERIFY(!window->action(CMD_EDIT_BACKGROUND)->isChecked());
    trigger(CMD_FOREGROUND_LAYER);  // refused while the foreground is edited
    QVERIFY(window->action(CMD_FOREGROUND_LAYER)->isChecked());
    trigger(CMD_BACKGROUND_LAYER);
    QVERIFY(!window->action(CMD_BACKGROUND_LAYER)->isChecked());
    trigger(CMD_CURSOR_AS_TILE);
    QVERIFY(!window->action(CMD_CURSOR_AS_TILE)->isChecked());
    trigger(CMD_EDIT_BACKGROUND);
    QVERIFY(window->action(CMD_EDIT_BACKGROUND)->isChecked());
    QVERIFY(window->action(CMD_BACKGROUND_LAYER)->isChecked());
    trigger(CMD_FOREGROUND_LAYER);
    QVERIFY(!window->action(CMD_FOREGROUND_LAYER)->isChecked());
  }

  void editBackgroundShowsTheEditedLayer() {
    background(2, 2) = 3;
    foreground(3, 2) = 9;
    trigger(CMD_BACKGROUND_LAYER);
    QCOMPARE(viewPixel(64 + 5, 64 + 5), 0);
    QCOMPARE(viewPixel(96 + 5, 64 + 5), 9);
    trigger(CMD_EDIT_BACKGROUND);
    QCOMPARE(viewPixel(64 + 5, 64 + 5), 3);
    trigger(CMD_FOREGROUND_LAYER);  // now the foreground may be hidden
    QCOMPARE(viewPixel(96 + 5, 64 + 5), 0);
    QCOMPARE(viewPixel(64 + 5, 64 + 5), 3);
  }

  void toolsWindowSelectsCell22At37And20() {
    trigger(CMD_TILE_SELECT_WINDOW);
    ToolsWindow* tools = window->toolsWindow();
    QVERIFY(tools);
    QVERIFY(tools->isVisible());
    QCOMPARE(tools->windowTitle(), QStringLiteral("Tools"));
    QVERIFY(window->action(CMD_TILE_SELECT_WINDOW)->isChecked());
    QTest::mouseClick(tools, Qt::LeftButton, Qt::NoModifier, QPoint(37, 20));
    QCOMPARE(gSelectedCell, 22);
    QCOMPARE(tools->picture().pixelIndex(2 * 32 + 3, 32 + 3), int(uint8_t(~(gle_test::PALETTE_PICTURE_BASE + 22))));
    QCOMPARE(tools->picture().pixelIndex(3 * 32 + 3, 32 + 3), gle_test::PALETTE_PICTURE_BASE + 23);
    // The cursor cell now shows the new palette cell.
    QCOMPARE(viewPixel(5, 5), gle_test::PALETTE_PICTURE_BASE + 22);
    tools->close();
    QVERIFY(!window->toolsWindow());
    QVERIFY(!window->action(CMD_TILE_SELECT_WINDOW)->isChecked());
    trigger(CMD_TILE_SELECT_WINDOW);
    QVERIFY(window->toolsWindow());
    trigger(CMD_TILE_SELECT_WINDOW);
    QVERIFY(!window->toolsWindow());
    QCOMPARE(gToolsVisible, 0);
  }

  void shortcutsAndTypedKeysActWhileTheToolsWindowHasFocus() {
    trigger(CMD_TILE_SELECT_WINDOW);
    ToolsWindow* tools = window->toolsWindow();
    tools->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(tools));
    QTest::keyClick(tools, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(script.saveDialogs, 1);
    QTest::keyClick(tools, '+');
    QCOMPARE(gSelectedCell, 1);
    QTest::keyClick(tools, 'b');
    QCOMPARE(foreground(0, 0), 22);
  }

  void savePromptAnswers() {
    QTest::keyClick(window->view(), 'a');
    script.answer = ANSWER_CANCEL;
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QCOMPARE(script.prompts.size(), 1);
    QCOMPARE(script.prompts[0], QStringLiteral("Untitled\nThis file is not saved. Save it now?"));
    // Yes with the Save dialog cancelled keeps the world: nothing is discarded.
    script.answer = ANSWER_YES;
    trigger(CMD_NEW);
    QCOMPARE(foreground(0, 0), 40);
    QVERIFY(gModified);
    // No discards.
    script.answer = ANSWER_NO;
    trigger(CMD_NEW);
    QCOMPARE(foreground(0, 0), 0);
    QCOMPARE(window->windowTitle(), QStringLiteral("Glimb Level Editor - Untitled  "));
    // Yes saves first.
    QTest::keyClick(window->view(), 'b');
    script.answer = ANSWER_YES;
    script.savePath = path("prompted.glw");
    trigger(CMD_NEW);
    QCOMPARE(foreground(0, 0), 0);
    QVERIFY(std::filesystem::exists(path("prompted.glw")));
    QCOMPARE(gle_test::readBytes(path("prompted.glw"))[110], uint8_t(22));
  }

  void commandLinePathOpensBeforeTheWindowIsShown() {
    const std::string world = path("three levels.glw");
    gle_test::writeBytes(world, gle_test::worldBytes({{20, 12, 2, 1, 0}, {25, 12, 0x12, 2, 3}, {20, 12, 2, 4, 0}}));
    cleanup();
    resetEditorState();
    window = makeWindow();
    const GleOptions options = parseGleArguments(
        {"gle", "--data", QString::fromStdString(dataFolder), QString::fromStdString(path("three")), "levels.glw"}, "");
    QCOMPARE(options.worldPath, world);
    std::string error;
    QCOMPARE(startEditor(*window, options, &error), 0);
    QVERIFY(!window->isVisible());
    QCOMPARE(gLevelCount, int16_t(3));
    QCOMPARE(window->windowTitle(), QString::fromStdString("Glimb Level Editor - " + world + "  "));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(viewPixel(32 + 5, 5), 1 + 12);  // level 1's tiles: cell i holds 1 + i
  }

  void aCommandLinePathThatCannotBeOpenedLeavesAnUntitledWorld() {
    cleanup();
    resetEditorState();
    window = makeWindow();
    GleOptions options;
    options.dataFolder = dataFolder;
    options.worldPath = path("absent.glw");
    std::string error;
    QCOMPARE(startEditor(*window, options, &error), 0);
    QCOMPARE(script.messages.size(), 1);
    QVERIFY(script.messages[0].contains("absent.glw"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Glimb Level Editor - Untitled  "));
    QCOMPARE(gLevelCount, int16_t(1));
  }

  void scrollBarsAndArrowKeysScrollTheView() {
    window->resize(400, 300);
    QTRY_VERIFY(gPageColumns < 20);
    QScrollBar* bar = window->view()->horizontalScrollBar();
    QCOMPARE(bar->pageStep(), gPageColumns);
    QCOMPARE(bar->maximum(), 19 - (gPageColumns - 1));
    QTest::keyClick(window->view(), Qt::Key_Right);
    QCOMPARE(gScrollColumn, 1);
    QCOMPARE(bar->value(), 1);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(gScrollColumn, 19);  // the last column may reach the left edge
    QCOMPARE(bar->value(), bar->maximum());
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(gScrollColumn, std::max(0, bar->maximum() - gPageColumns));
    QTest::keyClick(window->view(), Qt::Key_Down);
    QCOMPARE(gScrollRow, 1);
  }

  void clickingTheViewPaintsTheSelectedCell() {
    gSelectedCell = 41;
    QTest::mouseClick(window->view()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(70, 40));
    QCOMPARE(foreground(2, 1), gle_test::testMapEntry(41));
    QCOMPARE(gCursorColumn, 2);
    QCOMPARE(gCursorRow, 1);
    QVERIFY(gModified);
  }
};

QTEST_MAIN(EditorUiTest)
#include "editor_ui_test.moc"
