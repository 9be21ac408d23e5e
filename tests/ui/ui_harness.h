// SPDX-License-Identifier: GPL-3.0-or-later
// Shared set-up of the window tests: one offscreen QApplication, a main window on its own
// session and settings file, scripted answers for message boxes, file dialogs and modal
// dialogs.
#pragma once

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include "session/session.h"
#include "settings/ini_file.h"
#include "support/temp_dir.h"
#include "ui/QtCanvas.h"
#include "ui/QtPlatform.h"
#include "ui/QtTranslations.h"
#include "ui/TfrmTessmar.h"

namespace uitest {

inline QApplication& app()
{
    static QApplication* instance = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        auto* a = new QApplication(argc, argv);
        ui::installFontSubstitutions();
        ui::installJapaneseTranslations(*a);
        return a;
    }();
    return *instance;
}

inline void processEvents(int milliseconds = 0)
{
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    } while (t.elapsed() < milliseconds);
}

// Runs `act` on the next modal dialog as soon as its event loop runs (gives up after 5 s).
inline void onNextModal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    auto* elapsed = new QElapsedTimer;
    elapsed->start();
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && elapsed->elapsed() < 5000) return;
        timer->stop();
        timer->deleteLater();
        delete elapsed;
        if (modal) act(modal);
    });
    timer->start(10);
}

using testing_support::TempDir;

struct Message {
    std::string caption;
    std::string text;
    platform::Buttons buttons;
};

// A main window with everything it needs, as the program builds it.
struct Harness {
    TempDir dir;
    ui::QtPlatform platform;
    std::vector<Message> messages;
    std::deque<platform::Answer> answers;
    std::vector<std::string> openedUrls;
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<std::string> fileRequests;
    settings::IniFile ini;
    model::Session session;
    std::unique_ptr<ui::TfrmTessmar> window;

    explicit Harness(std::vector<std::string> arguments = {})
        : ini((app(), dir.path() / "tessmar.ini")), session(platform, TESSMAR_BUILD_DIR)
    {
        platform.setMessageHook([this](const std::string& caption, const std::string& text, platform::Buttons b) {
            messages.push_back({caption, text, b});
            if (!answers.empty()) {
                const auto a = answers.front();
                answers.pop_front();
                return a;
            }
            return b == platform::Buttons::Ok ? platform::Answer::Ok : platform::Answer::No;
        });
        platform.setUrlHook([this](const std::string& url) {
            openedUrls.push_back(url);
            return true;
        });
        window = std::make_unique<ui::TfrmTessmar>(session, platform, ini, arguments);
        window->fileDialogs().setHook(
            [this](ui::QtFileDialogs::Kind, const std::string&, const std::string& initial) -> std::optional<std::string> {
                fileRequests.push_back(initial);
                if (fileAnswers.empty()) return std::nullopt;
                auto a = fileAnswers.front();
                fileAnswers.pop_front();
                return a;
            });
        window->resize(900, 700);
        window->show();
        for (int i = 0; i < 200 && !window->started(); ++i) processEvents(5);
    }

    editor::Dispatcher& d() { return window->dispatcher(); }

    bool said(const std::string& text) const
    {
        for (const auto& m : messages)
            if (m.text == text) return true;
        return false;
    }

    // A real mouse event on the canvas widget, at a canvas pixel.
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button)
    {
        QWidget* canvas = window->imgKel;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent ev(type, QPointF(at), canvas->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(canvas, &ev);
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseMove, at, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, at, button);
        mouse(QEvent::MouseButtonRelease, at, button);
    }
    // The canvas pixel of a world point in the current view.
    QPoint pixelOf(double x, double y)
    {
        editor::PixelPoint p;
        d().transform().ToPixel(x, y, p);
        return {p.x, p.y};
    }
};

}  // namespace uitest
