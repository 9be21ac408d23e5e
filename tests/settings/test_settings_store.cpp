// SPDX-License-Identifier: GPL-3.0-or-later
// Every setting is read under its own key with its type and default; unusable values are
// reported in one message and keep their defaults; saving writes its keys in their order.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "model/encoding.h"
#include "settings/settings_store.h"
#include "settings/settings_table.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"

using namespace settings;
using testing_support::RecordingPlatform;
namespace fs = std::filesystem;

namespace {

class SettingsStore : public testing_support::TempDirTest {
protected:
    void writeUtf8(const std::string& text) const { writeBytes(path, *model::utf8ToCp932(text)); }
    std::string readBytes() const { return TempDirTest::readBytes(path); }

    const fs::path path = dir / "tessmar.ini";
    RecordingPlatform platform;
};

// Every stored key with its value, in the table's order.
std::string describe(const Settings& s)
{
    std::string out;
    for (const SettingKey& key : settingKeys()) out += key.key + "=" + storedText(key, s) + "|";
    return out;
}

}  // namespace

TEST_F(SettingsStore, NoFileGivesEveryDefault)
{
    IniFile ini(path);
    Settings s;
    s.draft.ListScale = 1;  // what was there before gives way to the defaults
    s.env.ShowNumber = true;
    s.draft.gridNaming[2].moji1 = "q";
    s.transientColour = 0;
    LoadSettings(ini, s, platform);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(describe(s), describe(Settings{}));
    EXPECT_EQ(s.transientColour, 0xDEDEDE);
    EXPECT_FALSE(fs::exists(path));  // reading alone creates nothing
}

TEST_F(SettingsStore, EveryKeyIsReadUnderItsName)
{
    writeUtf8(
        "[DraftEnv]\n"
        "GTitle1=\"8\"\nGTitle2=\"0\"\nGTitle3=\"10\"\nGTitle4=\"1\"\nGTitle5=\"2\"\nGTitle6=\"3\"\nGTitle7=\"4\"\n"
        "GTitle8=\"9\"\nCTitle1=\"6\"\nCTitle2=\"5\"\nCTitle3=\"4\"\nCTitle4=\"3\"\nCTitle5=\"-1\"\n"
        "secRefNumber=\"3\"\n"
        "RodMark00=\"14\"\nRodMark01=\"13\"\nRodMark02=\"12\"\nRodMark03=\"11\"\nRodMark04=\"10\"\nRodMark05=\"9\"\n"
        "RodMark06=\"1\"\nRodMark07=\"7\"\nRodMark08=\"6\"\nRodMark09=\"5\"\nRodMark10=\"4\"\nRodMark11=\"0\"\n"
        "ListScale=\"50\"\nListMojiHeight=\"2.5\"\nDrawScale=\"100\"\nDrawMojiHeight=\"3.5\"\nMojiRatio=\"0.837\"\n"
        "DXFnBASE=\"5\"\nDrawMojiUki=\"-1.25\"\nGirderListSlab=\"0\"\nGirderListBase=\"1\"\nBaseSizeA=\"60\"\n"
        "BaseSizeB=\"170\"\nInitGirder=\"2::D19;\"\nInitGSec=\"300:600;\"\nColumnListMark=\"1\"\n"
        "ColumnListW1=\"3\"\nColumnListW2=\"10\"\nColumnListW3=\"16\"\nColumnListH=\"2.5\"\nColumnListHD=\"17\"\n"
        "GirderListMark=\"2\"\nGirderListW1=\"4\"\nGirderListW2=\"11\"\nGirderListW3=\"31\"\nGirderListH=\"3\"\n"
        "GirderListHD=\"16\"\nInitColumn=\"8:2:D25;\"\nInitCSec=\"700:800;\"\nTessmarStirStart=\"1\"\n"
        "nGridNameX=\"1\"\nnGridNameY=\"3\"\nnGridNameZ=\"1\"\n"
        "cmbXMoji1=\"a\"\ncmbXNum1=\"1\"\ncmbXMoji2=\"F\"\ncmbXNum2=\"1\"\ncmbXMoji3=\"FL\"\ncmbXNum3=\"2\"\n"
        "cmbYMoji1=\"1\"\ncmbYNum1=\"3\"\ncmbYMoji2=\"通\"\ncmbYNum2=\"4\"\ncmbYMoji3=\"Q\"\ncmbYNum3=\"5\"\n"
        "cmbZMoji1=\"A\"\ncmbZNum1=\"6\"\ncmbZMoji2=\"階\"\ncmbZNum2=\"7\"\ncmbZMoji3=\"R\"\ncmbZNum3=\"8\"\n"
        "[pardo7]\nnStands=\"2\"\nmodeStatic=\"0\"\nmodeDynamic=\"3\"\n"
        "[Environment]\n"
        "StructreType=\"PLANE\"\nZoon=\":B\"\nZoonTX=\"1.1\"\nZoonTY=\"1.2\"\nZoonZ=\"1.3\"\nZoonTc=\"0.7\"\n"
        "ZoonCe=\"0.9\"\nZoonHo=\"0.3\"\nLoadDrawScale1=\"6\"\nLoadDrawScale2=\"60\"\n"
        "StressDrawScale1=\"900\"\nStressDrawScale2=\"2\"\nStressDrawScale3=\"90\"\nStressDrawScale4=\"9\"\n"
        "StressDrawScale5=\"45\"\nDecPlace1=\"5\"\nDecPlace2=\"1\"\nDecPlace3=\"3\"\nDecPlace4=\"4\"\nDecPlace5=\"0\"\n"
        "SIUnit=\"0\"\nMojiSize=\"16\"\nInitJointNumber=\"10\"\nInitJointBaseNumber=\"20\"\nShowMemberName=\"0\"\n"
        "ShowLoadValue=\"0\"\nDrawDim=\"0\"\nDrawBaseLine=\"0\"\nShowNumber=\"1\"\nShowStressType=\"3\"\n"
        "ShowVolumeType=\"2\"\nLoadCase=\"4\"\nStressValue=\"5\"\nShowConsole=\"1\"\nShowGrid=\"1\"\n"
        "ShowLineEndMark=\"1\"\nSHowHelper=\"1\"\n"
        "AutoSaveMinutes=\"15\"\n"
        "[DRAFT]\nstrCADfname=\"C:\\図面\\cad.exe\"\n"
        "[Position]\nTop=\"-20\"\nLeft=\"30\"\nWidth=\"1024\"\nHeight=\"768\"\n"
        "[Check]\nCoverGirder=\"45\"\nCoverColumn=\"50\"\nCoverFoundation=\"75\"\nMaxAggregate=\"25\"\n");
    IniFile ini(path);
    Settings s;
    LoadSettings(ini, s, platform);
    EXPECT_TRUE(platform.messages.empty());

    // Each key of the file lands in its own field (no value equals its default), and the file
    // names every key the program reads.
    const Settings defaults;
    size_t fileKeys = 0;
    for (const char* section : {"DraftEnv", "pardo7", "Environment", "DRAFT", "Position", "Check"})
        for (const SettingKey& key : settingKeys())
            if (std::string_view(key.section) == section) {
                auto v = ini.lookup(section, key.key);
                ASSERT_TRUE(v) << key.key;
                ++fileKeys;
                EXPECT_EQ(storedText(key, s), v->text) << key.key;
                EXPECT_NE(storedText(key, s), storedText(key, defaults)) << key.key;
            }
    EXPECT_EQ(fileKeys, settingKeys().size());
    const std::string bytes = readBytes();
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '='), static_cast<long>(settingKeys().size()));
    EXPECT_EQ(s.draft.gridNaming[1].moji2, "通");
    EXPECT_EQ(s.strCADfname, "C:\\図面\\cad.exe");
}

