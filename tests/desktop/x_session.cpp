// SPDX-License-Identifier: GPL-3.0-or-later
#include "x_session.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "ui_harness.h"

namespace desktop {

namespace {

// Starts a program that ends with this one; `keepFd` stays open in it.
pid_t spawn(std::vector<std::string> args, int keepFd = -1)
{
    const pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    for (int fd = 3; fd < 256; ++fd)
        if (fd != keepFd) close(fd);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

std::string output(const std::string& command)
{
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), p)) > 0) out.append(buffer.data(), n);
        pclose(p);
    }
    return out;
}

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

class XSession : public ::testing::Environment {
public:
    void SetUp() override
    {
        int fds[2];
        if (pipe(fds) != 0) throw std::runtime_error("pipe");
        server_ = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten",
                         "tcp"},
                        fds[1]);
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        setenv("DISPLAY", (":" + number).c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        unsetenv("WAYLAND_DISPLAY");
        // The manager is there when it has announced itself on the root window; one that ended
        // at once (a display not yet taking clients) is started again.
        int status = 0;
        for (int i = 0; i < 600; ++i) {  // up to 30 s on a busy machine
            if (manager_ <= 0 || waitpid(manager_, &status, WNOHANG) == manager_)
                manager_ = spawn({"openbox", "--sm-disable"});
            if (output("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null").find("window id") != std::string::npos)
                return;
            usleep(50000);
        }
        FAIL() << "openbox did not start (last status " << status << ")";
    }
    void TearDown() override
    {
        for (pid_t pid : {manager_, server_}) {
            if (pid <= 0) continue;
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }

private:
    pid_t server_ = -1;
    pid_t manager_ = -1;
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
