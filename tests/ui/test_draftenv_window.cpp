// SPDX-License-Identifier: GPL-3.0-or-later
// The draft settings dialog, opened from the menu: what is changed through its widgets reaches
// the settings file and the next drawing; a field OK cannot take keeps the dialog open and
// changes nothing; every page is photographed for review.
#include <filesystem>
#include <fstream>
#include <iostream>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "draft/drawing_set.h"
#include "model/sections.h"
#include "ui/TfrmDraftEnv.h"
#include "ui/TfrmEnvironment.h"
#include "ui_harness.h"

namespace {

using uitest::Harness;

// Opens "作図設定(&E)..." and runs `act` on the dialog while it is shown.
void withDialog(Harness& h, const std::function<void(ui::TfrmDraftEnv&)>& act)
{
    ui::TfrmDraftEnv& dlg = h.window->frmDraftEnv();
    bool ran = false;
    uitest::onNextModal([&](QWidget* modal) {
        ran = true;
        EXPECT_EQ(modal, &dlg);
        act(dlg);
        if (dlg.isVisible()) dlg.reject();
    });
    QAction* menu = h.window->action(QStringLiteral("mnuFileDraftEnv"));
    ASSERT_NE(menu, nullptr);
    menu->trigger();
    EXPECT_TRUE(ran);
}

void choose(QComboBox* box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// The texts of the girder list as drawn now.
std::vector<std::string> girderListTexts(Harness& h, double& scale)
{
    draft::DraftState state;
    draft::DrawingFrame frame(h.session, state);
    auto kind = draft::drawingForCode(503, h.session);
    EXPECT_TRUE(kind);
    if (!kind) return {};
    EXPECT_TRUE(frame.run(kind->scale, kind->store, kind->generate));
    scale = frame.drafter().draftScale();
    std::vector<std::string> texts;
    for (const auto& m : h.session.texts.entries()) texts.push_back(m.text);
    frame.close();
    return texts;
}

bool has(const std::vector<std::string>& texts, const std::string& t)
{
    return std::find(texts.begin(), texts.end(), t) != texts.end();
}

}  // namespace

TEST(DraftEnvWindow, ChangedSettingsReachTheFileAndTheNextDrawing)
{
    Harness h;
    ASSERT_TRUE(model::setMemRod(h.session.sections, model::makeSecKey('G', 1, 1), model::makeSecName("1", "G1"),
                                 "RC:400:900:400:900:400:900;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;"));
    h.session.grid.spanCount[2] = 1;
    double scale = 0;
    ASSERT_FALSE(has(girderListTexts(h, scale), "巾×成"));
    EXPECT_EQ(scale, 40);

    withDialog(h, [&](ui::TfrmDraftEnv& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("作図設定"));
        EXPECT_EQ(dlg.tbcPages->currentIndex(), 0);
        EXPECT_EQ(dlg.tbcPages->count(), 8);
        dlg.cmbListScale->setCurrentText(QStringLiteral("20"));
        dlg.cmbGTitle[0]->setCurrentIndex(9);  // "巾×成"
        // A preset then a mark chosen by hand: the reference shows "フリー".
        choose(dlg.cmbSelSection, 3);
        EXPECT_EQ(dlg.cmbMarks[3]->currentIndex(), 14);
        choose(dlg.cmbMarks[4], 10);
        EXPECT_EQ(dlg.cmbSelSection->currentText(), QStringLiteral("フリー"));
        // Clearing the column dimension box disables its radios.
        dlg.chkCListDim->setChecked(false);
        EXPECT_FALSE(dlg.rbCList[0]->isEnabled());
        dlg.gridName[0].rdo[0]->setChecked(true);
        dlg.gridName[0].moji1->setCurrentText(QStringLiteral("A"));
        dlg.btnOK->click();
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_TRUE(h.messages.empty()) << (h.messages.empty() ? "" : h.messages[0].text);

    settings::IniFile file(h.ini.path());
    EXPECT_EQ(file.read("DraftEnv", "ListScale", "-"), "20");
    EXPECT_EQ(file.read("DraftEnv", "GTitle1", "-"), "9");
    EXPECT_EQ(file.read("DraftEnv", "secRefNumber", "-"), "0");
    EXPECT_EQ(file.read("DraftEnv", "RodMark03", "-"), "14");
    EXPECT_EQ(file.read("DraftEnv", "RodMark04", "-"), "10");
    EXPECT_EQ(file.read("DraftEnv", "ColumnListMark", "-"), "-1");
    EXPECT_EQ(file.read("DraftEnv", "nGridNameX", "-"), "1");
    EXPECT_EQ(h.session.grid.names[0][1], "B");

    EXPECT_TRUE(has(girderListTexts(h, scale), "巾×成"));
    EXPECT_EQ(scale, 20);

    // Reopened: the column dimension box is clear and its radios disabled.
    withDialog(h, [&](ui::TfrmDraftEnv& dlg) {
        EXPECT_FALSE(dlg.chkCListDim->isChecked());
        EXPECT_FALSE(dlg.rbCList[2]->isEnabled());
        EXPECT_EQ(dlg.cmbListScale->currentText(), QStringLiteral("20"));
        dlg.chkCListDim->setChecked(true);
        EXPECT_TRUE(dlg.rbCList[2]->isEnabled());
        dlg.btnCancel->click();
    });
    EXPECT_EQ(h.session.settings.draft.ColumnListMark, -1);
}

TEST(DraftEnvWindow, StoredMarkWithoutAPictureSurvivesOk)
{
    // The file may hold mark 15, which no box item shows; OK must not turn it into -1.
    Harness h;
    h.session.settings.draft.RodMark[2] = 15;
    withDialog(h, [&](ui::TfrmDraftEnv& dlg) {
        EXPECT_EQ(dlg.cmbMarks[2]->currentIndex(), -1);
        dlg.btnOK->click();
    });
    EXPECT_EQ(h.session.settings.draft.RodMark[2], 15);
    EXPECT_EQ(settings::IniFile(h.ini.path()).read("DraftEnv", "RodMark02", "-"), "15");
}

TEST(DraftEnvWindow, FieldOkCannotTakeKeepsTheDialogOpenAndChangesNothing)
{
    Harness h;
    const settings::DraftEnv before = h.session.settings.draft;
    auto fileBytes = [&h] {
        std::ifstream in(h.ini.path(), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    const std::string bytesBefore = fileBytes();
    withDialog(h, [&](ui::TfrmDraftEnv& dlg) {
        dlg.cmbListScale->setCurrentText(QStringLiteral("100"));
        dlg.cmbGFrame[1]->setCurrentText(QStringLiteral("abc"));
        dlg.btnOK->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.tbcPages->tabText(dlg.tbcPages->currentIndex()), QStringLiteral("梁断面リスト2"));
        dlg.btnCancel->click();
    });
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].caption, "確認");
    EXPECT_NE(h.messages[0].text.find("W2"), std::string::npos) << h.messages[0].text;
    EXPECT_EQ(h.session.settings.draft.ListScale, before.ListScale);
    EXPECT_EQ(fileBytes(), bytesBefore);
    EXPECT_EQ(fileBytes().find("ListScale"), std::string::npos);
}

TEST(DraftEnvWindow, EveryPageOnScreenAndTheEnvironmentWindow)
{
    Harness h;
    const std::filesystem::path dir = std::filesystem::path(TESSMAR_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(dir);
    withDialog(h, [&](ui::TfrmDraftEnv& dlg) {
        for (int i = 0; i < dlg.tbcPages->count(); ++i) {
            dlg.tbcPages->setCurrentIndex(i);
            uitest::processEvents(20);
            const auto file = dir / ("draftenv_page" + std::to_string(i + 1) + ".png");
            EXPECT_TRUE(dlg.grab().save(QString::fromStdString(file.string()), "PNG"));
            std::cout << "screenshot: " << file.string() << "\n";
        }
        // The mark boxes show the engine's symbols: mark 13 is not a blank picture.
        const QImage mark = dlg.cmbMarks[11]->itemIcon(13).pixmap(36, 36).toImage();
        int dark = 0;
        for (int y = 0; y < mark.height(); ++y)
            for (int x = 0; x < mark.width(); ++x) dark += qGray(mark.pixel(x, y)) < 128;
        EXPECT_GT(dark, 40);
    });

    ui::TfrmEnvironment& env = h.window->frmEnvironment();
    EXPECT_EQ(env.windowTitle(), QStringLiteral("環境設定"));
    EXPECT_FALSE(env.isVisible());
    EXPECT_TRUE(env.findChildren<QWidget*>().isEmpty());
}
