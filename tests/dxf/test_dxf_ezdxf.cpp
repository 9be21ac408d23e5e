// SPDX-License-Identifier: GPL-3.0-or-later
// A written DXF file is read by an independent reader (ezdxf) without audit errors, with every
// entity, line type, layer and Japanese text as the drawing held them.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "dxf/dxf_writer.h"
#include "ezdxf_read.h"
#include "model/element_store.h"
#include "model/text_buffer.h"
#include "settings/settings.h"
#include "support/temp_dir.h"

using namespace model;
namespace fs = std::filesystem;

namespace {

class DxfReadBack : public testing_support::TempDirTest {
protected:
    dxf_test::ReadBack writeAndRead(const std::string& name)
    {
        const std::string file = (dir / name).string();
        auto r = dxf::WriteDxf(file, store, texts, settings);
        EXPECT_TRUE(r.ok) << r.message;
        return dxf_test::readWithEzdxf(file);
    }

    ElementStore store;
    TextBuffer texts;
    settings::Settings settings;
};

}  // namespace

TEST_F(DxfReadBack, EveryEntityKindAndTextReadsBackClean)
{
    // A few thousand elements of every drawable kind, plus kinds that must not appear.
    int lines = 0;
    for (int i = 0; i < 300; ++i) {
        const double x = i * 37.5;
        store.addElem(kind::LINE, 0, 1 + i % 15, -1, 0, 0, x, 0, 0, x + 1000.25, 333.333333, 0, 0xFF0000);
        store.addElem(kind::DOTLINE, 0, 2, -1, 0, 0, x, -10, 0, x, -500, 0, 0x0000FF);
        store.addElem(kind::DASHDOT, 0, 3, -1, 0, 0, x, 10, 0, x + 5, 900, 0, 0x000080);
        store.addElem(kind::DASHLINE, 0, 4, -1, 0, 0, x, 20, 0, x + 5, 20, 0, 0x008000);
        store.addElem(kind::CIRCLE, 0, 5, -1, 0, 0, x, 100, 0, 12 + i % 3, 0, 0, 0x800080);
        store.addElem(kind::ARC, 0, 6, -1, 0, 0, x, 200, 180, 24, 0, 270, 0x808000);
        store.addElem(kind::GIRDER, 0, 1, -1, 0, 0, x, 0, 0, x + 10, 0, 0, 0);
        lines += 4;
    }
    int gone = store.addElem(kind::LINE, 0, 1, -1, 0, 0, 0, 0, 0, 1, 1, 0, 0);
    store.at(gone).delAge = 1;
    const std::vector<std::string> labels = {"梁断面リスト", "G1", "RFL", "上端筋 4-D25", "あばら筋 □-D13@200",
                                             "Ａ通り", "φ9", "A€"};
    for (int n = 1; n <= 9; ++n)
        for (size_t k = 0; k < labels.size(); ++k)
            texts.addMoji(n, labels[k], 0, 45.0 * static_cast<double>(k), 120, 100.0 * n, 50.0 * static_cast<double>(k),
                          std::to_string(n), 0);

    auto back = writeAndRead("all.dxf");
    if (back.ezdxfMissing) GTEST_SKIP() << "/usr/bin/python3 has no ezdxf";
    ASSERT_TRUE(back.ok) << back.output;
    EXPECT_EQ(back.version, "AC1009");
    EXPECT_EQ(back.encoding, "cp932");
    EXPECT_EQ(back.auditErrors, 0) << back.output;
    EXPECT_EQ(back.auditFixes, 0) << back.output;
    EXPECT_EQ(back.count("LINE"), lines);
    EXPECT_EQ(back.count("CIRCLE"), 300);
    EXPECT_EQ(back.count("ARC"), 300);
    EXPECT_EQ(back.count("TEXT"), static_cast<int>(9 * labels.size()));
    EXPECT_EQ(back.counts.size(), 4u) << back.output;
    EXPECT_EQ(back.lineTypes["CONTINUOUS"], 300);
    EXPECT_EQ(back.lineTypes["DOT"], 300);
    EXPECT_EQ(back.lineTypes["CENTER"], 300);
    EXPECT_EQ(back.lineTypes["HIDDEN"], 300);
    EXPECT_EQ(back.firstHandle, "14A");
    EXPECT_TRUE(back.handlesUnique);
    for (const std::string& label : labels) EXPECT_NE(back.findText(label), nullptr) << label;
}

TEST_F(DxfReadBack, CadAlignmentPutsTheTextWhereTheDrawingMeantIt)
{
    // Middle-centre at (1000, 500): with DXFnBASE 5 the CAD program is told middle-centre at
    // the same point; with 7 it gets the bottom-left corner of the estimated box.
    texts.addMoji(5, "AB", 0, 0, 100, 1000, 500, "9", 0);
    settings.draft.DXFnBASE = 5;
    auto centred = writeAndRead("centred.dxf");
    if (centred.ezdxfMissing) GTEST_SKIP() << "/usr/bin/python3 has no ezdxf";
    ASSERT_TRUE(centred.ok) << centred.output;
    ASSERT_EQ(centred.texts.size(), 1u);
    EXPECT_EQ(centred.texts[0].halign, 1);
    EXPECT_EQ(centred.texts[0].valign, 2);
    EXPECT_DOUBLE_EQ(centred.texts[0].x, 1000);
    EXPECT_DOUBLE_EQ(centred.texts[0].y, 500);

    settings.draft.DXFnBASE = 7;
    auto plain = writeAndRead("plain.dxf");
    ASSERT_EQ(plain.texts.size(), 1u);
    EXPECT_EQ(plain.texts[0].halign, 0);
    EXPECT_EQ(plain.texts[0].valign, 0);
    EXPECT_DOUBLE_EQ(plain.texts[0].x, 950);
    EXPECT_DOUBLE_EQ(plain.texts[0].y, 450);
    EXPECT_DOUBLE_EQ(plain.texts[0].height, 100);
}
