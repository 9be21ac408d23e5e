// SPDX-License-Identifier: GPL-3.0-or-later
// tessmar-cli sections ss2 as a black box: TAB-separated tables pasted into the SS2 sheets
// become the sections of marks 1 … N on every level, as the section dialog's import and OK
// write them; failures are one line and write nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

#include "model/project_file.h"
#include "session/session.h"
#include "support/recording_platform.h"

namespace fs = std::filesystem;

namespace {

class CliSs2 : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("tessmar-cli-ss2-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        // Levels 1-3 (two storeys).
        ASSERT_EQ(cli("grid --spans 2,3,2 --pitch-x 5000 --pitch-y 4000 --pitch-z 3000 -o " + path("g.kel")), 0) << err;
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    int cli(const std::string& args)
    {
        const std::string errFile = path("stderr.txt");
        const int raw = std::system((std::string(TESSMAR_CLI) + " " + args + " >/dev/null 2>" + errFile).c_str());
        std::ifstream in(errFile, std::ios::binary);
        err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    std::string sheet(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    }
    // key -> (name, secSpec) of the written project.
    std::map<std::string, std::pair<std::string, std::string>> sections(const std::string& project)
    {
        testing_support::RecordingPlatform platform;
        model::Session session(platform);
        EXPECT_TRUE(model::readProject(session, project).ok);
        std::map<std::string, std::pair<std::string, std::string>> out;
        for (const auto& s : session.sections)
            if (s.secID > 0) out[s.secKey] = {s.secName, s.secSpec};
        return out;
    }

    fs::path dir;
    std::string err;
};

TEST_F(CliSs2, GirderAndColumnSheetsBecomeMarksOnEveryLevel)
{
    // Two girder marks; the second-layer count after "/", one size sheet in CP932 ("φ").
    const std::string s1 = sheet("s1.tsv", "40\t90\t35\t70\r\n40\t90\t35\t70\r\n45\t95\t35\t70\r\n");
    const std::string s2 = sheet("s2.tsv", "4/2\t3\t4\t3\t3\t3\n3\t3\t3\t2\t2\t2\n");
    const std::string s3 = sheet("s3.tsv", "D25\tD25\tD25\t22\x83\xD3\t22\x83\xD3\t22\x83\xD3\r\nD22\tD22\tD22\tD19\tD19\tD19\r\n");
    const std::string s4 = sheet("s4.tsv", "2\tD10\t200\t2\tD10\t150\r\n");
    ASSERT_EQ(cli("sections ss2 " + path("g.kel") + " --kind G --sheet 1=" + s1 + " --sheet 2=" + s2 + " --sheet 3=" +
                  s3 + " --sheet 4=" + s4 + " -o " + path("g2.kel")),
              0)
        << err;
    auto g = sections(path("g2.kel"));
    EXPECT_EQ(g["G:3:1"].first, "R:G1");
    // The first row is written back as the dialog composes it (all three ends spelled out).
    EXPECT_EQ(g["G:3:1"].second, "RC:400:900:400:900:400:900;4:2:D25;3::D22;3::D25;3::D22;4::D25;3::D22;2:D10:200;:;");
    EXPECT_EQ(g["G:3:2"].second, "RC:350:700;3::22φ;2::D19;3::22φ;2::D19;3::22φ;2::D19;2:D10:150;:;");
    EXPECT_EQ(g["G:1:1"].first, "1:G1");
    EXPECT_EQ(g["G:1:1"].second.substr(0, 11), "RC:450:950;");
    EXPECT_EQ(g.size(), 6u);

    const std::string c1 = sheet("c1.tsv", "60\t60\r\n55\t50\r\n");
    const std::string c2 = sheet("c2.tsv", "4\t3\r\n9\t9\r\n4\t4\r\n");
    ASSERT_EQ(cli("sections ss2 " + path("g2.kel") + " --kind C --sheet 1=" + c1 + " --sheet 2=" + c2 + " -o " +
                  path("c.kel")),
              0)
        << err;
    auto c = sections(path("c.kel"));
    EXPECT_EQ(c["C:2:1"].first, "2:C1");
    EXPECT_EQ(c["C:1:1"].second, "RC:550:500;4:4:;:::;");
    EXPECT_EQ(c["G:3:2"], g["G:3:2"]);  // the girders stay
}

TEST_F(CliSs2, FailuresAreOneLineAndWriteNothing)
{
    const std::string out = path("out.kel");
    EXPECT_EQ(cli("sections ss2 " + path("g.kel") + " --kind G --sheet 1=" + path("missing.tsv") + " -o " + out), 1);
    EXPECT_NE(err.find("missing.tsv"), std::string::npos);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    const std::string bad = sheet("bad.tsv", "40\t\x81\n");  // a lead byte without its second byte
    EXPECT_EQ(cli("sections ss2 " + path("g.kel") + " --kind G --sheet 1=" + bad + " -o " + out), 1);
    const std::string empty = sheet("empty.tsv", "\t\r\n");
    EXPECT_EQ(cli("sections ss2 " + path("g.kel") + " --kind G --sheet 1=" + empty + " -o " + out), 1);
    EXPECT_NE(err.find("no mark"), std::string::npos);
    EXPECT_EQ(cli("sections ss2 " + path("g.kel") + " --kind G --sheet 5=" + empty + " -o " + out), 1);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(cli("sections ss2 " + path("g.kel") + " --kind B --sheet 1=" + empty + " -o " + out), 2);
    EXPECT_EQ(cli("sections ss2 " + path("g.kel") + " --kind G -o " + out), 2);
}

}  // namespace
