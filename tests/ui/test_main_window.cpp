// SPDX-License-Identifier: GPL-3.0-or-later
// The main window drives the editor the way a user does: menus, tabs, mouse and keys reach the
// dispatcher, and the title, check marks, status bar and files show what happened.
#include <filesystem>
#include <tuple>

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "editor/command_codes.h"
#include "model/element.h"
#include "model/sections.h"
#include "ui/TfrmBaseLine.h"
#include "ui/TfrmMember.h"
#include "ui_harness.h"

namespace {

using uitest::Harness;
namespace cmd = editor::cmd;
namespace kind = model::kind;

QAction* item(Harness& h, const char* name)
{
    QAction* a = h.window->action(QString::fromLatin1(name));
    EXPECT_NE(a, nullptr) << name;
    return a;
}

// The grid command with the dialog's defaults: counts 2, 3, 2 and pitches 5000, 4000, 3000.
void makeDefaultGrid(Harness& h)
{
    uitest::onNextModal([&h](QWidget* modal) {
        EXPECT_EQ(modal, &h.window->frmBaseLine());
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("通り心"));
        h.window->frmBaseLine().btnOK->click();
    });
    item(h, "mnuEditGrid")->trigger();
}

int countKind(const model::ElementStore& store, int k)
{
    int n = 0;
    for (int i = -1; store.nextLive(i);)
        if (store.at(i).kind == k) ++n;
    return n;
}

int firstOfKind(const model::ElementStore& store, int k)
{
    for (int i = -1; store.nextLive(i);)
        if (store.at(i).kind == k) return i;
    return -1;
}

TEST(MainWindow, StartsWithTitleEndPointSnapAndPitchMenuDisabled)
{
    Harness h;
    EXPECT_EQ(h.window->windowTitle(), QStringLiteral("Tessmar(Ver0.98) - untitled.kel"));
    EXPECT_TRUE(item(h, "mnuSnapEnd")->isChecked());
    EXPECT_FALSE(item(h, "mnuSnapFree")->isChecked());
    EXPECT_FALSE(item(h, "mnuSnapGrid")->isEnabled());
    EXPECT_FALSE(item(h, "mnuGrid")->isChecked());
    auto* pitch = h.window->findChild<QMenu*>(QStringLiteral("mnuGridPitch"));
    ASSERT_NE(pitch, nullptr);
    EXPECT_FALSE(pitch->isEnabled());
    EXPECT_TRUE(item(h, "mnuPitch1")->isChecked());
    // Saving over a file comes only after the first open or save-as.
    EXPECT_FALSE(item(h, "mnuFileSave")->isEnabled());
    // Development and unfinished entries are hidden.
    EXPECT_FALSE(item(h, "mnuFileDxf")->isVisible());
    EXPECT_FALSE(item(h, "mnuEditProperty")->isVisible());
    EXPECT_FALSE(item(h, "mnuShowNumber")->isVisible());
    auto* test = h.window->findChild<QMenu*>(QStringLiteral("mnuTest"));
    ASSERT_NE(test, nullptr);
    EXPECT_FALSE(test->menuAction()->isVisible());
    // Display switches follow the settings.
    EXPECT_TRUE(item(h, "mnuShowMemberName")->isChecked());
    EXPECT_TRUE(item(h, "mnuShowDim")->isChecked());
    EXPECT_TRUE(item(h, "mnuShowBaseLine")->isChecked());
    EXPECT_EQ(h.window->StatusPanels[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(h.window->tbcDirect->count(), 3);
    EXPECT_EQ(h.window->tbcNumber->count(), 0);
    EXPECT_GT(h.d().transform().viewScale, 0);  // the home view was set on the first message
}

TEST(MainWindow, SaveOnUnnamedProjectAsksForSaveAs)
{
    Harness h;
    h.window->runCommand(cmd::FILE_SAVE);
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].caption, "確認");
    EXPECT_EQ(h.messages[0].text, "名前をつけて保存して下さい。");
    EXPECT_EQ(h.messages[0].buttons, platform::Buttons::Ok);
    EXPECT_TRUE(h.fileRequests.empty());
    EXPECT_FALSE(std::filesystem::exists(h.session.defaultProjectPath()));
}