TEST_F(SettingsStore, HandWrittenValuesWithoutQuotesOrInOtherCase)
{
    writeUtf8("[environment]\nShowNumber=-1\nShowMemberName=1\nmojisize = 14 \nShowConsole=\"7\"\n"
              "[DRAFTENV]\ncmbXnum1=\"7\"\nLISTSCALE=\" 60 \"\n");
    IniFile ini(path);
    Settings s;
    LoadSettings(ini, s, platform);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(s.env.ShowNumber);  // any value but 0 is true
    EXPECT_TRUE(s.env.ShowConsole);
    EXPECT_TRUE(s.env.ShowMemberName);
    EXPECT_EQ(s.env.MojiSize, 14);
    EXPECT_EQ(s.draft.gridNaming[0].num1, "7");
    EXPECT_EQ(s.draft.ListScale, 60);
}

TEST_F(SettingsStore, UnusableValuesKeepTheirDefaultsAndAreReportedOnce)
{
    writeUtf8("[DraftEnv]\nListScale=\"abc\"\nGTitle3=\"99\"\nDrawScale=\"0\"\nDXFnBASE=\"2.5\"\nnGridNameY=\"4\"\n"
              "RodMark05=\"16\"\nListMojiHeight=\"4\"\n"
              "[Environment]\nShowGrid=\"yes\"\nMojiSize=\"99999999999\"\nDrawDim=\"0\"\n"
              "[Position]\nWidth=\"\"\n");
    IniFile ini(path);
    Settings s;
    LoadSettings(ini, s, platform);

    ASSERT_EQ(platform.messages.size(), 1u);
    const auto& m = platform.messages[0];
    EXPECT_EQ(m.caption, "確認");
    EXPECT_EQ(m.buttons, platform::Buttons::Ok);
    for (const char* named : {"ListScale=\"abc\"", "GTitle3=\"99\"", "DrawScale=\"0\"", "DXFnBASE=\"2.5\"",
                              "nGridNameY=\"4\"", "RodMark05=\"16\"", "ShowGrid=\"yes\"", "MojiSize=\"99999999999\"",
                              "Width=\"\""})
        EXPECT_NE(m.text.find(named), std::string::npos) << named;
    EXPECT_EQ(m.text.find("ListMojiHeight"), std::string::npos);

    Settings expected;  // the defaults, with the two good values of the same file
    expected.draft.ListMojiHeight = 4;
    expected.env.DrawDim = false;
    EXPECT_EQ(describe(s), describe(expected));
}

