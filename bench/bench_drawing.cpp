// The girder section list of a project whose section table is full: generating the drawing and
// writing it as DXF. The table holds 500 sections, so "many marks on many floors" is either
// 10 marks on 50 floors or 100 marks on 5 floors.
#include <benchmark/benchmark.h>

#include "draft/drawing_frame.h"
#include "draft/girder_list.h"
#include "dxf/dxf_writer.h"
#include "model/grid_build.h"
#include "model/sections.h"
#include "model/session.h"
#include "platform/console_platform.h"

namespace {

platform::ConsolePlatform g_platform;

void fillGirderMarks(model::Session& s, int marks, int floors)
{
    model::GridSpec spec;
    spec.spanCount = {2, 2, floors - 1};
    model::buildGrid(s, spec);
    const std::string girder = "RC:" + s.settings.draft.InitGSec + s.settings.draft.InitGirder;
    const std::string variant = "RC:450:1000:400:900:450:1000;5:2:D25;4::D25;3::D25;4:2:D25;5:2:D25;4::D25;4:D13:100;4:D10;";
    for (int level : model::levelNumbers(model::kGirderLetter, floors - 1))
        for (int m = 1; m <= marks; ++m)
            model::setMemRod(s.sections, model::makeSecKey(model::kGirderLetter, level, m),
                             model::makeSecName(model::levelText(model::kGirderLetter, level, floors - 1),
                                                "G" + std::to_string(m)),
                             m % 2 ? girder : variant, &s.platform);
}

void BM_GirderListAndDxf(benchmark::State& state)
{
    const int marks = static_cast<int>(state.range(0));
    const int floors = static_cast<int>(state.range(1));
    model::Session session(g_platform);
    fillGirderMarks(session, marks, floors);
    draft::DraftState draftState;
    size_t bytes = 0;
    int elements = 0;
    for (auto _ : state) {
        draft::DrawingFrame frame(session, draftState);
        frame.run(draft::ScaleMode::List, draft::GeneratorStore::Drawing,
                  [&](draft::Drafter& d) { draft::drawGirderList(session, d); });
        dxf::DxfExtents extents;
        std::string dxfText = dxf::dxfBytes(session.store, session.texts, dxf::textOptions(session.settings), extents);
        bytes = dxfText.size();
        elements = session.store.count();
        frame.close();
    }
    state.counters["elements"] = elements;
    state.counters["texts"] = static_cast<double>(session.texts.count());
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_GirderListAndDxf)->Args({10, 50})->Args({100, 5})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
