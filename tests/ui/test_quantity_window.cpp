// SPDX-License-Identifier: GPL-3.0-or-later
// 作図 → 鉄筋数量表 shows the take-off of the open project with its conditions and saves it as
// a CSV file through the file dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <filesystem>
#include <fstream>

#include "model/encoding.h"
#include "ui/TfrmQuantity.h"
#include "ui_harness.h"

TEST(QuantityWindow, ShowsTheSampleAndSavesItAsCsv)
{
    const std::string sample = std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel";
    uitest::Harness h({sample});
    const std::string csv = h.dir.file("数量");  // ".csv" is added
    h.fileAnswers.push_back(csv);
    bool seen = false;
    uitest::onNextModal([&](QWidget* modal) {
        auto* form = qobject_cast<ui::TfrmQuantity*>(modal);
        ASSERT_NE(form, nullptr);
        seen = true;
        EXPECT_EQ(form->windowTitle(), QStringLiteral("鉄筋数量表"));
        EXPECT_TRUE(form->lblConditions->text().contains(QStringLiteral("所要数量 = 設計数量 × 1.04")));
        QTableWidget* t = form->stgQuantity;
        EXPECT_EQ(t->columnCount(), 9);
        EXPECT_EQ(t->horizontalHeaderItem(0)->text(), QStringLiteral("階"));
        ASSERT_GT(t->rowCount(), 4);
        EXPECT_EQ(t->item(0, 1)->text(), QStringLiteral("大梁"));
        EXPECT_EQ(t->item(t->rowCount() - 1, 0)->text(), QStringLiteral("所要数量"));
        EXPECT_FALSE(form->lblNotice->isVisible());
        const std::filesystem::path shots = std::filesystem::path(TESSMAR_BUILD_DIR) / "screenshots";
        std::filesystem::create_directories(shots);
        EXPECT_TRUE(form->grab().save(QString::fromStdString((shots / "quantity_window.png").string()), "PNG"));
        form->btnCSVSave->click();
        form->btnCancel->click();
    });
    QAction* item = h.window->action(QStringLiteral("mnuDrawQuantity"));
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_TRUE(seen);
    std::ifstream in(csv + ".csv", std::ios::binary);
    ASSERT_TRUE(in.good()) << "the CSV was not written";
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(model::cp932ToUtf8(first), "階,部位,符号,種別,径,本数,長さ(m),質量(kg),継手(箇所)\r");
}
