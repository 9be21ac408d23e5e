// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop tests do as a user: wait for a window, act on the next modal dialog of a
// kind, make the default grid through its dialog.
#pragma once

#include <functional>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include "ui/TfrmBaseLine.h"
#include "ui_harness.h"
#include "x_session.h"

namespace desktop {

// True as soon as `done` holds, false after `milliseconds`.
inline bool waitFor(const std::function<bool()>& done, int milliseconds = 20000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > milliseconds) return false;
        uitest::processEvents(20);
    }
    return true;
}

// Runs `act` on the next modal dialog of type T (that `which` accepts) once the window manager
// has placed it and given it the focus: a click or key sent while it is merely shown lands
// beside it on a busy machine, and the dialog then waits for ever. Gives up after 30 s.
// Deleting the timer it returns calls the watch off.
template <typename T>
QTimer* whenModal(std::function<void(T&)> act, std::function<bool(T&)> which = {})
{
    auto* timer = new QTimer;
    QElapsedTimer elapsed, focused;
    elapsed.start();
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, focused, act, which]() mutable {
        T* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (modal && which && !which(*modal)) modal = nullptr;
        const bool ready = modal && modal->isVisible() && QApplication::activeWindow() == modal;
        if (!ready) focused.invalidate();
        else if (!focused.isValid()) focused.start();
        // A moment after the focus came, so the placement the window manager made has reached us.
        const bool settled = ready && focused.elapsed() >= 150;
        if (!settled && elapsed.elapsed() < 30000) return;
        timer->stop();
        timer->deleteLater();
        if (modal) act(*modal);
    });
    timer->start(20);
    return timer;
}

// The grid dialog's defaults, confirmed with its OK button.
inline void makeGrid(uitest::Harness& h)
{
    whenModal<ui::TfrmBaseLine>([](ui::TfrmBaseLine& grid) { click(*grid.btnOK); });
    h.window->action(QStringLiteral("mnuEditGrid"))->trigger();
}

}  // namespace desktop
