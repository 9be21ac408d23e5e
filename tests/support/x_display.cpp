// SPDX-License-Identifier: GPL-3.0-or-later
#include "x_display.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "child_process.h"
#include "shell.h"

namespace testing_support {

namespace {

constexpr int startMilliseconds = 30000;  // a busy machine can take this long

}  // namespace

XDisplay::XDisplay()
{
    // xdotool is not needed here, but every window test acts through it.
    for (const char* program : {"Xvfb", "openbox", "xprop", "xdotool"})
        if (shell(std::string("command -v ") + program).first != 0)
            failure_ += std::string(failure_.empty() ? "" : ", ") + program;
    if (!failure_.empty()) {
        failure_ += " not installed";
        return;
    }
    startServer();
    if (failure_.empty()) startManager();
}

XDisplay::~XDisplay()
{
    stop(manager_);
    stop(server_);
}

void XDisplay::startServer()
{
    // Xvfb picks a free display and writes its number to the pipe.
    int fds[2];
    if (::pipe(fds) != 0) {
        failure_ = "no pipe";
        return;
    }
    server_ = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"},
                    {}, "/dev/null", fds[1]);
    ::close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (::poll(&p, 1, startMilliseconds) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(fds[0]);
    if (number.empty())
        failure_ = "Xvfb did not start";
    else
        name_ = ":" + number;
}

void XDisplay::startManager()
{
    // The manager is there when it has announced itself on the root window; one that ended at
    // once (a display not yet taking clients) is started again.
    int status = 0;
    const bool up = waitUntil(
        [&] {
            if (manager_ <= 0 || ::waitpid(manager_, &status, WNOHANG) == manager_)
                manager_ = spawn({"openbox", "--sm-disable"}, {"DISPLAY=" + name_});
            return shell("DISPLAY=" + name_ + " xprop -root _NET_SUPPORTING_WM_CHECK").second.find("window id") !=
                   std::string::npos;
        },
        startMilliseconds);
    if (!up) failure_ = "openbox did not start (last status " + std::to_string(status) + ")";
}

}  // namespace testing_support
