// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: any bytes load into settings without harm, the document writes back
// stable, and a value written into it reads back as written.
#include "fuzz_support.h"

#include "settings/ini_file.h"
#include "settings/settings_store.h"

namespace fuzz {

int fuzzIni(const uint8_t* data, size_t size)
{
    QuietPlatform platform;
    settings::IniFile ini = settings::IniFile::fromBytes(bytesOf(data, size));
    settings::Settings loaded;
    settings::loadSettingsInto(ini, loaded, platform);
    const std::string first = ini.toBytes();
    check(settings::IniFile::fromBytes(first).toBytes() == first, "an ini document writes back stable", first);

    // The document is bound to no file: writes change it in memory only.
    if (ini.write(settings::kSectionDraftEnv, "ListScale", "12.5 値")) {
        const settings::IniFile back = settings::IniFile::fromBytes(ini.toBytes());
        check(back.read(settings::kSectionDraftEnv, "ListScale", "") == "12.5 値", "a written value reads back",
              ini.toBytes());
    }
    return 0;
}

}  // namespace fuzz
