// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DialogMemory.h"

namespace ui {

QString DialogMemory::read(const std::string& key, const QString& fallback) const
{
    return QString::fromStdString(ini_.read(section_, key, fallback.toStdString()));
}

void DialogMemory::write(const std::string& key, const QString& value)
{
    if (!ini_.write(section_, key, value.toStdString()))
        platform_.debugOut(section_ + "." + key + ": " + ini_.lastError());
}

}  // namespace ui
