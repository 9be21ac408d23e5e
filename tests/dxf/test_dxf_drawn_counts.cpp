// SPDX-License-Identifier: GPL-3.0-or-later
// The framing elevation and the rebar arrangement drawing, read back from their DXF: a column
// of an elevation is its two side lines, a girder without a section its two side lines, every
// dimension has an extension line from each measured point; the texts come in drawing order.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "draft/drawing_frame.h"
#include "draft/drawing_set.h"
#include "dxf/dxf_writer.h"
#include "editor/command_codes.h"
#include "ezdxf_read.h"
#include "model/element_store.h"
#include "model/view_slice.h"
#include "session/session.h"
#include "support/framing_grid.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"

namespace kind = model::kind;

namespace {

// The Y frame on Y0: X lines 0, 6000, 10500 and levels 0, 3000, 6000, so two spans a chain.
class DrawnDxf : public testing_support::TempDirTest {
protected:
    DrawnDxf()
    {
        testing_support::buildFramingGrid(session);
        session.sections[0] = {1, "G:2:1", "R:G1",
                               "RC:400:900:400:900:400:900;3:2:D22;3::D22;3::D22;3:2:D22;3:2:D22;3::D22;2:D10:200;4:D10;"};
        session.sections[1] = {2, "C:1:1", "1:C1", "RC:600:600;4:3:D22;2:2:D13:100;"};
    }
    void add(int k, double x1, double z1, double x2, double z2, int secID)
    {
        session.store.addElem(k, 0, 1, session.store.newUID(), secID, 0, x1, 0, z1, x2, 0, z2, 0);
        session.store.invalidateConnections();
    }
    // The drawing of a command for the Y frame on Y0, written as DXF and read back.
    dxf_test::ReadBack drawAndRead(int code)
    {
        EXPECT_TRUE(model::selectSlice(session.grid, model::ViewMode::ElevationXZ, 0, session.view));
        const auto drawing = draft::drawingForCode(code, session);
        draft::DraftState state;
        draft::DrawingFrame frame(session, state);
        EXPECT_TRUE(drawing && frame.run(drawing->scale, drawing->store, drawing->generate));
        dxf::DxfExtents extents;
        EXPECT_TRUE(dxf::WriteDxf(path("drawing.dxf"), session, extents).ok);
        frame.close();
        return dxf_test::readWithEzdxf(path("drawing.dxf"));
    }
    // Lines (and arcs) of a layer: its entities less its texts.
    static int figures(const dxf_test::ReadBack& back, const std::string& layer)
    {
        const auto it = back.layers.find(layer);
        const int all = it == back.layers.end() ? 0 : it->second;
        return all - static_cast<int>(std::count_if(back.texts.begin(), back.texts.end(),
                                                    [&](const dxf_test::ReadText& t) { return t.layer == layer; }));
    }
    static int indexOf(const dxf_test::ReadBack& back, const std::string& text)
    {
        for (size_t i = 0; i < back.texts.size(); ++i)
            if (back.texts[i].text == text) return static_cast<int>(i);
        return -1;
    }

    testing_support::RecordingPlatform platform;
    model::Session session{platform};
};

}  // namespace

TEST_F(DrawnDxf, FramingElevationCountsSideLinesAndExtensionLines)
{
    add(kind::COLUMN, 0, 0, 0, 3000, 2);         // no girder meets its foot or its top
    add(kind::GIRDER, 6000, 3000, 10500, 3000, 0);  // no section: both sides on its axis
    const dxf_test::ReadBack back = drawAndRead(editor::cmd::DRAW_FRAMING);
    if (back.ezdxfMissing) GTEST_SKIP() << "/usr/bin/python3 has no ezdxf";
    ASSERT_TRUE(back.ok) << back.output;
    EXPECT_EQ(figures(back, "2"), 2) << "the column's two side lines, no end lines";
    EXPECT_EQ(figures(back, "1"), 2) << "the girder's two side lines";
    // Two chains (spans along X, storeys up Z) of two dimensions: a dimension line and two
    // extension lines each, four extension lines a chain.
    EXPECT_EQ(figures(back, "6"), 2 * (2 + 4));
}

TEST_F(DrawnDxf, RebarDrawingWritesGirderLabelsBeforeBarsAndTheGridLast)
{
    add(kind::COLUMN, 0, 0, 0, 3000, 2);
    add(kind::COLUMN, 6000, 0, 6000, 3000, 2);
    add(kind::GIRDER, 0, 3000, 6000, 3000, 1);
    const dxf_test::ReadBack back = drawAndRead(editor::cmd::DRAW_REBAR);
    if (back.ezdxfMissing) GTEST_SKIP() << "/usr/bin/python3 has no ezdxf";
    ASSERT_TRUE(back.ok) << back.output;
    EXPECT_EQ(figures(back, "2"), 2 * 2) << "two side lines a column";

    const int name = indexOf(back, "RG1 400×900");
    ASSERT_GE(name, 0);
    EXPECT_EQ(indexOf(back, "str.□-D10-@200"), name + 1);
    ASSERT_LT(name + 2, static_cast<int>(back.texts.size()));
    EXPECT_EQ(back.texts[static_cast<size_t>(name) + 2].text, "3-D22") << "the first top bars of the left end";

    // Three X names, three level names and two chains of two dimensions close the texts.
    const size_t grid = 3 + 3 + 2 * 2;
    ASSERT_GT(back.texts.size(), grid);
    std::set<std::string> last;
    for (size_t i = back.texts.size() - grid; i < back.texts.size(); ++i) last.insert(back.texts[i].text);
    for (const char* text : {"X0", "X1", "X2", "6000", "4500", "3000"}) EXPECT_TRUE(last.count(text)) << text;
    EXPECT_FALSE(last.count("RG1 400×900"));
}
