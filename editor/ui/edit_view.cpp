// The editing view: paints the core's 32-bit picture and feeds the mouse,
// the keys, the wheel and the scroll bars to the core.
#include "editor/ui/edit_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <memory>
#include <vector>

#include "editor/editor_area.h"
#include "editor/editor_paint.h"
#include "editor/editor_state.h"
#include "editor/editor_undo.h"
#include "editor/editor_view.h"

namespace gle {

namespace {

int32_t modifiersOf(Qt::KeyboardModifiers held) {
  int32_t modifiers = 0;
  if (held & Qt::ShiftModifier) modifiers |= MOD_SHIFT;
  if (held & Qt::ControlModifier) modifiers |= MOD_CONTROL;
  if (held & Qt::AltModifier) modifiers |= MOD_ALT;
  return modifiers;
}

int32_t buttonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return BUTTON_LEFT;
    case Qt::RightButton: return BUTTON_RIGHT;
    case Qt::MiddleButton: return BUTTON_MIDDLE;
    default: return 0;
  }
}

int32_t buttonsOf(Qt::MouseButtons held) {
  int32_t buttons = 0;
  if (held & Qt::LeftButton) buttons |= BUTTON_LEFT;
  if (held & Qt::RightButton) buttons |= BUTTON_RIGHT;
  if (held & Qt::MiddleButton) buttons |= BUTTON_MIDDLE;
  return buttons;
}

}  // namespace

EditView::EditView(QWidget* parent) : QAbstractScrollArea(parent) {
  // Scroll bars stay visible and are greyed when the level fits the view.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAttribute(Qt::WA_NoSystemBackground);
  connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
          [this](int action) { scrollAction(true, action); });
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
          [this](int action) { scrollAction(false, action); });
}

void EditView::showPicture(const ViewPicture& picture) {
  // A view of the core's pixels: nothing is copied or converted here. The
  // view keeps a share of them for as long as it shows them.
  shownStore = picture.store;
  shownPicture = QImage(reinterpret_cast<const uchar*>(shownStore->data()), picture.width, picture.height,
                        qsizetype(picture.width) * 4, QImage::Format_RGB32);
  viewport()->update();
}

// The picture covers the view; only what lies beside it (while a resize is
// on its way to the core) is filled.
void EditView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QRect area = viewport()->rect();
  if (shownPicture.isNull()) {
    painter.fillRect(area, Qt::black);
    return;
  }
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(0, 0, shownPicture);
  if (shownPicture.width() < area.width())
    painter.fillRect(QRect(shownPicture.width(), 0, area.width() - shownPicture.width(), area.height()), Qt::black);
  if (shownPicture.height() < area.height())
    painter.fillRect(QRect(0, shownPicture.height(), std::min<int>(shownPicture.width(), area.width()),
                           area.height() - shownPicture.height()),
                     Qt::black);
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

void EditView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (!viewport()->rect().contains(at)) return;
  if (const int32_t button = buttonOf(event->button()))
    mousePress(at.x(), at.y(), button, modifiersOf(event->modifiers()));
}

// A drag that leaves the view paints nothing outside; the area tools hold
// their rectangle at the level's edge.
void EditView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (!viewport()->rect().contains(at) && gActiveTool != TOOL_RECTANGLE && gActiveTool != TOOL_SELECT) return;
  mouseMove(at.x(), at.y(), buttonsOf(event->buttons()));
}

// Releasing the button ends the stroke (the next press paints a new undo
// step) and finishes a rectangle, fill or selection.
void EditView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (const int32_t button = buttonOf(event->button())) mouseRelease(at.x(), at.y(), button);
}

// The wheel scrolls by cells: vertically, or horizontally with Shift held;
// with Ctrl held it zooms.
void EditView::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  const int32_t amount = delta.y() != 0 ? delta.y() : delta.x();
  if (amount == 0) return;
  event->accept();
  if (event->modifiers() & Qt::ControlModifier) {
    if (amount > 0) zoomIn();
    else zoomOut();
    return;
  }
  const bool horizontal = delta.x() != 0 || (event->modifiers() & Qt::ShiftModifier);
  const int32_t code = amount > 0 ? SCROLL_LINE_BACK : SCROLL_LINE_FORWARD;
  if (horizontal) scrollColumns(code);
  else scrollRows(code);
}

bool editorKeyPress(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left: scrollColumns(SCROLL_LINE_BACK); return true;
    case Qt::Key_Right: scrollColumns(SCROLL_LINE_FORWARD); return true;
    case Qt::Key_Up: scrollRows(SCROLL_LINE_BACK); return true;
    case Qt::Key_Down: scrollRows(SCROLL_LINE_FORWARD); return true;
    // Delete (which X11 also gives as the character 0x7F) erases, once.
    case Qt::Key_Delete: typeCharacter(DELETE_CHARACTER); return true;
    case Qt::Key_Escape: typeCharacter(ESCAPE_CHARACTER); return true;
    default: break;
  }
  // Keys held with Ctrl or Alt are shortcuts or nothing, never tiles.
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  const QString text = event->text();
  if (text.isEmpty()) return false;
  for (const QChar c : text) typeCharacter(int32_t(c.unicode()));
  return true;
}

}  // namespace gle