TEST(MainWindow, GridAndDisplaySwitchesShowInTheMenus)
{
    Harness h;
    item(h, "mnuGrid")->trigger();
    EXPECT_TRUE(item(h, "mnuGrid")->isChecked());
    EXPECT_TRUE(item(h, "mnuSnapGrid")->isEnabled());
    EXPECT_TRUE(item(h, "mnuSnapGrid")->isChecked());
    EXPECT_FALSE(item(h, "mnuSnapEnd")->isChecked());
    EXPECT_TRUE(h.window->findChild<QMenu*>(QStringLiteral("mnuGridPitch"))->isEnabled());
    item(h, "mnuPitch3")->trigger();
    EXPECT_TRUE(item(h, "mnuPitch3")->isChecked());
    EXPECT_FALSE(item(h, "mnuPitch1")->isChecked());
    EXPECT_DOUBLE_EQ(h.d().dotGrid().gridDivisor, 3);

    item(h, "mnuGrid")->trigger();
    EXPECT_FALSE(item(h, "mnuGrid")->isChecked());
    EXPECT_TRUE(item(h, "mnuSnapEnd")->isChecked());

    item(h, "mnuShowDim")->trigger();
    EXPECT_FALSE(item(h, "mnuShowDim")->isChecked());
    EXPECT_FALSE(h.session.settings.env.DrawDim);
    item(h, "mnuLineEndMark")->trigger();
    EXPECT_TRUE(item(h, "mnuLineEndMark")->isChecked());
    item(h, "mnuSnapMid")->trigger();
    EXPECT_EQ(h.d().state().snap.snapMode, editor::SnapMode::MidPoint);
}

TEST(MainWindow, GridCommandWithDialogDefaultsBuildsGridAndLevelTabs)
{
    Harness h;
    makeDefaultGrid(h);
    const model::GridModel& g = h.session.grid;
    EXPECT_EQ(g.spans(model::AXIS_X), 2);
    EXPECT_EQ(g.spans(model::AXIS_Y), 3);
    EXPECT_EQ(g.spans(model::AXIS_Z), 2);
    EXPECT_EQ(g.position(model::AXIS_X, 2), 10000);
    EXPECT_EQ(g.position(model::AXIS_Y, 3), 12000);
    EXPECT_EQ(g.position(model::AXIS_Z, 2), 6000);
    EXPECT_EQ(g.position(model::AXIS_X, 3), -1);
    EXPECT_GT(countKind(h.session.store, kind::BASE), 0);
    EXPECT_TRUE(h.d().modified());
    ASSERT_EQ(h.window->tbcNumber->count(), 3);
    EXPECT_EQ(h.window->tbcNumber->tabText(0), QStringLiteral("F層"));
    EXPECT_EQ(h.window->tbcNumber->tabText(1), QStringLiteral("2層"));
    EXPECT_EQ(h.window->tbcNumber->tabText(2), QStringLiteral("R層"));
    EXPECT_EQ(h.window->StatusPanels[0]->text().toInt(), h.session.store.liveCount());

    // The frame tabs list the grid lines of their axis.
    h.window->tbcDirect->setCurrentIndex(1);
    EXPECT_EQ(h.d().currentView(), model::ViewMode::ElevationXZ);
    ASSERT_EQ(h.window->tbcNumber->count(), 4);
    EXPECT_EQ(h.window->tbcNumber->tabText(3), QStringLiteral("Y3"));
    h.window->tbcNumber->setCurrentIndex(2);
    EXPECT_DOUBLE_EQ(h.session.view.plane, 8000);
    EXPECT_TRUE(item(h, "mnuDrawRebar")->isEnabled());
    h.window->tbcDirect->setCurrentIndex(0);
    EXPECT_FALSE(item(h, "mnuDrawRebar")->isEnabled());
}

