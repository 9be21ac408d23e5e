// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CanvasWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace ui {

CanvasWidget::CanvasWidget(QtCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);
}

editor::MouseButton CanvasWidget::buttonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return editor::MouseButton::Left;
    case Qt::RightButton: return editor::MouseButton::Right;
    case Qt::MiddleButton: return editor::MouseButton::Middle;
    default: return editor::MouseButton::None;
    }
}

editor::Key CanvasWidget::keyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Shift: return editor::Key::Shift;
    case Qt::Key_Escape: return editor::Key::Escape;
    case Qt::Key_Space: return editor::Key::Space;
    case Qt::Key_PageUp: return editor::Key::PageUp;
    case Qt::Key_PageDown: return editor::Key::PageDown;
    case Qt::Key_Home: return editor::Key::Home;
    case Qt::Key_Left: return editor::Key::Left;
    case Qt::Key_Up: return editor::Key::Up;
    case Qt::Key_Right: return editor::Key::Right;
    case Qt::Key_Down: return editor::Key::Down;
    case Qt::Key_Delete: return editor::Key::Delete;
    default: return editor::Key::Other;
    }
}

void CanvasWidget::keyPressEvent(QKeyEvent* event)
{
    if (events_ && events_->canvasKey(keyOf(event->key()))) return;
    QWidget::keyPressEvent(event);
}

editor::MouseEvent CanvasWidget::toEvent(const QMouseEvent& event, editor::MouseButton button) const
{
    const QPoint p = event.position().toPoint();
    editor::MouseEvent e;
    e.button = button;
    e.point = {p.x(), p.y()};
    e.shift = event.modifiers().testFlag(Qt::ShiftModifier);
    return e;
}

void CanvasWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QImage& image = canvas_.image();
    p.drawImage(0, 0, image);
    // Whatever the image does not cover (between a resize and the next redraw) stays white.
    if (image.width() < width()) p.fillRect(image.width(), 0, width() - image.width(), height(), Qt::white);
    if (image.height() < height()) p.fillRect(0, image.height(), width(), height() - image.height(), Qt::white);
}

void CanvasWidget::resizeEvent(QResizeEvent*)
{
    canvas_.resize(width(), height());
    if (events_) events_->canvasResized();
    update();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event)
{
    const editor::MouseButton b = buttonOf(event->button());
    if (b == editor::MouseButton::None) return;
    setFocus(Qt::MouseFocusReason);
    if (events_) events_->canvasMouseDown(toEvent(*event, b));
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is an ordinary press for the editor.
    mousePressEvent(event);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event)
{
    editor::MouseButton held = editor::MouseButton::None;
    if (event->buttons().testFlag(Qt::LeftButton))
        held = editor::MouseButton::Left;
    else if (event->buttons().testFlag(Qt::RightButton))
        held = editor::MouseButton::Right;
    else if (event->buttons().testFlag(Qt::MiddleButton))
        held = editor::MouseButton::Middle;
    if (events_) events_->canvasMouseMove(toEvent(*event, held));
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const editor::MouseButton b = buttonOf(event->button());
    if (b == editor::MouseButton::None) return;
    if (events_) events_->canvasMouseUp(toEvent(*event, b));
}

void CanvasWidget::wheelEvent(QWheelEvent* event)
{
    // Fine-grained wheels and touch pads send small steps; the view zooms once per notch.
    wheelRest_ += event->angleDelta().y();
    while (events_ && (wheelRest_ >= 120 || wheelRest_ <= -120)) {
        const int notch = wheelRest_ > 0 ? 120 : -120;
        wheelRest_ -= notch;
        events_->canvasWheel(notch);
    }
    event->accept();
}

}  // namespace ui
