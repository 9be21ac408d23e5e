// SPDX-License-Identifier: GPL-3.0-or-later
// The model's DXF (command 107) holds the model's own lines and labels, and never overwrites
// a file the user was not asked about.
#include "test_dispatcher_harness.h"

#include <fstream>
#include <iterator>

#include "dxf/ezdxf_read.h"

namespace cmd = editor::cmd;
namespace fs = std::filesystem;
using testing_support::EditorTest;

namespace {

class ModelDxf : public EditorTest {
protected:
    ModelDxf()
    {
        dir = fs::path(tempDir()) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~ModelDxf() override { fs::remove_all(dir); }
    std::string in(const std::string& name) { return (dir / name).string(); }
    static std::string contents(const std::string& path)
    {
        std::ifstream f(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }

    fs::path dir;
};

}  // namespace

TEST_F(ModelDxf, WritesTheModelsLinesAndLabelsButNotItsMembers)
{
    addLine(0, 0, 1000, 0);
    addLine(0, 0, 0, 1000);
    addLine(0, 0, 0, 0, 0, 3000, model::kind::COLUMN);
    session.texts.addMoji(7, "メモ", 0, 0, 100, 500, 500, "1", 0);
    dialogs.saveAnswers.push_back(in("model"));
    dispatcher.DispatchCommand(cmd::FILE_DXF);
    ASSERT_TRUE(fs::exists(in("model.dxf")));
    const dxf_test::ReadBack r = dxf_test::readWithEzdxf(in("model.dxf"));
    if (r.ezdxfMissing) GTEST_SKIP() << "python3-ezdxf is not installed";
    ASSERT_TRUE(r.ok) << r.output;
    EXPECT_EQ(r.auditErrors, 0) << r.output;
    EXPECT_EQ(r.count("LINE"), 2);
    EXPECT_EQ(r.count("TEXT"), 1);
    ASSERT_NE(r.findText("メモ"), nullptr);
    EXPECT_TRUE(session.store.at(1).kind == model::kind::LINE);  // the model is still current
}

TEST_F(ModelDxf, AnAddedExtensionAsksBeforeOverwritingAnotherFile)
{
    addLine(0, 0, 1000, 0);
    { std::ofstream(in("plan.dxf")) << "keep"; }
    dialogs.saveAnswers.push_back(in("plan"));
    platform.answers.push_back(platform::Answer::No);
    dispatcher.DispatchCommand(cmd::FILE_DXF);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, in("plan.dxf") + " は既に存在します。上書きしますか?");
    EXPECT_EQ(contents(in("plan.dxf")), "keep");

    dialogs.saveAnswers.push_back(in("plan"));
    platform.answers.push_back(platform::Answer::Yes);
    dispatcher.DispatchCommand(cmd::FILE_DXF);
    EXPECT_NE(contents(in("plan.dxf")).find("ENTITIES"), std::string::npos);
}
