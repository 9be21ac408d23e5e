// SPDX-License-Identifier: GPL-3.0-or-later
// The detailing checks of a full section table (500 girder and column sections, every rule
// walked for each) against one whole plan redraw of the large building (~143 000 elements),
// the time the user already waits for after an edit.
#include <benchmark/benchmark.h>

#include "check/check_report.h"
#include "editor/plan_renderer.h"
#include "editor/view_transform.h"
#include "large_model.h"
#include "null_canvas.h"
#include "session/session.h"
#include "settings/settings.h"

namespace {

// 250 girder and 250 column sections, half of them with findings.
model::SectionTable fullTable()
{
    const char* specs[] = {
        "RC:400:900:400:900:400:900;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;",
        "RC:350:700:350:700:350:700;4:2:D25;3::D25;3::D25;3::D25;4:2:D25;3::D25;2:D13:150;2:D10;",
        "RC:600:600;4:3:D22;2:2:D13:100;",
        "RC:300:300;2:2:D13;2:2:D10:150;",
    };
    model::SectionTable table{};
    for (int i = 0; i < model::kSectionStoreCount; ++i) {
        const bool girder = i % 2 == 0;
        const int level = 1 + i / 20, mark = 1 + (i / 2) % 10;
        const std::string name = (girder ? "G" : "C") + std::to_string(mark);
        table[static_cast<size_t>(i)] = {i + 1, model::makeSecKey(girder ? 'G' : 'C', level, mark),
                                         std::to_string(level) + ":" + name, specs[(girder ? 0 : 2) + (i / 2) % 2]};
    }
    return table;
}

void BM_CheckFullSectionTable(benchmark::State& state)
{
    const model::SectionTable table = fullTable();
    const settings::CheckLimits limits;
    size_t findings = 0;
    for (auto _ : state) {
        const check::Report report = check::checkProject(table, limits);
        findings = report.rows.size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["sections"] = model::kSectionStoreCount;
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckFullSectionTable)->Unit(benchmark::kMillisecond);

void BM_OnePlanRedraw(benchmark::State& state)
{
    model::Session& s = bench::largeSession();
    s.view.mode = model::ViewMode::Plan;
    s.view.plane = s.grid.line[model::AXIS_Z][25];
    bench::NullCanvas canvas;
    editor::ViewTransform view;
    view.setCanvasSize(canvas.width(), canvas.height());
    view.FitAll(s.store, 0.8, true);
    editor::DotGrid dots;
    editor::DisplaySwitches switches;
    editor::RenderControl control;
    for (auto _ : state) {
        editor::PlanRenderer r(canvas, view, dots, switches);
        benchmark::DoNotOptimize(r.Redraw(editor::PlanScene::of(s), control));
    }
    state.counters["elements"] = s.store.liveCount();
}
BENCHMARK(BM_OnePlanRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
