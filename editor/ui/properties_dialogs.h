// The World Properties and Level Properties dialogs: Qt widgets over the
// core's conversions, which store into the world only on OK.
#pragma once

#include <QDialog>
#include <map>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace gle {

// Name (upper case, A-Z, ".", "!" and space, cut at the first other character
// while typing), author and comment, and the number of levels.
class WorldPropertiesDialog : public QDialog {
  Q_OBJECT
 public:
  explicit WorldPropertiesDialog(QWidget* owner = nullptr);
  QLineEdit* nameEdit() const { return name; }
  QLineEdit* authorEdit() const { return author; }
  QLineEdit* commentEdit() const { return comment; }
  QLabel* levelsLabel() const { return levels; }

  void accept() override;

 private:
  void nameTyped(const QString& text);
  QLineEdit* name;
  QLineEdit* author;
  QLineEdit* comment;
  QLabel* levels;
};

// The current level's flags: the scrolling cross, four flag boxes and the
// 16-step time slider; its position, width and height are shown only.
class LevelPropertiesDialog : public QDialog {
  Q_OBJECT
 public:
  explicit LevelPropertiesDialog(QWidget* owner = nullptr);
  // A box by its dialog id (1003 to 1006, 1009, 1011, 1012, 1015).
  QCheckBox* box(int32_t id) const;
  QSlider* timeSlider() const { return slider; }
  QLabel* timeText() const { return time; }
  QLabel* positionLabel() const { return position; }
  QLabel* widthLabel() const { return width; }
  QLabel* heightLabel() const { return height; }

  void accept() override;

 private:
  void updateTimeLabel();
  std::map<int32_t, QCheckBox*> boxes;
  QSlider* slider;
  QLabel* time;
  QLabel* position;
  QLabel* width;
  QLabel* height;
};

}  // namespace gle
