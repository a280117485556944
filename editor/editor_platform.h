// What the editor's core asks of its window system: scroll bars, title, menu
// check marks, showing the pictures, the Tools window, file dialogs and message boxes.
// The base class does nothing (a window-less editor); the user interface overrides it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/editor_state.h"

namespace gle {

// Answers of the save prompt.
constexpr int32_t ANSWER_YES = 6;
constexpr int32_t ANSWER_NO = 7;
constexpr int32_t ANSWER_CANCEL = 2;

class EditorPlatform {
 public:
  virtual ~EditorPlatform() = default;

  // Scroll bars: range 0 .. maximum with the given page; the position is not touched.
  virtual void setScrollRanges(int32_t columnMaximum, int32_t columnPage, int32_t rowMaximum,
                               int32_t rowPage) {
    (void)columnMaximum, (void)columnPage, (void)rowMaximum, (void)rowPage;
  }
  // The scroll bar's own position, which the bar may hold below the view's
  // position when the level's end is scrolled to the edge.
  virtual int32_t scrollPosition(bool horizontal) { return horizontal ? gScrollColumn : gScrollRow; }
  virtual void setScrollPosition(bool horizontal, int32_t position) { (void)horizontal, (void)position; }

  virtual void setTitle(const std::string& title) { (void)title; }
  // Sets the menu's check marks from gToolsVisible, gCursorAsTile, gEditBackground,
  // gShowForeground and gShowBackground.
  virtual void setMenuChecks() {}
  // The status bar's fields (statusFields of editor_status.h), set at every redraw.
  virtual void setStatus(const std::vector<std::string>& fields) { (void)fields; }

  // Shows the view's 32-bit picture (gViewPicture), and the status bar's fields.
  virtual void presentView(const ViewPicture& picture) { (void)picture; }
  // The palette's 640 x 288 staging picture, shown at half size in the docked
  // palette and the Tools window (given again only when it changed).
  virtual void presentTools(const Surface& staging) { (void)staging; }
  virtual void openToolsWindow() {}
  virtual void closeToolsWindow() {}
  // Asks the main window to close (which runs the save prompt).
  virtual void requestClose() {}

  // File dialogs, filled beforehand with gFileName; false when cancelled.
  virtual bool chooseOpenPath(std::string* path) { (void)path; return false; }
  virtual bool chooseSavePath(std::string* path) { (void)path; return false; }
  // The save prompt (caption "Warning", Yes, No, Cancel): one of the ANSWER_ codes.
  virtual int32_t askSaveNow(const std::string& text) { (void)text; return ANSWER_CANCEL; }
  // A message box with an OK button.
  virtual void showMessage(const std::string& text) { (void)text; }
  // A question with Yes and No (true for Yes), and one with Yes, No and Cancel
  // (an ANSWER_ code); the do-nothing platform answers No.
  virtual bool askYesNo(const std::string& text) { (void)text; return false; }
  virtual int32_t askYesNoCancel(const std::string& text) { (void)text; return ANSWER_NO; }
  // A short note in the status bar, gone at the next one.
  virtual void showStatusNote(const std::string& text) { (void)text; }
  // Starts a program with these arguments (the program first) as a process of
  // its own, not waited for; false with *error when it cannot start.
  virtual bool startProgram(const std::vector<std::string>& arguments, std::string* error) {
    (void)arguments;
    *error = "no programs can be started here";
    return false;
  }
  // Is a Shift key held down right now (not when the command's key was pressed)?
  virtual bool shiftHeld() { return false; }
  // The two modal properties dialogs; they store through the core on OK.
  virtual void runWorldProperties() {}
  virtual void runLevelProperties() {}
  // Level -> "&Resize..." (it resizes through the core on OK), Help -> "&Keys",
  // the docked palette's View item, and the recent worlds' menu after a change.
  virtual void runResizeDialog() {}
  virtual void showKeyHelp() {}
  virtual void togglePaletteDock() {}
  virtual void recentWorldsChanged() {}
};

// The platform in use; never null (a do-nothing platform until one is installed).
EditorPlatform& editorPlatform();
void setEditorPlatform(EditorPlatform* platform);  // nullptr goes back to the do-nothing one

}  // namespace gle
