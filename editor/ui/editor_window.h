// The editor's main window: menu 101 with its shortcuts, the editing view with
// its scroll bars, the Tools window, and the window system side of the core's
// platform (title, check marks, pictures, dialogs).
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

namespace gle {

class EditView;

class EditorWindow : public QMainWindow, public EditorPlatform {
  Q_OBJECT
 public:
  // `dialogs` answers the file dialogs and message boxes; null: Qt's own.
  explicit EditorWindow(std::unique_ptr<EditorDialogs> dialogs = nullptr);
  ~EditorWindow() override;

  EditView* view() const { return editView; }
  ToolsWindow* toolsWindow() const { return tools; }
  QAction* action(int32_t id) const;

  // EditorPlatform
  void setScrollRanges(int32_t columnMaximum, int32_t columnPage, int32_t rowMaximum, int32_t rowPage) override;
  int32_t scrollPosition(bool horizontal) override;
  void setScrollPosition(bool horizontal, int32_t position) override;
  void setTitle(const std::string& title) override;
  void setMenuChecks() override;
  void presentView(const Surface& backBuffer, const Rect& area) override;
  void presentTools(const Surface& staging) override;
  void openToolsWindow() override;
  void closeToolsWindow() override;
  void requestClose() override;
  bool chooseOpenPath(std::string* path) override;
  bool chooseSavePath(std::string* path) override;
  int32_t askSaveNow(const std::string& text) override;
  void showMessage(const std::string& text) override;
  bool shiftHeld() override;
  void runWorldProperties() override;
  void runLevelProperties() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void copyPicture(const Surface& surface, QImage& picture);

  std::unique_ptr<EditorDialogs> dialogs;
  EditView* editView = nullptr;
  QPointer<ToolsWindow> tools;
  std::map<int32_t, QAction*> actions;
  QList<QAction*> acceleratorActions;  // table 105: also active in the Tools window
  QVector<QRgb> colourTable;
};

}  // namespace gle
