// SPDX-License-Identifier: GPL-3.0-or-later
// Autosave of the large building: how long the window is blocked (the copy of the project taken
// on its thread) against the write that follows on the worker thread.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "large_model.h"
#include "model/autosaver.h"
#include "session/session.h"

namespace {

void BM_AutosaveBlocking(benchmark::State& state)
{
    model::Session& s = bench::largeSession();
    model::Autosaver saver(bench::tempPath("autosave.kel"));
    for (auto _ : state) {
        if (!saver.save(s)) state.SkipWithError("the last write was still under way");
        state.PauseTiming();
        if (const model::FileResult r = saver.wait(); !r.ok) state.SkipWithError(r.message.c_str());
        state.ResumeTiming();
    }
    saver.discard();
    state.counters["elements"] = s.store.liveCount();
}
BENCHMARK(BM_AutosaveBlocking)->Unit(benchmark::kMillisecond);

// The first copy of a program run, into memory not used before.
void BM_AutosaveFirstBlocking(benchmark::State& state)
{
    model::Session& s = bench::largeSession();
    for (auto _ : state) {
        state.PauseTiming();
        auto saver = std::make_unique<model::Autosaver>(bench::tempPath("autosave.kel"));
        state.ResumeTiming();
        saver->save(s);
        state.PauseTiming();
        if (const model::FileResult r = saver->wait(); !r.ok) state.SkipWithError(r.message.c_str());
        saver.reset();
        state.ResumeTiming();
    }
    std::remove(bench::tempPath("autosave.kel").c_str());
}
BENCHMARK(BM_AutosaveFirstBlocking)->Unit(benchmark::kMillisecond);

// The whole copy and write, for comparison: none of it but the copy blocks the window.
void BM_AutosaveWhole(benchmark::State& state)
{
    model::Session& s = bench::largeSession();
    model::Autosaver saver(bench::tempPath("autosave.kel"));
    for (auto _ : state) {
        saver.save(s);
        if (const model::FileResult r = saver.wait(); !r.ok) state.SkipWithError(r.message.c_str());
    }
    saver.discard();
}
BENCHMARK(BM_AutosaveWhole)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
