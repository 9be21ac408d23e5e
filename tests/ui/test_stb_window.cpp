// SPDX-License-Identifier: GPL-3.0-or-later
// ファイル → ST-Bridge読込 builds a new unnamed project from the file, fits the plan to it and
// shows the report in a window whose text can be copied; ST-Bridge出力 writes the file.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>

#include <filesystem>

#include "support/temp_dir.h"
#include "ui/TfrmStbReport.h"
#include "ui_harness.h"

namespace {

int inkIn(const QImage& image, QRect area)
{
    int n = 0;
    for (int y = std::max(area.top(), 0); y <= std::min(area.bottom(), image.height() - 1); ++y)
        for (int x = std::max(area.left(), 0); x <= std::min(area.right(), image.width() - 1); ++x)
            if (image.pixelColor(x, y) != Qt::white) ++n;
    return n;
}

}  // namespace

TEST(StbWindow, ImportShowsTheReportAndTheMembersExportWritesTheFile)
{
    uitest::Harness h;
    h.fileAnswers.push_back(std::string(TESSMAR_SOURCE_DIR) + "/tests/data/stb/frame202.stb");
    bool seen = false;
    uitest::onNextModal([&](QWidget* modal) {
        auto* form = qobject_cast<ui::TfrmStbReport*>(modal);
        ASSERT_NE(form, nullptr);
        seen = true;
        EXPECT_EQ(form->windowTitle(), QStringLiteral("ST-Bridge読込"));
        EXPECT_TRUE(form->memReport->toPlainText().startsWith(QStringLiteral("ST-Bridge 2.0.2 を読み込みました")));
        EXPECT_TRUE(form->memReport->isReadOnly());
        form->btnCopy->click();
        EXPECT_EQ(QApplication::clipboard()->text(), form->memReport->toPlainText());
        form->btnClose->click();
    });
    QAction* in = h.window->action(QStringLiteral("mnuFileStbIn"));
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->text(), QStringLiteral("ST-Bridge読込(&B)..."));
    in->trigger();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(h.session.project.modified);
    EXPECT_TRUE(h.session.hasDefaultName());
    EXPECT_EQ(h.d().levelTabs().size(), 3u);
    EXPECT_EQ(h.session.grid.names[2][0], "1FL") << "the file's naming scheme is now the settings'";

    // On the plan of the second level the 800 x 800 columns stand as squares around their
    // points: ink at a square's corner, away from every grid line, and none mid-bay.
    h.d().selectLevelTab(1);
    uitest::processEvents(50);
    const QImage plan = h.window->canvas().image();
    const QPoint corner = h.pixelOf(6400, 8400);
    const QPoint bay = h.pixelOf(9000, 4000);
    EXPECT_GT(inkIn(plan, QRect(corner.x() - 1, corner.y() - 1, 3, 3)), 0);
    EXPECT_EQ(inkIn(plan, QRect(bay.x() - 1, bay.y() - 1, 3, 3)), 0);

    const std::string out = h.dir.file("out");  // ".stb" is added
    h.fileAnswers.push_back(out);
    QAction* exportItem = h.window->action(QStringLiteral("mnuFileStbOut"));
    ASSERT_NE(exportItem, nullptr);
    exportItem->trigger();
    EXPECT_EQ(testing_support::readBytes(out + ".stb").rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
}
