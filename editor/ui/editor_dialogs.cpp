// Qt's file dialogs and message boxes for the editor, and the properties dialogs.
#include "editor/ui/editor_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>

#include "editor/editor_files.h"
#include "editor/editor_platform.h"
#include "editor/ui/level_dialogs.h"
#include "editor/ui/properties_dialogs.h"

namespace gle {

namespace {

bool runFileDialog(QWidget* owner, std::string* path, bool saving) {
  QFileDialog dialog(owner, saving ? QStringLiteral("Save As") : QStringLiteral("Open"));
  dialog.setNameFilters({WORLD_FILTER, ALL_FILES_FILTER});
  dialog.selectNameFilter(WORLD_FILTER);
  dialog.setDefaultSuffix(QStringLiteral("glw"));
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.selectFile(QString::fromStdString(*path));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const std::string chosen = dialog.selectedFiles().first().toStdString();
  *path = saving ? withDefaultExtension(chosen) : chosen;
  return true;
}

}  // namespace

bool QtEditorDialogs::openFileName(QWidget* owner, std::string* path) { return runFileDialog(owner, path, false); }

bool QtEditorDialogs::saveFileName(QWidget* owner, std::string* path) { return runFileDialog(owner, path, true); }

int32_t QtEditorDialogs::askYesNoCancel(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner);
  switch (box.exec()) {
    case QMessageBox::Yes: return ANSWER_YES;
    case QMessageBox::No: return ANSWER_NO;
    default: return ANSWER_CANCEL;
  }
}

void EditorDialogs::worldProperties(QWidget* owner) {
  WorldPropertiesDialog dialog(owner);
  dialog.exec();
}

void EditorDialogs::levelProperties(QWidget* owner) {
  LevelPropertiesDialog dialog(owner);
  dialog.exec();
}

void EditorDialogs::resizeLevel(QWidget* owner) {
  ResizeDialog dialog(owner);
  dialog.exec();
}

void EditorDialogs::keys(QWidget* owner) {
  KeysDialog dialog(owner);
  dialog.exec();
}

bool EditorDialogs::startProgram(const QStringList& arguments, QString* error) {
  if (arguments.isEmpty()) return false;
  QProcess process;
  process.setProgram(arguments.first());
  process.setArguments(arguments.mid(1));
  process.setStandardInputFile(QProcess::nullDevice());
  if (!process.startDetached()) {
    *error = arguments.first() + QStringLiteral(": cannot be started");
    return false;
  }
  return true;
}

bool QtEditorDialogs::askYesNo(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Glimb Level Editor"), text,
                  QMessageBox::Yes | QMessageBox::No, owner);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void QtEditorDialogs::showMessage(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Error"), text, QMessageBox::Ok, owner);
  box.exec();
}

}  // namespace gle
