// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own Japanese texts for its standard dialogs and buttons (file dialogs, "キャンセル"),
// whatever locale the user's desktop runs in, so no English appears next to the program's
// Japanese.
#pragma once

class QCoreApplication;

namespace ui {

// Loads Qt's Japanese catalogue into the application and makes Japanese the default locale.
// False when the catalogue is not installed (Qt then speaks English).
bool installJapaneseTranslations(QCoreApplication& app);

}  // namespace ui