TEST_F(SettingsStore, GarbageFileLoadsWithoutHarm)
{
    std::string bytes = "\xFF\xFE\x00\x01[DraftEnv\r\n";
    bytes.append(200000, '\x81');
    bytes += "\r\n[DRAFT]\r\nstrCADfname=\"C:\\\x83\"\r\n[Environment]\r\nMojiSize=\"15\"\r\n\x82";
    std::ofstream(path, std::ios::binary) << bytes;
    IniFile ini(path);
    Settings s;
    LoadSettings(ini, s, platform);
    EXPECT_EQ(s.env.MojiSize, 15);
    EXPECT_EQ(s.strCADfname, "");  // not CP932: not taken as a program path
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("strCADfname"), std::string::npos);
}

TEST_F(SettingsStore, SaveWritesItsKeysQuotedInTheirOrder)
{
    IniFile ini(path);
    Settings s;
    s.env.DrawDim = false;
    s.env.ShowNumber = true;
    s.env.ShowMemberName = false;  // never written
    s.position = {120, -5, 1024, 700};
    s.draft.ListScale = 50;
    s.draft.ListMojiHeight = 2.5;
    s.draft.MojiRatio = 0.837;
    s.draft.DrawMojiUki = 0.1 + 0.2;
    s.draft.GTitle[0] = 5;  // written by the draft settings dialog, not here
    ASSERT_TRUE(SaveSettings(ini, s, platform));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(readBytes(),
              "[Environment]\r\nDrawDim=\"0\"\r\nShowNumber=\"1\"\r\nShowGrid=\"0\"\r\nShowLineEndMark=\"0\"\r\n"
              "SHowHelper=\"0\"\r\n\r\n[DRAFT]\r\nstrCADfname=\"\"\r\n\r\n[Position]\r\nTop=\"120\"\r\n"
              "Left=\"-5\"\r\nWidth=\"1024\"\r\nHeight=\"700\"\r\n\r\n[DraftEnv]\r\nListScale=\"50\"\r\n"
              "ListMojiHeight=\"2.5\"\r\nDrawScale=\"40\"\r\nDrawMojiHeight=\"3\"\r\n"
              "DrawMojiUki=\"0.30000000000000004\"\r\nMojiRatio=\"0.837\"\r\nDXFnBASE=\"7\"\r\n");

    Settings back;
    LoadSettings(ini, back, platform);
    EXPECT_EQ(back.draft.DrawMojiUki, s.draft.DrawMojiUki);
    EXPECT_EQ(back.position.Left, -5);
    EXPECT_TRUE(back.env.ShowNumber);
}

TEST_F(SettingsStore, SaveKeepsEverythingElseInTheFile)
{
    writeUtf8("; written by hand\n[Section]\nRodKind=\"1\"\n[DraftEnv]\nGTitle1=\"3\"\nListScale=\"20\"\n"
              "[BaseLine]\nlast=\"通り\"\n");
    IniFile ini(path);
    Settings s;
    s.draft.RodKind = 2;
    s.strCADfname = "/opt/図面/cad";
    ASSERT_TRUE(SaveSettings(ini, s, platform));
    IniFile back(path);
    EXPECT_EQ(back.read("Section", "RodKind", "-"), "1");
    EXPECT_EQ(back.read("DraftEnv", "GTitle1", "-"), "3");
    EXPECT_EQ(back.read("DraftEnv", "ListScale", "-"), "40");
    EXPECT_EQ(back.read("BaseLine", "last", "-"), "通り");
    EXPECT_EQ(back.read("DRAFT", "strCADfname", "-"), "/opt/図面/cad");
    EXPECT_NE(readBytes().find(*model::utf8ToCp932("/opt/図面/cad")), std::string::npos);
    EXPECT_EQ(readBytes().rfind("; written by hand", 0), 0u);

    // Loading leaves the section dialog's bar kind alone.
    Settings loaded;
    loaded.draft.RodKind = 2;
    LoadSettings(ini, loaded, platform);
    EXPECT_EQ(loaded.draft.RodKind, 2);
    EXPECT_EQ(loaded.strCADfname, "/opt/図面/cad");
}

