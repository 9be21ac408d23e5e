// SPDX-License-Identifier: GPL-3.0-or-later
#include "x_session.h"

#include "support/shell.h"

namespace uitest {

std::pair<int, std::string> XSession::run(const std::string& command) const
{
    return testing_support::shell("DISPLAY=" + display() + " " + command);
}

std::string XSession::waitForWindow(const std::string& title, int milliseconds) const
{
    std::string id;
    // A search can fail while windows come and go; it is simply asked again.
    waitUntil([&] {
        const auto [status, out] = run("xdotool search --onlyvisible --name '" + title + "'");
        if (status != 0) return false;
        id = out.substr(0, out.find('\n'));
        return !id.empty() && id.find_first_not_of("0123456789") == std::string::npos;
    }, milliseconds);
    return id;
}

void XSession::keys(const std::string& keys) const { run("xdotool key --delay 100 " + keys); }

}  // namespace uitest
