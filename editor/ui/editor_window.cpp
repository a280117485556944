// The editor's main window: builds the menu from the core's table, owns the
// view, the docked palette, the status bar and the Tools window, writes the
// recovery copy on a timer, and carries out the core's platform requests.
#include "editor/ui/editor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "editor/editor_area.h"
#include "editor/editor_commands.h"
#include "editor/editor_menu.h"
#include "editor/editor_recovery.h"
#include "editor/editor_settings.h"
#include "editor/editor_state.h"
#include "editor/editor_undo.h"
#include "editor/ui/edit_view.h"
#include "editor/ui/palette_view.h"
#include "editor/ui/properties_dialogs.h"
#include "editor/ui/tools_window.h"
#include "resources/gle_icon.xpm"

namespace gle {

namespace {

// A bar of range 0 .. maximum with a page shows positions up to maximum - page + 1.
void setBarRange(QScrollBar* bar, int32_t maximum, int32_t page) {
  const int32_t last = std::max(0, maximum - std::max(page - 1, 0));
  bar->setRange(0, last);
  bar->setPageStep(std::max(page, 1));
  bar->setSingleStep(1);
  bar->setEnabled(last > 0);
}

// The status bar's fields: level, cell, tile, selected, layer, zoom, area, size.
constexpr int32_t STATUS_FIELDS = 8;

}  // namespace

EditorWindow::EditorWindow(std::unique_ptr<EditorDialogs> givenDialogs)
    : dialogs(givenDialogs ? std::move(givenDialogs) : std::make_unique<QtEditorDialogs>()) {
  setWindowTitle(QStringLiteral("Glimb Level Editor"));
  setWindowIcon(QIcon(QPixmap(gle_icon_xpm)));
  editView = new EditView(this);
  setCentralWidget(editView);

  // The palette beside the view, where it is always at hand.
  dock = new QDockWidget(QStringLiteral("Palette"), this);
  dock->setObjectName(QStringLiteral("palette"));
  dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  dockPalette = new PaletteView(dock);
  dock->setWidget(dockPalette);
  addDockWidget(Qt::RightDockWidgetArea, dock);

  for (int32_t i = 0; i < STATUS_FIELDS; i++) {
    auto* label = new QLabel(this);
    label->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(label);
    statusLabels.append(label);
  }
  buildMenu();
  connect(dock, &QDockWidget::visibilityChanged, this, [this] { setMenuChecks(); });
  resize(1000, 640);
  setEditorPlatform(this);

  // Unsaved changes are copied aside every 30 s against a crash.
  recoveryClock = new QTimer(this);
  recoveryClock->setInterval(RECOVERY_INTERVAL_MS);
  connect(recoveryClock, &QTimer::timeout, this, [] { writeRecoveryCopy(); });
  recoveryClock->start();
}

EditorWindow::~EditorWindow() {
  // The dock reports being hidden while the main window's widgets go; by then
  // this window is no longer one to ask.
  disconnect(dock, nullptr, this, nullptr);
  recoveryClock->stop();
  if (tools) delete tools.data();
  setEditorPlatform(nullptr);
}

void EditorWindow::buildMenu() {
  for (int32_t m = 0; m < EDITOR_MENU_COUNT; m++) {
    const MenuDefinition& menuDefinition = EDITOR_MENU[m];
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(menuDefinition.title));
    for (const MenuEntry& entry : menuDefinition.entries) {
      if (entry.id == 0) {
        menu->addSeparator();
        continue;
      }
      if (entry.id == CMD_RECENT) {
        recent = menu->addMenu(QString::fromLatin1(entry.text));
        continue;
      }
      QAction* item = menu->addAction(QString::fromLatin1(entry.text));
      QList<QKeySequence> keys;
      if (entry.shortcut) keys << QKeySequence(QString::fromLatin1(entry.shortcut));
      if (entry.alsoShortcut) keys << QKeySequence(QString::fromLatin1(entry.alsoShortcut));
      item->setShortcuts(keys);
      // The window system's own close key is only shown.
      if (entry.flags & MENU_SHOWN_ONLY) item->setShortcutContext(Qt::WidgetShortcut);
      item->setCheckable(entry.flags & MENU_CHECKABLE);
      const int32_t id = entry.id;
      connect(item, &QAction::triggered, this, [id] { editorCommand(id); });
      actions[id] = item;
      if (entry.flags & MENU_ACCELERATOR) acceleratorActions.append(item);
    }
  }
  buildRecentMenu();
  setMenuChecks();
}

void EditorWindow::buildRecentMenu() {
  recent->clear();
  for (int32_t i = 0; i < int32_t(gRecentWorlds.size()) && i < RECENT_MAX; i++) {
    QAction* item = recent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromStdString(gRecentWorlds[size_t(i)])));
    const int32_t id = CMD_RECENT_FIRST + i;
    connect(item, &QAction::triggered, this, [id] { editorCommand(id); });
  }
  recent->setEnabled(!gRecentWorlds.empty());
}

void EditorWindow::recentWorldsChanged() { buildRecentMenu(); }

QAction* EditorWindow::action(int32_t id) const {
  const auto found = actions.find(id);
  return found == actions.end() ? nullptr : found->second;
}

