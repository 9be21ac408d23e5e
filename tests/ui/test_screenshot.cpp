// SPDX-License-Identifier: GPL-3.0-or-later
// The main window renders a project under offscreen Qt: pictures are written to the build
// folder for a reviewer to look at, and the canvas must show the model's colours.
#include <filesystem>

#include <QImage>
#include <QPainter>
#include <QComboBox>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>

#include <gtest/gtest.h>

#include "editor/command_codes.h"
#include "model/sections.h"
#include "ui/Cursors.h"
#include "ui/TfrmBaseLine.h"
#include "ui/TfrmConfirm.h"
#include "ui/TfrmDump.h"
#include "ui/TfrmGridPitchDistance.h"
#include "ui/TfrmKeypad.h"
#include "ui/TfrmMember.h"
#include "ui/TfrmPCopy.h"
#include "ui/TfrmVersion.h"
#include "ui_harness.h"

namespace {

namespace cmd = editor::cmd;

// Pixels of the canvas image that are neither white nor grey.
int colouredPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p)) ++n;
        }
    return n;
}

std::string shotPath(const std::string& name)
{
    const std::filesystem::path dir = std::filesystem::path(TESSMAR_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

TEST(Screenshot, SampleProjectInTheMainWindow)
{
    const std::string sample = std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel";
    if (!std::filesystem::exists(sample)) GTEST_SKIP() << "samples/sample.kel is not there yet";
    uitest::Harness h({sample});
    ASSERT_EQ(h.window->startupFile(), sample);
    EXPECT_TRUE(h.messages.empty()) << (h.messages.empty() ? "" : h.messages[0].text);
    EXPECT_GT(h.session.store.liveCount(), 0);
    EXPECT_GT(h.window->tbcNumber->count(), 0);
    uitest::processEvents(30);
    const QString file = QString::fromStdString(shotPath("sample_window.png"));
    ASSERT_TRUE(h.window->grab().save(file, "PNG"));
    std::cout << "screenshot: " << file.toStdString() << "\n";
    EXPECT_GT(colouredPixels(h.window->canvas().image()), 100);

    // The first Y frame.
    h.window->tbcDirect->setCurrentIndex(1);
    uitest::processEvents(30);
    const QString frame = QString::fromStdString(shotPath("sample_frame.png"));
    ASSERT_TRUE(h.window->grab().save(frame, "PNG"));
    EXPECT_GT(colouredPixels(h.window->canvas().image()), 100);
}

TEST(Screenshot, SmallDialogsAndCursors)
{
    uitest::Harness h;
    std::vector<std::pair<QWidget*, std::string>> windows = {
        {&h.window->frmKeypad(), "keypad.png"},
        {&h.window->frmPCopy(), "pcopy.png"},
        {&h.window->frmMember(), "member.png"},
        {&h.window->frmGridPitchDistance(), "grid_pitch.png"},
        {&h.window->frmConfirm(), "mark_name.png"},
        {&h.window->frmVersion(), "version.png"},
        {&h.window->frmDump(), "dump.png"},
    };
    for (auto& [w, name] : windows) {
        w->show();
        uitest::processEvents(10);
        const QPixmap shot = w->grab();
        EXPECT_GT(shot.width(), 50) << name;
        EXPECT_TRUE(shot.save(QString::fromStdString(shotPath(name)), "PNG")) << name;
        w->hide();
    }
    // The two cursors drawn by the program, enlarged.
    for (const auto& [cursor, name] : {std::pair{ui::handCursor(), "cursor_hand.png"}, std::pair{ui::gripCursor(), "cursor_grip.png"}}) {
        const QPixmap pm = cursor.pixmap();
        ASSERT_FALSE(pm.isNull());
        QImage big = pm.toImage().scaled(pm.width() * 4, pm.height() * 4);
        QImage onGrey(big.size(), QImage::Format_RGB32);
        onGrey.fill(QColor(160, 190, 160));
        QPainter(&onGrey).drawImage(0, 0, big);
        EXPECT_TRUE(onGrey.save(QString::fromStdString(shotPath(name)), "PNG"));
    }
}

TEST(Screenshot, GridWithGirderInTheMainWindow)
{
    uitest::Harness h;
    const QString newGridFile = QString::fromStdString(shotPath("grid_dialog_new.png"));
    uitest::onNextModal([&h, newGridFile](QWidget* modal) {
        uitest::processEvents(20);
        EXPECT_TRUE(modal->grab().save(newGridFile, "PNG"));
        h.window->frmBaseLine().btnOK->click();
    });
    h.window->runCommand(cmd::GRID_CREATE);
    h.window->tbcNumber->setCurrentIndex(1);
    ASSERT_TRUE(model::setMemRod(h.session.sections, model::makeSecKey('G', 2, 1), "2:G1",
                                 "400:800:400:800:400:800;"));
    h.d().setSnapMode(editor::SnapMode::CrossPoint);
    h.window->runCommand(cmd::LINE);
    h.click(h.pixelOf(0, 4000));
    h.click(h.pixelOf(10000, 4000));
    h.click(h.pixelOf(10000, 4000), Qt::RightButton);
    h.click(h.pixelOf(10000, 4000), Qt::RightButton);
    uitest::onNextModal([&h](QWidget*) {
        ui::TfrmMember& m = h.window->frmMember();
        m.cmbSectionMark->setCurrentIndex(m.cmbSectionMark->findText(QStringLiteral("G1")));
        m.btnOK->click();
    });
    h.window->runCommand(cmd::GIRDER_MARK);
    h.click(h.pixelOf(2500, 4000));
    h.window->runCommand(cmd::LINE);  // a new command ends the designation
    h.click(h.pixelOf(0, 0));
    h.click(h.pixelOf(5000, 8000));
    h.mouse(QEvent::MouseMove, h.pixelOf(9000, 11000), Qt::NoButton);  // a line preview follows the pointer
    uitest::processEvents(20);
    const QString file = QString::fromStdString(shotPath("grid_window.png"));
    ASSERT_TRUE(h.window->grab().save(file, "PNG"));
    std::cout << "screenshot: " << file.toStdString() << "\n";
    EXPECT_GT(colouredPixels(h.window->canvas().image()), 100);
    // The grid dialog too, as it opens.
    QString dialogFile = QString::fromStdString(shotPath("grid_dialog.png"));
    uitest::onNextModal([&h, dialogFile](QWidget* modal) {
        uitest::processEvents(20);
        EXPECT_TRUE(modal->grab().save(dialogFile, "PNG"));
        h.window->frmBaseLine().btnCancel->click();
    });
    h.answers.push_back(platform::Answer::No);
    h.window->runCommand(cmd::GRID_OFFSETS);
}

}  // namespace
