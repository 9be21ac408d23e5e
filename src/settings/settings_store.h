// SPDX-License-Identifier: GPL-3.0-or-later
// Reading every setting from the ini file into settings::Settings, and writing back the ones
// the program keeps between runs.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "settings/ini_file.h"
#include "settings/settings.h"

namespace settings {

inline constexpr const char* kSectionDraftEnv = "DraftEnv";
inline constexpr const char* kSectionPardo7 = "pardo7";
inline constexpr const char* kSectionEnvironment = "Environment";
inline constexpr const char* kSectionDraft = "DRAFT";
inline constexpr const char* kSectionPosition = "Position";
inline constexpr const char* kSectionCheck = "Check";

// Value texts as they are stored: reals in the shortest form that reads back to the same
// number (plain digits from 1e-5 up to 1e15, exponent form outside), bools as "0" / "1".
std::string formatReal(double value);
std::string formatInt(int value);
std::string formatBool(bool value);

std::string ReadSetting(const IniFile& ini, std::string_view section, std::string_view key, std::string_view fallback);
bool WriteSetting(IniFile& ini, std::string_view section, std::string_view key, std::string_view value);

// Fills every stored setting from the document, each key converted to its type; a missing key
// keeps its default. Values that do not convert, or that lie outside what the program can use
// (a title number beyond the title table, a scale of 0, ...), keep their defaults and are
// listed together in one message. The fixed values that are not stored are set too. RodKind
// belongs to the section dialog and is left as it was.
//
// Applying the geometry to the main window, the menu check marks and rebuilding the grid
// names (model::makeGridNames with settings.draft.gridNaming) are the caller's part.
void loadSettingsInto(const IniFile& ini, Settings& settings, platform::Platform& platform);

// Re-reads the file (so that changes written meanwhile are seen), then loadSettingsInto. A file
// that is there but cannot be read is reported, and the defaults are used.
void LoadSettings(IniFile& ini, Settings& settings, platform::Platform& platform);

// Writes the display switches, the CAD program, the window geometry (settings.position, which
// the caller brings up to date with the window first) and the drawing scales, in one write of
// the file. A failure is reported once; false then.
bool SaveSettings(IniFile& ini, const Settings& settings, platform::Platform& platform);

// Writes every key of section DraftEnv (what the draft settings dialog confirms), in one write
// of the file; reported like SaveSettings.
bool WriteDraftEnv(IniFile& ini, const Settings& settings, platform::Platform& platform);

}  // namespace settings
