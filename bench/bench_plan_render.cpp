// SPDX-License-Identifier: GPL-3.0-or-later
// Full redraws of the large building (~143 000 elements) onto a canvas that draws nothing, so
// the figures are the renderer's own cost; and the connection-table rebuild a redraw may need.
#include <benchmark/benchmark.h>

#include "editor/canvas.h"
#include "editor/picking.h"
#include "editor/plan_renderer.h"
#include "editor/view_transform.h"
#include "large_model.h"
#include "null_canvas.h"
#include "session/session.h"

namespace {

using bench::NullCanvas;
using bench::largeSession;

struct Scene {
    NullCanvas canvas;
    editor::ViewTransform view;
    editor::DotGrid dots;
    editor::DisplaySwitches switches;
    editor::RenderControl control;
};

void run(benchmark::State& state, Scene& sc, model::Session& s)
{
    for (auto _ : state) {
        editor::PlanRenderer r(sc.canvas, sc.view, sc.dots, sc.switches);
        benchmark::DoNotOptimize(r.Redraw(editor::PlanScene::of(s), sc.control));
    }
    state.counters["canvas_calls"] = static_cast<double>(sc.canvas.calls) / static_cast<double>(state.iterations());
    state.counters["elements"] = s.store.liveCount();
}

void setPlanView(model::Session& s, int level)
{
    s.view.mode = model::ViewMode::Plan;
    s.view.plane = s.grid.line[model::AXIS_Z][level];
}

void BM_PlanRedrawWhole(benchmark::State& state)
{
    model::Session& s = largeSession();
    setPlanView(s, 25);
    Scene sc;
    sc.view.setCanvasSize(1200, 900);
    sc.view.FitAll(s.store, 0.8, true);
    run(state, sc, s);
}
BENCHMARK(BM_PlanRedrawWhole)->Unit(benchmark::kMillisecond);

void BM_PlanRedrawZoomedIn(benchmark::State& state)
{
    model::Session& s = largeSession();
    setPlanView(s, 25);
    Scene sc;
    sc.view.setCanvasSize(1200, 900);
    sc.view.SetView(24000, 18000, 90000, 75000);  // a few bays in the middle
    run(state, sc, s);
}
BENCHMARK(BM_PlanRedrawZoomedIn)->Unit(benchmark::kMillisecond);

void BM_FrameRedraw(benchmark::State& state)
{
    model::Session& s = largeSession();
    s.view.mode = model::ViewMode::ElevationXZ;
    s.view.plane = s.grid.line[model::AXIS_Y][15];
    Scene sc;
    sc.view.setCanvasSize(1200, 900);
    sc.view.SetView(200000, 190000, 90000, 87500);  // the whole frame
    run(state, sc, s);
}
BENCHMARK(BM_FrameRedraw)->Unit(benchmark::kMillisecond);

void BM_ConnectionTableRebuild(benchmark::State& state)
{
    model::Session& s = largeSession();
    for (auto _ : state) {
        s.store.invalidateConnections();
        s.store.computeConnections();
    }
    state.counters["elements"] = s.store.liveCount();
}
BENCHMARK(BM_ConnectionTableRebuild)->Unit(benchmark::kMillisecond);

void BM_PickAndEndPointSnap(benchmark::State& state)
{
    model::Session& s = largeSession();
    setPlanView(s, 25);
    editor::ViewTransform view;
    view.setCanvasSize(1200, 900);
    view.FitAll(s.store, 0.8, true);
    editor::DotGrid dots;
    editor::PickContext c{s.store, s.view, view, dots, true};
    editor::SnapState snap;
    for (auto _ : state) benchmark::DoNotOptimize(editor::SnapPoint(c, snap, {600, 450}));
}
BENCHMARK(BM_PickAndEndPointSnap)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
