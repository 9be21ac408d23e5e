// SPDX-License-Identifier: GPL-3.0-or-later
// 作図 → 配筋チェック lists the findings of the open project, saves them as CSV, and a
// double-click opens the section dialog on the mark and level, whose findings follow the row.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>

#include <filesystem>

#include "model/encoding.h"
#include "ui/TfrmCheck.h"
#include "ui/TfrmSection.h"
#include "ui_harness.h"

TEST(CheckWindow, ListsTheSampleAndOpensTheSectionOfARow)
{
    uitest::Harness h({std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel"});
    QAction* item = h.window->action(QStringLiteral("mnuDrawCheck"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("配筋チェック(&K)..."));
    item->trigger();
    uitest::processEvents(20);
    ui::TfrmCheck& c = h.window->frmCheck();
    ASSERT_TRUE(c.isVisible());
    EXPECT_TRUE(c.lblSummary->text().endsWith(QStringLiteral("不適合 5 件、参考 9 件"))) << c.lblSummary->text().toStdString();
    QTableWidget* t = c.stgCheck;
    ASSERT_EQ(t->rowCount(), 14);
    EXPECT_EQ(t->horizontalHeaderItem(8)->text(), QStringLiteral("根拠"));
    EXPECT_EQ(t->item(13, 2)->text(), QStringLiteral("G2"));
    EXPECT_EQ(t->item(13, 4)->text(), QStringLiteral("主筋のあき"));

    const std::filesystem::path shots = std::filesystem::path(TESSMAR_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    EXPECT_TRUE(c.grab().save(QString::fromStdString((shots / "check_window.png").string()), "PNG"));

    const std::string csv = h.dir.file("check");  // ".csv" is added
    h.fileAnswers.push_back(csv);
    c.btnCSVSave->click();
    const std::string bytes = testing_support::readBytes(csv + ".csv");
    EXPECT_EQ(model::cp932ToUtf8(bytes.substr(0, bytes.find('\n') + 1)), "種別,階,符号,位置,項目,値,基準,区分,根拠\r\n");

    // The last row is G2 of level 1: its tab and its row, the two findings in red.
    emit t->cellDoubleClicked(13, 0);
    uitest::processEvents(20);
    ui::TfrmSection& s = h.window->frmSection();
    ASSERT_TRUE(s.isVisible());
    EXPECT_EQ(s.tbcSection->tabText(s.tbcSection->currentIndex()), QStringLiteral("G2"));
    EXPECT_EQ(s.editor().rows()[static_cast<size_t>(s.editor().currentRow())].level, 1);
    EXPECT_FALSE(s.lblFindings->isHidden());
    EXPECT_EQ(s.lblFindings->text().count(QStringLiteral("主筋のあき")), 2);
    EXPECT_TRUE(s.grab().save(QString::fromStdString((shots / "section_findings.png").string()), "PNG"));
    // Three bars instead of four in the left top layer: only the right end is left.
    auto* count = static_cast<QComboBox*>(s.controls[editor::NoLUP]);
    count->setEditText(QStringLiteral("3"));
    emit count->textActivated(QStringLiteral("3"));
    EXPECT_EQ(s.lblFindings->text(), QStringLiteral("主筋のあき 右端 上端 1段目: 23.3 mm (≧ 38.1 mm)"));
    s.btnCancel->click();
    c.btnCancel->click();
}