TEST(MainWindow, GirderDesignatedWithTheMouseSurvivesSaveAndReopen)
{
    uitest::TempDir files;
    const std::string saved = files.file("plan.kel");
    std::vector<std::tuple<int, double, double, double, double, double, double, int>> before;
    {
        Harness h;
        makeDefaultGrid(h);
        // Level 2 (Z 3000): lines drawn there lie on that level.
        h.window->tbcNumber->setCurrentIndex(1);
        EXPECT_DOUBLE_EQ(h.session.view.plane, 3000);
        ASSERT_TRUE(model::setMemRod(h.session.sections, model::makeSecKey('G', 2, 1), "2:G1",
                                     "400:800:400:800:400:800;"));

        // A line from grid crossing (X0, Y1) to (X2, Y1), picked with the cross-point snap.
        const int linesBefore = countKind(h.session.store, kind::LINE);
        item(h, "mnuSnapCross")->trigger();
        item(h, "mnuLineCreate")->trigger();
        EXPECT_EQ(h.d().state().currentCommand, cmd::LINE);
        h.click(h.pixelOf(0, 4000));
        h.click(h.pixelOf(10000, 4000));
        h.click(h.pixelOf(10000, 4000), Qt::RightButton);  // back to the first point
        h.click(h.pixelOf(10000, 4000), Qt::RightButton);  // and out of the command
        EXPECT_EQ(h.d().state().currentCommand, cmd::IDLE);
        EXPECT_EQ(countKind(h.session.store, kind::LINE), linesBefore + 1);
        const model::Element& l = h.session.store.at(h.session.store.count() - 1);
        EXPECT_EQ(l.kind, kind::LINE);
        EXPECT_DOUBLE_EQ(l.X1, 0);
        EXPECT_DOUBLE_EQ(l.Y1, 4000);
        EXPECT_DOUBLE_EQ(l.X2, 10000);
        EXPECT_DOUBLE_EQ(l.Y2, 4000);
        EXPECT_DOUBLE_EQ(l.Z1, 3000);
        EXPECT_DOUBLE_EQ(l.Z2, 3000);

        // Girder designation: the member dialog offers G1; a click on a line of the level
        // designates it.
        uitest::onNextModal([&h](QWidget* modal) {
            ui::TfrmMember& m = h.window->frmMember();
            EXPECT_EQ(modal, &m);
            EXPECT_EQ(m.windowTitle(), QStringLiteral("梁符号指示"));
            const int g1 = m.cmbSectionMark->findText(QStringLiteral("G1"));
            EXPECT_GT(g1, 0);
            m.cmbSectionMark->setCurrentIndex(g1);
            m.btnOK->click();
        });
        item(h, "tbGirderMark")->trigger();
        EXPECT_EQ(h.d().state().currentCommand, cmd::GIRDER_MARK);
        h.click(h.pixelOf(2500, 4000));
        EXPECT_EQ(countKind(h.session.store, kind::LINE), linesBefore);
        ASSERT_EQ(countKind(h.session.store, kind::GIRDER), 1);
        const model::Element& g = h.session.store.at(firstOfKind(h.session.store, kind::GIRDER));
        EXPECT_DOUBLE_EQ(g.Y1, 4000);
        EXPECT_DOUBLE_EQ(g.Z1, 3000);
        EXPECT_EQ(g.secID, model::findSecIDByKey(h.session.sections, 'G', 2, 1));
        // The choice is remembered for the next designation.
        EXPECT_EQ(h.ini.read("Member", "Girder", ""), "1");

        // Save as "plan": the extension is added, the title follows, saving over is offered.
        h.fileAnswers.push_back(files.file("plan"));
        item(h, "mnuFileSaveAs")->trigger();
        ASSERT_TRUE(std::filesystem::exists(saved));
        EXPECT_EQ(h.window->windowTitle(), QStringLiteral("Tessmar(Ver0.98) - plan.kel"));
        EXPECT_TRUE(item(h, "mnuFileSave")->isEnabled());
        EXPECT_FALSE(h.d().modified());
        for (int i = -1; h.session.store.nextLive(i);) {
            const model::Element& e = h.session.store.at(i);
            before.emplace_back(e.kind, e.X1, e.Y1, e.Z1, e.X2, e.Y2, e.Z2, e.secID);
        }
    }
    Harness h;
    h.fileAnswers.push_back(saved);
    item(h, "mnuFileOpen")->trigger();
    EXPECT_TRUE(h.messages.empty());
    EXPECT_EQ(h.window->windowTitle(), QStringLiteral("Tessmar(Ver0.98) - plan.kel"));
    std::vector<std::tuple<int, double, double, double, double, double, double, int>> after;
    for (int i = -1; h.session.store.nextLive(i);) {
        const model::Element& e = h.session.store.at(i);
        after.emplace_back(e.kind, e.X1, e.Y1, e.Z1, e.X2, e.Y2, e.Z2, e.secID);
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(h.session.grid.spans(model::AXIS_Y), 3);
    EXPECT_EQ(h.session.grid.position(model::AXIS_Y, 1), 4000);
    EXPECT_GT(model::findSecIDByKey(h.session.sections, 'G', 2, 1), 0);
    EXPECT_EQ(h.window->tbcNumber->count(), 3);
    EXPECT_TRUE(item(h, "mnuFileSave")->isEnabled());
}

TEST(MainWindow, OpenWithUnsavedChangesCancelledKeepsTheModel)
{
    Harness h;
    makeDefaultGrid(h);
    const int count = h.session.store.liveCount();
    h.answers.push_back(platform::Answer::Cancel);
    item(h, "mnuFileOpen")->trigger();
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].buttons, platform::Buttons::YesNoCancel);
    EXPECT_NE(h.messages[0].text.find("は変更されています。変更を保存しますか?"), std::string::npos);
    EXPECT_TRUE(h.fileRequests.empty());
    EXPECT_EQ(h.session.store.liveCount(), count);
    EXPECT_EQ(h.window->windowTitle(), QStringLiteral("Tessmar(Ver0.98) - untitled.kel"));
    EXPECT_TRUE(h.d().modified());
}

