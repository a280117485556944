// The main window's editing view: shows the core's 32-bit picture, turns
// mouse, key, wheel and scroll bar input into the core's calls.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

class QKeyEvent;

namespace gle {

struct ViewPicture;

class EditView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit EditView(QWidget* parent = nullptr);
  // Shows the picture (without copying it: it must live until the next one).
  void showPicture(const ViewPicture& picture);
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
  QImage shownPicture;
  std::shared_ptr<std::vector<uint32_t>> shownStore;  // the pixels shownPicture shows
};

// Keys of either window: arrows scroll the view by one cell, Delete erases,
// typed characters go to the core. False for keys the editor does not take.
bool editorKeyPress(QKeyEvent* event);

}  // namespace gle
