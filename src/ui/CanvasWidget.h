// SPDX-License-Identifier: GPL-3.0-or-later
// The widget that shows a QtCanvas and hands its mouse, wheel and size changes on as the
// editor's event structs.
#pragma once

#include <QWidget>

#include "editor/editor_state.h"
#include "ui/QtCanvas.h"

namespace ui {

class CanvasEvents {
public:
    virtual ~CanvasEvents() = default;
    virtual void canvasMouseDown(const editor::MouseEvent& event) = 0;
    virtual void canvasMouseMove(const editor::MouseEvent& event) = 0;
    virtual void canvasMouseUp(const editor::MouseEvent& event) = 0;
    // One notch away from the user is +120.
    virtual void canvasWheel(int delta) = 0;
    // The image has already been given the widget's new size.
    virtual void canvasResized() = 0;
    // A key pressed while the canvas has the focus; true when it was used.
    virtual bool canvasKey(editor::Key) { return false; }
};

class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWidget(QtCanvas& canvas, QWidget* parent = nullptr);
    void setEvents(CanvasEvents* events) { events_ = events; }
    QtCanvas& canvas() { return canvas_; }

    static editor::MouseButton buttonOf(Qt::MouseButton button);
    static editor::Key keyOf(int qtKey);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    editor::MouseEvent toEvent(const QMouseEvent& event, editor::MouseButton button) const;

    QtCanvas& canvas_;
    CanvasEvents* events_ = nullptr;
    int wheelRest_ = 0;
};

}  // namespace ui
