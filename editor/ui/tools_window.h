// The floating Tools window: the tile palette at half size with the selected
// cell inverted; a click selects a cell, typed keys and shortcuts act as in
// the main window.
#pragma once

#include <QImage>
#include <QWidget>

namespace gle {

class PaletteView;

class ToolsWindow : public QWidget {
  Q_OBJECT
 public:
  explicit ToolsWindow(QWidget* owner);
  void setPicture(const QImage& picture);
  const QImage& picture() const;
  PaletteView* palette() const { return view; }

 signals:
  // The window was closed (with its own close box or by the menu); it deletes itself.
  void closed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  PaletteView* view;
};

}  // namespace gle
