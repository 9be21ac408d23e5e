#include "ui/QtFileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace ui {

QString QtFileDialogs::qtFilter(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        // "*.*" means every file on the system the filters were written for.
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(u';', u' ');
        out << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<std::string> QtFileDialogs::openFile(const std::string& filter, const std::string& initialPath)
{
    if (hook_) return hook_(Kind::Open, filter, initialPath);
    const QString chosen = QFileDialog::getOpenFileName(parent_, QStringLiteral("開く"),
                                                        QString::fromStdString(initialPath), qtFilter(filter));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

std::optional<std::string> QtFileDialogs::saveFile(const std::string& filter, const std::string& initialPath)
{
    if (hook_) return hook_(Kind::Save, filter, initialPath);
    // The dialog asks before overwriting and accepts only an existing folder.
    const QString chosen = QFileDialog::getSaveFileName(parent_, QStringLiteral("名前をつけて保存"),
                                                        QString::fromStdString(initialPath), qtFilter(filter));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

}  // namespace ui
