// SPDX-License-Identifier: GPL-3.0-or-later
// The ini sections in which dialogs remember their last entries ("BaseLine", "PCopy", ...).
#pragma once

#include <string>

#include <QString>

#include "platform/platform.h"
#include "settings/ini_file.h"

namespace ui {

class DialogMemory {
public:
    DialogMemory(settings::IniFile& ini, platform::Platform& platform, std::string section)
        : ini_(ini), platform_(platform), section_(std::move(section))
    {
    }

    QString read(const std::string& key, const QString& fallback) const;
    // A failed write is traced, not shown: losing a remembered entry harms nothing.
    void write(const std::string& key, const QString& value);
    settings::IniFile& ini() { return ini_; }

private:
    settings::IniFile& ini_;
    platform::Platform& platform_;
    std::string section_;
};

}  // namespace ui
