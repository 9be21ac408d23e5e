// SPDX-License-Identifier: GPL-3.0-or-later
// The 3-D view window: a white panel with the wire-frame image and a close button. It stays
// above the main window without blocking it; the picture and its mouse rules live in
// editor::View3D.
#pragma once

#include <functional>

#include <QDialog>

#include "editor/view3d.h"
#include "platform/feature_ports.h"
#include "session/session.h"
#include "ui/CanvasWidget.h"
#include "ui/QtCanvas.h"

class QFrame;
class QPushButton;

namespace ui {

class Tfrm3DView : public QDialog, public platform::View3DPort, private CanvasEvents {
    Q_OBJECT
public:
    explicit Tfrm3DView(const model::Session& session, QWidget* parent = nullptr);

    // View3DPort (the same call as QWidget's, so show() and hide() come here too).
    void setVisible(bool visible) override;
    void reload() override;
    // Told when the user closes the window (button, close box or Escape).
    void setClosedHandler(std::function<void()> handler) { closed_ = std::move(handler); }

    editor::View3D& view() { return view_; }
    QtCanvas& canvas() { return canvas_; }

    QFrame* pnl3d;
    CanvasWidget* img3d;
    QPushButton* btnClose;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void canvasMouseDown(const editor::MouseEvent& event) override;
    void canvasMouseMove(const editor::MouseEvent& event) override;
    void canvasMouseUp(const editor::MouseEvent& event) override;
    void canvasWheel(int delta) override;
    void canvasResized() override;
    void repaintImage();

    const model::Session& session_;
    editor::View3D view_;
    QtCanvas canvas_;
    std::function<void()> closed_;
};

}  // namespace ui
