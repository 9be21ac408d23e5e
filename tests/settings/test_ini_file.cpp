// SPDX-License-Identifier: GPL-3.0-or-later
// The ini document: names match without case, values keep their blanks, text is CP932 on disk,
// damaged files are read as far as they make sense and a write never loses the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "model/encoding.h"
#include "settings/ini_file.h"
#include "support/temp_dir.h"

using settings::IniFile;
namespace fs = std::filesystem;

namespace {

class IniFileTest : public testing_support::TempDirTest {
protected:
};

std::string cp932(const std::string& utf8) { return *model::utf8ToCp932(utf8); }

}  // namespace

TEST_F(IniFileTest, MissingFileReadsDefaultsAndFirstWriteCreatesIt)
{
    fs::path p = dir / "sub" / "tessmar.ini";
    IniFile ini(p);
    EXPECT_EQ(ini.read("Environment", "MojiSize", "12"), "12");
    EXPECT_FALSE(ini.lookup("Environment", "MojiSize"));
    EXPECT_TRUE(ini.lastError().empty());

    ASSERT_TRUE(ini.write("Environment", "DrawDim", "1")) << ini.lastError();
    EXPECT_EQ(readBytes(p), "[Environment]\r\nDrawDim=\"1\"\r\n");
}

TEST_F(IniFileTest, QuotesAreStrippedOncePairedAndBlanksInsideSurvive)
{
    IniFile ini = IniFile::fromBytes(
        "[S]\r\n"
        "  plain  =  some value  \r\n"
        "quoted=\"  two blanks  \"\n"  // LF only: both line ends are read
        "half=\"open\r\n"
        "inner=\"say \"hi\"\"\r\n"
        "empty=\r\n");
    EXPECT_EQ(ini.read("S", "plain", "-"), "some value");
    EXPECT_EQ(ini.read("S", "quoted", "-"), "  two blanks  ");
    EXPECT_EQ(ini.read("S", "half", "-"), "\"open");
    EXPECT_EQ(ini.read("S", "inner", "-"), "say \"hi\"");
    EXPECT_EQ(ini.read("S", "empty", "-"), "");

    // Written values come back exactly, whatever quotes and blanks they hold.
    fs::path p = dir / "q.ini";
    IniFile out(p);
    for (std::string v : {"  lead", "trail  ", "\"quoted\"", "", "a=b;c"}) {
        ASSERT_TRUE(out.write("S", "k", v));
        EXPECT_EQ(IniFile(p).read("S", "k", "-"), v);
    }
}

TEST_F(IniFileTest, NamesMatchWithoutCaseAndAWriteReplacesTheLineItReads)
{
    fs::path p = dir / "case.ini";
    writeBytes(p, "[draftenv]\r\ncmbXnum1=\"3\"\r\nother=\"x\"\r\n[Next]\r\na=\"1\"\r\n");
    IniFile ini(p);
    EXPECT_EQ(ini.read("DraftEnv", "cmbXNum1", "0"), "3");

    ASSERT_TRUE(ini.write("DRAFTENV", "CMBXNUM1", "4"));
    ASSERT_TRUE(ini.write("DraftEnv", "cmbYNum1", "5"));  // new key: joins its own section
    EXPECT_EQ(readBytes(p),
              "[draftenv]\r\nCMBXNUM1=\"4\"\r\nother=\"x\"\r\ncmbYNum1=\"5\"\r\n[Next]\r\na=\"1\"\r\n");
}

TEST_F(IniFileTest, JapaneseTextIsCp932OnDiskEvenWithBracketLikeTrailBytes)
{
    // "ゾ" is 0x83 0x5D and "ー" 0x81 0x5B in CP932: their second bytes look like "]" and "[".
    fs::path p = dir / "jp.ini";
    const std::string section = "ゾーン";
    const std::string value = "  通り芯ゾーン［Ｘ］  ";
    {
        IniFile ini(p);
        ASSERT_TRUE(ini.write(section, "名前", value));
        ASSERT_TRUE(ini.write(section, "after", "1"));
    }
    std::string bytes = readBytes(p);
    EXPECT_EQ(bytes, "[" + cp932(section) + "]\r\n" + cp932("名前") + "=\"" + cp932(value) + "\"\r\nafter=\"1\"\r\n");
    IniFile back(p);
    EXPECT_EQ(back.read(section, "名前", "-"), value);
    EXPECT_EQ(back.read(section, "after", "-"), "1");
}

TEST_F(IniFileTest, ValuesTheFileCannotHoldAreRefusedAndLeaveItAlone)
{
    fs::path p = dir / "refuse.ini";
    IniFile ini(p);
    ASSERT_TRUE(ini.write("DRAFT", "strCADfname", "/usr/bin/cad"));
    const std::string before = readBytes(p);

    EXPECT_FALSE(ini.write("DRAFT", "strCADfname", "/home/ü/cad\xF0\x9F\x98\x80"));  // no CP932 form
    EXPECT_FALSE(ini.lastError().empty());
    EXPECT_FALSE(ini.write("DRAFT", "strCADfname", "a\r\n[Evil]\r\nx=1"));  // would add lines
    EXPECT_FALSE(ini.write("DRAFT", "a=b", "1"));
    EXPECT_FALSE(ini.write("", "k", "1"));
    EXPECT_EQ(readBytes(p), before);
    EXPECT_EQ(ini.read("DRAFT", "strCADfname", "-"), "/usr/bin/cad");
}

