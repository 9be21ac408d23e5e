// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtFileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "ui/AboveOpener.h"

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

QString QtFileDialogs::startPath(const std::string& proposed, const std::string& project, const QString& lastFolder)
{
    if (!proposed.empty()) return QString::fromStdString(proposed);
    if (!project.empty()) return QFileInfo(QString::fromStdString(project)).absolutePath();
    if (!lastFolder.isEmpty()) return lastFolder;
    return QDir::homePath();
}

QString QtFileDialogs::start(const std::string& proposed) const
{
    return startPath(proposed, projectPath_ ? projectPath_() : std::string(), lastFolder_);
}

std::optional<std::string> QtFileDialogs::chosen(const QString& file)
{
    if (file.isEmpty()) return std::nullopt;
    lastFolder_ = QFileInfo(file).absolutePath();
    return file.toStdString();
}

std::optional<std::string> QtFileDialogs::openFile(const std::string& filter, const std::string& initialPath)
{
    if (hook_) return hook_(Kind::Open, filter, initialPath);
    return chosen(QFileDialog::getOpenFileName(openerWindow(parent_), QStringLiteral("開く"), start(initialPath),
                                               qtFilter(filter)));
}

std::optional<std::string> QtFileDialogs::saveFile(const std::string& filter, const std::string& initialPath)
{
    if (hook_) return hook_(Kind::Save, filter, initialPath);
    // The dialog asks before overwriting and accepts only an existing folder.
    return chosen(QFileDialog::getSaveFileName(openerWindow(parent_), QStringLiteral("名前をつけて保存"),
                                               start(initialPath), qtFilter(filter)));
}

}  // namespace ui