QStringList EditorWindow::statusTexts() const {
  QStringList texts;
  for (const QLabel* label : statusLabels) texts << label->text();
  return texts;
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

void EditorWindow::setTitle(const std::string& title) {
  const QString text = QString::fromStdString(title);
  if (windowTitle() != text) setWindowTitle(text);
}

void EditorWindow::setMenuChecks() {
  actions[CMD_TILE_SELECT_WINDOW]->setChecked(gToolsVisible);
  actions[CMD_CURSOR_AS_TILE]->setChecked(gCursorAsTile);
  actions[CMD_EDIT_BACKGROUND]->setChecked(gEditBackground);
  actions[CMD_FOREGROUND_LAYER]->setChecked(gShowForeground);
  actions[CMD_BACKGROUND_LAYER]->setChecked(gShowBackground);
  actions[CMD_GRID]->setChecked(gShowGrid);
  actions[CMD_PALETTE_DOCK]->setChecked(dock && !dock->isHidden());
  for (int32_t d = 0; d < 3; d++) actions[CMD_TEST_EASY + d]->setChecked(gTestDifficulty == d);
  actions[CMD_UNDO]->setEnabled(canUndo());
  actions[CMD_REDO]->setEnabled(canRedo());
  const bool selected = !currentSelection().empty();
  actions[CMD_CUT]->setEnabled(selected);
  actions[CMD_COPY]->setEnabled(selected);
  actions[CMD_PASTE]->setEnabled(gAreaClip.columns > 0);
  actions[CMD_SWAP_WITH_NEXT]->setEnabled(gCurrentIndex + 1 < gLevelCount);
  actions[CMD_MOVE_LEVEL_DOWN]->setEnabled(gCurrentIndex + 1 < gLevelCount);
  actions[CMD_MOVE_LEVEL_UP]->setEnabled(gCurrentIndex > 0);
  actions[CMD_ZOOM_IN]->setEnabled(gZoom < ZOOM_STEPS[std::size(ZOOM_STEPS) - 1]);
  actions[CMD_ZOOM_OUT]->setEnabled(gZoom > ZOOM_STEPS[0]);
}

void EditorWindow::setStatus(const std::vector<std::string>& fields) {
  for (int32_t i = 0; i < STATUS_FIELDS; i++) {
    const QString text = i < int32_t(fields.size()) ? QString::fromStdString(fields[size_t(i)]) : QString();
    if (statusLabels[i]->text() != text) statusLabels[i]->setText(text);
    statusLabels[i]->setVisible(!text.isEmpty());
  }
}

void EditorWindow::presentView(const ViewPicture& picture) { editView->showPicture(picture); }

void EditorWindow::presentTools(const Surface& staging) {
  if (colourTable.size() != 256) {
    colourTable.resize(256);
    for (int32_t i = 0; i < 256; i++) colourTable[i] = gColourTable[i];
  }
  QImage picture(TOOLS_WIDTH, TOOLS_HEIGHT, QImage::Format_Indexed8);
  picture.setColorTable(colourTable);
  const int32_t width = std::min(picture.width(), staging.width());
  const int32_t height = std::min(picture.height(), staging.height());
  for (int32_t y = 0; y < height; y++)
    std::copy_n(staging.pixels() + size_t(y) * staging.pitch(), width, picture.scanLine(y));
  palettePicture = picture;
  dockPalette->setPicture(palettePicture);
  if (tools) tools->setPicture(palettePicture);
}

void EditorWindow::openToolsWindow() {
  if (tools) return;
  tools = new ToolsWindow(this);
  tools->addActions(acceleratorActions);
  tools->setPicture(palettePicture);
  connect(tools.data(), &ToolsWindow::closed, this, [this] { tools = nullptr; });
  // Beside the main window where there is room on its screen, else inside
  // the screen's free area: never off screen (a maximised window leaves no room).
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QRect free = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QRect frame = frameGeometry();
  const QSize size = tools->frameGeometry().size().expandedTo(tools->size() + QSize(8, 32));
  QPoint at(frame.right() + 8, frame.top());
  if (at.x() + size.width() > free.right() + 1) at.setX(frame.left() - 8 - size.width());
  if (at.x() < free.left()) at.setX(free.right() + 1 - size.width() - 16);
  at.setX(std::clamp(at.x(), free.left(), std::max(free.left(), free.right() + 1 - size.width())));
  at.setY(std::clamp(at.y(), free.top(), std::max(free.top(), free.bottom() + 1 - size.height())));
  tools->move(at);
  tools->show();
}

void EditorWindow::closeToolsWindow() {
  if (!tools) return;
  ToolsWindow* closing = tools;
  tools = nullptr;
  closing->close();
}

void EditorWindow::togglePaletteDock() {
  dock->setVisible(dock->isHidden());
  setMenuChecks();
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

bool EditorWindow::askYesNo(const std::string& text) { return dialogs->askYesNo(this, QString::fromStdString(text)); }

int32_t EditorWindow::askYesNoCancel(const std::string& text) {
  return dialogs->askYesNoCancel(this, QString::fromStdString(text));
}

void EditorWindow::showStatusNote(const std::string& text) {
  statusBar()->showMessage(QString::fromStdString(text), 5000);
}

bool EditorWindow::startProgram(const std::vector<std::string>& arguments, std::string* error) {
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  QString why;
  if (dialogs->startProgram(list, &why)) return true;
  *error = why.toStdString();
  return false;
}

bool EditorWindow::shiftHeld() { return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier; }

void EditorWindow::runWorldProperties() { dialogs->worldProperties(this); }

void EditorWindow::runLevelProperties() { dialogs->levelProperties(this); }

void EditorWindow::runResizeDialog() { dialogs->resizeLevel(this); }

void EditorWindow::showKeyHelp() { dialogs->keys(this); }

}  // namespace gle
