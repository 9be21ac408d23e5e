// SPDX-License-Identifier: GPL-3.0-or-later
// The bar take-off measures girders over the clear span between column faces with end
// allowances, stirrups and hoops as the rebar drawing lays them, joints and laps, and sums
// rows, sizes and totals as listed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <filesystem>
#include <optional>
#include <unistd.h>

#include "draft/quantity_form.h"
#include "draft/quantity_rules.h"
#include "draft/rebar_quantity.h"
#include "model/element_store.h"
#include "model/sections.h"
#include "platform/dialog_ports.h"
#include "session/session.h"
#include "settings/ini_file.h"
#include "support/recording_platform.h"

namespace q = draft::quantity;

namespace {

const std::string kGirder = "RC:400:800:400:800:400:800;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;";
const std::string kColumn = "RC:600:600;4:3:D22;2:2:D13:100;";

// A girder between two columns 600 x 600 at X = 0 and 5600: clear span 5000.
struct Building : ::testing::Test {
    testing_support::RecordingPlatform platform;
    model::Session session{platform};
    int first = -1;

    void SetUp() override
    {
        session.grid.spanCount[model::AXIS_Z] = 1;
        section("G:2:1", "R:G1", kGirder);
        section("C:1:1", "1:C1", kColumn);
        column(0);
        column(5600);
        first = girder(0, 5600, 1);
    }
    void section(const std::string& key, const std::string& name, const std::string& spec)
    {
        ASSERT_TRUE(model::setMemRod(session.sections, key, name, spec));
    }
    int column(double x)
    {
        return session.store.addElem(model::kind::COLUMN, 0, 1, -1, 2, 0, x, 0, 0, x, 0, 4000, 0);
    }
    int girder(double x1, double x2, int secID)
    {
        return session.store.addElem(model::kind::GIRDER, 0, 1, -1, secID, 0, x1, 0, 4000, x2, 0, 4000, 0);
    }
    q::Takeoff take(const q::Conditions& c = {})
    {
        session.store.invalidateConnections();
        return q::takeOff(session.store, session.sections, session.grid, 0, c);
    }
    static const q::QuantityRow* row(const q::Takeoff& t, const std::string& part, const std::string& kind,
                                     const std::string& size)
    {
        for (const q::QuantityRow& r : t.rows)
            if (r.part == part && r.kind == kind && r.size == size) return &r;
        return nullptr;
    }
};

}  // namespace

TEST_F(Building, TakeoffFarFromTheOriginEnds)
{
    // The same bay again where a step of the stirrup pitch adds nothing to a coordinate.
    const double far = 1e19;
    column(far);
    column(far + 6144);
    girder(far, far + 6144, 1);
    const q::Takeoff t = take();
    const q::QuantityRow* stirrups = row(t, q::kPartGirder, q::kKindStirrup, "D10");
    ASSERT_NE(stirrups, nullptr);
    EXPECT_LE(stirrups->count, 26 + 32);  // the near bay's 26 and at most 6144 / 200 + 2 far away
}

TEST_F(Building, HandComputedGirder)
{
    const q::Takeoff t = take();
    // 2 faces x 3 bars x (5000 + 2 x 35 d) with d = 22.
    const q::QuantityRow* main = row(t, q::kPartGirder, q::kKindMain, "D22");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->count, 6);
    EXPECT_NEAR(main->length, 39240, 1e-6);
    EXPECT_DOUBLE_EQ(main->mass, 119.3);
    EXPECT_EQ(main->joints, 0);
    // 26 stirrups of 2 x 800 + 2 x 400, and 2 web bars of 5000.
    const q::QuantityRow* st = row(t, q::kPartGirder, q::kKindStirrup, "D10");
    const q::QuantityRow* web = row(t, q::kPartGirder, q::kKindWeb, "D10");
    ASSERT_NE(st, nullptr);
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(st->count, 26);
    EXPECT_NEAR(st->length + web->length, 72400, 1e-6);
    EXPECT_NEAR(st->mass + web->mass, 40.5, 1e-9);
    EXPECT_EQ(t.rows.front().floor, "R");  // the girder level is listed before the storey
    EXPECT_TRUE(t.omitted.empty());
}

