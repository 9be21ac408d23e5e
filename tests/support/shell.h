// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a shell command for a test: its stdout and stderr together, and its exit status.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <sys/wait.h>

namespace testing_support {

inline std::pair<int, std::string> shell(const std::string& command)
{
    std::string out;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, out};
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    const int raw = ::pclose(pipe);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out};
}

}  // namespace testing_support
