// SPDX-License-Identifier: GPL-3.0-or-later
// tessmar-cli draw writes the section lists of a project as DXF files that an independent
// reader takes without complaint and that hold exactly what the drawing holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

#include "draft/column_list.h"
#include "draft/drawing_frame.h"
#include "draft/girder_list.h"
#include "ezdxf_read.h"
#include "model/project_file.h"
#include "model/sections.h"
#include "session/session.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const std::string kSample = TESSMAR_SOURCE_DIR "/samples/sample.kel";

struct CliRun {
    int status = -1;
    std::string err;
};

// What the drawing itself holds, made in this process the way the command makes it.
struct Expected {
    std::map<std::string, int> counts;
    std::set<std::string> texts;
};

Expected drawInProcess(const std::string& project, bool girders)
{
    testing_support::RecordingPlatform platform;
    model::Session session(platform);
    Expected e;
    if (!model::readProject(session, project).ok) return e;
    draft::DraftState state;
    draft::DrawingFrame frame(session, state);
    frame.run(draft::ScaleMode::List, draft::GeneratorStore::Drawing, [&](draft::Drafter& d) {
        if (girders)
            draft::drawGirderList(session, d);
        else
            draft::drawColumnList(session, d);
    });
    for (int c = -1; session.store.nextLive(c);) {
        const int k = session.store.at(c).kind;
        if (k == model::kind::CIRCLE) ++e.counts["CIRCLE"];
        else if (k == model::kind::ARC) ++e.counts["ARC"];
        else if (k >= model::kind::LINE && k <= 104) ++e.counts["LINE"];
    }
    e.counts["TEXT"] = session.texts.count();
    for (const model::Moji& m : session.texts.entries()) e.texts.insert(m.text);
    return e;
}

class CliDraw : public testing_support::TempDirTest {
protected:

    CliRun cli(const std::string& args) const
    {
        const std::string errFile = path("stderr.txt");
        const std::string command = std::string("'") + TESSMAR_CLI + "' " + args + " >/dev/null 2>'" + errFile + "'";
        CliRun r;
        const int status = std::system(command.c_str());
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream in(errFile, std::ios::binary);
        r.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return r;
    }

    // A building of ten levels with 25 girder and 25 column marks, sections varying by mark.
    std::string writeLargeProject() const
    {
        testing_support::RecordingPlatform platform;
        model::Session s(platform);
        const int levels = 10;
        const int marks = 25;
        s.grid.spanCount[model::AXIS_Z] = levels - 1;
        for (int i = 0; i < levels; ++i) s.grid.line[model::AXIS_Z][i] = i * 3500;
        s.grid.spanCount[model::AXIS_X] = 1;
        s.grid.line[model::AXIS_X][1] = 6000;
        s.grid.spanCount[model::AXIS_Y] = 1;
        s.grid.line[model::AXIS_Y][1] = 6000;
        const char* girderSpecs[] = {
            "RC:400:900:400:900:400:900;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;",
            "RC:500:1000:450:900:500:1000;5:2:D25;3::D25;3::D25;4:2:D25;5:2:D25;3::D25;4:D13:100;4:D10;",
            "RC:350:700:350:700:350:700;2::D19;2::D19;3::D19;3::D19;2::D19;2::D19;2:D10:150;;",
        };
        const char* columnSpecs[] = {"RC:600:600;4:3:D22;2:2:D13:100;", "RC:800:700;5:4:D25;3:2:D13:100;",
                                     "RC:900:900;6:6:D29;4:4:D16:100;"};
        for (int lv = levels; lv >= 1; --lv)
            for (int m = 1; m <= marks; ++m) {
                const std::string level = lv == levels ? "R" : std::to_string(lv);
                model::setMemRod(s.sections, "G:" + std::to_string(lv) + ":" + std::to_string(m),
                                 level + ":G" + std::to_string(m), girderSpecs[(m + lv) % 3]);
            }
        for (int lv = levels - 1; lv >= 1; --lv)
            for (int m = 1; m <= marks; ++m)
                model::setMemRod(s.sections, "C:" + std::to_string(lv) + ":" + std::to_string(m),
                                 std::to_string(lv) + ":C" + std::to_string(m), columnSpecs[(m * lv) % 3]);
        const std::string file = path("large.kel");
        EXPECT_TRUE(model::writeProject(s, file).ok);
        return file;
    }

    // Draws one list through the command and compares the file with the drawing it came from.
    void expectListMatchesDrawing(const std::string& project, const std::string& list, bool girders,
                                  const std::vector<std::string>& mustHave)
    {
        SCOPED_TRACE(project + " " + list);
        const std::string out = path(list + ".dxf");
        CliRun r = cli("draw " + list + " '" + project + "' -o '" + out + "'");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        auto back = dxf_test::readWithEzdxf(out);
        if (back.ezdxfMissing) GTEST_SKIP() << "/usr/bin/python3 has no ezdxf";
        ASSERT_TRUE(back.ok) << back.output;
        EXPECT_EQ(back.auditErrors, 0) << back.output;
        EXPECT_EQ(back.encoding, "cp932");
        EXPECT_TRUE(back.handlesUnique);
        const Expected expected = drawInProcess(project, girders);
        ASSERT_GT(expected.counts.at("TEXT"), 0);
        for (const char* type : {"LINE", "CIRCLE", "ARC", "TEXT"}) {
            auto it = expected.counts.find(type);
            EXPECT_EQ(back.count(type), it == expected.counts.end() ? 0 : it->second) << type;
        }
        std::set<std::string> read;
        for (const auto& t : back.texts) read.insert(t.text);
        EXPECT_EQ(read, expected.texts);
        for (const std::string& s : mustHave) EXPECT_TRUE(read.count(s)) << s;
    }

};

}  // namespace

