// The editor's Qt windows on the offscreen platform: title, menu, check marks,
// the view, the Tools window, shortcuts, the save prompt, the command line,
// the properties dialogs and undo.
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <cstring>
#include <functional>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QWheelEvent>
#include <QTest>
#include <filesystem>

#include "editor/editor_commands.h"
#include "editor/editor_files.h"
#include "editor/editor_setup.h"
#include "editor/editor_state.h"
#include "editor/editor_testplay.h"
#include "editor/ui/edit_view.h"
#include "editor/ui/editor_window.h"
#include "editor/editor_area.h"
#include "editor/editor_levels.h"
#include "editor/editor_paint.h"
#include "editor/editor_picture.h"
#include "editor/editor_recovery.h"
#include "editor/editor_settings.h"
#include "editor/editor_status.h"
#include "editor/editor_undo.h"
#include "editor/ui/gle_app.h"
#include "editor/ui/level_dialogs.h"
#include "editor/ui/palette_view.h"
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
  // Saves through Ctrl+S (Save As for an untitled world) and gives the bytes written.
  std::vector<uint8_t> savedBytes(const std::string& name = "saved.glw") {
    script.savePath = path(name);
    QTest::keyClick(window->view(), Qt::Key_S, Qt::ControlModifier);
    return gle_test::readBytes(path(name));
  }
  // The file a world of `levels` must be, built apart from the editor.
  static std::vector<uint8_t> fileOf(const World& world) { return encodeWorld(world); }
  static int32_t& cellOf(LevelRecord& level, int32_t column, int32_t row) {
    return level.foreground[size_t(column) * size_t(level.height) + size_t(row)];
  }
  static QPoint at(int32_t column, int32_t row) { return QPoint(column * 32 + 5, row * 32 + 5); }
  QWidget* viewport() const { return window->view()->viewport(); }
  // A drag with the left button and modifiers from one cell to another.
  void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
    QTest::mousePress(viewport(), Qt::LeftButton, modifiers, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), viewport()->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, modifiers);
    QApplication::sendEvent(viewport(), &move);
    QTest::mouseRelease(viewport(), Qt::LeftButton, modifiers, to);
  }
  void undoRedoKeepsBytes(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after) {
    QTest::keyClick(window->view(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(fileOf(worldFromEditor()), before);
    QTest::keyClick(window->view(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(fileOf(worldFromEditor()), after);
  }

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
  void cleanupTestCase() {
    gle_test::removeFolder(dataFolder);
    removeTestWorld();  // the copy F10 wrote, and its folder
  }

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

  void aCommandLineNamedPipeIsRefusedAtOnceWithItsReason() {
    cleanup();
    resetEditorState();
    window = makeWindow();
    const std::string pipe = path("pipe.glw");
    QCOMPARE(::mkfifo(pipe.c_str(), 0600), 0);
    GleOptions options;
    options.dataFolder = dataFolder;
    options.worldPath = pipe;
    std::string error;
    QCOMPARE(startEditor(*window, options, &error), 0);
    ::unlink(pipe.c_str());
    QCOMPARE(script.messages.size(), 1);
    QCOMPARE(script.messages[0], QString::fromStdString("The world could not be opened.\n" + pipe +
                                                        ": is not a regular file"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Glimb Level Editor - Untitled  "));
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

  void firstPaintClickEnablesUndoAtOnce() {
    gSelectedCell = 41;
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, at(0, 0));  // the cursor's own cell
    QVERIFY(window->action(CMD_UNDO)->isEnabled());
    QVERIFY(window->windowTitle().endsWith('*'));
    QCOMPARE(viewPixel(5, 5) != 0, true);
  }

  void deleteKeyErasesTheCursorCellAndChangesNothingOnAnEmptyOne() {
    QTest::mouseMove(viewport(), at(3, 2));
    QTest::keyClick(window->view(), 'a');
    QTest::keyClick(window->view(), Qt::Key_Delete);
    World world = blankWorld();
    QCOMPARE(savedBytes(), fileOf(world));
    QTest::keyClick(window->view(), Qt::Key_Delete);
    QVERIFY(!gModified);
    QVERIFY(!window->windowTitle().endsWith('*'));
    // Keys without a tile and Ctrl keys change nothing either.
    QTest::keyClick(window->view(), '#');
    QTest::keyClick(window->view(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!gModified);
  }

  void shiftDragFillsTheRectangleInOneUndoStep() {
    gSelectedCell = 41;
    const std::vector<uint8_t> before = fileOf(worldFromEditor());
    drag(at(2, 3), at(5, 4), Qt::ShiftModifier);
    World world = blankWorld();
    for (int32_t c = 2; c <= 5; c++)
      for (int32_t r = 3; r <= 4; r++) cellOf(world.levels[0], c, r) = gle_test::testMapEntry(41);
    const std::vector<uint8_t> after = fileOf(world);
    QCOMPARE(savedBytes(), after);
    undoRedoKeepsBytes(before, after);
    QTest::keyClick(window->view(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!window->action(CMD_UNDO)->isEnabled());
  }

  void ctrlClickFloodFillsTheJoinedCellsOnTheEditLayer() {
    // A wall of tile 9 on column 4 splits the level; the fill stays left of it.
    for (int32_t r = 0; r < 12; r++) foreground(4, r) = 9;
    gCurrentLevel->flags |= LEVEL_BACKGROUND;
    background(1, 1) = 7;
    gSelectedCell = 41;
    const std::vector<uint8_t> before = fileOf(worldFromEditor());
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ControlModifier, at(1, 1));
    World world = blankWorld();
    world.levels[0].flags |= LEVEL_BACKGROUND;
    world.levels[0].background[size_t(1 * 12 + 1)] = 7;
    for (int32_t r = 0; r < 12; r++) {
      cellOf(world.levels[0], 4, r) = 9;
      for (int32_t c = 0; c < 4; c++) cellOf(world.levels[0], c, r) = gle_test::testMapEntry(41);
    }
    const std::vector<uint8_t> after = fileOf(world);
    QCOMPARE(savedBytes(), after);
    QCOMPARE(background(1, 1), 7);
    undoRedoKeepsBytes(before, after);
  }

  void middleButtonAndAltClickPickTheTileUnderThePointer() {
    foreground(6, 2) = gle_test::testMapEntry(57);
    QTest::mouseClick(viewport(), Qt::MiddleButton, Qt::NoModifier, at(6, 2));
    QCOMPARE(paletteTileFor(gSelectedCell, 0), gle_test::testMapEntry(57));
    foreground(7, 2) = gle_test::testMapEntry(3);
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::AltModifier, at(7, 2));
    QCOMPARE(paletteTileFor(gSelectedCell, 0), gle_test::testMapEntry(3));
    QVERIFY(!gModified);
    QCOMPARE(foreground(7, 2), gle_test::testMapEntry(3));
  }

  void selectionCopiesAndPastesAcrossLevelsWithBothLayersWhereTheLevelHasThem() {
    // Level 1 with a background: the pattern on both layers.
    gCurrentLevel->flags |= LEVEL_BACKGROUND;
    foreground(1, 1) = 5, foreground(2, 1) = 6, background(1, 2) = 8;
    drag(at(1, 1), at(2, 2), Qt::ControlModifier);
    QCOMPARE(currentSelection(), (CellRect{1, 1, 2, 2}));
    QVERIFY(window->action(CMD_COPY)->isEnabled());
    QTest::keyClick(window->view(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(window->view(), Qt::Key_F8);  // a new level 2 without a background
    QTest::mouseMove(viewport(), at(10, 5));
    const std::vector<uint8_t> before = fileOf(worldFromEditor());
    QTest::keyClick(window->view(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(window->view(), Qt::Key_F3);
    World world = blankWorld();
    world.levels.push_back(newLevel());
    world.header.levelCount = 2;
    LevelRecord& first = world.levels[0];
    first.flags |= LEVEL_BACKGROUND;
    first.background.assign(240, 0);
    cellOf(first, 1, 1) = 5, cellOf(first, 2, 1) = 6;
    first.background[size_t(1 * 12 + 2)] = 8;
    cellOf(world.levels[1], 10, 5) = 5, cellOf(world.levels[1], 11, 5) = 6;
    const std::vector<uint8_t> after = fileOf(world);
    QCOMPARE(savedBytes(), after);
    undoRedoKeepsBytes(before, after);
    // Pasted onto a level with a background, the background comes too.
    QTest::keyClick(window->view(), Qt::Key_F1);
    QTest::mouseMove(viewport(), at(15, 8));
    QTest::keyClick(window->view(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(background(15, 9), 8);
    QCOMPARE(foreground(16, 8), 6);
    QCOMPARE(currentSelection(), (CellRect{15, 8, 16, 9}));
  }

  void cutAndDeleteClearTheSelectionInOneStepEach() {
    for (int32_t c = 0; c < 4; c++) foreground(c, 0) = 20 + c;
    drag(at(0, 0), at(1, 0), Qt::ControlModifier);
    QTest::keyClick(window->view(), Qt::Key_X, Qt::ControlModifier);
    drag(at(2, 0), at(2, 0), Qt::NoModifier);  // plain click paints: select first
    QTest::mouseMove(viewport(), at(5, 5));
    drag(at(3, 0), at(3, 1), Qt::ControlModifier);
    QTest::keyClick(window->view(), Qt::Key_Delete);
    World world = blankWorld();
    cellOf(world.levels[0], 2, 0) = gle_test::testMapEntry(0);
    const std::vector<uint8_t> bytes = savedBytes();
    QCOMPARE(bytes, fileOf(world));
    QCOMPARE(gAreaClip.columns, 2);
    QCOMPARE(gAreaClip.foreground[1], 21);
  }

  void resizeDialogGrowsAndShrinksAtTheChosenEdgesInOneStep() {
    foreground(0, 0) = 3;
    foreground(19, 11) = 4;
    script.onDialog = [](QDialog& dialog) {
      auto& resize = static_cast<ResizeDialog&>(dialog);
      resize.widthBox()->setValue(40);
      resize.heightBox()->setValue(24);
      resize.rowEdgeBox()->setCurrentIndex(1);  // rows come at the top
      dialog.accept();
    };
    QCOMPARE(window->action(CMD_RESIZE_LEVEL)->shortcut().toString(), QStringLiteral("Ctrl+R"));
    const std::vector<uint8_t> before = fileOf(worldFromEditor());
    QTest::keyClick(window->view(), Qt::Key_R, Qt::ControlModifier);
    World world = blankWorld();
    LevelRecord& level = world.levels[0];
    level.width = 40, level.height = 24;
    level.foreground.assign(40 * 24, 0);
    level.background.assign(40 * 24, 0);
    cellOf(level, 0, 12) = 3;
    cellOf(level, 19, 23) = 4;
    const std::vector<uint8_t> after = fileOf(world);
    QCOMPARE(savedBytes(), after);
    undoRedoKeepsBytes(before, after);
    // Too small a size is refused in the dialog, with the reason.
    script.onDialog = [](QDialog& dialog) {
      auto& resize = static_cast<ResizeDialog&>(dialog);
      resize.widthBox()->setValue(30);
      resize.columnEdgeBox()->setCurrentIndex(1);
      dialog.accept();
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
    };
    QTest::keyClick(window->view(), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(gCurrentLevel->width, 30);
    QCOMPARE(foreground(9, 23), 4);  // ten columns went at the left
    QCOMPARE(QString::fromStdString(resizeProblem(19, 24)).contains("20 to 65535"), true);
    QCOMPARE(QString::fromStdString(resizeProblem(30, 11)).contains("12 to 65535"), true);
    QCOMPARE(QString::fromStdString(resizeProblem(65535, 65535)).contains("MiB"), true);
  }

  void swapMoveAndDuplicateReorderTheLevels() {
    sevenLevelsOnTheThird();
    QVERIFY(window->action(CMD_SWAP_WITH_NEXT)->isEnabled());
    trigger(CMD_SWAP_WITH_NEXT);  // level 3 becomes level 4
    QCOMPARE(gCurrentIndex, 3);
    QCOMPARE(foreground(0, 0), 3);
    QTest::keyClick(window->view(), Qt::Key_PageUp, Qt::ControlModifier);  // Move Up: back
    QCOMPARE(gCurrentIndex, 2);
    trigger(CMD_MOVE_LEVEL_UP);
    trigger(CMD_DUPLICATE_LEVEL);
    QCOMPARE(gLevelCount, int16_t(8));
    QCOMPARE(gCurrentIndex, 2);
    std::vector<int32_t> order;
    for (const EditorLevel* level = gFirstLevel.get(); level; level = level->next.get())
      order.push_back(level->foreground[0]);
    QCOMPARE(order, (std::vector<int32_t>{1, 3, 3, 2, 4, 5, 6, 7}));
    const std::vector<uint8_t> bytes = savedBytes();
    QCOMPARE(bytes.size(), size_t(102 + 8 * (8 + 240)));
    for (size_t i = 0; i < order.size(); i++) QCOMPARE(int32_t(bytes[102 + i * 248 + 8]), order[i]);
    trigger(CMD_LAST_LEVEL);
    QVERIFY(!window->action(CMD_SWAP_WITH_NEXT)->isEnabled());
    QTest::keyClick(window->view(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(gLevelCount, int16_t(7));
  }

  void savingWarnsOfLevelsTheGameRefusesAndOfBackgroundTilesItWouldDrop() {
    const std::string small = path("small.glw");
    gle_test::writeBytes(small, gle_test::worldBytes({{15, 12, 2, 0, 0}}));
    script.openPath = small;
    trigger(CMD_OPEN);
    QTest::keyClick(window->view(), 'a');
    script.yes = false;
    trigger(CMD_SAVE);
    QCOMPARE(script.questions.size(), 1);
    QVERIFY(script.questions[0].contains("smaller than 20 x 12"));
    QVERIFY(gModified);
    QCOMPARE(gle_test::readBytes(small), gle_test::worldBytes({{15, 12, 2, 0, 0}}));
    // Background tiles on a level without a background layer: the offer comes
    // while painting, and again before saving.
    trigger(CMD_NEW);
    script.answer = ANSWER_NO;
    trigger(CMD_NEW);
    trigger(CMD_EDIT_BACKGROUND);
    script.yes = false;
    QTest::keyClick(window->view(), 'a');
    QVERIFY(script.questions.last().contains("Background support"));
    script.answer = ANSWER_YES;  // switch it on before saving
    World world = blankWorld();
    world.levels[0].flags |= LEVEL_BACKGROUND;
    world.levels[0].background[0] = 40;
    QCOMPARE(savedBytes("background.glw"), fileOf(world));
  }

  void eachSaveKeepsThePreviousFileWithATilde() {
    const std::string file = path("kept.glw");
    script.savePath = file;
    QTest::keyClick(window->view(), 'a');
    trigger(CMD_SAVE_AS);
    const std::vector<uint8_t> first = gle_test::readBytes(file);
    QTest::keyClick(window->view(), 'b');
    trigger(CMD_SAVE);
    QCOMPARE(gle_test::readBytes(file + "~"), first);
    QCOMPARE(gle_test::readBytes(file)[110], uint8_t(22));
    // Save As starts in the folder the game lists the player's worlds from.
    std::string shown;
    script.savePath.clear();
    trigger(CMD_SAVE_AS);
    QVERIFY(std::filesystem::is_directory(dataFolder + "/share/glimb"));
  }

  void recentWorldsAreRememberedInTheSettingsNewestFirst() {
    for (int32_t i = 0; i < 10; i++) {
      const std::string file = path("recent" + std::to_string(i) + ".glw");
      gle_test::writeBytes(file, gle_test::worldBytes({{20, 12, 2, uint8_t(i), 0}}));
      script.openPath = file;
      trigger(CMD_OPEN);
    }
    QCOMPARE(window->recentMenu()->actions().size(), 8);
    QVERIFY(window->recentMenu()->actions()[0]->text().endsWith("recent9.glw"));
    loadEditorSettings();
    QCOMPARE(int32_t(gRecentWorlds.size()), RECENT_MAX);
    QCOMPARE(gRecentWorlds[7], path("recent2.glw"));
    window->recentMenu()->actions()[3]->trigger();
    QCOMPARE(gFileName, path("recent6.glw"));
    QCOMPARE(foreground(0, 0), 6);
  }

  void testLevelStartsGlimbOnTheCurrentLevelWithTheLastDifficulty() {
    QTest::keyClick(window->view(), Qt::Key_F8);
    trigger(CMD_TEST_HARD);
    QTest::keyClick(window->view(), Qt::Key_F10);
    QCOMPARE(script.started.size(), 1);
    const QStringList run = script.started[0];
    QVERIFY(run[0].endsWith("glimb"));
    QCOMPARE(run.mid(1, 6), (QStringList{"--play", QString::fromStdString(testWorldPath()), "--level", "2",
                                         "--difficulty", "hard"}));
    QCOMPARE(gle_test::readBytes(testWorldPath()), fileOf(worldFromEditor()));
    QVERIFY(gModified);  // testing saves nothing: the world stays unsaved
    QTest::mouseMove(viewport(), at(7, 4));
    QTest::keyClick(window->view(), Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(script.started.size(), 2);
    QVERIFY(script.started[1].join(' ').contains("--start 7,4"));
    loadEditorSettings();
    QCOMPARE(gTestDifficulty, 2);
    // A level the game cannot play says why instead.
    const std::string small = path("narrow.glw");
    gle_test::writeBytes(small, gle_test::worldBytes({{15, 12, 2, 0, 0}}));
    script.openPath = small;
    script.answer = ANSWER_NO;
    trigger(CMD_OPEN);
    QCOMPARE(gCurrentLevel->width, 15);
    trigger(CMD_TEST_LEVEL);
    QCOMPARE(script.started.size(), 2);
    QVERIFY(script.messages.last().contains("cannot play"));
  }

  void statusBarShowsLevelCellTileSelectionAndLayer() {
    QTest::keyClick(window->view(), Qt::Key_F8);
    foreground(4, 3) = 41;
    gTileClass[41] = 1;
    QTest::mouseMove(viewport(), at(4, 3));
    const QStringList fields = window->statusTexts();
    QCOMPARE(fields[0], QStringLiteral("Level 2/2"));
    QCOMPARE(fields[1], QStringLiteral("Column 4, Row 3"));
    QVERIFY(fields[2].startsWith("Tile 41") && fields[2].endsWith("(solid)"));
    QVERIFY(fields[3].startsWith("Selected: cell 0"));
    QCOMPARE(fields[4], QStringLiteral("Layer: Foreground"));
    trigger(CMD_EDIT_BACKGROUND);
    QCOMPARE(window->statusTexts()[4], QStringLiteral("Layer: Background"));
  }

  void zoomGridAndEdgesChangeTheViewNotTheWorld() {
    window->resize(1000, 640);
    QTest::keyClick(window->view(), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(gZoom, 150);
    QTest::keyClick(window->view(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(window->view(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(gZoom, 75);
    QWheelEvent wheel(QPointF(10, 10), viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport(), &wheel);
    QCOMPARE(gZoom, 100);
    trigger(CMD_ZOOM_IN);
    QCOMPARE(gZoom, 150);
    // A cell is 48 pixels now: the click lands on cell (2, 1).
    gSelectedCell = 41;
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(2 * 48 + 5, 48 + 5));
    QCOMPARE(foreground(2, 1), gle_test::testMapEntry(41));
    QCOMPARE(window->action(CMD_GRID)->shortcut().toString(), QStringLiteral("Ctrl+G"));
    const QRgb plain = window->view()->picture().pixel(2 * 48, 48 + 10);  // the left edge of cell (2, 1)
    QTest::keyClick(window->view(), Qt::Key_G, Qt::ControlModifier);
    QVERIFY(gShowGrid);
    QCOMPARE(window->view()->picture().pixel(2 * 48, 48 + 10), 0xFF000000 | ((plain >> 1) & 0x7F7F7F));
    trigger(CMD_ZOOM_RESET);
    QCOMPARE(gZoom, 100);
    // Past the level's 20 columns: the edge, then the shaded outside.
    QVERIFY(window->view()->picture().width() > 20 * 32 + 5);
    QCOMPARE(window->view()->picture().pixel(20 * 32, 10), EDGE_COLOUR);
    QCOMPARE(window->view()->picture().pixel(20 * 32 + 5, 10), OUTSIDE_COLOUR);
  }

  void paletteIsDockedBesideTheViewWithATooltipForEachCell() {
    QVERIFY(window->paletteDock()->isVisible());
    QVERIFY(window->action(CMD_PALETTE_DOCK)->isChecked());
    QTest::mouseClick(window->dockedPalette(), Qt::LeftButton, Qt::NoModifier, QPoint(37, 20));
    QCOMPARE(gSelectedCell, 22);
    QCOMPARE(window->dockedPalette()->picture().pixelIndex(2 * 32 + 3, 32 + 3),
             int(uint8_t(~(gle_test::PALETTE_PICTURE_BASE + 22))));
    QVERIFY(QString::fromStdString(paletteCellTip(92)).contains("turn about"));
    QVERIFY(QString::fromStdString(paletteCellTip(1)).startsWith("Cell 1: Tile 7"));
    trigger(CMD_PALETTE_DOCK);
    QVERIFY(!window->paletteDock()->isVisible());
  }

  void toolsWindowAndDialogsStayOnScreenWithAMaximisedWindow() {
    window->showMaximized();
    QTest::qWait(50);
    trigger(CMD_TILE_SELECT_WINDOW);
    const QRect screen = window->screen()->availableGeometry();
    QVERIFY2(screen.contains(window->toolsWindow()->frameGeometry()),
             qPrintable(QStringLiteral("%1,%2").arg(window->toolsWindow()->x()).arg(window->toolsWindow()->y())));
    KeysDialog keys(window);
    ResizeDialog resize(window);
    for (QDialog* dialog : {static_cast<QDialog*>(&keys), static_cast<QDialog*>(&resize)}) {
      dialog->show();
      QVERIFY(dialog->frameGeometry().width() <= 1024 && dialog->frameGeometry().height() <= 768);
    }
    QVERIFY(keys.text()->toPlainText().contains("Ctrl+R"));
    QVERIFY(keys.text()->toPlainText().contains("flood fill"));
  }

  void aRecoveryCopyIsWrittenWhileModifiedAndOfferedAfterACrash() {
    QTest::keyClick(window->view(), 'a');
    QVERIFY(writeRecoveryCopy());
    const std::string folder = recoveryFolder();
    const std::string mine = folder + "/gle-" + std::to_string(::getpid());
    QVERIFY(std::filesystem::exists(mine + ".glw"));
    // As if left by an editor killed earlier: a process id that is not running.
    std::filesystem::rename(mine + ".glw", folder + "/gle-999999.glw");
    std::filesystem::rename(mine + ".txt", folder + "/gle-999999.txt");
    cleanup();
    resetEditorState();
    window = makeWindow();
    script.yes = true;
    GleOptions options;
    options.dataFolder = dataFolder;
    std::string error;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(startEditor(*window, options, &error), 0);
    QCOMPARE(script.questions.size(), 1);
    QVERIFY(script.questions[0].contains("Untitled"));
    QCOMPARE(foreground(0, 0), 40);
    QVERIFY(gModified);
    QVERIFY(!std::filesystem::exists(folder + "/gle-999999.txt"));
    // Saving removes this editor's copy.
    savedBytes();
    QVERIFY(!std::filesystem::exists(mine + ".glw"));
  }

  void helpKeysListsEveryTableKey() {
    QString shown;
    script.onDialog = [&shown](QDialog& dialog) { shown = static_cast<KeysDialog&>(dialog).text()->toPlainText(); };
    trigger(CMD_KEYS);
    for (const char* text : {"Ctrl+O", "F10", "Shift+F10", "Ctrl+G", "Ctrl+wheel", "Shift+drag", "Delete"})
      QVERIFY2(shown.contains(text), text);
    for (const TypedKey& key : typedKeys()) QVERIFY(shown.contains(QStringLiteral("\n  %1 ").arg(QChar(key.character))) ||
                                                    key.character == '\\' || key.character == '`');
  }
};

QTEST_MAIN(EditorUiTest)
#include "editor_ui_test.moc"