TEST_F(IniFileTest, DamagedFileIsReadAroundTheDamageAndKeptOnRewrite)
{
    std::string binary;
    for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
    const std::string overlong(1 << 20, 'x');
    std::string file = "stray=\"before any section\"\r\n" + binary + "\r\n[Environment]\r\n" +
                       "no equals sign here\r\n" + overlong + "\r\n" + overlong + "=\"" + overlong + "\"\r\n" +
                       "Bad=\"abc\x81\"\r\n" +  // a lead byte with nothing after it
                       "MojiSize=\"14\"\r\n=\"no key\"\r\n[unclosed\r\n";
    fs::path p = dir / "garbage.ini";
    writeBytes(p, file);

    IniFile ini(p);
    EXPECT_EQ(ini.read("Environment", "MojiSize", "12"), "14");
    EXPECT_EQ(ini.read("", "stray", "-"), "-");
    EXPECT_EQ(ini.read(overlong, overlong, "-"), "-");
    EXPECT_EQ(ini.read("Environment", overlong, "-"), overlong);
    auto bad = ini.lookup("Environment", "Bad");
    ASSERT_TRUE(bad);
    EXPECT_FALSE(bad->encodingOk);
    EXPECT_TRUE(ini.lookup("Environment", "MojiSize")->encodingOk);

    ASSERT_TRUE(ini.write("Environment", "MojiSize", "16")) << ini.lastError();
    std::string after = readBytes(p);
    // Lines are rewritten with CR LF ends; their bytes stay as they were.
    EXPECT_NE(after.find(binary.substr(0, 10) + "\r\n" + binary.substr(11)), std::string::npos);
    EXPECT_NE(after.find("Bad=\"abc\x81\""), std::string::npos);
    EXPECT_NE(after.find("MojiSize=\"16\""), std::string::npos);
    EXPECT_EQ(after.find("MojiSize=\"14\""), std::string::npos);
    EXPECT_EQ(IniFile(p).read("Environment", "MojiSize", "12"), "16");
}

TEST_F(IniFileTest, FileThatCannotBeReadIsNeverWrittenOver)
{
    fs::path big = dir / "big.ini";
    writeBytes(big, "[Environment]\r\nMojiSize=\"14\"\r\n" + std::string(IniFile::kMaxFileBytes, ';'));
    const auto bigSize = fs::file_size(big);
    IniFile ini(big);
    EXPECT_FALSE(ini.lastError().empty());
    EXPECT_EQ(ini.read("Environment", "MojiSize", "12"), "12");
    EXPECT_FALSE(ini.write("Environment", "MojiSize", "16"));
    EXPECT_EQ(fs::file_size(big), bigSize);

    fs::path folder = dir / "folder.ini";  // a folder where the file should be
    fs::create_directories(folder / "inside");
    IniFile onFolder(folder);
    EXPECT_FALSE(onFolder.reload());
    EXPECT_FALSE(onFolder.write("S", "k", "v"));
    EXPECT_TRUE(fs::is_directory(folder / "inside"));
}

TEST_F(IniFileTest, WritesOfTwoHoldersOfTheSameFileAreBothKept)
{
    fs::path p = dir / "shared.ini";
    IniFile first(p);
    IniFile second(p);
    ASSERT_TRUE(first.write("BaseLine", "a", "1"));
    ASSERT_TRUE(second.write("PCopy", "b", "2"));
    ASSERT_TRUE(first.write("BaseLine", "c", "3"));
    IniFile back(p);
    EXPECT_EQ(back.read("BaseLine", "a", "-"), "1");
    EXPECT_EQ(back.read("PCopy", "b", "-"), "2");
    EXPECT_EQ(back.read("BaseLine", "c", "-"), "3");
}

TEST_F(IniFileTest, BatchWritesTheFileOnceAtTheEnd)
{
    fs::path p = dir / "batch.ini";
    IniFile ini(p);
    {
        IniFile::Batch batch(ini);
        ASSERT_TRUE(ini.write("S", "a", "1"));
        ASSERT_TRUE(ini.write("S", "b", "2"));
        EXPECT_EQ(ini.read("S", "a", "-"), "1");  // seen in memory at once
        EXPECT_FALSE(fs::exists(p));
        ASSERT_TRUE(batch.commit());
    }
    EXPECT_EQ(readBytes(p), "[S]\r\na=\"1\"\r\nb=\"2\"\r\n");
    {
        IniFile::Batch batch(ini);
        ini.write("S", "a", "9");
    }  // committed when it goes out of scope
    EXPECT_EQ(IniFile(p).read("S", "a", "-"), "9");
}

TEST_F(IniFileTest, DuplicateSectionsReadAndWriteTheFirstMatch)
{
    IniFile ini = IniFile::fromBytes("[S]\r\nk=\"1\"\r\n[T]\r\nk=\"t\"\r\n[s]\r\nk=\"2\"\r\nonly=\"late\"\r\n");
    EXPECT_EQ(ini.read("S", "k", "-"), "1");
    EXPECT_EQ(ini.read("S", "only", "-"), "late");
    ASSERT_TRUE(ini.write("S", "k", "x"));
    EXPECT_EQ(ini.read("S", "k", "-"), "x");
    EXPECT_EQ(ini.read("T", "k", "-"), "t");
    EXPECT_EQ(ini.toBytes(), "[S]\r\nk=\"x\"\r\n[T]\r\nk=\"t\"\r\n[s]\r\nk=\"2\"\r\nonly=\"late\"\r\n");
}
