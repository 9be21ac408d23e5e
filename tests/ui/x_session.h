// SPDX-License-Identifier: GPL-3.0-or-later
// A real X display with a window manager (Xvfb + openbox) for tests that run the window
// program as a user does: stacking and focus are real, keys and the mouse come through xdotool.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace uitest {

class XSession {
public:
    // Starts the display and the window manager; missing() says why when they could not start.
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    const std::string& missing() const { return missing_; }
    const std::string& display() const { return display_; }
    // Runs a shell command line with this display: exit status and output.
    std::pair<int, std::string> run(const std::string& command) const;
    // The id of a visible window whose title matches the regular expression, once there is one;
    // empty when none came within the time.
    std::string waitForWindow(const std::string& title, int milliseconds) const;
    // Types keys (xdotool names, "alt+e") into the focused window.
    void keys(const std::string& keys) const;

private:
    pid_t xvfb_ = -1;
    pid_t wm_ = -1;
    std::string display_;
    std::string missing_;
};

// Starts a program with extra NAME=VALUE environment entries; its output goes to log.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& log);
// Its exit status once it has ended, or -1 when it did not end within the time.
int waitExit(pid_t pid, int milliseconds);
// Polls until the condition holds; false when the time ran out.
bool waitUntil(const std::function<bool()>& condition, int milliseconds);

}  // namespace uitest
