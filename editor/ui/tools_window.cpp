// The Tools window: a palette view in a small window of its own.
#include "editor/ui/tools_window.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "editor/editor_paint.h"
#include "editor/editor_platform.h"
#include "editor/editor_state.h"
#include "editor/ui/edit_view.h"
#include "editor/ui/palette_view.h"

namespace gle {

ToolsWindow::ToolsWindow(QWidget* owner) : QWidget(owner, Qt::Tool) {
  setWindowTitle(QStringLiteral("Tools"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFocusPolicy(Qt::StrongFocus);
  view = new PaletteView(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view);
  setFixedSize(TOOLS_WIDTH / 2, TOOLS_HEIGHT / 2);
}

void ToolsWindow::setPicture(const QImage& picture) { view->setPicture(picture); }

const QImage& ToolsWindow::picture() const { return view->picture(); }

void ToolsWindow::keyPressEvent(QKeyEvent* event) {
  if (!editorKeyPress(event)) QWidget::keyPressEvent(event);
}

// The palette fills the window: a press on the window itself is one on the palette.
void ToolsWindow::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  mouseInTools(at.x(), at.y(), event->buttons() & Qt::LeftButton);
}

void ToolsWindow::mouseMoveEvent(QMouseEvent* event) { mousePressEvent(event); }

void ToolsWindow::closeEvent(QCloseEvent* event) {
  gToolsVisible = 0;
  editorPlatform().setMenuChecks();
  event->accept();
  emit closed();
}

}  // namespace gle
