// SPDX-License-Identifier: GPL-3.0-or-later
// Full redraws of the large building (~143 000 elements) onto the Qt canvas the window shows:
// the plan of one level and a frame, with the connection table already valid.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "editor/plan_renderer.h"
#include "editor/view_transform.h"
#include "large_model.h"
#include "session/session.h"
#include "ui/QtCanvas.h"

namespace {

using bench::largeSession;

void redraw(benchmark::State& state, model::Session& s, editor::ViewTransform& view)
{
    ui::QtCanvas canvas(1200, 900);
    editor::DotGrid dots;
    editor::DisplaySwitches switches;
    editor::RenderControl control;
    for (auto _ : state) {
        editor::PlanRenderer r(canvas, view, dots, switches);
        r.Redraw(editor::PlanScene::of(s), control);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    state.counters["elements"] = s.store.liveCount();
}

void BM_QtPlanRedraw(benchmark::State& state)
{
    model::Session& s = largeSession();
    s.view.mode = model::ViewMode::Plan;
    s.view.plane = s.grid.line[model::AXIS_Z][25];
    editor::ViewTransform view;
    view.setCanvasSize(1200, 900);
    view.FitAll(s.store, 0.8, true);
    redraw(state, s, view);
}
BENCHMARK(BM_QtPlanRedraw)->Unit(benchmark::kMillisecond);

void BM_QtFrameRedraw(benchmark::State& state)
{
    model::Session& s = largeSession();
    s.view.mode = model::ViewMode::ElevationXZ;
    s.view.plane = s.grid.line[model::AXIS_Y][15];
    editor::ViewTransform view;
    view.setCanvasSize(1200, 900);
    view.SetView(200000, 190000, 90000, 87500);
    redraw(state, s, view);
}
BENCHMARK(BM_QtFrameRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    ui::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
