// SPDX-License-Identifier: GPL-3.0-or-later
// Framing drawings of the large building (30 x 30 spans, 50 storeys, every frame line a
// member with the section of its level): the framing plan of one level and the framing
// elevation of one grid line, each generated and written as DXF, beside the time to read the
// project; and the whole drawing set of the building.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "draft/drawing_frame.h"
#include "draft/drawing_set_files.h"
#include "editor/command_codes.h"
#include "large_model.h"
#include "model/project_file.h"
#include "model/view_slice.h"
#include "platform/console_platform.h"
#include "session/session.h"

namespace {

namespace fs = std::filesystem;

const std::string& projectFile()
{
    static const std::string path = [] {
        const std::string p = bench::tempPath("framing.kel");
        model::writeProject(bench::largeSessionWithLevelSections(), p);
        return p;
    }();
    return path;
}

void BM_ReadLargeProject(benchmark::State& state)
{
    const std::string& path = projectFile();
    platform::ConsolePlatform platform;
    for (auto _ : state) {
        model::Session s(platform);
        benchmark::DoNotOptimize(model::readProject(s, path).ok);
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}
BENCHMARK(BM_ReadLargeProject)->Unit(benchmark::kMillisecond);

void drawSliceAsDxf(benchmark::State& state, model::ViewMode mode, int tab)
{
    model::Session& session = bench::largeSessionWithLevelSections();
    model::selectSlice(session.grid, mode, tab, session.view);
    const std::string file = bench::tempPath("framing-slice.dxf");
    draft::DraftState draftState;
    draft::DrawingFrame frame(session, draftState);
    for (auto _ : state) {
        const std::string why = draft::writeDrawing(session, frame, editor::cmd::DRAW_FRAMING, file);
        if (!why.empty()) state.SkipWithError(why.c_str());
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(file));
    fs::remove(file);
}

void BM_FramingPlanOfOneLevelAsDxf(benchmark::State& state) { drawSliceAsDxf(state, model::ViewMode::Plan, 25); }
BENCHMARK(BM_FramingPlanOfOneLevelAsDxf)->Unit(benchmark::kMillisecond);

void BM_FramingElevationOfOneLineAsDxf(benchmark::State& state)
{
    drawSliceAsDxf(state, model::ViewMode::ElevationXZ, 15);
}
BENCHMARK(BM_FramingElevationOfOneLineAsDxf)->Unit(benchmark::kMillisecond);

void BM_DrawAllOfTheBuilding(benchmark::State& state)
{
    model::Session& session = bench::largeSessionWithLevelSections();
    const std::string folder = bench::tempPath("draw-all");
    int files = 0;
    for (auto _ : state) {
        fs::remove_all(folder);
        files = 0;
        draft::SetProgress progress;
        progress.written = [&](const std::string&) { ++files; };
        const std::string why = draft::writeDrawingSet(session, folder, projectFile(), progress);
        if (!why.empty()) state.SkipWithError(why.c_str());
    }
    uintmax_t bytes = 0;
    for (const auto& f : fs::directory_iterator(folder)) bytes += f.file_size();
    state.counters["files"] = files;
    state.counters["bytes"] = static_cast<double>(bytes);
    fs::remove_all(folder);
}
BENCHMARK(BM_DrawAllOfTheBuilding)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
