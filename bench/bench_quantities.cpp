// SPDX-License-Identifier: GPL-3.0-or-later
// The bar take-off of the large building (about 143 000 elements, every frame line a girder
// or column with a section on its level), and the same written as CSV.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "draft/quantity_table.h"
#include "draft/rebar_quantity.h"
#include "large_model.h"
#include "session/session.h"

namespace {

namespace q = draft::quantity;

// csv: 0 takes off only, 1 also writes the CSV file.
void BM_TakeOff(benchmark::State& state)
{
    const bool csv = state.range(0) != 0;
    model::Session& session = bench::largeSessionWithLevelSections();
    const std::string file = bench::tempPath("quantities.csv");
    size_t rows = 0;
    double mass = 0;
    for (auto _ : state) {
        const q::Takeoff t = q::takeOff(session.store, session.sections, session.grid,
                                        session.settings.draft.TessmarStirStart, q::Conditions{});
        if (csv && !q::writeQuantityCsv(file, t).ok) state.SkipWithError("CSV not written");
        rows = t.rows.size();
        mass = t.designMass;
    }
    std::remove(file.c_str());
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["design_t"] = mass / 1000;
}
BENCHMARK(BM_TakeOff)->ArgName("csv")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
