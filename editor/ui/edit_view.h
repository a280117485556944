// The main window's editing view: shows the back buffer through the game
// palette, turns mouse, key and scroll bar input into the core's calls.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>

class QKeyEvent;

namespace gle {

class EditView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit EditView(QWidget* parent = nullptr);
  // The picture the view shows, made width x height (8-bit) when it is not;
  // the caller fills it and calls showPicture.
  QImage& pictureBuffer(int32_t width, int32_t height);
  void showPicture();
  const QImage& picture() const { return shownPicture; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void scrollAction(bool horizontal, int action);
  void mouseMessage(QMouseEvent* event);
  QImage shownPicture;
};

// Keys of either window: arrows scroll the view by one cell, typed characters
// go to the core. False for keys the editor does not take.
bool editorKeyPress(QKeyEvent* event);

}  // namespace gle