TEST_F(SettingsStore, FailedSaveIsReportedOnceAndLeavesTheFile)
{
    writeUtf8("[DRAFT]\nstrCADfname=\"/usr/bin/cad\"\n");
    IniFile ini(path);
    Settings s;
    s.strCADfname = "/home/ü/cad\xF0\x9F\x98\x80";  // has no CP932 form
    EXPECT_FALSE(SaveSettings(ini, s, platform));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("strCADfname"), std::string::npos);
    // The other keys are saved; the path keeps its last good value.
    EXPECT_EQ(IniFile(path).read("DRAFT", "strCADfname", "-"), "/usr/bin/cad");
    EXPECT_EQ(IniFile(path).read("Position", "Width", "-"), "800");

    fs::path blocked = dir / "file" / "tessmar.ini";  // its folder would have to be a file
    std::ofstream(dir / "file") << "x";
    IniFile nowhere(blocked);
    RecordingPlatform other;
    EXPECT_FALSE(SaveSettings(nowhere, Settings{}, other));
    EXPECT_EQ(other.messages.size(), 1u);
}

TEST(SettingsFormat, RealsAreShortAndReadBackExactly)
{
    EXPECT_EQ(formatReal(40), "40");
    EXPECT_EQ(formatReal(0.5), "0.5");
    EXPECT_EQ(formatReal(100000), "100000");
    EXPECT_EQ(formatReal(-1.25), "-1.25");
    EXPECT_EQ(formatReal(0), "0");
    for (double v : {0.837, 1.0 / 3.0, 1e-7, 2.5e20, 123456789.125, -0.00001}) {
        std::string t = formatReal(v);
        EXPECT_EQ(std::strtod(t.c_str(), nullptr), v) << t;
        EXPECT_LE(t.size(), 24u) << t;
    }
    EXPECT_EQ(formatBool(true), "1");
    EXPECT_EQ(formatBool(false), "0");
}

TEST_F(SettingsStore, DraftEnvWriteHoldsEveryDraftKeyAndNothingElse)
{
    writeUtf8("[DraftEnv]\nGTitle1=\"3\"\n[Environment]\nShowGrid=\"1\"\n");
    IniFile ini(path);
    Settings s;
    s.draft.GTitle[0] = 10;
    s.draft.gridNaming[2].moji2 = "階";
    s.draft.MojiRatio = 0.837;
    s.env.ShowGrid = false;  // not the dialog's to write
    ASSERT_TRUE(WriteDraftEnv(ini, s, platform));
    IniFile back(path);
    EXPECT_EQ(back.read("Environment", "ShowGrid", "-"), "1");
    EXPECT_EQ(back.read("DRAFT", "strCADfname", "-"), "-");
    size_t draftKeys = 0;
    for (const SettingKey& key : settingKeys()) {
        if (std::string_view(key.section) != "DraftEnv") continue;
        ++draftKeys;
        EXPECT_EQ(back.read("DraftEnv", key.key, "-"), storedText(key, s)) << key.key;
    }
    EXPECT_EQ(draftKeys, 8u + 5u + 1u + 12u + 28u + 3u + 18u);
    Settings loaded;
    LoadSettings(back, loaded, platform);
    EXPECT_EQ(describe(loaded), describe(s).replace(describe(s).find("ShowGrid=0"), 10, "ShowGrid=1"));
    EXPECT_TRUE(platform.messages.empty());
}

// A desktop with a decimal comma (Qt switches the C locale to the user's) must not change how
// the file's numbers read or are written.
TEST_F(SettingsStore, RealsUseAPointUnderADecimalCommaLocale)
{
    struct LocaleGuard {
        std::string old = std::setlocale(LC_ALL, nullptr);
        ~LocaleGuard() { std::setlocale(LC_ALL, old.c_str()); }
    } guard;
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "scripts/setup generates de_DE.UTF-8";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    writeUtf8("[DraftEnv]\nListScale=\"37.5\"\nMojiRatio=\"0.837\"\nDrawMojiUki=\"1,5\"\n");
    IniFile ini(path);
    Settings s;
    LoadSettings(ini, s, platform);
    EXPECT_EQ(s.draft.ListScale, 37.5);
    EXPECT_EQ(s.draft.MojiRatio, 0.837);
    EXPECT_EQ(s.draft.DrawMojiUki, 0);  // "1,5" is not a number in the file
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("DrawMojiUki=\"1,5\""), std::string::npos);

    s.draft.DrawScale = 12.25;
    ASSERT_TRUE(SaveSettings(ini, s, platform));
    EXPECT_EQ(IniFile(path).read("DraftEnv", "DrawScale", "-"), "12.25");
    EXPECT_EQ(IniFile(path).read("DraftEnv", "ListScale", "-"), "37.5");
}
