// The Resize and Keys dialogs.
#include "editor/ui/level_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editor/editor_keys.h"
#include "editor/editor_levels.h"
#include "editor/editor_state.h"

namespace gle {

ResizeDialog::ResizeDialog(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QStringLiteral("Resize Level"));
  width = new QSpinBox;
  width->setRange(LEVEL_MIN_EDIT_WIDTH, LEVEL_MAX_WIDTH);
  height = new QSpinBox;
  height->setRange(LEVEL_MIN_EDIT_HEIGHT, LEVEL_MAX_HEIGHT);
  if (gCurrentLevel) {
    width->setValue(gCurrentLevel->width);
    height->setValue(gCurrentLevel->height);
  }
  columnEdge = new QComboBox;
  columnEdge->addItems({QStringLiteral("at the right edge"), QStringLiteral("at the left edge")});
  rowEdge = new QComboBox;
  rowEdge->addItems({QStringLiteral("at the bottom edge"), QStringLiteral("at the top edge")});
  problem = new QLabel;
  problem->setWordWrap(true);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Width (20 to 65535):"), width);
  form->addRow(QStringLiteral("Columns added or removed"), columnEdge);
  form->addRow(QStringLiteral("&Height (12 to 65535):"), height);
  form->addRow(QStringLiteral("Rows added or removed"), rowEdge);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Level %1/%2 is %3 x %4.")
                                   .arg(gCurrentIndex + 1)
                                   .arg(gLevelCount)
                                   .arg(gCurrentLevel ? gCurrentLevel->width : 0)
                                   .arg(gCurrentLevel ? gCurrentLevel->height : 0)));
  layout->addLayout(form);
  layout->addWidget(problem);
  layout->addWidget(buttons);
}

void ResizeDialog::accept() {
  const std::string why = resizeProblem(width->value(), height->value());
  if (!why.empty()) {
    problem->setText(QString::fromStdString(why));
    return;
  }
  resizeLevel(width->value(), height->value(), columnEdge->currentIndex() == 1, rowEdge->currentIndex() == 1);
  QDialog::accept();
}

KeysDialog::KeysDialog(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QStringLiteral("Keys"));
  list = new QPlainTextEdit;
  list->setReadOnly(true);
  list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  list->setPlainText(QString::fromStdString(keyHelpText(true)));
  list->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list);
  layout->addWidget(buttons);
  // Fits a 1024 x 768 screen with room for the panels.
  resize(680, 560);
}

}  // namespace gle
