// The editing view: paints the last presented picture and feeds the mouse,
// the keys and the scroll bars to the core.
#include "editor/ui/edit_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "editor/editor_paint.h"
#include "editor/editor_undo.h"
#include "editor/editor_view.h"

namespace gle {

EditView::EditView(QWidget* parent) : QAbstractScrollArea(parent) {
  // Scroll bars stay visible and are greyed when the level fits the view.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
          [this](int action) { scrollAction(true, action); });
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
          [this](int action) { scrollAction(false, action); });
}

QImage& EditView::pictureBuffer(int32_t width, int32_t height) {
  if (shownPicture.width() != width || shownPicture.height() != height)
    shownPicture = QImage(width, height, QImage::Format_Indexed8);
  return shownPicture;
}

void EditView::showPicture() { viewport()->update(); }

void EditView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), Qt::black);
  if (!shownPicture.isNull()) painter.drawImage(0, 0, shownPicture);
}

void EditView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  resizeView(viewport()->width(), viewport()->height());
}

// The bar has already moved its slider when it reports the action; the core
// takes the bar's value from before, computes the new position and sets it.
void EditView::scrollAction(bool horizontal, int action) {
  QScrollBar* bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
  int32_t code = SCROLL_END;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = SCROLL_LINE_BACK; break;
    case QAbstractSlider::SliderSingleStepAdd: code = SCROLL_LINE_FORWARD; break;
    case QAbstractSlider::SliderPageStepSub: code = SCROLL_PAGE_BACK; break;
    case QAbstractSlider::SliderPageStepAdd: code = SCROLL_PAGE_FORWARD; break;
    case QAbstractSlider::SliderToMinimum: code = SCROLL_TO_START; break;
    case QAbstractSlider::SliderToMaximum: code = SCROLL_TO_END; break;
    case QAbstractSlider::SliderMove: code = SCROLL_THUMB_TRACK; break;
    default: break;
  }
  const int32_t tracked = bar->sliderPosition();
  if (code == SCROLL_END) {
    bar->setSliderPosition(bar->value());
    return;
  }
  if (horizontal) scrollColumns(code, tracked);
  else scrollRows(code, tracked);
}

void EditView::keyPressEvent(QKeyEvent* event) {
  if (!editorKeyPress(event)) QAbstractScrollArea::keyPressEvent(event);
}

void EditView::mouseMessage(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  // Only the view itself: a drag that leaves it paints nothing outside.
  if (!viewport()->rect().contains(at)) return;
  mouseInView(at.x(), at.y(), event->buttons() & Qt::LeftButton);
}

void EditView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) mouseMessage(event);
}

void EditView::mouseMoveEvent(QMouseEvent* event) { mouseMessage(event); }

// Releasing the button ends the stroke: the next press paints a new undo step.
void EditView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) endPaintStroke();
}

// The wheel scrolls by cells: vertically, or horizontally with Shift held.
void EditView::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  const bool horizontal = delta.x() != 0 || (event->modifiers() & Qt::ShiftModifier);
  const int32_t amount = delta.y() != 0 ? delta.y() : delta.x();
  if (amount == 0) return;
  const int32_t code = amount > 0 ? SCROLL_LINE_BACK : SCROLL_LINE_FORWARD;
  if (horizontal) scrollColumns(code);
  else scrollRows(code);
  event->accept();
}

bool editorKeyPress(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left: scrollColumns(SCROLL_LINE_BACK); return true;
    case Qt::Key_Right: scrollColumns(SCROLL_LINE_FORWARD); return true;
    case Qt::Key_Up: scrollRows(SCROLL_LINE_BACK); return true;
    case Qt::Key_Down: scrollRows(SCROLL_LINE_FORWARD); return true;
    default: break;
  }
  const QString text = event->text();
  if (text.isEmpty()) return false;
  for (const QChar c : text) typeCharacter(int32_t(c.unicode()));
  return true;
}

}  // namespace gle
