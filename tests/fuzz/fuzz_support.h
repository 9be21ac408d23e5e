// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzz target shares: the entry points, a platform that stays silent, and the
// check that stops on a broken rule. The targets run under libFuzzer (clang, -DTESSMAR_FUZZ=ON)
// and are replayed over the corpus and the crash inputs by the normal test build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace model {
class Session;
}

namespace fuzz {

// One entry per reader of outside input. Each returns 0, as libFuzzer wants.
int fuzzProject(const uint8_t* data, size_t size);       // a .kel file
int fuzzIni(const uint8_t* data, size_t size);           // the settings file
int fuzzSpec(const uint8_t* data, size_t size);          // a section's secSpec string and its notations
int fuzzSectionLists(const uint8_t* data, size_t size);  // both section lists drawn from a .kel file
int fuzzSectionCsv(const uint8_t* data, size_t size);    // a section CSV file
int fuzzSs2Paste(const uint8_t* data, size_t size);      // SS2 table text pasted at a cell
int fuzzStb(const uint8_t* data, size_t size);           // an ST-Bridge file
int fuzzDrawings(const uint8_t* data, size_t size);      // framing, rebar drawings and quantities of a .kel file

struct Target {
    const char* name;  // the folder of its corpus and crash inputs
    int (*run)(const uint8_t*, size_t);
};
inline constexpr Target kTargets[] = {
    {"project", fuzzProject},
    {"ini", fuzzIni},
    {"spec", fuzzSpec},
    {"section_lists", fuzzSectionLists},
    {"section_csv", fuzzSectionCsv},
    {"ss2_paste", fuzzSs2Paste},
    {"stb", fuzzStb},
    {"drawings", fuzzDrawings},
};

// Stops the run (libFuzzer records the input as a crash) when a rule does not hold.
void check(bool holds, const char* rule);
void check(bool holds, const char* rule, std::string_view detail);

// The DXF file of what the session's drawing store holds is well formed and ends with EOF.
void checkDrawingDxf(model::Session& session, const char* what);

class QuietPlatform : public platform::Platform {
public:
    platform::Answer messageBox(const std::string&, const std::string&, platform::Buttons) override
    {
        return platform::Answer::No;
    }
    void beep() override {}
    void statusText(int, const std::string&) override {}
    void debugOut(const std::string&) override {}
    bool startProgram(const std::string&, const std::string&) override { return false; }
    bool openUrl(const std::string&) override { return false; }
    std::string clipboardText() override { return ""; }
    void setClipboardText(const std::string&) override {}
};

inline std::string_view bytesOf(const uint8_t* data, size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fuzz
