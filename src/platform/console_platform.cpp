// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/console_platform.h"

#include <cstdio>

namespace platform {

Answer ConsolePlatform::messageBox(const std::string& caption, const std::string& text, Buttons buttons)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    // Batch runs never answer "yes" to a question on their own.
    return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
}

void ConsolePlatform::statusText(int panel, const std::string& text)
{
    // Only the message panel carries something a batch user must see.
    if (panel == kStatusMessage && !text.empty()) std::fprintf(stderr, "%s\n", text.c_str());
}

void ConsolePlatform::debugOut(const std::string&) {}

bool ConsolePlatform::startProgram(const std::string&, const std::string&) { return false; }

bool ConsolePlatform::openUrl(const std::string&) { return false; }

}  // namespace platform
