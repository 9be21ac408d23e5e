// SPDX-License-Identifier: GPL-3.0-or-later
// Writing 200 000 lines as DXF against the plainest way to produce the same bytes: the
// entity text formed inline with std::to_chars and written with one fwrite.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <string>

#include "dxf/dxf_writer.h"
#include "large_model.h"
#include "model/element_store.h"
#include "model/helpers.h"
#include "model/text_buffer.h"
#include "settings/settings.h"

namespace {

constexpr int kLines = 200000;

// Drawing-like coordinates: whole millimetres, halves, quarters and round5 fractions.
const model::ElementStore& lineStore()
{
    static model::ElementStore* store = [] {
        auto* s = new model::ElementStore();
        s->growStore(kLines + 1);
        for (int i = 0; i < kLines; ++i) {
            // round5, as the drawing primitives do, also keeps shortest and 15-digit forms equal.
            const double x = model::round5((i % 997) * 12.5);
            const double y = model::round5(-(i / 997) * 400.0 - (i % 7) * 0.12345);
            // A fixed UID spares addElem the search for a new one.
            s->addElem(model::kind::LINE, 0, 1 + i % 15, i + 1, 0, 0, x, y, 0, model::round5(x + 2400.25), y, 0,
                       i % 3 == 0 ? 0xFF0000 : 0x000000);
        }
        return s;
    }();
    return *store;
}

const model::TextBuffer& noTexts()
{
    static model::TextBuffer texts;
    return texts;
}

void appendNumber(std::string& out, double v)
{
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, static_cast<size_t>(r.ptr - buf));
}

// The baseline: the same file, with everything known in advance written as literals.
std::string plainBytes(const model::ElementStore& store, const std::string& preamble)
{
    std::string out;
    out.reserve(preamble.size() + static_cast<size_t>(store.count()) * 192);
    out += preamble;
    uint32_t handle = dxf::kFirstHandle;
    char buf[32];
    for (const model::Element& e : store.records()) {
        out += "  0\r\nLINE\r\n  8\r\n";
        out.append(buf, static_cast<size_t>(std::to_chars(buf, buf + sizeof buf, e.LY).ptr - buf));
        out += "\r\n  6\r\nCONTINUOUS\r\n 62\r\n";
        out += e.CL == 0xFF0000 ? "     5" : "     7";
        out += "\r\n  5\r\n";
        auto r = std::to_chars(buf, buf + sizeof buf, handle++, 16);
        for (char* p = buf; p < r.ptr; ++p)
            if (*p >= 'a') *p = static_cast<char>(*p - 'a' + 'A');
        out.append(buf, static_cast<size_t>(r.ptr - buf));
        out += "\r\n 10\r\n";
        appendNumber(out, e.X1);
        out += "\r\n 20\r\n";
        appendNumber(out, e.Y1);
        out += "\r\n 30\r\n0.0\r\n 11\r\n";
        appendNumber(out, e.X2);
        out += "\r\n 21\r\n";
        appendNumber(out, e.Y2);
        out += "\r\n 31\r\n0.0\r\n";
    }
    out += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    return out;
}

const std::string& preambleOf(const model::ElementStore& store)
{
    static std::string preamble = [&store] {
        dxf::DxfExtents ext;
        dxf::updateExtents(store, ext);
        model::ElementStore empty;
        std::string bytes = dxf::dxfBytes(empty, noTexts(), {}, ext);
        return bytes.substr(0, bytes.size() - std::string("  0\r\nENDSEC\r\n  0\r\nEOF\r\n").size());
    }();
    return preamble;
}

void BM_WriteDxf(benchmark::State& state)
{
    const model::ElementStore& store = lineStore();
    settings::Settings settings;
    const std::string path = bench::tempPath("bench.dxf");
    size_t bytes = 0;
    for (auto _ : state) {
        auto r = dxf::WriteDxf(path, store, noTexts(), settings);
        if (!r.ok) state.SkipWithError(r.message.c_str());
    }
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fseek(f, 0, SEEK_END);
        bytes = static_cast<size_t>(std::ftell(f));
        std::fclose(f);
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteDxf)->Unit(benchmark::kMillisecond);

void BM_DxfBytesInMemory(benchmark::State& state)
{
    const model::ElementStore& store = lineStore();
    size_t bytes = 0;
    for (auto _ : state) {
        dxf::DxfExtents ext;
        std::string out = dxf::dxfBytes(store, noTexts(), {}, ext);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_DxfBytesInMemory)->Unit(benchmark::kMillisecond);

void BM_PlainToCharsFwrite(benchmark::State& state)
{
    const model::ElementStore& store = lineStore();
    const std::string& preamble = preambleOf(store);
    {
        // Only a fair comparison when both produce the very same file.
        dxf::DxfExtents ext;
        if (plainBytes(store, preamble) != dxf::dxfBytes(store, noTexts(), {}, ext)) {
            state.SkipWithError("baseline bytes differ from the writer's");
            return;
        }
    }
    const std::string path = bench::tempPath("plain.dxf");
    size_t bytes = 0;
    for (auto _ : state) {
        std::string out = plainBytes(store, preamble);
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size()) state.SkipWithError("write failed");
        if (f) std::fclose(f);
        bytes = out.size();
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_PlainToCharsFwrite)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
