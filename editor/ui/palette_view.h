// The tile palette at half size: a click or drag selects a cell, the pointer
// resting on a cell shows what it paints. Used docked beside the view and in
// the floating Tools window.
#pragma once

#include <QImage>
#include <QWidget>

namespace gle {

class PaletteView : public QWidget {
  Q_OBJECT
 public:
  explicit PaletteView(QWidget* parent = nullptr);
  // The 640 x 288 staging picture (8-bit, the game palette), shown at half size.
  void setPicture(const QImage& picture);
  const QImage& picture() const { return shownPicture; }
  QSize sizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QImage shownPicture;
};

}  // namespace gle
