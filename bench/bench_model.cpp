// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing a large project, the connection table and newUID on ~143 000 elements.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "large_model.h"
#include "model/project_file.h"
#include "platform/console_platform.h"
#include "session/session.h"

namespace {

platform::ConsolePlatform g_platform;

using bench::largeSession;

const std::string& largeFile()
{
    static std::string path = [] {
        std::string p = bench::tempPath("large.kel");
        model::writeProject(largeSession(), p);
        return p;
    }();
    return path;
}

void BM_ReadProject(benchmark::State& state)
{
    const std::string& path = largeFile();
    for (auto _ : state) {
        model::Session s(g_platform);
        auto r = model::readProject(s, path);
        if (!r.ok) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(s.store.count());
    }
    state.counters["elements"] = largeSession().store.liveCount();
}
BENCHMARK(BM_ReadProject)->Unit(benchmark::kMillisecond);

void BM_WriteProject(benchmark::State& state)
{
    model::Session& s = largeSession();
    std::string path = bench::tempPath("write.kel");
    for (auto _ : state) {
        auto r = model::writeProject(s, path);
        if (!r.ok) state.SkipWithError(r.message.c_str());
    }
    std::remove(path.c_str());
    state.counters["elements"] = s.store.liveCount();
}
BENCHMARK(BM_WriteProject)->Unit(benchmark::kMillisecond);

void BM_ConnectionTable(benchmark::State& state)
{
    model::Session& s = largeSession();
    for (auto _ : state) {
        s.store.invalidateConnections();
        s.store.computeConnections();
    }
}
BENCHMARK(BM_ConnectionTable)->Unit(benchmark::kMillisecond);

void BM_NewUID(benchmark::State& state)
{
    model::Session& s = largeSession();
    for (auto _ : state) benchmark::DoNotOptimize(s.store.newUID());
}
BENCHMARK(BM_NewUID)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
