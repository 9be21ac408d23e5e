// SPDX-License-Identifier: GPL-3.0-or-later
// tessmar-cli draw framing / rebar / all write the drawings of the window's slices: every file
// reads back clean and holds what the drawing holds; empty drawings are left out and named.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "draft/drawing_frame.h"
#include "draft/drawing_set.h"
#include "editor/command_codes.h"
#include "ezdxf_read.h"
#include "model/project_file.h"
#include "model/view_slice.h"
#include "session/grid_build.h"
#include "session/session.h"
#include "support/recording_platform.h"

namespace fs = std::filesystem;
using model::ViewMode;

namespace {

const std::string kSample = TESSMAR_SOURCE_DIR "/samples/sample.kel";

struct CliResult {
    int status = -1;
    std::string out, err;
};

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

// Entity counts of a drawing made in this process, as the command makes it.
std::map<std::string, int> drawnCounts(const std::string& project, int code, ViewMode mode, int tab)
{
    testing_support::RecordingPlatform platform;
    model::Session session(platform);
    std::map<std::string, int> counts;
    if (!model::readProject(session, project).ok) return counts;
    model::makeGridNames(session.grid, session.settings.draft.gridNaming);
    model::selectSlice(session.grid, mode, tab, session.view);
    const auto drawing = draft::drawingForCode(code, session);
    draft::DraftState state;
    draft::DrawingFrame frame(session, state);
    if (!frame.run(drawing->scale, drawing->store, drawing->generate)) return counts;
    for (int i = -1; session.store.nextLive(i);) {
        const int k = session.store.at(i).kind;
        counts[k == model::kind::CIRCLE ? "CIRCLE" : k == model::kind::ARC ? "ARC" : "LINE"]++;
    }
    counts["TEXT"] = session.texts.count();
    return counts;
}

class CliDrawSets : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("tessmar-draw-sets-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    CliResult cli(const std::string& args) const
    {
        const std::string command = std::string("'") + TESSMAR_CLI + "' " + args + " >'" + path("out.txt") + "' 2>'" +
                                    path("err.txt") + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(path("out.txt")), slurp(path("err.txt"))};
    }

    // Reads the file back and compares it with the drawing made in this process.
    void expectAsDrawn(const std::string& file, const std::string& project, int code, ViewMode mode, int tab)
    {
        SCOPED_TRACE(file);
        const dxf_test::ReadBack back = dxf_test::readWithEzdxf(file);
        if (back.ezdxfMissing) GTEST_SKIP() << "/usr/bin/python3 has no ezdxf";
        ASSERT_TRUE(back.ok) << back.output;
        EXPECT_EQ(back.auditErrors, 0) << back.output;
        EXPECT_TRUE(back.handlesUnique);
        const auto drawn = drawnCounts(project, code, mode, tab);
        ASSERT_GT(drawn.at("LINE"), 0);
        for (const char* type : {"LINE", "CIRCLE", "ARC", "TEXT"}) {
            auto it = drawn.find(type);
            EXPECT_EQ(back.count(type), it == drawn.end() ? 0 : it->second) << type;
        }
    }

    // A project of girders (from x, to x, at z) on the Y0 line of a grid of these span counts,
    // all of one girder section.
    void writeGirders(const std::string& name, std::array<int, 3> spans, const std::string& secSpec,
                      const std::vector<std::array<double, 3>>& girders)
    {
        testing_support::RecordingPlatform platform;
        model::Session s(platform);
        model::GridSpec spec;
        spec.spanCount = spans;
        ASSERT_GT(model::buildGrid(s, spec), 0);
        s.sections[0] = {1, "G:2:1", "R:G1", secSpec};
        for (const auto& [x1, x2, z] : girders)
            s.store.addElem(model::kind::GIRDER, 0, 1, s.store.newUID(), 1, 0, x1, 0, z, x2, 0, z, 0);
        ASSERT_TRUE(model::writeProject(s, path(name)).ok);
    }

    fs::path dir;
};

}  // namespace

