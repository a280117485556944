// The Tools window: the tile palette at half size with the selected cell
// inverted; a click selects a cell, typed keys and shortcuts act as in the main window.
#pragma once

#include <QImage>
#include <QWidget>

namespace gle {

class ToolsWindow : public QWidget {
  Q_OBJECT
 public:
  explicit ToolsWindow(QWidget* owner);
  // The 640 x 288 staging picture; the caller fills it and calls showPicture.
  QImage& pictureBuffer() { return shownPicture; }
  void showPicture();
  const QImage& picture() const { return shownPicture; }

 signals:
  // The window was closed (with its own close box or by the menu); it deletes itself.
  void closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QImage shownPicture;  // drawn at half size
};

}  // namespace gle
