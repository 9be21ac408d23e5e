// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Tfrm3DView.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

Tfrm3DView::Tfrm3DView(const model::Session& session, QWidget* parent)
    : QDialog(parent), session_(session), canvas_(640, 480)
{
    setObjectName(QStringLiteral("frm3DView"));
    setWindowTitle(QStringLiteral("3Dview"));
    setModal(false);
    setSizeGripEnabled(true);

    pnl3d = new QFrame(this);
    pnl3d->setObjectName(QStringLiteral("pnl3d"));
    pnl3d->setAutoFillBackground(true);
    QPalette white = pnl3d->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnl3d->setPalette(white);
    img3d = new CanvasWidget(canvas_, pnl3d);
    img3d->setObjectName(QStringLiteral("img3d"));
    img3d->setEvents(this);
    auto* panel = new QVBoxLayout(pnl3d);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(img3d);

    btnClose = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pnl3d, 1);
    layout->addLayout(buttons);
    resize(640, 520);
}

void Tfrm3DView::setVisible(bool visible) { QDialog::setVisible(visible); }

void Tfrm3DView::reload()
{
    if (!isVisible()) return;
    view_.load(session_.store, session_.view);
    view_.show(canvas_);
    repaintImage();
}

void Tfrm3DView::closeEvent(QCloseEvent* event)
{
    // Not QDialog's handler: that one rejects, and rejecting closes this view.
    event->accept();
    hide();
    if (closed_) closed_();
}

// Escape hides a dialog without a close event; it closes the view like the button.
void Tfrm3DView::reject() { close(); }

void Tfrm3DView::canvasMouseDown(const editor::MouseEvent& event) { view_.press(event.point.x, event.point.y); }

void Tfrm3DView::canvasMouseMove(const editor::MouseEvent& event)
{
    if (view_.move(canvas_, event.point.x, event.point.y)) repaintImage();
}

void Tfrm3DView::canvasMouseUp(const editor::MouseEvent&) { view_.release(); }

void Tfrm3DView::canvasWheel(int delta)
{
    view_.wheel(canvas_, delta);
    repaintImage();
}

void Tfrm3DView::canvasResized()
{
    if (!isVisible()) return;
    view_.show(canvas_);
    repaintImage();
}

void Tfrm3DView::repaintImage() { img3d->update(); }

}  // namespace ui
