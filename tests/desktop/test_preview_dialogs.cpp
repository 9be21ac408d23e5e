// SPDX-License-Identifier: GPL-3.0-or-later
// The preview window is modal over the main window: its file and print dialogs come above it
// with the focus and propose "<project>-<sheet>" in the project's folder.
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include "desktop_steps.h"
#include "editor/command_codes.h"
#include "model/sections.h"
#include "ui/TfrmDraft.h"

namespace {

TEST(PreviewWindow, FileAndPrintDialogsComeAboveItProposingTheProjectAndSheetNames)
{
    uitest::Harness h;
    h.window->fileDialogs().setHook({});  // the real file dialog
    h.session.project.path = h.dir.file("sample.kel");
    h.session.grid.spanCount[2] = 1;
    ASSERT_TRUE(model::setMemRod(h.session.sections, model::makeSecKey('G', 1, 1), model::makeSecName("1", "G1"),
                                 "RC:400:800;3::D22;"));
    ui::TfrmDraft& preview = h.window->frmDraft();
    bool saveAbove = false, printAbove = false, done = false;
    QString saveFolder, saveName, printFile;
    desktop::whenModal<ui::TfrmDraft>([&](ui::TfrmDraft& p) {
        desktop::whenModal<QFileDialog>([&](QFileDialog& d) {
            saveAbove = desktop::cameAbove(d, p);
            saveFolder = d.directory().absolutePath();
            if (auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) saveName = name->text();
            desktop::pressKey("Escape");
        });
        desktop::click(*p.btnDXFSave);
        desktop::waitFor([&] { return QApplication::activeModalWidget() == &p && !saveFolder.isEmpty(); });
        desktop::whenModal<QPrintDialog>([&](QPrintDialog& d) {
            printAbove = desktop::cameAbove(d, p);
            uitest::processEvents(100);
            if (auto* file = d.findChild<QLineEdit*>(QStringLiteral("filename"))) printFile = file->text();
            desktop::pressKey("Escape");
        });
        desktop::click(*p.btnPrint);
        desktop::waitFor([&] { return QApplication::activeModalWidget() == &p && !printFile.isEmpty(); });
        p.btnCancel->click();
        done = true;
    });
    h.d().DispatchCommand(editor::cmd::DRAW_GIRDER_LIST);
    EXPECT_TRUE(done);
    EXPECT_FALSE(preview.isVisible());
    EXPECT_TRUE(saveAbove);
    EXPECT_EQ(saveFolder, QDir(QString::fromStdString(h.dir.path().string())).absolutePath());
    EXPECT_EQ(saveName, QStringLiteral("sample-梁断面リスト.dxf"));
    EXPECT_TRUE(printAbove);
    EXPECT_EQ(printFile, QString::fromStdString(h.dir.file("sample-梁断面リスト.pdf")));
}

}  // namespace
