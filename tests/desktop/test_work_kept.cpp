// SPDX-License-Identifier: GPL-3.0-or-later
// Work is never thrown away behind the user's back, answered with the real message boxes and
// keys: the grid dialog on a finished model, and section edits not yet confirmed at exit.
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include "editor/command_codes.h"
#include "editor/section_fields.h"
#include "model/element.h"
#include "model/undo.h"
#include "ui/TfrmSection.h"
#include "desktop_steps.h"

namespace {

namespace cmd = editor::cmd;
using uitest::Harness;

// The button of a message box that shows `text`.
void press(QMessageBox& box, const QString& text)
{
    for (QAbstractButton* b : box.buttons())
        if (b->text() == text) {
            desktop::click(*b);
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
}

TEST(GridOnAFinishedModel, NoAndCancelKeepTheModelAndOkIsOneUndoStep)
{
    Harness h;
    desktop::makeGrid(h);
    h.platform.setMessageHook({});
    model::Session& s = h.session;
    // The user's own work on the grid: a line of its own step and an offset row.
    model::newStep(s.store);
    s.store.addElem(model::kind::LINE, 0, 1, s.store.newUID(), 0, 0, 0, 0, 0, 1000, 1000, 0, 0xFF);
    s.grid.offsets[1].nDistX = 150;
    const int finished = s.store.liveCount();
    QAction* grid = h.window->action(QStringLiteral("mnuEditGrid"));

    // Enter answers the question with its default, No.
    bool dialogShown = false;
    desktop::whenModal<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.text(), QStringLiteral("作図を削除して通り芯を作成します。"));
        desktop::pressKey("Return");
    });
    const QPointer<QTimer> watch = desktop::whenModal<ui::TfrmBaseLine>([&](ui::TfrmBaseLine& d) {
        dialogShown = true;
        desktop::click(*d.btnCancel);
    });
    grid->trigger();
    EXPECT_FALSE(dialogShown);
    delete watch.data();
    EXPECT_EQ(s.store.liveCount(), finished);

    // Yes, then キャンセル in the grid dialog: nothing changes.
    desktop::whenModal<QMessageBox>([](QMessageBox& box) { press(box, QStringLiteral("はい(&Y)")); });
    desktop::whenModal<ui::TfrmBaseLine>([](ui::TfrmBaseLine& d) { desktop::click(*d.btnCancel); });
    grid->trigger();
    EXPECT_EQ(s.store.liveCount(), finished);
    EXPECT_EQ(s.grid.offsets[1].nDistX, 150);

    // Yes and OK: the new grid alone; Ctrl+Z brings the finished model back, Ctrl+A the new grid.
    desktop::whenModal<QMessageBox>([](QMessageBox& box) { press(box, QStringLiteral("はい(&Y)")); });
    desktop::makeGrid(h);
    const int fresh = s.store.liveCount();
    EXPECT_LT(fresh, finished);
    EXPECT_EQ(s.grid.offsets[1].nDistX, 0);
    ASSERT_TRUE(desktop::waitFor([&] { return QApplication::activeWindow() == h.window.get(); }));
    desktop::pressKey("ctrl+z");
    EXPECT_TRUE(desktop::waitFor([&] { return s.store.liveCount() == finished; }));
    EXPECT_EQ(s.grid.offsets[1].nDistX, 150);
    desktop::pressKey("ctrl+a");
    EXPECT_TRUE(desktop::waitFor([&] { return s.store.liveCount() == fresh; }));
    EXPECT_EQ(s.grid.offsets[1].nDistX, 0);
}

TEST(UnconfirmedSectionEdits, ExitAsksCancelStaysAndYesConfirms)
{
    Harness h;
    desktop::makeGrid(h);
    h.platform.setMessageHook({});
    ui::TfrmSection& section = h.window->frmSection();
    h.window->runCommand(cmd::GIRDER_SECTIONS);
    ASSERT_TRUE(desktop::cameAbove(section, *h.window));
    // A width and a top bar count typed into the first row: a section of its own.
    desktop::click(*section.controls[static_cast<size_t>(editor::SecA1)]);
    desktop::pressKey("ctrl+a");
    desktop::typeText("450");
    desktop::click(*section.controls[static_cast<size_t>(editor::NoLUP)]);
    desktop::pressKey("ctrl+a");
    desktop::typeText("3");
    ASSERT_TRUE(desktop::waitFor([&] { return section.editor().field(editor::NoLUP) == "3"; }));
    EXPECT_EQ(section.editor().field(editor::SecA1), "450");
    QAction* exit = h.window->action(QStringLiteral("mnuFileExit"));

    bool above = false;
    desktop::whenModal<QMessageBox>([&](QMessageBox& box) {
        EXPECT_EQ(box.text(), QStringLiteral("断面の変更が確定されていません。確定しますか?"));
        above = desktop::cameAbove(box, section);
        press(box, QStringLiteral("キャンセル"));
    });
    exit->trigger();
    uitest::processEvents(200);
    EXPECT_TRUE(above);
    EXPECT_TRUE(h.window->isVisible());
    EXPECT_TRUE(section.isVisible());
    EXPECT_EQ(section.editor().field(editor::SecA1), "450");

    // Yes stores the edit as OK does; cancelling the save question then keeps the window.
    desktop::whenModal<QMessageBox>([](QMessageBox& box) {
        desktop::whenModal<QMessageBox>(
            [](QMessageBox& next) { press(next, QStringLiteral("キャンセル")); },
            [](QMessageBox& next) { return next.text().contains(QStringLiteral("変更されています")); });
        press(box, QStringLiteral("はい(&Y)"));
    });
    exit->trigger();
    uitest::processEvents(200);
    EXPECT_TRUE(h.window->isVisible());
    EXPECT_FALSE(section.isVisible());
    bool stored = false;
    for (const model::SectionEntry& e : h.session.sections) stored = stored || e.secSpec.rfind("RC:450:", 0) == 0;
    EXPECT_TRUE(stored);
    h.session.project.modified = false;
}

}  // namespace
