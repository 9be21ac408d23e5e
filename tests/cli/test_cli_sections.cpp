// SPDX-License-Identifier: GPL-3.0-or-later
// tessmar-cli sections export / import as a black box: the CSV of the menu command, a
// renumbered project whose members still sit on their sections, and one-line failures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

#include "model/element.h"
#include "model/encoding.h"
#include "model/project_file.h"
#include "session/session.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const std::string kSample = std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel";

class CliSections : public testing_support::TempDirTest {
protected:

    // Exit status; stderr lands in `err`.
    int cli(const std::string& args)
    {
        const std::string errFile = path("stderr.txt");
        const int raw = std::system((std::string(TESSMAR_CLI) + " " + args + " >/dev/null 2>" + errFile).c_str());
        err = bytes(errFile);
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    static std::string bytes(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void write(const std::string& name, const std::string& content) const
    {
        std::ofstream(dir / name, std::ios::binary) << content;
    }

    std::string err;
};

// The section key every element refers to, in element order.
std::vector<std::string> memberKeys(const std::string& project)
{
    testing_support::RecordingPlatform platform;
    model::Session session(platform);
    EXPECT_TRUE(model::readProject(session, project).ok) << project;
    std::vector<std::string> keys;
    for (const model::Element& e : session.store.records()) {
        std::string key = "-";
        for (const auto& s : session.sections)
            if (e.secID > 0 && s.secID == e.secID) {
                key = s.secKey;
                break;
            }
        keys.push_back(key);
    }
    return keys;
}

}  // namespace

TEST_F(CliSections, ExportWritesTheCsvAndARenumberedProjectAndLeavesTheInputAlone)
{
    const std::string before = bytes(kSample);
    ASSERT_EQ(cli("sections export " + kSample + " -o " + path("s.csv") + " --renumbered " + path("r.kel")), 0) << err;
    EXPECT_EQ(bytes(kSample), before);

    EXPECT_EQ(model::cp932ToUtf8(bytes(path("s.csv"))).find("//梁,階(編集不可),"), 0u);

    // The sample's G:3:2 moves from 2 to 4 and so on; every member keeps its section.
    const auto keys = memberKeys(kSample);
    EXPECT_GT(std::count_if(keys.begin(), keys.end(), [](const std::string& k) { return k != "-"; }), 10);
    EXPECT_EQ(memberKeys(path("r.kel")), keys);
}

TEST_F(CliSections, ImportReplacesTheSectionsAndCanResetTheMembers)
{
    ASSERT_EQ(cli("sections export " + kSample + " -o " + path("s.csv")), 0) << err;
    std::string csv = bytes(path("s.csv"));
    const std::string from = "G,3,1,R,G1,RC,400,900,", to = "G,3,1,R,G1,RC,500,950,";
    ASSERT_NE(csv.find(from), std::string::npos);
    csv.replace(csv.find(from), from.size(), to);
    write("edited.csv", csv);

    ASSERT_EQ(cli("sections import " + kSample + " " + path("edited.csv") + " -o " + path("i.kel")), 0) << err;
    testing_support::RecordingPlatform platform;
    model::Session imported(platform);
    ASSERT_TRUE(model::readProject(imported, path("i.kel")).ok);
    EXPECT_EQ(imported.sections[0].secKey, "G:3:1");
    EXPECT_EQ(imported.sections[0].secSpec.rfind("RC:500:950;3::D22;", 0), 0u);
    ASSERT_EQ(cli("sections import " + kSample + " " + path("edited.csv") + " -o " + path("reset.kel") +
                  " --reset-designations"),
              0)
        << err;
    model::Session reset(platform);
    ASSERT_TRUE(model::readProject(reset, path("reset.kel")).ok);
    for (int i = -1; reset.store.nextLive(i);) {
        EXPECT_NE(reset.store.at(i).kind, model::kind::GIRDER);
        EXPECT_NE(reset.store.at(i).kind, model::kind::COLUMN);
    }
}

TEST_F(CliSections, FailuresAreOneLineAndWriteNothing)
{
    write("bad.csv", "C,1,1,1,C\x81\x20\r\n");
    EXPECT_EQ(cli("sections import " + kSample + " " + path("bad.csv") + " -o " + path("o.kel")), 1);
    EXPECT_EQ(err, "tessmar-cli: " + path("bad.csv") + " 1行目: Shift-JIS として読めない文字があります\n");
    EXPECT_FALSE(fs::exists(path("o.kel")));
    EXPECT_EQ(cli("sections export " + path("none.kel") + " -o " + path("o.csv")), 1);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    fs::copy_file(kSample, path("p.kel"));
    EXPECT_EQ(cli("sections export " + path("p.kel") + " -o " + path("o.csv") + " --renumbered " + path("p.kel")), 1);
    EXPECT_EQ(bytes(path("p.kel")), bytes(kSample));

    EXPECT_EQ(cli("sections import " + kSample + " -o " + path("o.kel")), 2);
    EXPECT_EQ(cli("sections export " + kSample + " -o " + path("o.csv") + " --reset-designations"), 2);
}
