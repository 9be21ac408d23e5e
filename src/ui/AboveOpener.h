// SPDX-License-Identifier: GPL-3.0-or-later
// Every dialog and message box opens above the window the user is working in, with the focus.
// A dialog that belongs to the main window would open behind a stay-on-top window that asked
// for it (the section dialog, the keypad), and that window would then wait for an answer the
// user cannot see.
#pragma once

#include <QPointer>
#include <QWidget>

namespace ui {

// The window a new dialog belongs above: the modal dialog in front, else the active window,
// else the window of `fallback`.
QWidget* openerWindow(QWidget* fallback);

// While it lives, `dialog` is a window of the opener (so the window manager keeps it above
// that window) and stays on top when the opener does; its own parent comes back afterwards.
class AboveOpener {
public:
    explicit AboveOpener(QWidget& dialog);
    ~AboveOpener();
    AboveOpener(const AboveOpener&) = delete;
    AboveOpener& operator=(const AboveOpener&) = delete;

private:
    QWidget& dialog_;
    QPointer<QWidget> parent_;
    Qt::WindowFlags flags_;
    bool moved_ = false;
};

}  // namespace ui
