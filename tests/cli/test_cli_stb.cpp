// SPDX-License-Identifier: GPL-3.0-or-later
// tessmar-cli stb import / export as a black box: the report on stdout, one line on stderr and
// nothing written when a file is refused, the naming scheme kept in the settings named.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

#include "support/temp_dir.h"

namespace {

const std::string kData = std::string(TESSMAR_SOURCE_DIR) + "/tests/data/stb/";

class CliStb : public testing_support::TempDirTest {
protected:
    std::string out, err;

    int cli(const std::string& args)
    {
        const int raw = std::system((std::string(TESSMAR_CLI) + " " + args + " >" + path("out.txt") + " 2>" +
                                     path("err.txt"))
                                        .c_str());
        out = readBytes(path("out.txt"));
        err = readBytes(path("err.txt"));
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
};

}  // namespace

TEST_F(CliStb, ImportWritesTheProjectReportAndNamingScheme)
{
    ASSERT_EQ(cli("stb import " + kData + "frame202.stb -o " + path("f.kel") + " --settings " + path("t.ini")), 0) << err;
    EXPECT_NE(out.find("ST-Bridge 2.0.2 を読み込みました"), std::string::npos) << out;
    EXPECT_NE(out.find("\n読み込まない部材: StbGirder (S) 1\n"), std::string::npos) << "one item a line";
    const std::string kel = readBytes(path("f.kel"));
    EXPECT_EQ(kel.rfind("kelversion=1.4\r\n", 0), 0u);
    const std::string ini = readBytes(path("t.ini"));
    EXPECT_NE(ini.find("nGridNameZ=\"3\""), std::string::npos) << ini;
    EXPECT_NE(ini.find("cmbZMoji3=\"FL\""), std::string::npos);
    EXPECT_NE(ini.find("cmbXNum2=\"1\""), std::string::npos);

    ASSERT_EQ(cli("stb export " + path("f.kel") + " -o " + path("f.stb")), 0) << err;
    EXPECT_EQ(readBytes(path("f.stb")).rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    ASSERT_EQ(cli("stb import " + path("f.stb") + " -o " + path("g.kel")), 0) << err;
    ASSERT_EQ(cli("dump " + path("f.kel")), 0);
    const std::string first = out;
    ASSERT_EQ(cli("dump " + path("g.kel")), 0);
    EXPECT_EQ(out.size(), first.size()) << "the same records, in another order";
}

TEST_F(CliStb, ARefusedFileIsOneLineAndWritesNothing)
{
    writeBytes(path("broken.stb"), "<?xml version=\"1.0\"?>\n<ST_BRIDGE version=\"2.0.2\">\n<StbModel>\n</ST_BRIDGE>\n");
    EXPECT_EQ(cli("stb import " + path("broken.stb") + " -o " + path("b.kel") + " --settings " + path("b.ini")), 1);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("4行目"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(path("b.kel")));
    EXPECT_FALSE(std::filesystem::exists(path("b.ini")));
    EXPECT_EQ(cli("stb import " + kData + "frame202.stb"), 2) << "no output named";
    EXPECT_EQ(cli("stb frobnicate x"), 2);
}
