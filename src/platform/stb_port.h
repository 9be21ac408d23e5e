// SPDX-License-Identifier: GPL-3.0-or-later
// The report window of the ST-Bridge import and export: lines the user can read and copy.
#pragma once

#include <string>
#include <vector>

namespace platform {

class StbReportPort {
public:
    virtual ~StbReportPort() = default;
    // Modal; one item a line.
    virtual void showStbReport(const std::string& caption, const std::vector<std::string>& lines) = 0;
};

}  // namespace platform
