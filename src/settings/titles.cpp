// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings.h"

namespace settings {

const std::array<const char*, 11>& girderTitles()
{
    static const std::array<const char*, 11> titles{
        "", "位　置", "断　面", "ｂ×Ｄ", "上端筋", "下端筋", "スターラップ", "腹　筋", "備　考", "巾×成", "あばら筋"};
    return titles;
}

const std::array<const char*, 7>& columnTitles()
{
    static const std::array<const char*, 7> titles{"", "断　面", "Dx×Dy", "主　筋", "フープ", "備　考", "帯　筋"};
    return titles;
}

}  // namespace settings
