// The editor's main window: the menu with its shortcuts, the editing view with
// its scroll bars, the docked palette, the status bar, the Tools window, the
// recovery timer, and the window system side of the core's platform.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QVector>
#include <map>
#include <memory>

#include "editor/editor_platform.h"
#include "editor/ui/editor_dialogs.h"
#include "editor/ui/tools_window.h"

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QTimer;

namespace gle {

class EditView;
class PaletteView;

class EditorWindow : public QMainWindow, public EditorPlatform {
  Q_OBJECT
 public:
  // `dialogs` answers the file dialogs and message boxes; null: Qt's own.
  explicit EditorWindow(std::unique_ptr<EditorDialogs> dialogs = nullptr);
  ~EditorWindow() override;

  EditView* view() const { return editView; }
  ToolsWindow* toolsWindow() const { return tools; }
  QDockWidget* paletteDock() const { return dock; }
  PaletteView* dockedPalette() const { return dockPalette; }
  QMenu* recentMenu() const { return recent; }
  QAction* action(int32_t id) const;
  // The status bar's fields as shown.
  QStringList statusTexts() const;
  QTimer* recoveryTimer() const { return recoveryClock; }

  // EditorPlatform
  void setScrollRanges(int32_t columnMaximum, int32_t columnPage, int32_t rowMaximum, int32_t rowPage) override;
  int32_t scrollPosition(bool horizontal) override;
  void setScrollPosition(bool horizontal, int32_t position) override;
  void setTitle(const std::string& title) override;
  void setMenuChecks() override;
  void setStatus(const std::vector<std::string>& fields) override;
  void presentView(const ViewPicture& picture) override;
  void presentTools(const Surface& staging) override;
  void openToolsWindow() override;
  void closeToolsWindow() override;
  void requestClose() override;
  bool chooseOpenPath(std::string* path) override;
  bool chooseSavePath(std::string* path) override;
  int32_t askSaveNow(const std::string& text) override;
  void showMessage(const std::string& text) override;
  bool askYesNo(const std::string& text) override;
  int32_t askYesNoCancel(const std::string& text) override;
  void showStatusNote(const std::string& text) override;
  bool startProgram(const std::vector<std::string>& arguments, std::string* error) override;
  bool shiftHeld() override;
  void runWorldProperties() override;
  void runLevelProperties() override;
  void runResizeDialog() override;
  void showKeyHelp() override;
  void togglePaletteDock() override;
  void recentWorldsChanged() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void buildRecentMenu();

  std::unique_ptr<EditorDialogs> dialogs;
  EditView* editView = nullptr;
  QDockWidget* dock = nullptr;
  PaletteView* dockPalette = nullptr;
  QMenu* recent = nullptr;
  QTimer* recoveryClock = nullptr;
  QPointer<ToolsWindow> tools;
  std::map<int32_t, QAction*> actions;
  QList<QAction*> acceleratorActions;  // also active in the Tools window
  QVector<QRgb> colourTable;
  QImage palettePicture;  // the palette's staging picture, 8-bit
  QList<QLabel*> statusLabels;
};

}  // namespace gle
