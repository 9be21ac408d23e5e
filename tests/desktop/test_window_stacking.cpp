// SPDX-License-Identifier: GPL-3.0-or-later
// Under a real window manager every window that the section dialog (on top of the main window)
// or the keypad (on top of everything) opens comes above its opener with the keyboard focus,
// and the user can answer it with the keyboard.
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include "editor/command_codes.h"
#include "editor/section_fields.h"
#include "ui/TfrmConfirm.h"
#include "ui/TfrmDetail.h"
#include "ui/TfrmKeypad.h"
#include "ui/TfrmSection.h"
#include "desktop_steps.h"

namespace {

namespace cmd = editor::cmd;
using uitest::Harness;

TEST(WindowStacking, DialogsOfTheSectionDialogComeAboveItWithTheFocus)
{
    Harness h;
    desktop::makeGrid(h);
    h.platform.setMessageHook({});  // the real message boxes
    ui::TfrmSection& section = h.window->frmSection();
    h.window->runCommand(cmd::GIRDER_SECTIONS);
    ASSERT_TRUE(desktop::cameAbove(section, *h.window));

    // The tab "追加" asks for the mark name; typed and confirmed with Enter.
    bool above = false;
    desktop::whenModal<ui::TfrmConfirm>([&](ui::TfrmConfirm& c) {
        above = desktop::cameAbove(c, section);
        desktop::typeText("G5");
        desktop::pressKey("Return");
    });
    const int pages = static_cast<int>(section.editor().pages().size());
    desktop::click(*section.tbcSection, section.tbcSection->tabRect(pages).center());
    EXPECT_TRUE(desktop::waitFor([&] { return section.editor().pages().size() == static_cast<size_t>(pages + 1); }));
    EXPECT_TRUE(above) << "mark name";
    EXPECT_EQ(section.editor().pages().back(), "G5");

    // The keypad, and its own message above it (1/0).
    bool messageAbove = false, done = false;
    above = false;
    desktop::whenModal<ui::TfrmKeypad>([&](ui::TfrmKeypad& k) {
        above = desktop::cameAbove(k, section);
        bool answered = false;
        desktop::whenModal<QMessageBox>([&](QMessageBox& box) {
            messageAbove = desktop::cameAbove(box, k);
            desktop::pressKey("Return");
            answered = true;
        });
        desktop::click(*k.button(QStringLiteral("1/")));
        desktop::waitFor([&] { return answered && QApplication::activeModalWidget() == &k; });
        desktop::pressKey("Escape");
        done = true;
    });
    desktop::click(*section.keypadButtons[static_cast<size_t>(editor::SecA1)]);
    EXPECT_TRUE(desktop::waitFor([&] { return done && !h.window->frmKeypad().isVisible(); }));
    EXPECT_TRUE(above) << "keypad";
    EXPECT_TRUE(messageAbove) << "the keypad's message";

    // The enlarged view of a figure.
    above = done = false;
    desktop::whenModal<ui::TfrmDetail>([&](ui::TfrmDetail& d) {
        above = desktop::cameAbove(d, section);
        desktop::pressKey("Escape");
        done = true;
    });
    desktop::click(*section.figures[0]->widget);
    EXPECT_TRUE(desktop::waitFor([&] { return done && !h.window->frmDetail().isVisible(); }));
    EXPECT_TRUE(above) << "enlarged view";

    // A question ("削除" from the tab menu), answered with Enter.
    above = false;
    desktop::whenModal<QMessageBox>([&](QMessageBox& box) {
        above = desktop::cameAbove(box, section);
        desktop::pressKey("Return");
    });
    desktop::click(*section.tbcSection, section.tbcSection->tabRect(pages).center(), 3);
    ASSERT_TRUE(desktop::waitFor([&] { return section.popTab->isVisible(); }));
    QAction* remove = section.popTab->actions().at(1);
    desktop::click(*section.popTab, section.popTab->actionGeometry(remove).center());
    EXPECT_TRUE(desktop::waitFor([&] { return section.editor().pages().size() == static_cast<size_t>(pages); }));
    EXPECT_TRUE(above) << "question";
    section.btnCancel->click();
}

}  // namespace
