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
  void showPicture(const QImage& picture);
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
  QImage shownPicture;  // the 640 x 288 staging picture, drawn at half size
};

}  // namespace gle
