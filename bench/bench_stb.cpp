// SPDX-License-Identifier: GPL-3.0-or-later
// ST-Bridge export and import of the large building (143 000 elements, every frame line a
// member) against writing and reading the same building's .kel.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <sys/resource.h>

#include "exchange/stb_export.h"
#include "exchange/stb_import.h"
#include "exchange/stb_reader.h"
#include "large_model.h"
#include "model/project_file.h"
#include "platform/console_platform.h"
#include "session/session.h"

namespace {

platform::ConsolePlatform g_platform;

model::Session& building() { return bench::largeSessionWithLevelSections(); }

const std::string& stbFile()
{
    static std::string path = [] {
        std::string p = bench::tempPath("large.stb");
        exchange::stb::exportStb(building(), p, "large", "bench");
        return p;
    }();
    return path;
}

const std::string& kelFile()
{
    static std::string path = [] {
        std::string p = bench::tempPath("large-stb.kel");
        model::writeProject(building(), p);
        return p;
    }();
    return path;
}

double fileMb(const std::string& path) { return static_cast<double>(std::filesystem::file_size(path)) / 1e6; }
double peakMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

void BM_ExportStb(benchmark::State& state)
{
    model::Session& s = building();
    const std::string path = bench::tempPath("write.stb");
    for (auto _ : state) {
        const auto r = exchange::stb::exportStb(s, path, "large", "bench");
        if (!r.status.ok) state.SkipWithError(r.status.message.c_str());
    }
    state.counters["MB"] = fileMb(path);
    std::remove(path.c_str());
}
BENCHMARK(BM_ExportStb)->Unit(benchmark::kMillisecond);

void BM_WriteKel(benchmark::State& state)
{
    model::Session& s = building();
    const std::string path = bench::tempPath("write-stb.kel");
    for (auto _ : state) {
        const auto r = model::writeProject(s, path);
        if (!r.ok) state.SkipWithError(r.message.c_str());
    }
    state.counters["MB"] = fileMb(path);
    std::remove(path.c_str());
}
BENCHMARK(BM_WriteKel)->Unit(benchmark::kMillisecond);

void BM_ImportStb(benchmark::State& state)
{
    const std::string& path = stbFile();
    for (auto _ : state) {
        model::Session s(g_platform);
        auto r = exchange::stb::importStbFile(path, s.settings.draft.gridNaming);
        if (!r.ok) state.SkipWithError(r.message.c_str());
        exchange::stb::installImport(s, std::move(r.project));
        benchmark::DoNotOptimize(s.store.count());
    }
    state.counters["elements"] = building().store.liveCount();
    state.counters["peakMB"] = peakMb();
}
BENCHMARK(BM_ImportStb)->Unit(benchmark::kMillisecond);

// The two halves of the import: reading the XML into records, and mapping them to a project.
void BM_ImportStbReadOnly(benchmark::State& state)
{
    const std::string& path = stbFile();
    for (auto _ : state) {
        auto r = exchange::stb::readStbFile(path);
        if (!r.ok) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(r.file.members.size());
    }
}
BENCHMARK(BM_ImportStbReadOnly)->Unit(benchmark::kMillisecond);

void BM_ImportStbMapOnly(benchmark::State& state)
{
    const auto read = exchange::stb::readStbFile(stbFile());
    model::Session s(g_platform);
    for (auto _ : state) {
        auto r = exchange::stb::mapStb(read.file, s.settings.draft.gridNaming);
        if (!r.ok) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(r.project.store.count());
    }
}
BENCHMARK(BM_ImportStbMapOnly)->Unit(benchmark::kMillisecond);

void BM_ReadKel(benchmark::State& state)
{
    const std::string& path = kelFile();
    for (auto _ : state) {
        model::Session s(g_platform);
        auto r = model::readProject(s, path);
        if (!r.ok) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(s.store.count());
    }
    state.counters["peakMB"] = peakMb();
}
BENCHMARK(BM_ReadKel)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