TEST_F(Building, HandComputedColumnsAndTotals)
{
    const q::Takeoff t = take();
    // Per column: 2 x 4 + 2 x 3 - 4 = 10 bars of 4000; hoops 3200 / 100 -> 33 below the joint and
    // (800 - 40) / 100 -> 8 in it, each 2 x 600 + 2 x 600.
    const q::QuantityRow* main = row(t, q::kPartColumn, q::kKindMain, "D22");
    const q::QuantityRow* hoop = row(t, q::kPartColumn, q::kKindHoop, "D13");
    ASSERT_NE(main, nullptr);
    ASSERT_NE(hoop, nullptr);
    EXPECT_EQ(main->count, 20);
    EXPECT_NEAR(main->length, 80000, 1e-6);
    EXPECT_EQ(hoop->count, 2 * (33 + 8));
    EXPECT_NEAR(hoop->length, 82 * 2400.0, 1e-6);

    // Totals per size are the sums of the listed rows; design and required mass follow.
    double design = 0;
    for (const q::SizeTotal& s : t.totals) {
        double rows = 0;
        for (const q::QuantityRow& r : t.rows)
            if (r.size == s.size) rows += r.mass;
        EXPECT_NEAR(s.mass, rows, 1e-9) << s.size;
        design += s.mass;
    }
    EXPECT_NEAR(t.designMass, design, 1e-9);
    EXPECT_NEAR(t.requiredMass, std::round(design * 1.04 * 10) / 10, 1e-9);
    ASSERT_EQ(t.totals.size(), 3u);
    EXPECT_EQ(t.totals[0].size, "D10");  // thin to thick
}

TEST_F(Building, ContinuedBarsTakeHalfTheColumnInsteadOfTheAnchorage)
{
    girder(5600, 11200, 1);
    const q::Takeoff t = take();
    // Each girder: one end anchored (770), one continued through the middle column (300).
    const q::QuantityRow* main = row(t, q::kPartGirder, q::kKindMain, "D22");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->count, 12);
    // The second girder's far end has no column: its clear span runs to the girder's end.
    EXPECT_NEAR(main->length, 6 * (5000 + 770 + 300) + 6 * (5300 + 300 + 770), 1e-6);
}

TEST_F(Building, ExtraEndBarsAndSecondLayersRunAThirdWithTheirEnd)
{
    section("G:2:2", "R:G2",
            "RC:400:800;5:2:D22;3::D22;3::D22;3::D22;4::D22;3::D22;2:D10:200;;");
    session.store.at(first).secID = 3;
    const q::Takeoff t = take();
    const q::QuantityRow* main = row(t, q::kPartGirder, q::kKindMain, "D22");
    ASSERT_NE(main, nullptr);
    const double through = 5000 + 2 * 770.0;
    const double end = 5000 / 3.0 + 770;
    // Top: 3 through, 2 more at the left end, 1 more at the right; second layer left only.
    // Bottom: 3 through.
    EXPECT_EQ(main->count, 3 + 2 + 1 + 2 + 3);
    EXPECT_NEAR(main->length, 6 * through + 3 * end + 2 * end, 1e-6);
    EXPECT_EQ(row(t, q::kPartGirder, q::kKindWeb, "D10"), nullptr);  // no web bars
}

TEST_F(Building, MembersLeftOutAreNamedOnce)
{
    session.store.addElem(model::kind::GIRDER, 0, 1, -1, 0, 0, 0, 5000, 4000, 5600, 5000, 4000, 0);
    session.store.addElem(model::kind::GIRDER, 0, 1, -1, 0, 0, 0, 10000, 4000, 5600, 10000, 4000, 0);
    section("G:2:2", "R:G9", "RC:400:800;3::D23;3::D22;;;;;;;");
    session.store.addElem(model::kind::GIRDER, 0, 1, -1, 3, 0, 0, 15000, 4000, 5600, 15000, 4000, 0);
    const q::Takeoff t = take();
    ASSERT_EQ(t.omitted.size(), 2u);
    EXPECT_EQ(t.omitted[0].reason, "断面がありません");
    EXPECT_EQ(t.omitted[1].mark, "G9");
    const auto notice = q::omissionNotice(t);
    ASSERT_EQ(notice.size(), 3u);
    EXPECT_EQ(notice[0], "数量に含めなかった部材");
    EXPECT_NE(notice[2].find("D23"), std::string::npos);
}

