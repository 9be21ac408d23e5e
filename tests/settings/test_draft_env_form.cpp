// SPDX-License-Identifier: GPL-3.0-or-later
// The draft settings dialog's form: what it shows for the settings, what OK makes of it, and
// that a field OK cannot take changes nothing at all.
#include <functional>

#include <gtest/gtest.h>

#include "model/grid.h"
#include "settings/draft_env_form.h"
#include "settings/settings_store.h"
#include "support/recording_platform.h"

using namespace settings;
using testing_support::RecordingPlatform;

namespace {

struct Dialog {
    Settings settings;
    model::GridModel grid;
    IniFile ini;  // in memory
    RecordingPlatform platform;
    FormProblem problem;

    bool ok(const DraftEnvForm& form) { return confirmDraftEnvForm(form, settings, grid, ini, platform, problem); }
    std::string stored(const char* key) const { return ini.read("DraftEnv", key, "-"); }
};

}  // namespace

TEST(DraftEnvForm, UntouchedFormGivesBackTheSettings)
{
    DraftEnv d;
    d.InitGirder = "4::D25;3::D22;4::D25;3::D22;4::D25;3::D22;4:D13:150;4:D10;";
    d.InitColumn = "5:4:D25;3:2:D13:100;";
    d.GirderListBase = 2;
    d.GirderListMark = 3;
    d.TessmarStirStart = 9;
    d.DXFnBASE = 5;
    d.gridNaming[1] = {3, "A", "9", "Y", "0", "通", "1"};
    FormProblem problem;
    auto back = takeDraftEnvForm(fillDraftEnvForm(d), d, problem);
    ASSERT_TRUE(back) << problem.message;
    Settings a, b;
    a.draft = d;
    b.draft = *back;
    EXPECT_EQ(a.draft.InitGirder, b.draft.InitGirder);
    EXPECT_EQ(a.draft.InitColumn, b.draft.InitColumn);
    IniFile ia, ib;
    RecordingPlatform p;
    WriteDraftEnv(ia, a, p);
    WriteDraftEnv(ib, b, p);
    EXPECT_EQ(ia.toBytes(), ib.toBytes());
}

TEST(DraftEnvForm, NonNumericScaleFallsBackAndGirderSizeRepeatsThreeTimes)
{
    Dialog dlg;
    DraftEnvForm f = fillDraftEnvForm(dlg.settings.draft);
    f.listScale = "abc";
    f.listMojiHeight = "0";  // not usable either
    f.mojiUki = "x";
    f.girder.width = "300";
    f.girder.depth = "600";
    f.column.dx = "700";
    f.column.hoopPitch = "";
    ASSERT_TRUE(dlg.ok(f)) << dlg.problem.message;
    EXPECT_EQ(dlg.settings.draft.ListScale, 40);
    EXPECT_EQ(dlg.stored("ListScale"), "40");
    EXPECT_EQ(dlg.settings.draft.ListMojiHeight, 3);
    EXPECT_EQ(dlg.settings.draft.DrawMojiUki, 1);
    EXPECT_EQ(dlg.stored("InitGSec"), "300:600:300:600:300:600;");
    EXPECT_EQ(dlg.stored("InitGirder"), "3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;");
    EXPECT_EQ(dlg.stored("InitCSec"), "700:600;");
    EXPECT_EQ(dlg.stored("InitColumn"), "4:3:D22;2:2:D13:;");
    EXPECT_TRUE(dlg.platform.messages.empty());
}

TEST(DraftEnvForm, EmptyDefaultSizesAreTakenButSeparatorsStillRefused)
{
    Dialog dlg;
    DraftEnvForm f = fillDraftEnvForm(dlg.settings.draft);
    f.girder.width = "";
    f.girder.depth = " ";
    f.column.dx = "";
    f.column.dy = "";
    ASSERT_TRUE(dlg.ok(f)) << dlg.problem.message;
    EXPECT_EQ(dlg.stored("InitGSec"), ":::::;");
    EXPECT_EQ(dlg.stored("InitCSec"), ":;");

    for (const char* bad : {"3:00", "300;"}) {
        f.column.dy = bad;
        EXPECT_FALSE(dlg.ok(f)) << bad;
        EXPECT_EQ(dlg.problem.control, "edtInitDy");
    }
}

TEST(DraftEnvForm, HandChosenMarkAfterAPresetShowsFree)
{
    DraftEnvForm f = fillDraftEnvForm(DraftEnv{});
    EXPECT_EQ(f.preset, 1);
    choosePreset(f, 3);  // 東京都財務局
    EXPECT_EQ(f.marks, (model::RodMarks{2, 1, 4, 14, 5, 8, 7, 11, 12, 9, 0, 0}));
    chooseMark(f, 4, 10);  // D22
    EXPECT_EQ(f.preset, 0);
    EXPECT_STREQ(presetNames()[static_cast<size_t>(f.preset)], "フリー");
    choosePreset(f, 0);  // "フリー" keeps the hand-made marks
    EXPECT_EQ(f.marks, (model::RodMarks{2, 1, 4, 14, 10, 8, 7, 11, 12, 9, 0, 0}));

    Dialog dlg;
    ASSERT_TRUE(dlg.ok(f));
    EXPECT_EQ(dlg.settings.draft.secRefNumber, 0);
    EXPECT_EQ(dlg.stored("RodMark04"), "10");
    EXPECT_EQ(dlg.stored("RodMark09"), "9");
}

