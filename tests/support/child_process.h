// SPDX-License-Identifier: GPL-3.0-or-later
// Other programs a test starts (an X server, a window manager, the window program itself): they
// end with the test program, so a test that fails midway leaves none of them running.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testing_support {

// Starts a program with extra NAME=VALUE environment entries; its output goes to `log`.
// Of this program's open files only `keepFd` is passed on.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
            const std::string& log = "/dev/null", int keepFd = -1);
// Its exit status once it has ended (128 + signal when killed), or -1 when it did not end within the time.
int waitExit(pid_t pid, int milliseconds);
// Ends it: SIGTERM, then SIGKILL when it is still there after 3 s.
void stop(pid_t pid);
// Polls until the condition holds; false when the time ran out.
bool waitUntil(const std::function<bool()>& condition, int milliseconds);

}  // namespace testing_support
