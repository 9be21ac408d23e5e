// SPDX-License-Identifier: GPL-3.0-or-later
// One drag step of the 3-D view of the large building (~143 000 elements): turn the whole
// wire frame and draw it on the Qt canvas the window shows, at 800 x 600.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "editor/view3d.h"
#include "large_model.h"
#include "session/session.h"
#include "ui/QtCanvas.h"

namespace {

void BM_QtView3DDragStep(benchmark::State& state)
{
    model::Session& s = bench::largeSession();
    s.view.mode = model::ViewMode::Plan;
    s.view.plane = s.grid.line[model::AXIS_Z][25];
    ui::QtCanvas canvas(800, 600);
    editor::View3D view;
    view.load(s.store, s.view);
    view.show(canvas);
    view.press(400, 300);
    int x = 400;
    for (auto _ : state) {
        // One pixel to and fro, as a slow drag sends them.
        x = x == 400 ? 401 : 400;
        view.move(canvas, x, 300);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    state.counters["segments"] = static_cast<double>(view.segments().size());
}
BENCHMARK(BM_QtView3DDragStep)->Unit(benchmark::kMillisecond);

// Loading is what every full plan redraw adds while the view is shown.
void BM_View3DLoad(benchmark::State& state)
{
    model::Session& s = bench::largeSession();
    editor::View3D view;
    for (auto _ : state) {
        view.load(s.store, s.view);
        benchmark::DoNotOptimize(view.segments().data());
    }
}
BENCHMARK(BM_View3DLoad)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
