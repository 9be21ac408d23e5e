// SPDX-License-Identifier: GPL-3.0-or-later
// What the core asks of the window system. The Qt program, the command-line tool and the
// tests each give their own implementation.
#pragma once

#include <string>

namespace platform {

// YesNoDefaultNo: a question whose Yes throws work away; Enter answers No.
enum class Buttons { Ok, YesNo, YesNoCancel, YesNoDefaultNo };
enum class Answer { Ok, Yes, No, Cancel };

// Panels of the main window's status bar, counted from 0.
inline constexpr int kStatusCount = 0;
inline constexpr int kStatusMessage = 5;

class Platform {
public:
    virtual ~Platform() = default;
    virtual Answer messageBox(const std::string& caption, const std::string& text, Buttons buttons) = 0;
    virtual void beep() = 0;
    virtual void statusText(int panel, const std::string& text) = 0;
    virtual void debugOut(const std::string& text) = 0;
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool startProgram(const std::string& program, const std::string& argument) = 0;
    virtual bool openUrl(const std::string& url) = 0;
    // The clipboard as UTF-8 text (empty when it holds no text).
    virtual std::string clipboardText() = 0;
    virtual void setClipboardText(const std::string& text) = 0;
};

// The caption of every question and notice.
inline const std::string kConfirmCaption = "確認";

}  // namespace platform
