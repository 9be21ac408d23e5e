// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AboveOpener.h"

#include <QApplication>

namespace ui {

QWidget* openerWindow(QWidget* fallback)
{
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return fallback ? fallback->window() : nullptr;
}

AboveOpener::AboveOpener(QWidget& dialog)
    : dialog_(dialog), parent_(dialog.parentWidget()), flags_(dialog.windowFlags())
{
    QWidget* opener = openerWindow(parent_);
    if (!opener || opener == &dialog || (parent_ && opener == parent_->window())) return;
    Qt::WindowFlags flags = flags_;
    if (opener->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) flags |= Qt::WindowStaysOnTopHint;
    dialog.setParent(opener, flags);
    moved_ = true;
}

AboveOpener::~AboveOpener()
{
    if (!moved_) return;
    const bool shown = dialog_.isVisible();
    dialog_.setParent(parent_, flags_);
    if (shown) dialog_.show();
}

}  // namespace ui
