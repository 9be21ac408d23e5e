// SPDX-License-Identifier: GPL-3.0-or-later
// A real X display for window tests: Xvfb on a display number of its own choosing (-displayfd,
// so parallel test programs never share one) and the openbox window manager on it, so stacking
// and focus are real. Both end with the object (or with the test program).
#pragma once

#include <string>
#include <sys/types.h>

namespace testing_support {

class XDisplay {
public:
    // Starts the server and the window manager; failure() says why when they could not start.
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    const std::string& failure() const { return failure_; }
    // ":N", the value for DISPLAY.
    const std::string& name() const { return name_; }

private:
    void startServer();
    void startManager();

    pid_t server_ = -1;
    pid_t manager_ = -1;
    std::string name_;
    std::string failure_;
};

}  // namespace testing_support
