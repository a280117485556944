// The editor's main window: builds menu 101 and the accelerators, owns the
// view and the Tools window, and carries out the core's platform requests.
#include "editor/ui/editor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMenuBar>
#include <QScrollBar>
#include <algorithm>

#include "editor/editor_commands.h"
#include "editor/editor_state.h"
#include "editor/editor_undo.h"
#include "editor/ui/edit_view.h"
#include "editor/ui/properties_dialogs.h"
#include "editor/ui/tools_window.h"
#include "resources/gle_icon.xpm"

namespace gle {

namespace {

// Menu 101: id 0 is a separator. `accelerator` marks the keys of table 105,
// which act while either window has the focus; the other shortcut texts are
// only shown (Alt+F4 is the window system's close key).
struct MenuEntry {
  int32_t id;
  const char* text;
  const char* shortcut;
  bool accelerator;
  bool checkable;
};
struct MenuDefinition {
  const char* title;
  std::initializer_list<MenuEntry> entries;
};

const MenuDefinition MENU_101[] = {
    {"&File",
     {{CMD_NEW, "&New", nullptr, false, false},
      {CMD_OPEN, "&Open...", "Ctrl+O", true, false},
      {CMD_SAVE, "&Save...", "Ctrl+S", true, false},
      {CMD_SAVE_AS, "Save &As...", nullptr, false, false},
      {0, nullptr, nullptr, false, false},
      {CMD_EXIT, "E&xit", "Alt+F4", false, false}}},
    {"&Edit",
     {{CMD_UNDO, "&Undo", "Ctrl+Z", true, false},
      {CMD_REDO, "&Redo", "Ctrl+Y", true, false}}},
    {"&Level",
     {{CMD_FIRST_LEVEL, "&First", "F1", true, false},
      {CMD_PREVIOUS_LEVEL, "&Previous", "F2", true, false},
      {CMD_NEXT_LEVEL, "&Next", "F3", true, false},
      {CMD_LAST_LEVEL, "&Last", "F4", true, false},
      {0, nullptr, nullptr, false, false},
      {CMD_SHRINK_LEVEL, "&Shrink", "F5", true, false},
      {CMD_EXPAND_LEVEL, "&Expand", "F6", true, false},
      {CMD_LEVEL_PROPERTIES, "&Level Properties", "F9", true, false},
      {CMD_EDIT_BACKGROUND, "Edit &Background", nullptr, false, true},
      {0, nullptr, nullptr, false, false},
      {CMD_DELETE_LEVEL, "&Delete", "F7", true, false},
      {CMD_ADD_LEVEL, "&Add", "F8", true, false},
      {CMD_SWAP_WITH_NEXT, "S&wap with Next", nullptr, false, false}}},
    {"&View",
     {{CMD_TILE_SELECT_WINDOW, "&Tile Select Window", nullptr, false, true},
      {CMD_CURSOR_AS_TILE, "&Cursor as Tile", nullptr, false, true},
      {CMD_WORLD_PROPERTIES, "&World Properties", nullptr, false, false},
      {0, nullptr, nullptr, false, false},
      {CMD_FOREGROUND_LAYER, "&Foreground Layer", nullptr, false, true},
      {CMD_BACKGROUND_LAYER, "&Background Layer", nullptr, false, true}}},
};

// A bar of range 0 .. maximum with a page shows positions up to maximum - page + 1.
void setBarRange(QScrollBar* bar, int32_t maximum, int32_t page) {
  const int32_t last = std::max(0, maximum - std::max(page - 1, 0));
  bar->setRange(0, last);
  bar->setPageStep(std::max(page, 1));
  bar->setSingleStep(1);
  bar->setEnabled(last > 0);
}

}  // namespace

EditorWindow::EditorWindow(std::unique_ptr<EditorDialogs> givenDialogs)
    : dialogs(givenDialogs ? std::move(givenDialogs) : std::make_unique<QtEditorDialogs>()) {
  setWindowTitle(QStringLiteral("Glimb Level Editor"));
  setWindowIcon(QIcon(QPixmap(gle_icon_xpm)));
  editView = new EditView(this);
  setCentralWidget(editView);
  buildMenu();
  resize(640, 480);
  setEditorPlatform(this);
}

EditorWindow::~EditorWindow() {
  if (tools) delete tools.data();
  setEditorPlatform(nullptr);
}

void EditorWindow::buildMenu() {
  for (const MenuDefinition& menuDefinition : MENU_101) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(menuDefinition.title));
    for (const MenuEntry& entry : menuDefinition.entries) {
      if (entry.id == 0) {
        menu->addSeparator();
        continue;
      }
      QAction* item = menu->addAction(QString::fromLatin1(entry.text));
      if (entry.shortcut) item->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
      item->setCheckable(entry.checkable);
      const int32_t id = entry.id;
      connect(item, &QAction::triggered, this, [id] { editorCommand(id); });
      actions[id] = item;
      if (entry.accelerator) acceleratorActions.append(item);
    }
  }
  actions[CMD_REDO]->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
  // Shrink and Expand act at the cursor column while Shift is held, so their
  // keys must also work with Shift down.
  actions[CMD_SHRINK_LEVEL]->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::SHIFT | Qt::Key_F5)});
  actions[CMD_EXPAND_LEVEL]->setShortcuts({QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)});
  actions[CMD_UNDO]->setEnabled(false);
  actions[CMD_REDO]->setEnabled(false);
  actions[CMD_SWAP_WITH_NEXT]->setEnabled(false);
  actions[CMD_FOREGROUND_LAYER]->setChecked(true);
  actions[CMD_BACKGROUND_LAYER]->setChecked(true);
}

