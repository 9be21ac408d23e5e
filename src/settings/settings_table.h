// SPDX-License-Identifier: GPL-3.0-or-later
// Every key of the settings file, described once: where it is stored, which field of Settings
// holds it, its type and the values the program can use, and who writes it. The loader, the
// saver, the draft settings dialog and the tests all walk this table.
#pragma once

#include <climits>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "settings/settings.h"

namespace settings {

// The field a key is read into; the pointer type is the key's type (int, real, bool, text).
using SettingField = std::variant<int*, double*, bool*, std::string*>;

struct SettingKey {
    const char* section = "";
    std::string key;
    std::function<SettingField(Settings&)> field;
    // Usable values: integers lo..hi; reals above 0 when positive.
    int lo = INT_MIN;
    int hi = INT_MAX;
    bool positive = false;
    // Place in SaveSettings' order of writing, from 1; 0 when SaveSettings leaves the key alone.
    int saveOrder = 0;
    // Written by the draft settings dialog's OK.
    bool draftEnv = false;
};

// Every key in the order it is read. The default of a key is the value of its field in a
// default-constructed Settings.
const std::vector<SettingKey>& settingKeys();

// The field's value as it is stored in the file.
std::string storedText(const SettingKey& key, const Settings& settings);

}  // namespace settings
