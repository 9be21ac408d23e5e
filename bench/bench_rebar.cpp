// SPDX-License-Identifier: GPL-3.0-or-later
// The rebar arrangement drawing of one grid line of the large building (about 143 000
// elements, every frame line a girder or column with a section), generated in the drawing
// frame and written as DXF. Compare with BM_ReadProject of bench_model: reading the project.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "draft/drawing_frame.h"
#include "draft/rebar_drawing.h"
#include "dxf/dxf_writer.h"
#include "large_model.h"
#include "session/session.h"

namespace {

// writeDxf: 0 generates only, 1 also writes the file.
void BM_RebarGridLine(benchmark::State& state)
{
    const bool writeDxf = state.range(0) != 0;
    model::Session& session = bench::largeSessionWithLevelSections();
    const model::ViewPlane saved = session.view;
    // A Y grid line in the middle of the building: girders on both sides of every column.
    session.view.mode = model::ViewMode::ElevationXZ;
    session.view.plane = session.grid.line[model::AXIS_Y][session.grid.spans(model::AXIS_Y) / 2];
    const std::string file = bench::tempPath("rebar.dxf");
    draft::DraftState draftState;
    int elements = 0, texts = 0;
    for (auto _ : state) {
        draft::DrawingFrame frame(session, draftState);
        frame.run(draft::ScaleMode::Draw, draft::GeneratorStore::Model,
                  [&](draft::Drafter& d) { draft::drawRebarArrangement(session, d); });
        if (writeDxf) {
            dxf::DxfExtents extents;
            auto r = dxf::WriteDxf(file, session, extents);
            if (!r.ok) state.SkipWithError(r.message.c_str());
        }
        elements = session.store.liveCount();
        texts = session.texts.count();
        frame.close();
    }
    std::remove(file.c_str());
    session.view = saved;
    state.counters["elements"] = elements;
    state.counters["texts"] = texts;
}
BENCHMARK(BM_RebarGridLine)->ArgName("dxf")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