TEST_F(CliDrawSets, DrawAllWritesTheWholeSampleSetNamedByGridLines)
{
    const CliResult r = cli("draw all '" + kSample + "' -o '" + path("set") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> files = lines(r.out);
    // 2 lists, 3 levels, 4 Y and 3 X frames twice (framing and rebar).
    ASSERT_EQ(files.size(), 2u + 3u + 2 * (4u + 3u)) << r.out;
    EXPECT_EQ(files.front(), path("set/girder-list.dxf"));
    for (const std::string& f : files) EXPECT_TRUE(fs::is_regular_file(f)) << f;
    EXPECT_EQ(std::distance(fs::directory_iterator(path("set")), fs::directory_iterator()), 19);
    for (const char* name : {"framing-plan-Z1", "framing-Y-Y3", "framing-X-X2", "rebar-Y-Y0", "rebar-X-X1"})
        EXPECT_TRUE(fs::exists(path(std::string("set/") + name + ".dxf"))) << name;

    namespace cmd = editor::cmd;
    expectAsDrawn(path("set/framing-plan-Z1.dxf"), kSample, cmd::DRAW_FRAMING, ViewMode::Plan, 1);
    expectAsDrawn(path("set/framing-Y-Y0.dxf"), kSample, cmd::DRAW_FRAMING, ViewMode::ElevationXZ, 0);
    expectAsDrawn(path("set/framing-X-X2.dxf"), kSample, cmd::DRAW_FRAMING, ViewMode::ElevationYZ, 2);
    expectAsDrawn(path("set/rebar-Y-Y1.dxf"), kSample, cmd::DRAW_REBAR, ViewMode::ElevationXZ, 1);
    const dxf_test::ReadBack plan = dxf_test::readWithEzdxf(path("set/framing-plan-Z1.dxf"));
    if (plan.ezdxfMissing) return;
    EXPECT_GT(plan.lineTypes.at("CENTER"), 0);  // grid lines
    EXPECT_NE(plan.findText("G1"), nullptr);
    EXPECT_NE(plan.findText("6000"), nullptr);
    EXPECT_NE(plan.findText("X1"), nullptr);
}

TEST_F(CliDrawSets, OneSliceIsTheFileOfTheSetForTheSameTab)
{
    ASSERT_EQ(cli("draw all '" + kSample + "' -o '" + path("set") + "'").status, 0);
    CliResult r = cli("draw framing '" + kSample + "' --view yframe --tab 2 -o '" + path("y2") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(path("y2.dxf")), slurp(path("set/framing-Y-Y2.dxf")));
    r = cli("draw rebar '" + kSample + "' --view xframe --tab 1 -o '" + path("x1.dxf") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(path("x1.dxf")), slurp(path("set/rebar-X-X1.dxf")));
    r = cli("draw framing '" + kSample + "' --view plan -o '" + path("p0.dxf") + "'");  // tab 0
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(path("p0.dxf")), slurp(path("set/framing-plan-Z0.dxf")));
}