TEST(DraftEnvForm, ClearedDimensionBoxStoresMinusOneAndReopensClear)
{
    Dialog dlg;
    DraftEnvForm f = fillDraftEnvForm(dlg.settings.draft);
    ASSERT_TRUE(f.columnDim);  // default 0: "全てDx・Dy表示"
    EXPECT_FALSE(f.girderDim);  // default -1
    f.columnDim = false;
    f.columnDimRadio = 2;
    f.girderDim = true;
    f.girderDimRadio = 3;
    f.foundation = true;
    f.foundationRadio = 2;
    ASSERT_TRUE(dlg.ok(f));
    EXPECT_EQ(dlg.stored("ColumnListMark"), "-1");
    EXPECT_EQ(dlg.stored("GirderListMark"), "3");
    EXPECT_EQ(dlg.stored("GirderListBase"), "2");
    const DraftEnvForm again = fillDraftEnvForm(dlg.settings.draft);
    EXPECT_FALSE(again.columnDim);
    EXPECT_TRUE(again.girderDim);
    EXPECT_EQ(again.girderDimRadio, 3);
    EXPECT_TRUE(again.foundation);
    EXPECT_EQ(again.foundationRadio, 2);
}

TEST(DraftEnvForm, GridNamingIsRebuiltOnOk)
{
    Dialog dlg;
    DraftEnvForm f = fillDraftEnvForm(dlg.settings.draft);
    f.naming[0].mode = 1;
    f.naming[0].moji1 = "A";
    f.naming[2].mode = 3;
    f.naming[2].num3 = "1";
    f.naming[2].moji3 = "FL";
    ASSERT_TRUE(dlg.ok(f));
    EXPECT_EQ(dlg.grid.names[0][2], "C");
    EXPECT_EQ(dlg.grid.names[2][0], "1FL");
    EXPECT_EQ(dlg.stored("nGridNameZ"), "3");
    EXPECT_EQ(dlg.stored("cmbXNum1"), "0");  // written as it was
}

// OK must not leave half of the fields taken when a later one is refused.
TEST(DraftEnvForm, BadFieldIsNamedAndChangesNothing)
{
    struct Case {
        const char* control;
        std::function<void(DraftEnvForm&)> spoil;
    };
    const Case cases[] = {
        {"cmbMojiRatio", [](DraftEnvForm& f) { f.mojiRatio = "0,5"; }},
        {"cmbGW2", [](DraftEnvForm& f) { f.girderFrame[1] = "abc"; }},
        {"cmbCW3", [](DraftEnvForm& f) { f.columnFrame[2] = "2.5"; }},
        {"edtInitB", [](DraftEnvForm& f) { f.girder.width = "30;0"; }},
        {"cmbYMoji2", [](DraftEnvForm& f) { f.naming[1].moji2 = "\xF0\x9F\x98\x80"; }},
    };
    for (const Case& c : cases) {
        Dialog dlg;
        model::makeGridNames(dlg.grid, dlg.settings.draft.gridNaming);
        const auto namesBefore = dlg.grid.names;
        DraftEnvForm f = fillDraftEnvForm(dlg.settings.draft);
        f.listScale = "100";
        f.marks[0] = 14;
        f.naming[0].mode = 3;
        c.spoil(f);
        EXPECT_FALSE(dlg.ok(f)) << c.control;
        EXPECT_EQ(dlg.problem.control, c.control);
        EXPECT_NE(dlg.problem.message.find("「"), std::string::npos) << dlg.problem.message;
        EXPECT_EQ(dlg.settings.draft.ListScale, 40) << c.control;
        EXPECT_EQ(dlg.settings.draft.RodMark[0], 2) << c.control;
        EXPECT_EQ(dlg.grid.names, namesBefore) << c.control;
        EXPECT_EQ(dlg.ini.toBytes(), "") << c.control;
    }
}

TEST(DraftEnvForm, ItemListsOfTheBoxes)
{
    EXPECT_EQ(listMojiHeightItems().size(), 19u);
    EXPECT_EQ(listMojiHeightItems()[1], "1.5");
    EXPECT_EQ(mojiUkiItems().front(), "0");
    EXPECT_EQ(mojiUkiItems().back(), "10");
    EXPECT_EQ(frameSizeItems().size(), 80u);
    EXPECT_EQ(frameSizeItems().back(), "80");
    EXPECT_EQ(barSizeItems(), (std::vector<std::string>{"", "D10", "D13", "D16", "D19", "D22", "D25", "D29", "D32",
                                                        "9φ", "13φ", "16φ", "19φ", "22φ", "25φ", "28φ", "32φ"}));
}
