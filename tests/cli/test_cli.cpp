// tessmar-cli as a black box: the subcommands print and write what the model does, and every
// failure is one line on stderr with exit status 1 (2 for wrong usage).
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

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
