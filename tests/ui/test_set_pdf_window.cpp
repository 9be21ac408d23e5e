// SPDX-License-Identifier: GPL-3.0-or-later
// ファイル → 図面表題 keeps the project's title fields beside it, and 作図 → 図面一式をPDFで保存
// writes the numbered set with them, or nothing at all when its progress is cancelled.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

#include "model/project_title.h"
#include "support/shell.h"
#include "ui/TfrmSetPdf.h"
#include "ui/TfrmTitle.h"
#include "ui_harness.h"

TEST(SetPdfWindow, TitleFieldsReachTheSetWhichACancelLeavesUnwritten)
{
    const std::string sample = std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel";
    uitest::Harness h;
    const std::string kel = h.dir.file("ビル.kel");
    std::filesystem::copy_file(sample, kel);
    h.fileAnswers.push_back(kel);
    h.window->action(QStringLiteral("mnuFileOpen"))->trigger();
    ASSERT_EQ(h.session.project.path, kel);

    uitest::onNextModal([](QWidget* modal) {
        auto* form = qobject_cast<ui::TfrmTitle*>(modal);
        ASSERT_NE(form, nullptr);
        form->edtProjectName->setText(QStringLiteral("〇〇ビル新築工事"));
        form->edtDesigner->setText(QStringLiteral("山田太郎"));
        form->btnOK->click();
    });
    h.window->action(QStringLiteral("mnuFileTitle"))->trigger();
    EXPECT_EQ(model::readProjectTitle(kel), (model::ProjectTitle{"〇〇ビル新築工事", "山田太郎"}));

    const std::string pdf = h.dir.file("set");  // ".pdf" is added
    h.fileAnswers.push_back(pdf);
    bool cancelled = false;
    uitest::onNextModal([&cancelled](QWidget* modal) {
        auto* progress = qobject_cast<ui::TfrmSetPdf*>(modal);
        ASSERT_NE(progress, nullptr);
        progress->cancel();
        cancelled = true;
    });
    h.window->action(QStringLiteral("mnuDrawSetPdf"))->trigger();
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(std::filesystem::exists(pdf + ".pdf"));
    for (const auto& e : std::filesystem::directory_iterator(h.dir.path()))
        EXPECT_EQ(e.path().extension() == ".pdf" || e.path().filename().string().find("tmp") != std::string::npos, false)
            << e.path();

    h.fileAnswers.push_back(pdf);
    h.window->action(QStringLiteral("mnuDrawSetPdf"))->trigger();
    ASSERT_TRUE(std::filesystem::exists(pdf + ".pdf"));
    const auto [status, text] = testing_support::shell("pdftotext -f 1 -l 2 '" + pdf + ".pdf' -");
    if (status == 127) GTEST_SKIP() << "poppler-utils is not installed";
    EXPECT_NE(text.find("工事名称 〇〇ビル新築工事"), std::string::npos) << text;
    EXPECT_NE(text.find("設計者 山田太郎"), std::string::npos) << text;
    EXPECT_NE(text.find("S-02 / "), std::string::npos) << text;
}