TEST(MainWindow, NewProjectWithUnsavedChangesAnsweredNoEmptiesTheModel)
{
    Harness h;
    makeDefaultGrid(h);
    h.answers.push_back(platform::Answer::No);
    item(h, "mnuFileNew")->trigger();
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(h.session.store.liveCount(), 0);
    EXPECT_EQ(h.window->tbcNumber->count(), 0);
    EXPECT_FALSE(h.d().modified());
    // The settings were written and read back, window geometry included.
    EXPECT_EQ(h.ini.read("Position", "Width", ""), std::to_string(h.window->width()));
}

TEST(MainWindow, ProjectNamedOnTheCommandLineIsOpened)
{
    uitest::TempDir files;
    const std::string path = files.file("start.kel");
    {
        Harness h;
        makeDefaultGrid(h);
        h.fileAnswers.push_back(path);
        item(h, "mnuFileSaveAs")->trigger();
        ASSERT_TRUE(std::filesystem::exists(path));
    }
    Harness h({path});
    EXPECT_EQ(h.window->startupFile(), path);
    EXPECT_EQ(h.session.grid.spans(model::AXIS_X), 2);
    EXPECT_GT(h.session.store.liveCount(), 0);
    // The first argument also heads the title.
    EXPECT_EQ(h.window->windowTitle(), QString::fromStdString(path) + QStringLiteral("Tessmar(Ver0.98) - start.kel"));

    Harness missing({files.file("nothing.kel")});
    EXPECT_TRUE(missing.window->startupFile().empty());
    EXPECT_EQ(missing.session.store.liveCount(), 0);
}

