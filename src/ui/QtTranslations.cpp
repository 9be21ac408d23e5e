// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

bool installJapaneseTranslations(QCoreApplication& app)
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    // Widgets that format numbers or dates follow the program's language, not the desktop's.
    QLocale::setDefault(japanese);
    auto* qtbase = new QTranslator(&app);
    if (!qtbase->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qtbase;
        return false;
    }
    return QCoreApplication::installTranslator(qtbase);
}

}  // namespace ui
