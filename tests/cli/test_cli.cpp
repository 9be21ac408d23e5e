// SPDX-License-Identifier: GPL-3.0-or-later
// tessmar-cli as a black box: the subcommands print and write what the model does, and every
// failure is one line on stderr with exit status 1 (2 for wrong usage).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <vector>

#include "model/encoding.h"

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun run(const std::string& args)
{
    fs::path errFile = fs::temp_directory_path() / ("tessmar-cli-err-" + std::to_string(::getpid()));
    std::string command = std::string(TESSMAR_CLI) + " " + args + " 2>" + errFile.string();
    CliRun r;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
    int raw = ::pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream e(errFile);
    r.err.assign(std::istreambuf_iterator<char>(e), std::istreambuf_iterator<char>());
    fs::remove(errFile);
    return r;
}

int countLines(const std::string& text, const std::string& containing)
{
    int n = 0;
    size_t pos = 0;
    while ((pos = text.find(containing, pos)) != std::string::npos) {
        ++n;
        pos += containing.size();
    }
    return n;
}

class Cli : public testing_support::TempDirTest {};

const std::string kSample = std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel";

}  // namespace

TEST_F(Cli, GridMakesTheFrameAndAxisLinesAndDumpShowsThem)
{
    CliRun g = run("grid --spans 2,3,2 --pitch-x 5000 --pitch-y 4000 --pitch-z 3000 -o " + path("g.kel"));
    ASSERT_EQ(g.status, 0) << g.err;
    CliRun d = run("dump " + path("g.kel"));
    ASSERT_EQ(d.status, 0) << d.err;
    EXPECT_EQ(countLines(d.out, ":LINE     :"), 75);
    EXPECT_EQ(countLines(d.out, ":BASE     :"), 3 + 4 + 3 + 3 + 4 + 3);
    EXPECT_NE(d.out.find("m_nBaseLineY[3]   12000"), std::string::npos);
    EXPECT_NE(d.out.find("Z2: 右(上): 0"), std::string::npos);

    // Several pitches give one per span.
    CliRun p = run("grid --spans 2,1,1 --pitch-x 5000,7000 --pitch-y 4000 --pitch-z 3000 -o " + path("p.kel"));
    ASSERT_EQ(p.status, 0) << p.err;
    EXPECT_NE(run("dump " + path("p.kel")).out.find("m_nBaseLineX[2]   12000"), std::string::npos);
}

// A negative pitch puts a line before the one it follows: refused, as the grid dialog does.
TEST_F(Cli, GridRefusesNegativePitches)
{
    CliRun g = run("grid --spans 2,1,1 --pitch-x 5000,-7000 --pitch-y 4000 --pitch-z 3000 -o " + path("n.kel"));
    EXPECT_EQ(g.status, 1);
    EXPECT_NE(g.err.find("--pitch-x"), std::string::npos) << g.err;
    EXPECT_FALSE(fs::exists(path("n.kel")));
}