TEST(MainWindow, KeysAndWheelReachTheEditor)
{
    Harness h;
    makeDefaultGrid(h);
    h.window->imgKel->setFocus();
    const double scale = h.d().transform().viewScale;

    QKeyEvent pageUp(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
    QApplication::sendEvent(h.window->imgKel, &pageUp);
    EXPECT_NEAR(h.d().transform().viewScale, scale / 1.1, scale * 1e-9);

    const QPoint centre(h.window->imgKel->width() / 2, h.window->imgKel->height() / 2);
    QWheelEvent wheel(QPointF(centre), h.window->imgKel->mapToGlobal(QPointF(centre)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(h.window->imgKel, &wheel);
    EXPECT_NEAR(h.d().transform().viewScale, scale, scale * 1e-9);

    // Escape while idle opens the canvas popup menu at the pointer.
    h.mouse(QEvent::MouseMove, centre, Qt::NoButton);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(h.window->imgKel, &escape);
    EXPECT_TRUE(h.window->PopupMenu1->isVisible());
    EXPECT_TRUE(h.window->action(QStringLiteral("popCreate"))->isVisible());
    h.window->PopupMenu1->hide();

    // Shift held gives ortho; its release ends it.
    QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(h.window->imgKel, &shift);
    EXPECT_TRUE(h.d().state().snap.orthoKey);
    QKeyEvent shiftUp(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    QApplication::sendEvent(h.window->imgKel, &shiftUp);
    EXPECT_FALSE(h.d().state().snap.orthoKey);

    // A right click while idle opens the popup menu too.
    h.click(centre, Qt::RightButton);
    EXPECT_TRUE(h.window->PopupMenu1->isVisible());
    h.window->PopupMenu1->hide();
}

TEST(MainWindow, PanDragShowsTheGripAndMovesTheView)
{
    Harness h;
    makeDefaultGrid(h);
    const double left = h.d().transform().viewLeft;
    const QPoint from(200, 200), to(260, 200);
    h.mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
    EXPECT_EQ(h.window->imgKel->cursor().shape(), Qt::BitmapCursor);
    EXPECT_TRUE(h.d().state().panDrag);
    h.mouse(QEvent::MouseMove, to, Qt::LeftButton);
    h.mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton);
    EXPECT_FALSE(h.d().state().panDrag);
    EXPECT_NEAR(h.d().transform().viewLeft, left - 60 * h.d().transform().viewScale, 1e-6);
}

TEST(MainWindow, HelpOpensTheLocalDocumentation)
{
    Harness h;
    item(h, "mnuHelpHome")->trigger();
    item(h, "mnuHelpManual")->trigger();
    item(h, "mnuHelpReference")->trigger();
    ASSERT_EQ(h.openedUrls.size(), 3u);
    const std::vector<std::string> pages = {"index.html", "manual.html", "reference.html"};
    for (size_t i = 0; i < 3; ++i) {
        const std::filesystem::path p(h.openedUrls[i]);
        EXPECT_EQ(p.filename(), pages[i]);
        EXPECT_EQ(p.parent_path().filename(), "docs");
        EXPECT_TRUE(std::filesystem::exists(p)) << h.openedUrls[i];
    }
    EXPECT_TRUE(h.messages.empty());
}

TEST(MainWindow, ExitWritesTheSettingsAndClosesTheWindow)
{
    Harness h;
    h.window->move(120, 80);
    h.window->resize(850, 640);
    uitest::processEvents(20);
    item(h, "mnuFileExit")->trigger();
    EXPECT_FALSE(h.window->isVisible());
    settings::IniFile reread(h.ini.path());
    EXPECT_EQ(reread.read("Position", "Width", ""), "850");
    EXPECT_EQ(reread.read("Position", "Height", ""), "640");
    EXPECT_EQ(reread.read("Environment", "DrawDim", ""), "1");
}

TEST(MainWindow, ClosingWithUnsavedChangesAsksFirst)
{
    uitest::TempDir files;
    Harness h;
    makeDefaultGrid(h);
    h.answers.push_back(platform::Answer::Cancel);
    EXPECT_FALSE(h.window->close());
    EXPECT_TRUE(h.window->isVisible());
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].buttons, platform::Buttons::YesNoCancel);

    // Yes saves under a new name before the window goes; a cancelled file choice keeps it open.
    h.answers.push_back(platform::Answer::Yes);
    EXPECT_FALSE(h.window->close());
    h.answers.push_back(platform::Answer::Yes);
    h.fileAnswers.push_back(files.file("closing.kel"));
    EXPECT_TRUE(h.window->close());
    EXPECT_TRUE(std::filesystem::exists(files.file("closing.kel")));

    // Nothing changed since: no question.
    Harness clean;
    EXPECT_TRUE(clean.window->close());
    EXPECT_TRUE(clean.messages.empty());
}

}  // namespace