TEST_F(CliDraw, SampleProjectListsReadBackClean)
{
    ASSERT_TRUE(fs::exists(kSample)) << kSample;
    expectListMatchesDrawing(kSample, "girder-list", true, {"階", "符　号"});
    expectListMatchesDrawing(kSample, "column-list", false, {"階", "符　号"});
}

TEST_F(CliDraw, ManyMarksAndFloorsReadBackClean)
{
    const std::string project = writeLargeProject();
    expectListMatchesDrawing(project, "girder-list", true, {"G1", "G25", "R", "2", "全断面"});
    expectListMatchesDrawing(project, "column-list", false, {"C1", "C25", "9"});
}

TEST_F(CliDraw, SettingsFileChangesTheWrittenAlignment)
{
    const std::string project = writeLargeProject();
    std::ofstream(path("draft.ini"), std::ios::binary) << "[DraftEnv]\r\nDXFnBASE=\"5\"\r\nMojiRatio=\"0.7\"\r\n";
    const std::string out = path("centred.dxf");
    CliRun r = cli("draw girder-list '" + project + "' -o '" + out + "' --settings '" + path("draft.ini") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    auto back = dxf_test::readWithEzdxf(out);
    if (back.ezdxfMissing) GTEST_SKIP() << "/usr/bin/python3 has no ezdxf";
    ASSERT_FALSE(back.texts.empty()) << back.output;
    for (const auto& t : back.texts) {
        EXPECT_EQ(t.halign, 1) << t.text;
        EXPECT_EQ(t.valign, 2) << t.text;
    }
    std::ifstream in(out, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(bytes.find(" 41\r\n0.7\r\n"), std::string::npos);
}

TEST_F(CliDraw, ProjectWithoutSectionsStillGivesAValidFileAndSaysSo)
{
    testing_support::RecordingPlatform platform;
    model::Session empty(platform);
    ASSERT_TRUE(model::writeProject(empty, path("empty.kel")).ok);
    for (const char* list : {"girder-list", "column-list"}) {
        CliRun r = cli(std::string("draw ") + list + " '" + path("empty.kel") + "' -o '" + path("empty") + "'");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.err.find("nothing to draw"), std::string::npos) << r.err;
        ASSERT_TRUE(fs::exists(path("empty.dxf"))) << "the .dxf extension is added";
        auto back = dxf_test::readWithEzdxf(path("empty.dxf"));
        if (back.ezdxfMissing) GTEST_SKIP() << "/usr/bin/python3 has no ezdxf";
        EXPECT_TRUE(back.ok) << back.output;
        EXPECT_EQ(back.auditErrors, 0) << back.output;
        fs::remove(path("empty.dxf"));
    }
}

TEST_F(CliDraw, FailuresSayWhyOnOneLine)
{
    testing_support::RecordingPlatform platform;
    const std::string project = writeLargeProject();
    CliRun missing = cli("draw girder-list '" + path("nope.kel") + "' -o '" + path("x.dxf") + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("nope.kel"), std::string::npos) << missing.err;
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;

    const std::string badOut = path("no-such-folder/x.dxf");
    CliRun unwritable = cli("draw column-list '" + project + "' -o '" + badOut + "'");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find(badOut), std::string::npos) << unwritable.err;
    EXPECT_EQ(std::count(unwritable.err.begin(), unwritable.err.end(), '\n'), 1) << unwritable.err;

    CliRun noSettings = cli("draw girder-list '" + project + "' -o '" + path("x.dxf") + "' --settings '" +
                         path("none.ini") + "'");
    EXPECT_EQ(noSettings.status, 1);
    EXPECT_NE(noSettings.err.find("none.ini"), std::string::npos) << noSettings.err;
    EXPECT_FALSE(fs::exists(path("x.dxf")));

    // A project that happens to end in .dxf is never written over by its own drawing.
    fs::copy_file(project, path("same.dxf"));
    const auto before = fs::file_size(path("same.dxf"));
    CliRun same = cli("draw girder-list '" + path("same.dxf") + "' -o '" + path("same.dxf") + "'");
    EXPECT_EQ(same.status, 1) << same.err;
    EXPECT_EQ(fs::file_size(path("same.dxf")), before);
    model::Session reread(platform);
    EXPECT_TRUE(model::readProject(reread, path("same.dxf")).ok);
}

TEST_F(CliDraw, WrongUsageExitsWithTwo)
{
    const std::string project = writeLargeProject();
    const std::string out = " -o '" + path("x.dxf") + "'";
    EXPECT_EQ(cli("draw").status, 2);
    EXPECT_EQ(cli("draw beam-list '" + project + "'" + out).status, 2);
    EXPECT_EQ(cli("draw girder-list '" + project + "'").status, 2);
    EXPECT_EQ(cli("draw girder-list" + out).status, 2);
    EXPECT_EQ(cli("draw girder-list '" + project + "'" + out + " --scale 50").status, 2);
    EXPECT_EQ(cli("draw girder-list '" + project + "' '" + project + "'" + out).status, 2);
    EXPECT_EQ(cli("draw girder-list '" + project + "'" + out + " -o").status, 2);
    EXPECT_FALSE(fs::exists(path("x.dxf")));
}
