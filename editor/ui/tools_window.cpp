// The Tools window: shows the palette picture at half size and selects cells.
#include "editor/ui/tools_window.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

#include "editor/editor_paint.h"
#include "editor/editor_platform.h"
#include "editor/editor_state.h"
#include "editor/ui/edit_view.h"

namespace gle {

ToolsWindow::ToolsWindow(QWidget* owner) : QWidget(owner, Qt::Tool) {
  setWindowTitle(QStringLiteral("Tools"));
  setFixedSize(TOOLS_WIDTH / 2, TOOLS_HEIGHT / 2);
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  shownPicture = QImage(TOOLS_WIDTH, TOOLS_HEIGHT, QImage::Format_Indexed8);
  shownPicture.fill(0);
}

void ToolsWindow::showPicture() {
  if (!isVisible()) show();
  update();
}

void ToolsWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (!shownPicture.isNull()) painter.drawImage(QRect(0, 0, TOOLS_WIDTH / 2, TOOLS_HEIGHT / 2), shownPicture);
}

void ToolsWindow::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  mouseInTools(at.x(), at.y(), event->buttons() & Qt::LeftButton);
}

void ToolsWindow::mouseMoveEvent(QMouseEvent* event) { mousePressEvent(event); }

void ToolsWindow::keyPressEvent(QKeyEvent* event) {
  if (!editorKeyPress(event)) QWidget::keyPressEvent(event);
}

void ToolsWindow::closeEvent(QCloseEvent* event) {
  gToolsVisible = 0;
  editorPlatform().setMenuChecks();
  event->accept();
  emit closed();
}

}  // namespace gle
