// SPDX-License-Identifier: GPL-3.0-or-later
#include "x_session.h"

#include <cstdlib>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "support/shell.h"
#include "support/x_display.h"
#include "ui_harness.h"

namespace desktop {

namespace {

std::string output(const std::string& command) { return testing_support::shell(command).second; }

std::vector<unsigned long> windowIds(const std::string& text)
{
    std::vector<unsigned long> ids;
    const size_t hash = text.find('#');
    if (hash == std::string::npos) return ids;
    std::istringstream in(text.substr(hash + 1));
    std::string word;
    while (in >> word) {
        if (!word.empty() && word.back() == ',') word.pop_back();
        ids.push_back(std::stoul(word, nullptr, 16));
    }
    return ids;
}

void run(const std::string& command)
{
    if (std::system(command.c_str()) != 0) ADD_FAILURE() << "failed: " << command;
}

// The display is this whole program's: Qt connects to it at the first window.
class XSession : public ::testing::Environment {
public:
    void SetUp() override
    {
        display_ = std::make_unique<testing_support::XDisplay>();
        ASSERT_TRUE(display_->failure().empty()) << display_->failure();
        setenv("DISPLAY", display_->name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        unsetenv("WAYLAND_DISPLAY");
    }
    void TearDown() override { display_.reset(); }

private:
    std::unique_ptr<testing_support::XDisplay> display_;
};

[[maybe_unused]] const auto* const session = ::testing::AddGlobalTestEnvironment(new XSession);

}  // namespace

std::vector<unsigned long> stacking() { return windowIds(output("xprop -root _NET_CLIENT_LIST_STACKING")); }

unsigned long activeWindow()
{
    const auto ids = windowIds(output("xprop -root _NET_ACTIVE_WINDOW"));
    return ids.empty() ? 0 : ids.front();
}

bool cameAbove(const QWidget& upper, const QWidget& lower, int milliseconds)
{
    const unsigned long up = upper.winId(), low = lower.winId();
    QElapsedTimer t;
    t.start();
    do {
        uitest::processEvents(50);
        const auto order = stacking();
        size_t iUp = order.size(), iLow = order.size();
        for (size_t i = 0; i < order.size(); ++i) {
            if (order[i] == up) iUp = i;
            if (order[i] == low) iLow = i;
        }
        if (iUp < order.size() && iLow < order.size() && iUp > iLow && activeWindow() == up &&
            QApplication::activeWindow() == &upper)
            return true;
    } while (t.elapsed() < milliseconds);
    return false;
}

void click(const QWidget& widget) { click(widget, widget.rect().center()); }

void click(const QWidget& widget, QPoint at, int button)
{
    const QPoint p = widget.mapToGlobal(at);
    run("xdotool mousemove --sync " + std::to_string(p.x()) + " " + std::to_string(p.y()) + " click " +
        std::to_string(button));
}

void typeText(const std::string& text) { run("xdotool type --delay 20 '" + text + "'"); }

void pressKey(const std::string& keysym) { run("xdotool key " + keysym); }

}  // namespace desktop
