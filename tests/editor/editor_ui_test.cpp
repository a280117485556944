// The editor's Qt windows on the offscreen platform: title, menu, check marks,
// the view, the Tools window, shortcuts, the save prompt, the command line,
// the properties dialogs and undo.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <cstring>
#include <functional>
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
#include "editor/ui/level_dialogs.h"
#include "editor/ui/properties_dialogs.h"
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
  // Run on the properties dialogs opened from the menu, instead of waiting for a user.
  std::function<void(QDialog&)> onDialog;
  bool yes = false;  // the answer to Yes / No questions
  QStringList questions;
  QList<QStringList> started;  // programs started, with their arguments
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
  bool askYesNo(QWidget*, const QString& text) override {
    script->questions << text;
    return script->yes;
  }
  bool startProgram(const QStringList& arguments, QString*) override {
    script->started << arguments;
    return true;
  }
  void resizeLevel(QWidget* owner) override {
    ResizeDialog dialog(owner);
    if (script->onDialog) script->onDialog(dialog);
  }
  void keys(QWidget* owner) override {
    KeysDialog dialog(owner);
    if (script->onDialog) script->onDialog(dialog);
  }
  void worldProperties(QWidget* owner) override {
    WorldPropertiesDialog dialog(owner);
    if (script->onDialog) script->onDialog(dialog);
  }
  void levelProperties(QWidget* owner) override {
    LevelPropertiesDialog dialog(owner);
    if (script->onDialog) script->onDialog(dialog);
  }

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
  // The test palette is a grey ramp: a pixel's red is its palette index.
  int viewPixel(int x, int y) const { return qRed(window->view()->picture().pixel(x, y)); }
  void trigger(int32_t id) { window->action(id)->trigger(); }
  // Seven levels with the third current; level n's cell (0, 0) holds n + 1.
  void sevenLevelsOnTheThird() {
    foreground(0, 0) = 1;
    for (int32_t i = 2; i <= 7; i++) {
      QTest::keyClick(window->view(), Qt::Key_F8);
      foreground(0, 0) = i;
    }
    QTest::keyClick(window->view(), Qt::Key_F1);
    QTest::keyClick(window->view(), Qt::Key_F3);
    QTest::keyClick(window->view(), Qt::Key_F3);
    QCOMPARE(gLevelCount, 7);
    QCOMPARE(gCurrentIndex, 2);
    QCOMPARE(foreground(0, 0), 3);
  }

 private slots:
  void initTestCase() {
    dataFolder = gle_test::makeEditorDataFolder();
    gle_test::useTestHomeFolders(dataFolder);
  }
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

  void anInstalledEditorFindsItsDataInShareBesideItsBinFolder() {
    const std::filesystem::path prefix = path("prefix");
    std::filesystem::create_directories(prefix / "bin");
    std::filesystem::create_directories(prefix / "share" / "glimb");
    std::filesystem::copy_file(path("glegfx.pcx"), prefix / "share" / "glimb" / "glegfx.pcx");
    const GleOptions options = parseGleArguments({"gle", "w.glw"}, (prefix / "bin").string());
    QCOMPARE(options.dataFolder, (prefix / "share" / "glimb").string());
    QCOMPARE(options.worldPath, std::string("w.glw"));
    std::filesystem::remove_all(prefix);
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

  void worldPropertiesEditsTheNameAuthorAndCommentOnOk() {
    sevenLevelsOnTheThird();
    gModified = false;
    {
      WorldPropertiesDialog dialog(window);
      QCOMPARE(dialog.levelsLabel()->text(), QStringLiteral("7"));
      QCOMPARE(dialog.nameEdit()->text(), QString());
      QTest::keyClicks(dialog.nameEdit(), QStringLiteral("ab.e!"));
      QCOMPARE(dialog.nameEdit()->text(), QStringLiteral("AB.E!"));
      QTest::keyClicks(dialog.nameEdit(), QStringLiteral("x7"));
      QCOMPARE(dialog.nameEdit()->text(), QStringLiteral("AB.E!X"));  // the digit is cut off
      dialog.nameEdit()->setCursorPosition(2);
      QTest::keyClicks(dialog.nameEdit(), QStringLiteral("9"));
      QCOMPARE(dialog.nameEdit()->text(), QStringLiteral("AB"));  // and cuts what follows it
      QTest::keyClicks(dialog.nameEdit(), QStringLiteral(".e!"));
      QTest::keyClicks(dialog.authorEdit(), QString(45, QChar('a')));
      QCOMPARE(dialog.authorEdit()->text().size(), 37);
      QTest::keyClicks(dialog.commentEdit(), QStringLiteral("Three levels up"));
      dialog.accept();
    }
    const char stored[] = {0x41, 0x42, 0x5B, 0x45, 0x5C, 0};
    QCOMPARE(std::memcmp(gWorldName, stored, sizeof stored), 0);
    QCOMPARE(QString::fromLatin1(gAuthorName), QString(37, QChar('a')));
    QCOMPARE(QString::fromLatin1(gComment), QStringLiteral("Three levels up"));
    QVERIFY(window->windowTitle().endsWith('*'));
    {
      WorldPropertiesDialog dialog(window);
      QCOMPARE(dialog.nameEdit()->text(), QStringLiteral("AB.E!"));
      QTest::keyClicks(dialog.nameEdit(), QStringLiteral("ZZ"));
      dialog.commentEdit()->clear();
      dialog.reject();
    }
    QCOMPARE(std::memcmp(gWorldName, stored, sizeof stored), 0);
    QCOMPARE(QString::fromLatin1(gComment), QStringLiteral("Three levels up"));
  }

  void levelPropertiesShowsTheLevelAndStoresItsFlagsOnOk() {
    sevenLevelsOnTheThird();
    gCurrentLevel->flags |= int32_t(0x12345000);  // reserved bits from some other program
    gModified = false;
    {
      LevelPropertiesDialog dialog(window);
      QCOMPARE(dialog.positionLabel()->text(), QStringLiteral("3/7"));
      QCOMPARE(dialog.widthLabel()->text(), QStringLiteral("20"));
      QCOMPARE(dialog.heightLabel()->text(), QStringLiteral("12"));
      QVERIFY(dialog.box(1003)->isChecked());
      for (int32_t id : {1004, 1005, 1006, 1009, 1011, 1012, 1015}) QVERIFY(!dialog.box(id)->isChecked());
      QCOMPARE(dialog.box(1012)->text(), QStringLiteral("Don't remove lives in Hard Skill"));
      QCOMPARE(dialog.timeSlider()->value(), 3);
      QCOMPARE(dialog.timeText()->text(), QStringLiteral("Time: 0:10"));
      dialog.box(1015)->click();
      QCOMPARE(dialog.timeText()->text(), QStringLiteral("Time: 1:00"));  // follows the box at once
      dialog.timeSlider()->setValue(4);
      QCOMPARE(dialog.timeText()->text(), QStringLiteral("Time: 1:15"));
      dialog.timeSlider()->setValue(15);
      QCOMPARE(dialog.timeText()->text(), QStringLiteral("Time: Inf."));
      dialog.timeSlider()->setValue(0);
      dialog.box(1006)->click();
      dialog.box(1009)->click();
      dialog.accept();
    }
    QCOMPARE(gCurrentLevel->flags, LEVEL_SCROLL_RIGHT | LEVEL_SCROLL_DOWN | LEVEL_BACKGROUND | LEVEL_TICK_TIME |
                                       (1 << LEVEL_TIME_CODE_SHIFT));
    QVERIFY(gModified);
    const int32_t kept = gCurrentLevel->flags;
    gModified = false;
    {
      LevelPropertiesDialog dialog(window);
      QCOMPARE(dialog.timeSlider()->value(), 0);
      dialog.box(1003)->click();
      dialog.timeSlider()->setValue(9);
      dialog.reject();
    }
    QCOMPARE(gCurrentLevel->flags, kept);
    QVERIFY(!gModified);
  }

  void menuOpensThePropertiesDialogsAndUndoTakesTheirChangeBack() {
    sevenLevelsOnTheThird();
    script.onDialog = [](QDialog& dialog) {
      if (auto* level = qobject_cast<LevelPropertiesDialog*>(&dialog)) level->timeSlider()->setValue(15);
      if (auto* world = qobject_cast<WorldPropertiesDialog*>(&dialog)) world->nameEdit()->setText("TOP");
      dialog.accept();
    };
    const int32_t flags = gCurrentLevel->flags;
    QTest::keyClick(window->view(), Qt::Key_F9);
    QCOMPARE(levelTimeStep(gCurrentLevel->flags), 15);
    trigger(CMD_WORLD_PROPERTIES);
    QCOMPARE(QString::fromLatin1(gWorldName), QStringLiteral("TOP"));
    QCOMPARE(window->action(CMD_UNDO)->shortcut().toString(), QStringLiteral("Ctrl+Z"));
    QTest::keyClick(window->view(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(QString::fromLatin1(gWorldName), QString());
    QTest::keyClick(window->view(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(gCurrentLevel->flags, flags);
    QTest::keyClick(window->view(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(levelTimeStep(gCurrentLevel->flags), 15);
    QTest::keyClick(window->view(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QString::fromLatin1(gWorldName), QStringLiteral("TOP"));
    QVERIFY(!window->action(CMD_REDO)->isEnabled());
  }

  void shiftF6InsertsAColumnAtTheCursorAndShiftF5RemovesIt() {
    foreground(5, 0) = 9;
    foreground(6, 0) = 8;
    QTest::mouseMove(window->view()->viewport(), QPoint(5 * 32 + 5, 5));
    QCOMPARE(gCursorColumn, 5);
    QTest::keyClick(window->view(), Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(gCurrentLevel->width, 21);
    QCOMPARE(foreground(5, 0), 0);
    QCOMPARE(foreground(6, 0), 9);
    QTest::keyClick(window->view(), Qt::Key_F5, Qt::ShiftModifier);
    QCOMPARE(gCurrentLevel->width, 20);
    QCOMPARE(foreground(5, 0), 9);
    QCOMPARE(foreground(6, 0), 8);
  }

  void undoOfAPaintStrokeAfterSavingClearsTheStar() {
    script.savePath = path("stroke.glw");
    trigger(CMD_SAVE);
    QVERIFY(!gModified);
    gSelectedCell = 41;
    QWidget* viewport = window->view()->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(70, 5), viewport->mapToGlobal(QPointF(70, 5)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(70, 5));
    QCOMPARE(foreground(2, 0), gle_test::testMapEntry(41));
    QVERIFY(window->windowTitle().endsWith('*'));
    QTest::keyClick(window->view(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(foreground(0, 0), 0);
    QCOMPARE(foreground(2, 0), 0);
    QVERIFY(!window->windowTitle().endsWith('*'));
    QVERIFY(!window->action(CMD_UNDO)->isEnabled());
  }
};

QTEST_MAIN(EditorUiTest)
#include "editor_ui_test.moc"
