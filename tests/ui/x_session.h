// SPDX-License-Identifier: GPL-3.0-or-later
// A real X display with a window manager (Xvfb + openbox) for tests that run the window
// program as a user does: stacking and focus are real, keys and the mouse come through xdotool.
#pragma once

#include <string>
#include <utility>

#include "support/child_process.h"
#include "support/x_display.h"

namespace uitest {

using testing_support::spawn;
using testing_support::waitExit;
using testing_support::waitUntil;

class XSession {
public:
    const std::string& missing() const { return display_.failure(); }
    const std::string& display() const { return display_.name(); }
    // Runs a shell command line with this display: exit status and output.
    std::pair<int, std::string> run(const std::string& command) const;
    // The id of a visible window whose title matches the regular expression, once there is one;
    // empty when none came within the time.
    std::string waitForWindow(const std::string& title, int milliseconds) const;
    // Types keys (xdotool names, "alt+e") into the focused window.
    void keys(const std::string& keys) const;

private:
    testing_support::XDisplay display_;
};

}  // namespace uitest