TEST_F(CliDrawSets, DrawingsWithNothingToDrawAreLeftOutAndNamed)
{
    // One girder on the first level's Y0 line, no column, no column section.
    writeGirders("one.kel", {1, 1, 1}, "RC:400:800;3::D22;", {{0, 5000, 3000}});

    const CliResult r = cli("draw all '" + path("one.kel") + "' -o '" + path("set") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> written = lines(r.out);
    EXPECT_EQ(written, (std::vector<std::string>{path("set/girder-list.dxf"), path("set/framing-plan-Z1.dxf"),
                                                 path("set/framing-Y-Y0.dxf"), path("set/rebar-Y-Y0.dxf")}));
    EXPECT_NE(r.err.find("left out the column list: nothing to draw"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("left out the framing plan of level Z0: nothing to draw"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("left out the framing elevation of X line X1: nothing to draw"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("set/framing-plan-Z0.dxf")));

    // A single slice with nothing in it is still written, and said so.
    const CliResult one = cli("draw framing '" + path("one.kel") + "' --view xframe --tab 0 -o '" + path("x0.dxf") + "'");
    EXPECT_EQ(one.status, 0) << one.err;
    EXPECT_NE(one.err.find("nothing to draw on tab 0 of the X frame"), std::string::npos) << one.err;
    EXPECT_TRUE(fs::exists(path("x0.dxf")));
}

TEST_F(CliDrawSets, WrongSlicesAndArgumentsAreOneLine)
{
    auto oneLine = [](const CliResult& r) { return lines(r.err).size() == 1; };
    CliResult r = cli("draw framing '" + kSample + "' --view yframe --tab 4 -o '" + path("a.dxf") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(oneLine(r)) << r.err;
    EXPECT_NE(r.err.find("tab 4 does not exist: the Y frame has tabs 0 to 3"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("a.dxf")));

    EXPECT_EQ(cli("draw framing '" + kSample + "' --view side -o '" + path("a.dxf") + "'").status, 2);
    EXPECT_EQ(cli("draw framing '" + kSample + "' --view plan --tab -1 -o '" + path("a.dxf") + "'").status, 2);
    EXPECT_EQ(cli("draw framing '" + kSample + "' --view plan --tab x -o '" + path("a.dxf") + "'").status, 2);
    EXPECT_EQ(cli("draw rebar '" + kSample + "' -o '" + path("a.dxf") + "'").status, 2);  // no view
    EXPECT_EQ(cli("draw all '" + kSample + "' --view plan -o '" + path("set") + "'").status, 2);
    EXPECT_EQ(cli("draw all '" + kSample + "'").status, 2);

    std::ofstream(path("file")) << "x";
    r = cli("draw all '" + kSample + "' -o '" + path("file") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(oneLine(r)) << r.err;
    r = cli("draw all '" + path("missing.kel") + "' -o '" + path("set") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(oneLine(r)) << r.err;
}

// Regression: the text buffer stopped at 10 001 labels and a large rebar drawing lost thousands.
TEST_F(CliDrawSets, ALargeRebarDrawingKeepsEveryLabelItsGeneratorAskedFor)
{
    // 1000 detailed girders on the Y0 line ask for far more labels than the old table held.
    const std::string sec = "RC:400:900:400:900:400:900;3:2:D22;3::D22;3::D22;3:2:D22;3:2:D22;3::D22;2:D10:200;4:D10;";
    std::vector<std::array<double, 3>> girders;
    for (int level = 1; level <= 10; ++level)
        for (int x = 0; x < 100; ++x) girders.push_back({5000.0 * x, 5000.0 * (x + 1), 3000.0 * level});
    writeGirders("big.kel", {100, 1, 10}, sec, girders);
    writeGirders("grid.kel", {100, 1, 10}, sec, {});
    writeGirders("one.kel", {100, 1, 10}, sec, {girders[0]});
    // What the generator asks for: the grid's labels, and as many per girder as one girder has.
    const int grid = drawnCounts(path("grid.kel"), editor::cmd::DRAW_REBAR, ViewMode::ElevationXZ, 0)["TEXT"];
    const int perGirder = drawnCounts(path("one.kel"), editor::cmd::DRAW_REBAR, ViewMode::ElevationXZ, 0)["TEXT"] - grid;
    ASSERT_GT(perGirder, 0);
    const int asked = grid + perGirder * static_cast<int>(girders.size());
    ASSERT_GT(asked, 10001);

    const CliResult one = cli("draw rebar '" + path("big.kel") + "' --view yframe --tab 0 -o '" + path("y0.dxf") + "'");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.err, "");
    const std::string dxf = slurp(path("y0.dxf"));
    int texts = 0;
    for (size_t at = dxf.find("\n  0\r\nTEXT\r\n"); at != std::string::npos; at = dxf.find("\n  0\r\nTEXT\r\n", at + 1))
        ++texts;
    EXPECT_EQ(texts, asked);
    EXPECT_NE(dxf.find("\nX99\r\n"), std::string::npos);

    const CliResult all = cli("draw all '" + path("big.kel") + "' -o '" + path("set") + "'");
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.err.find("text buffer"), std::string::npos) << all.err;
}