TEST(QuantityRules, JointsLapsMassesAndConditions)
{
    const q::Conditions c;
    q::Joints j = q::jointsOf("D22", 7500, c);
    EXPECT_EQ(j.count, 1);
    EXPECT_EQ(j.addedLength, 0);
    j = q::jointsOf("D13", 6500, c);
    EXPECT_EQ(j.count, 1);
    EXPECT_DOUBLE_EQ(j.addedLength, 520);
    EXPECT_EQ(q::jointsOf("D16", 14000, c).count, 2);
    EXPECT_DOUBLE_EQ(q::jointsOf("D16", 14000, c).addedLength, 2 * 640);
    EXPECT_EQ(q::jointsOf("D13", 5999, c).count, 0);
    EXPECT_DOUBLE_EQ(q::unitMass("D51"), 15.9);
    EXPECT_DOUBLE_EQ(q::unitMass("28φ"), 4.83);
    EXPECT_EQ(q::unitMass("D23"), 0);
    EXPECT_DOUBLE_EQ(q::anchorage("D22", c), 770);

    settings::IniFile ini;
    q::Conditions changed;
    changed.grade = 390;
    changed.fc = 36;
    changed.hooked = true;
    changed.surcharge = 1.05;
    ASSERT_TRUE(q::writeConditions(ini, changed));
    std::vector<std::string> problems;
    q::Conditions back = q::readConditions(ini, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(back.grade, 390);
    EXPECT_TRUE(back.hooked);
    EXPECT_DOUBLE_EQ(back.surcharge, 1.05);
    EXPECT_DOUBLE_EQ(q::anchorage("D22", back), 25 * 22);

    ASSERT_TRUE(ini.write(q::kConditionsSection, "Surcharge", "abc"));
    ASSERT_TRUE(ini.write(q::kConditionsSection, "Fc", "2.5"));
    back = q::readConditions(ini, problems);
    EXPECT_EQ(problems.size(), 2u);
    EXPECT_DOUBLE_EQ(back.surcharge, 1.04);
    EXPECT_EQ(back.fc, 21);
}

namespace {
struct ScriptedFiles : platform::FileDialogPort {
    std::optional<std::string> answer;
    std::optional<std::string> openFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const std::string&, const std::string&) override { return answer; }
};
}  // namespace

TEST_F(Building, FormNamesBadSettingsAndSavesWithTheCsvExtension)
{
    settings::IniFile ini;
    ASSERT_TRUE(ini.write(q::kConditionsSection, "LapFactor", "-3"));
    ScriptedFiles files;
    q::QuantityForm form(session, ini, &files);
    form.refresh();
    const auto lines = form.conditionLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[3].find("LapFactor"), std::string::npos);
    EXPECT_EQ(form.rows().back()[0], "所要数量");

    EXPECT_FALSE(form.saveCsv());  // cancelled
    const auto dir = std::filesystem::temp_directory_path() / ("tessmar-q-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    files.answer = (dir / "take-off").string();
    EXPECT_TRUE(form.saveCsv());
    EXPECT_EQ(form.lastSaved(), (dir / "take-off.csv").string());
    EXPECT_TRUE(std::filesystem::is_regular_file(form.lastSaved()));
    files.answer = (dir / "no-such-folder" / "x.csv").string();
    EXPECT_FALSE(form.saveCsv());
    EXPECT_EQ(platform.messages.size(), 1u);  // why it failed
    std::filesystem::remove_all(dir);
}
