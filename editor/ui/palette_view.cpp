// The half-size tile palette with its tooltips.
#include "editor/ui/palette_view.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "editor/editor_paint.h"
#include "editor/editor_state.h"
#include "editor/editor_status.h"
#include "editor/ui/edit_view.h"

namespace gle {

PaletteView::PaletteView(QWidget* parent) : QWidget(parent) {
  setFixedSize(TOOLS_WIDTH / 2, TOOLS_HEIGHT / 2);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(false);
  // Black until the palette is drawn; an 8-bit picture without its colour
  // table must never reach the painter.
  shownPicture = QImage(TOOLS_WIDTH, TOOLS_HEIGHT, QImage::Format_Indexed8);
  shownPicture.setColorTable(QList<QRgb>(256, qRgb(0, 0, 0)));
  shownPicture.fill(0);
}

QSize PaletteView::sizeHint() const { return QSize(TOOLS_WIDTH / 2, TOOLS_HEIGHT / 2); }

void PaletteView::setPicture(const QImage& picture) {
  if (picture.isNull() || (picture.format() == QImage::Format_Indexed8 && picture.colorCount() < 256)) return;
  shownPicture = picture;
  update();
}

bool PaletteView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const QPoint at = static_cast<QHelpEvent*>(event)->pos();
    if (at.x() >= 0 && at.y() >= 0 && at.x() < TOOLS_WIDTH / 2 && at.y() < TOOLS_HEIGHT / 2) {
      const int32_t cell = (at.y() / TOOLS_CELL) * PALETTE_COLUMNS + at.x() / TOOLS_CELL;
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), QString::fromStdString(paletteCellTip(cell)),
                         this, QRect((at.x() / TOOLS_CELL) * TOOLS_CELL, (at.y() / TOOLS_CELL) * TOOLS_CELL,
                                     TOOLS_CELL, TOOLS_CELL));
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QWidget::event(event);
}

void PaletteView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!shownPicture.isNull()) painter.drawImage(QRect(0, 0, TOOLS_WIDTH / 2, TOOLS_HEIGHT / 2), shownPicture);
}

void PaletteView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  mouseInTools(at.x(), at.y(), event->buttons() & Qt::LeftButton);
}

void PaletteView::mouseMoveEvent(QMouseEvent* event) { mousePressEvent(event); }

void PaletteView::keyPressEvent(QKeyEvent* event) {
  if (!editorKeyPress(event)) QWidget::keyPressEvent(event);
}

}  // namespace gle
