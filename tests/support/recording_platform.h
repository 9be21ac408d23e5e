// SPDX-License-Identifier: GPL-3.0-or-later
// A platform that records every message, beep and status text, and answers questions
// from a script, so commands can be tested without a window.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace testing_support {

class RecordingPlatform : public platform::Platform {
public:
    struct Message {
        std::string caption;
        std::string text;
        platform::Buttons buttons;
    };

    std::vector<Message> messages;
    std::vector<std::pair<int, std::string>> statusTexts;
    std::vector<std::string> debugLines;
    std::vector<std::string> startedPrograms;
    int beeps = 0;
    // Answers given to questions in turn; Ok / No when the script has run out.
    std::deque<platform::Answer> answers;

    platform::Answer messageBox(const std::string& caption, const std::string& text,
                                platform::Buttons buttons) override
    {
        messages.push_back({caption, text, buttons});
        if (!answers.empty()) {
            auto a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == platform::Buttons::Ok ? platform::Answer::Ok : platform::Answer::No;
    }
    void beep() override { ++beeps; }
    void statusText(int panel, const std::string& text) override { statusTexts.emplace_back(panel, text); }
    void debugOut(const std::string& text) override { debugLines.push_back(text); }
    bool startProgram(const std::string& program, const std::string& argument) override
    {
        startedPrograms.push_back(program + " " + argument);
        return true;
    }
    bool openUrl(const std::string&) override { return true; }
    std::string clipboardText() override { return clipboard; }
    void setClipboardText(const std::string& text) override { clipboard = text; }
    std::string clipboard;

    bool saidText(const std::string& text) const
    {
        for (const auto& m : messages)
            if (m.text == text) return true;
        return false;
    }
};

}  // namespace testing_support
