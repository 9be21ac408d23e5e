// SPDX-License-Identifier: GPL-3.0-or-later
// The title block's project fields live in a CP932 file beside the project: they round-trip,
// a missing file means empty fields, and a field the file could not keep is refused before
// anything is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "model/project_title.h"

namespace fs = std::filesystem;

namespace {

struct ProjectTitleFile : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("tessmar_title_" + std::to_string(::getpid()));
    std::string kel = (dir / "ビル.kel").string();
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(ProjectTitleFile, RoundTripsInCp932BesideTheProject)
{
    EXPECT_EQ(model::projectTitlePath(kel), (dir / "ビル.title").string());
    EXPECT_EQ(model::readProjectTitle(kel), model::ProjectTitle{});
    const model::ProjectTitle title{"〇〇ビル新築工事 (第2期)", "山田 太郎"};
    ASSERT_TRUE(model::writeProjectTitle(kel, title).ok);
    EXPECT_EQ(model::readProjectTitle(kel), title);
    std::ifstream in(model::projectTitlePath(kel), std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(bytes.find("\x90\xdd\x8c\x76\x8e\xd2=\x8e\x52\x93\x63 \x91\xbe\x98\x59\r\n"), std::string::npos);  // 設計者=山田 太郎
}

TEST_F(ProjectTitleFile, AFieldTheFileCannotKeepIsRefusedAndNothingChanges)
{
    ASSERT_TRUE(model::writeProjectTitle(kel, {"A", "B"}).ok);
    model::FileResult r = model::writeProjectTitle(kel, {"工事\n2行目", "B"});
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("改行"), std::string::npos);
    r = model::writeProjectTitle(kel, {"A", "\xF0\x9F\x98\x80"});  // an emoji has no CP932 form
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("設計者"), std::string::npos);
    EXPECT_EQ(model::readProjectTitle(kel), (model::ProjectTitle{"A", "B"}));
    // Lines that are not ours are passed over.
    std::ofstream(model::projectTitlePath(kel), std::ios::binary) << "# note\r\nother=1\r\n";
    EXPECT_EQ(model::readProjectTitle(kel), model::ProjectTitle{});
}

}  // namespace
