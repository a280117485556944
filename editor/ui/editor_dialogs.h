// The editor's dialogs behind one small interface, so that tests can answer
// them: the Open and Save dialogs, the save prompt, the message box and the
// two properties dialogs.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

class QWidget;

namespace gle {

class EditorDialogs {
 public:
  virtual ~EditorDialogs() = default;
  // File dialogs filled beforehand with *path; false when cancelled.
  virtual bool openFileName(QWidget* owner, std::string* path) = 0;
  virtual bool saveFileName(QWidget* owner, std::string* path) = 0;
  // "Warning" box with Yes, No and Cancel: ANSWER_YES, ANSWER_NO or ANSWER_CANCEL.
  virtual int32_t askYesNoCancel(QWidget* owner, const QString& text) = 0;
  // A message with an OK button.
  virtual void showMessage(QWidget* owner, const QString& text) = 0;
  // A question with Yes and No: true for Yes.
  virtual bool askYesNo(QWidget* owner, const QString& text) = 0;
  // The modal properties dialogs; they store into the world on OK.
  virtual void worldProperties(QWidget* owner);
  virtual void levelProperties(QWidget* owner);
  // Starts a program as a process of its own (test play): false with *error.
  virtual bool startProgram(const QStringList& arguments, QString* error);
  // Level -> Resize and Help -> Keys.
  virtual void resizeLevel(QWidget* owner);
  virtual void keys(QWidget* owner);
};

// Qt's file dialogs with the filters "Glimb World (*.glw)" and "All files (*.*)"
// and the default extension ".glw"; Qt's message boxes.
class QtEditorDialogs : public EditorDialogs {
 public:
  bool openFileName(QWidget* owner, std::string* path) override;
  bool saveFileName(QWidget* owner, std::string* path) override;
  int32_t askYesNoCancel(QWidget* owner, const QString& text) override;
  void showMessage(QWidget* owner, const QString& text) override;
  bool askYesNo(QWidget* owner, const QString& text) override;
};

// The file dialogs' filters, the first one selected.
inline const QString WORLD_FILTER = QStringLiteral("Glimb World (*.glw)");
inline const QString ALL_FILES_FILTER = QStringLiteral("All files (*.*)");

}  // namespace gle