TEST_F(Cli, ResaveOfTheSampleIsByteIdentical)
{
    CliRun r = run("resave " + kSample + " " + path("copy.kel"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readBytes(path("copy.kel")), readBytes(kSample));
}

TEST_F(Cli, SampleIsWhatTheGeneratorWrites)
{
    std::string command = std::string(TESSMAR_MAKE_SAMPLE) + " " + path("fresh.kel");
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(readBytes(path("fresh.kel")), readBytes(kSample)) << "run make-sample to refresh samples/sample.kel";
}

TEST_F(Cli, SampleHoldsMembersWithSectionsAndOffsets)
{
    CliRun d = run("dump " + kSample);
    ASSERT_EQ(d.status, 0) << d.err;
    EXPECT_GT(countLines(d.out, ":GIRDER   :"), 0);
    EXPECT_GT(countLines(d.out, ":COLUMN   :"), 0);
    EXPECT_EQ(countLines(d.out, ":LINE     :"), 0);
    EXPECT_EQ(countLines(d.out, "secID = -1"), 0);  // every member found its mark on its level
    EXPECT_NE(d.out.find(",R:G1,"), std::string::npos);
    EXPECT_NE(d.out.find(",1:C1,"), std::string::npos);
    EXPECT_NE(d.out.find("OZ =  -450.0"), std::string::npos);  // girders hang below their level
    CliRun u = run("undo-listing " + kSample);
    ASSERT_EQ(u.status, 0);
    EXPECT_EQ(countLines(u.out, "表示  1:削除  0"), countLines(d.out, " : SID ="));
}

TEST_F(Cli, DumpOfAProjectCutMidRecordFails)
{
    const std::string sample = readBytes(kSample);
    const size_t lastLine = sample.rfind('\n', sample.size() - 2) + 1;
    const std::string cut = sample.substr(0, lastLine + (sample.size() - lastLine) / 2);
    std::ofstream(path("cut.kel"), std::ios::binary) << cut;
    CliRun d = run("dump " + path("cut.kel"));
    EXPECT_EQ(d.status, 1);
    const int lines = static_cast<int>(std::count(cut.begin(), cut.end(), '\n')) + 1;
    EXPECT_NE(d.err.find(std::to_string(lines) + "行目: 要素の項目が足りません"), std::string::npos) << d.err;
    EXPECT_TRUE(d.out.empty());
}

TEST_F(Cli, FailuresAreOneLineWithStatus)
{
    CliRun missing = run("dump " + path("none.kel"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(countLines(missing.err, "\n"), 1);
    EXPECT_NE(missing.err.find("none.kel"), std::string::npos);

    std::ofstream(path("bad.kel"), std::ios::binary) << "kelversion=1.4\r\n12\r\nthree\r\n";
    CliRun bad = run("dump " + path("bad.kel"));
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("3行目"), std::string::npos);
    EXPECT_TRUE(bad.out.empty());

    CliRun resave = run("resave " + kSample + " " + path("no/such/dir/out.kel"));
    EXPECT_EQ(resave.status, 1);

    EXPECT_EQ(run("").status, 2);
    EXPECT_EQ(run("frobnicate").status, 2);
    EXPECT_EQ(run("dump").status, 2);
    EXPECT_EQ(run("grid --spans 2,3 -o " + path("x.kel")).status, 2);
    EXPECT_EQ(run("grid --spans 2,3,2 --pitch-x 5000,1,1 --pitch-y 4000 --pitch-z 3000 -o " + path("x.kel")).status, 2);
    EXPECT_EQ(run("grid --spans 101,1,1 --pitch-x 5000 --pitch-y 4000 --pitch-z 3000 -o " + path("x.kel")).status, 1);
    EXPECT_FALSE(fs::exists(path("x.kel")));
}

TEST_F(Cli, View3DPrintsOneLinePerMemberOfTheSample)
{
    CliRun d = run("dump " + kSample);
    ASSERT_EQ(d.status, 0) << d.err;
    const int members = countLines(d.out, ":GIRDER   :") + countLines(d.out, ":COLUMN   :");
    CliRun v = run("view3d " + kSample);
    ASSERT_EQ(v.status, 0) << v.err;
    EXPECT_EQ(countLines(v.out, "\n"), members);
    EXPECT_GT(countLines(v.out, " 0x0000FF solid"), 0);  // the members of the level shown
    CliRun zoomed = run("view3d " + kSample + " 10 60 200");
    ASSERT_EQ(zoomed.status, 0);
    EXPECT_NE(zoomed.out, v.out);
    EXPECT_EQ(run("view3d " + kSample + " 10 60 abc").status, 2);
    EXPECT_EQ(run("view3d " + kSample + " 10 60 5").status, 2);
}

// The quantity CSV adds up: every size's "計" is the sum of its rows, the design quantity the
// sum of the sizes, the required quantity the design one times the surcharge of the settings.
TEST_F(Cli, QuantityCsvRowsSumToTheTotals)
{
    {
        std::ofstream ini(path("q.ini"), std::ios::binary);
        ini << "[Quantity]\r\nSurcharge=\"1.1\"\r\n[DraftEnv]\r\nTessmarStirStart=\"9\"\r\n";
    }
    CliRun r = run("quantities " + kSample + " -o " + path("q.csv") + " --settings " + path("q.ini"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string csv = model::cp932ToUtf8(readBytes(path("q.csv")));
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "階,部位,符号,種別,径,本数,長さ(m),質量(kg),継手(箇所)\r");
    std::map<std::string, double> rows, totals;
    double design = 0, required = 0, sizes = 0;
    while (std::getline(in, line)) {
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        std::vector<std::string> f;
        std::istringstream cells(line);
        for (std::string c; std::getline(cells, c, ',');) f.push_back(c);
        if (f.size() < 8) f.resize(8);
        if (f[0] == "設計数量") design = std::stod(f[7]);
        else if (f[0] == "所要数量") required = std::stod(f[7]);
        else if (f[0] == "計") totals[f[4]] += std::stod(f[7]), sizes += std::stod(f[7]);
        else rows[f[4]] += std::stod(f[7]);
    }
    ASSERT_EQ(rows.size(), 4u);  // D10, D13, D22, D25
    for (const auto& [size, mass] : rows) EXPECT_NEAR(totals[size], mass, 1e-6) << size;
    EXPECT_NEAR(design, sizes, 1e-6);
    EXPECT_NEAR(required, std::round(design * 1.1 * 10) / 10, 1e-6);

    // The same table as text, and wrong usage.
    CliRun text = run("quantities " + kSample);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("所要数量 = 設計数量 × 1.04"), std::string::npos);
    EXPECT_NE(text.out.find("スターラップ"), std::string::npos);
    EXPECT_EQ(run("quantities " + kSample + " --bogus x").status, 2);
    EXPECT_EQ(run("quantities " + path("missing.kel")).status, 1);
}
