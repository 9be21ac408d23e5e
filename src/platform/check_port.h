// SPDX-License-Identifier: GPL-3.0-or-later
// The detailing check report (配筋チェック), opened from the drawing menu.
#pragma once

namespace platform {

class CheckWindowPort {
public:
    virtual ~CheckWindowPort() = default;
    // Checks every section of the open project and shows the findings (modeless).
    virtual void showChecks() = 0;
};

}  // namespace platform
