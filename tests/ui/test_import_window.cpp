// SPDX-License-Identifier: GPL-3.0-or-later
// The SS2 paste dialog takes clipboard tables at the selected cell of the shown sheet, says
// how many cells fell outside, and hands back the marks' specs on OK; the section CSV menu
// items reach their file dialogs.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>

#include <filesystem>
#include <iostream>

#include <gtest/gtest.h>

#include "ui/TfrmImport.h"
#include "ui_harness.h"

namespace {

// Selects a cell of the shown sheet and presses 貼り付け with that clipboard text.
void pasteAt(ui::TfrmImport& dialog, uitest::Harness& h, int sheet, int row, int col, const std::string& text)
{
    dialog.PageControl1->setCurrentIndex(sheet);
    dialog.StringGrid[static_cast<size_t>(sheet)]->setCurrentCell(row, col);
    h.platform.setClipboardText(text);
    dialog.btnPaste->click();
}

void shoot(ui::TfrmImport& dialog, int sheet, const std::string& name)
{
    dialog.PageControl1->setCurrentIndex(sheet);
    dialog.StringGrid[static_cast<size_t>(sheet)]->horizontalScrollBar()->setValue(0);
    uitest::processEvents(30);
    const std::filesystem::path dir = std::filesystem::path(TESSMAR_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(dir);
    const QString file = QString::fromStdString((dir / name).string());
    EXPECT_TRUE(dialog.grab().save(file, "PNG"));
    std::cout << "screenshot: " << file.toStdString() << "\n";
}

}  // namespace

TEST(ImportWindow, PastedGirderTablesComeBackAsSpecsOnOk)
{
    uitest::Harness h;
    ui::TfrmImport& dialog = h.window->frmImport();
    bool shown = false;
    uitest::onNextModal([&](QWidget* modal) {
        shown = modal == &dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("SS2から梁データインポート"));
        EXPECT_FALSE(dialog.PageControl1->isTabVisible(4));
        EXPECT_EQ(dialog.StringGrid[0]->item(2, 0)->text(), QStringLiteral("R層"));
        // Levels R, 2 and 1; two marks.
        pasteAt(dialog, h, 0, 2, 1, "40\t90\t35\t70\r\n40\t90\t35\t70\r\n40\t80\t35\t70\r\n");
        pasteAt(dialog, h, 1, 2, 2, "4/2\t3\t4/2\t3\t3\t3\r\n3\t3\t3\t3\t3\t3\r\n");
        EXPECT_EQ(dialog.lblCautious->text(), QStringLiteral("注）柱脚は無視され、柱頭のみ参照します。"));
        pasteAt(dialog, h, 2, 2, 2, "D25\tD25\tD25\tD22\tD22\tD22\r\nD22\tD22\tD22\tD22\tD22\tD22\r\n");
        pasteAt(dialog, h, 3, 2, 1, "2\tD10\t200\t2\tD10\t150\r\n");
        EXPECT_EQ(dialog.StatusBar1->currentMessage(), QStringLiteral("貼り付けました。"));
        // Four columns pasted at column 99 of sheet 1 (columns 0-100): two fall outside.
        pasteAt(dialog, h, 0, 4, 99, "1\t2\t3\t4");
        EXPECT_EQ(dialog.StatusBar1->currentMessage(),
                  QStringLiteral("表の外にはみ出した 2 個のセルは貼り付けませんでした。"));
        EXPECT_EQ(dialog.StringGrid[0]->columnCount(), 101);
        dialog.StringGrid[0]->item(4, 99)->setText(QString());  // typed over: the stray cells go again
        dialog.StringGrid[0]->item(4, 100)->setText(QString());
        dialog.StringGrid[0]->setCurrentCell(2, 1);
        shoot(dialog, 0, "import_dialog.png");
        shoot(dialog, 1, "import_dialog_counts.png");
        dialog.btnOK->click();
    });
    const auto result = h.window->ss2Import().importSs2(0, 2);
    ASSERT_TRUE(shown);
    ASSERT_TRUE(result.has_value());
    ASSERT_EQ(result->markCount, 2);
    ASSERT_EQ(result->specs[0].size(), 3u);
    EXPECT_EQ(result->specs[0][0], "RC:400:900;4:2:D25;3::D22;3::D25;3::D22;4:2:D25;3::D22;2:D10:200;:;");
    EXPECT_EQ(result->specs[1][2], "RC:350:700;::;::;::;::;::;::;::;:;");
    EXPECT_EQ(result->specs[0][2].substr(0, 11), "RC:400:800;");

    // Cancel hands nothing back; the same mode shows the pasted cells again, another empties them.
    uitest::onNextModal([&](QWidget*) {
        EXPECT_EQ(dialog.StringGrid[0]->item(2, 1)->text(), QStringLiteral("40"));
        dialog.btnCancel->click();
    });
    EXPECT_FALSE(h.window->ss2Import().importSs2(0, 2).has_value());
    uitest::onNextModal([&](QWidget*) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("SS2から柱データインポート"));
        EXPECT_TRUE(dialog.PageControl1->isTabVisible(4));
        EXPECT_EQ(dialog.StringGrid[0]->item(2, 1), nullptr);
        // Sheet 5 takes pasted tables only: no typing, no range selection, unlike sheets 1-4.
        QTableWidget* hoops = dialog.StringGrid[4];
        EXPECT_EQ(hoops->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(hoops->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_NE(dialog.StringGrid[3]->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(dialog.StringGrid[3]->selectionMode(), QAbstractItemView::ContiguousSelection);
        pasteAt(dialog, h, 4, 2, 1, "D13\t100");
        ASSERT_NE(hoops->item(2, 2), nullptr);
        EXPECT_EQ(hoops->item(2, 2)->text(), QStringLiteral("100"));
        dialog.btnCancel->click();
    });
    EXPECT_FALSE(h.window->ss2Import().importSs2(1, 2).has_value());
}

TEST(ImportWindow, TheCsvMenuItemsWriteAndReadThroughTheFileDialogs)
{
    uitest::Harness h;
    h.session.sections[0] = model::SectionEntry{1, "C:1:1", "1:C1", "RC:600:600;4:3:D22;2:2:D13:100;"};
    const std::string file = h.dir.file("plan");
    h.fileAnswers.push_back(file);
    h.window->action(QStringLiteral("mnuFileCsvOut"))->trigger();
    ASSERT_TRUE(std::filesystem::exists(file + ".csv"));

    h.session.sections[0].secSpec.clear();
    h.fileAnswers.push_back(file + ".csv");
    h.window->action(QStringLiteral("mnuFileCsvIn"))->trigger();
    EXPECT_TRUE(h.said("部材の指示関係を初期化します。"));
    EXPECT_EQ(h.session.sections[0].secSpec, "RC:600:600;4:3:D22;2:2:D13:100;");
}
