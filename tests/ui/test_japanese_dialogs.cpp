// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's standard dialogs and buttons speak Japanese whatever the desktop's locale, and the file
// dialogs open where the engineer's project is.
#include <filesystem>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "ui_harness.h"

namespace {

TEST(JapaneseDialogs, StandardButtonsAreJapanese)
{
    uitest::app();
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save | QDialogButtonBox::Close);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_FALSE(box.button(QDialogButtonBox::Save)->text().contains(QStringLiteral("Save")));
    EXPECT_FALSE(box.button(QDialogButtonBox::Close)->text().contains(QStringLiteral("Close")));
}

TEST(JapaneseDialogs, TheOpenDialogIsJapaneseAndStartsInTheProjectFolder)
{
    uitest::app();
    uitest::TempDir dir;
    const std::string project = dir.file("plan.kel");
    ui::QtFileDialogs files;
    files.setProjectPath([&] { return project; });
    QString shownFolder, lookIn;
    uitest::onNextModal([&](QWidget* modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            shownFolder = dialog->directory().absolutePath();
            if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"))) lookIn = label->text();
            dialog->reject();
        } else {
            modal->close();
        }
    });
    EXPECT_FALSE(files.openFile("Kelファイル|*.kel", "").has_value());
    EXPECT_EQ(shownFolder.toStdString(), std::filesystem::path(dir.path()).string());
    EXPECT_FALSE(lookIn.isEmpty());
    EXPECT_FALSE(lookIn.contains(QStringLiteral("Look in")));
}

TEST(JapaneseDialogs, StartFolderOrder)
{
    uitest::app();
    using ui::QtFileDialogs;
    EXPECT_EQ(QtFileDialogs::startPath("/p/a.kel", "/q/b.kel", "/r"), QStringLiteral("/p/a.kel"));
    EXPECT_EQ(QtFileDialogs::startPath("", "/q/b.kel", "/r"), QStringLiteral("/q"));
    EXPECT_EQ(QtFileDialogs::startPath("", "", "/r"), QStringLiteral("/r"));
    EXPECT_FALSE(QtFileDialogs::startPath("", "", "").isEmpty());
}

}  // namespace
