// SPDX-License-Identifier: GPL-3.0-or-later
// The whole drawing set of the large building through tessmar-cli, as the office runs it: the
// DXF files, the numbered PDF set and the DXF sheets. Each run is a child process, so its wall
// and CPU time and its peak memory are the command's own (counters cpu_s, peak_MB).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "large_model.h"
#include "model/project_file.h"
#include "session/session.h"

namespace {

namespace fs = std::filesystem;

const std::string& projectFile()
{
    static const std::string path = [] {
        const std::string p = bench::tempPath("sheet-set.kel");
        model::writeProject(bench::largeSessionWithLevelSections(), p);
        return p;
    }();
    return path;
}

// Runs tessmar-cli with the arguments, quietly; its CPU seconds and peak resident megabytes.
bool runCli(const std::vector<std::string>& args, double& cpu, double& peakMb)
{
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv{const_cast<char*>(TESSMAR_CLI)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) _exit(127);
        execv(TESSMAR_CLI, argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) return false;
    cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
          static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    peakMb = static_cast<double>(usage.ru_maxrss) / 1024;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Times the command, `output` (a file or folder) removed before each run and at the end.
void timeCli(benchmark::State& state, const std::vector<std::string>& args, const std::string& output)
{
    double cpu = 0, peak = 0, cpuSum = 0, peakMost = 0;
    for (auto _ : state) {
        fs::remove_all(output);
        const auto start = std::chrono::steady_clock::now();
        if (!runCli(args, cpu, peak)) state.SkipWithError("tessmar-cli failed");
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpuSum += cpu;
        peakMost = std::max(peakMost, peak);
    }
    state.counters["cpu_s"] = state.iterations() > 0 ? cpuSum / static_cast<double>(state.iterations()) : 0;
    state.counters["peak_MB"] = peakMost;
    fs::remove_all(output);
}

void runSet(benchmark::State& state, const std::vector<std::string>& extra)
{
    const std::string folder = bench::tempPath("sheet-set");
    std::vector<std::string> args{"draw", "all", projectFile(), "-o", folder};
    args.insert(args.end(), extra.begin(), extra.end());
    timeCli(state, args, folder);
}

void BM_DrawAllDxf(benchmark::State& state) { runSet(state, {}); }
BENCHMARK(BM_DrawAllDxf)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

void BM_DrawAllPdfSet(benchmark::State& state) { runSet(state, {"--pdf"}); }
BENCHMARK(BM_DrawAllPdfSet)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

void BM_DrawAllDxfSheets(benchmark::State& state) { runSet(state, {"--sheets"}); }
BENCHMARK(BM_DrawAllDxfSheets)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

// One rebar arrangement drawing of one grid line against re-saving the whole project: compare
// the medians of cpu_s (the machine's other work makes wall time noisy).
void BM_RebarOfOneGridLineAsDxf(benchmark::State& state)
{
    const std::string out = bench::tempPath("rebar-one.dxf");
    timeCli(state, {"draw", "rebar", projectFile(), "--view", "yframe", "--tab", "15", "-o", out}, out);
}
BENCHMARK(BM_RebarOfOneGridLineAsDxf)
    ->UseManualTime()
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void BM_ResaveWholeProject(benchmark::State& state)
{
    const std::string out = bench::tempPath("resaved.kel");
    timeCli(state, {"resave", projectFile(), out}, out);
}
BENCHMARK(BM_ResaveWholeProject)
    ->UseManualTime()
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
