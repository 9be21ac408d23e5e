// SPDX-License-Identifier: GPL-3.0-or-later
// The girder section list of a full section table (500 sections) as a PDF sheet against the
// same drawing as DXF: a sheet should cost no more than three DXF files.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "draft/drawing_frame.h"
#include "draft/girder_list.h"
#include "dxf/dxf_writer.h"
#include "large_model.h"
#include "platform/console_platform.h"
#include "print/PdfSheet.h"
#include "session/session.h"

namespace {

platform::ConsolePlatform g_platform;

// The drawing made once; each iteration only writes it.
struct ListDrawing {
    model::Session session{g_platform};
    draft::DraftState state;
    draft::DrawingFrame frame{session, state};
    ListDrawing(int marks, int floors)
    {
        bench::fillGirderMarks(session, marks, floors);
        frame.run(draft::ScaleMode::List, draft::GeneratorStore::Drawing,
                  [this](draft::Drafter& d) { draft::drawGirderList(session, d); });
    }
};

void BM_GirderListPdf(benchmark::State& state)
{
    print::ensureGuiApplication();
    ListDrawing list(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    print::SheetOptions options;
    // 500 sections fit no sheet at the list's 1/40; the sheet at 1/400 paints the same drawing.
    options.scale = 400;
    options.title.caption = "梁断面リスト";
    const std::string path = bench::tempPath("girder_list.pdf");
    for (auto _ : state) {
        const std::string why = print::writePdf(path, list.session, options);
        if (!why.empty()) state.SkipWithError(why.c_str());
    }
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fseek(f, 0, SEEK_END);
        state.counters["bytes"] = static_cast<double>(std::ftell(f));
        std::fclose(f);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_GirderListPdf)->Args({10, 50})->Args({100, 5})->Unit(benchmark::kMillisecond);

void BM_GirderListDxfSameDrawing(benchmark::State& state)
{
    ListDrawing list(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::string path = bench::tempPath("girder_list_same.dxf");
    for (auto _ : state) {
        dxf::DxfExtents extents;
        const auto r = dxf::WriteDxf(path, list.session, extents);
        if (!r.ok) state.SkipWithError(r.message.c_str());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_GirderListDxfSameDrawing)->Args({10, 50})->Args({100, 5})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