QAction* EditorWindow::action(int32_t id) const {
  const auto found = actions.find(id);
  return found == actions.end() ? nullptr : found->second;
}

void EditorWindow::setScrollRanges(int32_t columnMaximum, int32_t columnPage, int32_t rowMaximum, int32_t rowPage) {
  setBarRange(editView->horizontalScrollBar(), columnMaximum, columnPage);
  setBarRange(editView->verticalScrollBar(), rowMaximum, rowPage);
}

int32_t EditorWindow::scrollPosition(bool horizontal) {
  return (horizontal ? editView->horizontalScrollBar() : editView->verticalScrollBar())->value();
}

void EditorWindow::setScrollPosition(bool horizontal, int32_t position) {
  QScrollBar* bar = horizontal ? editView->horizontalScrollBar() : editView->verticalScrollBar();
  bar->setValue(position);
  bar->setSliderPosition(bar->value());
}

void EditorWindow::setTitle(const std::string& title) { setWindowTitle(QString::fromStdString(title)); }

void EditorWindow::setMenuChecks() {
  actions[CMD_TILE_SELECT_WINDOW]->setChecked(gToolsVisible);
  actions[CMD_CURSOR_AS_TILE]->setChecked(gCursorAsTile);
  actions[CMD_EDIT_BACKGROUND]->setChecked(gEditBackground);
  actions[CMD_FOREGROUND_LAYER]->setChecked(gShowForeground);
  actions[CMD_BACKGROUND_LAYER]->setChecked(gShowBackground);
  actions[CMD_UNDO]->setEnabled(canUndo());
  actions[CMD_REDO]->setEnabled(canRedo());
}

// Copies the surface's top-left pixels into the 8-bit picture, shown through
// the game palette.
void EditorWindow::copyPicture(const Surface& surface, QImage& picture) {
  if (colourTable.size() != 256) {
    colourTable.resize(256);
    for (int32_t i = 0; i < 256; i++) colourTable[i] = qRgb(gGamePalette[i][0], gGamePalette[i][1], gGamePalette[i][2]);
  }
  if (picture.colorTable() != colourTable) picture.setColorTable(colourTable);
  const int32_t width = std::min(picture.width(), surface.width());
  const int32_t height = std::min(picture.height(), surface.height());
  for (int32_t y = 0; y < height; y++)
    std::copy_n(surface.pixels() + size_t(y) * surface.pitch(), width, picture.scanLine(y));
}

void EditorWindow::presentView(const Surface& backBuffer, const Rect& area) {
  copyPicture(backBuffer, editView->pictureBuffer(std::min(area.right, backBuffer.width()),
                                                  std::min(area.bottom, backBuffer.height())));
  editView->showPicture();
}

void EditorWindow::presentTools(const Surface& staging) {
  if (!tools) openToolsWindow();
  copyPicture(staging, tools->pictureBuffer());
  tools->showPicture();
}

void EditorWindow::openToolsWindow() {
  if (tools) return;
  tools = new ToolsWindow(this);
  tools->addActions(acceleratorActions);
  connect(tools.data(), &ToolsWindow::closed, this, [this] { tools = nullptr; });
  // Beside the main window, where it covers none of the view.
  tools->move(frameGeometry().right() + 8, frameGeometry().top());
}

void EditorWindow::closeToolsWindow() {
  if (!tools) return;
  ToolsWindow* closing = tools;
  tools = nullptr;
  closing->close();
}

void EditorWindow::requestClose() { close(); }

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (!confirmClose()) {
    event->ignore();
    return;
  }
  closeToolsWindow();
  event->accept();
}

bool EditorWindow::chooseOpenPath(std::string* path) { return dialogs->openFileName(this, path); }

bool EditorWindow::chooseSavePath(std::string* path) { return dialogs->saveFileName(this, path); }

int32_t EditorWindow::askSaveNow(const std::string& text) {
  return dialogs->askYesNoCancel(this, QString::fromStdString(text));
}

void EditorWindow::showMessage(const std::string& text) { dialogs->showMessage(this, QString::fromStdString(text)); }

bool EditorWindow::shiftHeld() { return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier; }

void EditorWindow::runWorldProperties() { dialogs->worldProperties(this); }

void EditorWindow::runLevelProperties() { dialogs->levelProperties(this); }

}  // namespace gle
