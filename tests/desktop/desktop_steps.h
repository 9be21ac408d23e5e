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
inline bool waitFor(const std::function<bool()>& done, int milliseconds = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > milliseconds) return false;
        uitest::processEvents(20);
    }
    return true;
}

// Runs `act` on the next modal dialog of type T (that `which` accepts) once it is shown;
// gives up after 10 s. Deleting the timer it returns calls the watch off.
template <typename T>
QTimer* whenModal(std::function<void(T&)> act, std::function<bool(T&)> which = {})
{
    auto* timer = new QTimer;
    QElapsedTimer elapsed;
    elapsed.start();
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, act, which] {
        T* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (modal && which && !which(*modal)) modal = nullptr;
        if ((!modal || !modal->isVisible()) && elapsed.elapsed() < 10000) return;
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
