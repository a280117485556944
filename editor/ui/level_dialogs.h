// Level -> "&Resize..." (width, height, and the edges that grow or shrink)
// and Help -> "&Keys" (every key and mouse gesture, from the editor's tables).
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;

namespace gle {

class ResizeDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ResizeDialog(QWidget* owner = nullptr);
  QSpinBox* widthBox() const { return width; }
  QSpinBox* heightBox() const { return height; }
  // 0: columns come and go at the right edge, 1: at the left.
  QComboBox* columnEdgeBox() const { return columnEdge; }
  // 0: rows come and go at the bottom edge, 1: at the top.
  QComboBox* rowEdgeBox() const { return rowEdge; }

  // Resizes the current level through the core (one undo step); a size the
  // core refuses keeps the dialog open with the reason shown.
  void accept() override;

 private:
  QSpinBox* width;
  QSpinBox* height;
  QComboBox* columnEdge;
  QComboBox* rowEdge;
  QLabel* problem;
};

class KeysDialog : public QDialog {
  Q_OBJECT
 public:
  explicit KeysDialog(QWidget* owner = nullptr);
  QPlainTextEdit* text() const { return list; }

 private:
  QPlainTextEdit* list;
};

}  // namespace gle
