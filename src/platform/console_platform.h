// SPDX-License-Identifier: GPL-3.0-or-later
// A platform for batch use: notices go to standard error, questions take their default.
#pragma once

#include "platform/platform.h"

namespace platform {

class ConsolePlatform : public Platform {
public:
    Answer messageBox(const std::string& caption, const std::string& text, Buttons buttons) override;
    void beep() override {}
    void statusText(int panel, const std::string& text) override;
    void debugOut(const std::string& text) override;
    bool startProgram(const std::string& program, const std::string& argument) override;
    bool openUrl(const std::string& url) override;
    // A batch run has no system clipboard; it keeps its own.
    std::string clipboardText() override { return clipboard_; }
    void setClipboardText(const std::string& text) override { clipboard_ = text; }

private:
    std::string clipboard_;
};

}  // namespace platform
