// The two properties dialogs, laid out like their templates: World Properties
// with three edits over the level count, Level Properties with the scrolling
// cross, the flag boxes, the time slider and the level's position and size.
#include "editor/ui/properties_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/editor_properties.h"
#include "editor/editor_state.h"

namespace gle {

namespace {

// World texts are 8-bit bytes; Latin-1 carries each byte through the edits unchanged.
QString fromBytes(const std::string& bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }
std::string toBytes(const QString& text) { return text.toLatin1().toStdString(); }

QLineEdit* textEdit(const std::string& text, int32_t typedMax) {
  auto* edit = new QLineEdit;
  const QString shown = fromBytes(text);
  // A longer text from a file stays whole; only typing is held to the limit.
  edit->setMaxLength(std::max<int32_t>(typedMax, int32_t(shown.size())));
  edit->setText(shown);
  return edit;
}

QDialogButtonBox* okCancel(QDialog* dialog, Qt::Orientation orientation) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, orientation);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

WorldPropertiesDialog::WorldPropertiesDialog(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QStringLiteral("World Properties"));
  name = textEdit(worldNameForEdit(), WORLD_NAME_TYPED_MAX);
  name->setMaxLength(WORLD_NAME_TYPED_MAX);
  author = textEdit(worldText(gAuthorName, sizeof gAuthorName), WORLD_TEXT_TYPED_MAX);
  comment = textEdit(worldText(gComment, sizeof gComment), WORLD_TEXT_TYPED_MAX);
  levels = new QLabel(QString::fromStdString(levelCountText()));
  connect(name, &QLineEdit::textEdited, this, &WorldPropertiesDialog::nameTyped);

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("World Name:")), 0, 0);
  fields->addWidget(name, 0, 1);
  fields->addWidget(new QLabel(QStringLiteral("Author Name:")), 1, 0);
  fields->addWidget(author, 1, 1);
  fields->addWidget(new QLabel(QStringLiteral("Comment:")), 2, 0);
  fields->addWidget(comment, 2, 1);
  auto* count = new QHBoxLayout;
  count->addStretch();
  count->addWidget(new QLabel(QStringLiteral("Levels:")));
  count->addWidget(levels);
  count->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(count);
  layout->addWidget(okCancel(this, Qt::Horizontal));
}

// Typed text is made upper case and cut at the first character a name cannot hold.
void WorldPropertiesDialog::nameTyped(const QString& text) {
  const QString kept = fromBytes(typedWorldName(toBytes(text)));
  if (kept == text) return;
  const int cursor = name->cursorPosition();
  name->setText(kept);
  name->setCursorPosition(std::min<int>(cursor, int(kept.size())));
}

void WorldPropertiesDialog::accept() {
  storeWorldProperties(toBytes(name->text()), toBytes(author->text()), toBytes(comment->text()));
  QDialog::accept();
}

LevelPropertiesDialog::LevelPropertiesDialog(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QStringLiteral("Level Properties"));
  const int32_t flags = gCurrentLevel ? gCurrentLevel->flags : 0;
  for (const LevelFlagBox& entry : LEVEL_FLAG_BOXES) {
    auto* checkBox = new QCheckBox(QString::fromLatin1(entry.label));
    checkBox->setChecked(flags & entry.flag);
    boxes[entry.id] = checkBox;
  }
  boxes[1004]->setToolTip(QStringLiteral("Scroll up"));
  boxes[1005]->setToolTip(QStringLiteral("Scroll left"));
  boxes[1003]->setToolTip(QStringLiteral("Scroll right"));
  boxes[1006]->setToolTip(QStringLiteral("Scroll down"));

  slider = new QSlider(Qt::Horizontal);
  slider->setRange(0, TIME_STEP_COUNT - 1);
  slider->setPageStep(1);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setTickInterval(1);
  slider->setValue(levelTimeStep(flags));
  time = new QLabel;
  time->setMinimumWidth(time->fontMetrics().horizontalAdvance(QStringLiteral("Time: 00:00")));
  position = new QLabel(QString::fromStdString(levelPositionText()));
  width = new QLabel(QString::number(gCurrentLevel ? gCurrentLevel->width : 0));
  height = new QLabel(QString::number(gCurrentLevel ? gCurrentLevel->height : 0));
  connect(slider, &QSlider::valueChanged, this, &LevelPropertiesDialog::updateTimeLabel);
  // The label also follows the tick box, so it never shows the other rule's time.
  connect(boxes[1015], &QCheckBox::toggled, this, &LevelPropertiesDialog::updateTimeLabel);
  updateTimeLabel();

  auto* cross = new QGridLayout;
  cross->addWidget(boxes[1004], 0, 1);
  cross->addWidget(boxes[1005], 1, 0);
  cross->addWidget(boxes[1003], 1, 2);
  cross->addWidget(boxes[1006], 2, 1);
  auto* scrolling = new QHBoxLayout;
  scrolling->addWidget(new QLabel(QStringLiteral("Scrolling:")));
  scrolling->addLayout(cross);
  scrolling->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(scrolling, 1);
  top->addWidget(okCancel(this, Qt::Vertical), 0, Qt::AlignTop);

  auto* timeRow = new QHBoxLayout;
  timeRow->addWidget(time);
  timeRow->addWidget(slider, 1);
  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  auto* place = new QHBoxLayout;
  place->addStretch();
  place->addWidget(new QLabel(QStringLiteral("Level:")));
  place->addWidget(position);
  place->addStretch();
  auto* size = new QHBoxLayout;
  size->addStretch();
  size->addWidget(new QLabel(QStringLiteral("Width:")));
  size->addWidget(width);
  size->addSpacing(16);
  size->addWidget(new QLabel(QStringLiteral("Height:")));
  size->addWidget(height);
  size->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  for (int32_t id : {1009, 1011, 1012, 1015}) layout->addWidget(boxes[id]);
  layout->addLayout(timeRow);
  layout->addWidget(line);
  layout->addLayout(place);
  layout->addLayout(size);
}

QCheckBox* LevelPropertiesDialog::box(int32_t id) const {
  const auto found = boxes.find(id);
  return found == boxes.end() ? nullptr : found->second;
}

void LevelPropertiesDialog::updateTimeLabel() {
  const int32_t levelWidth = gCurrentLevel ? gCurrentLevel->width : 0;
  time->setText(QString::fromStdString(timeLabel(slider->value(), boxes[1015]->isChecked(), levelWidth)));
}

void LevelPropertiesDialog::accept() {
  int32_t checked = 0;
  for (const LevelFlagBox& entry : LEVEL_FLAG_BOXES)
    if (boxes[entry.id]->isChecked()) checked |= entry.flag;
  storeLevelFlags(flagsFromControls(checked, slider->value()));
  QDialog::accept();
}

}  // namespace gle
