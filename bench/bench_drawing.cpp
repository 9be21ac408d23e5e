// SPDX-License-Identifier: GPL-3.0-or-later
// The girder section list of a project whose section table is full: generating the drawing and
// writing it as DXF. The table holds 500 sections, so "many marks on many floors" is either
// 10 marks on 50 floors or 100 marks on 5 floors. The whole job (generate, then stream the file
// to disk) is set against the plainest way to write the same bytes: every group formed inline
// with std::to_chars into one string and written with one fwrite.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>

#include "draft/drawing_frame.h"
#include "draft/girder_list.h"
#include "dxf/dxf_writer.h"
#include "large_model.h"
#include "model/encoding.h"
#include "model/sections.h"
#include "platform/console_platform.h"
#include "session/grid_build.h"
#include "session/session.h"

namespace {

platform::ConsolePlatform g_platform;

using bench::fillGirderMarks;

void BM_GirderListAndDxf(benchmark::State& state)
{
    const int marks = static_cast<int>(state.range(0));
    const int floors = static_cast<int>(state.range(1));
    model::Session session(g_platform);
    fillGirderMarks(session, marks, floors);
    draft::DraftState draftState;
    size_t bytes = 0;
    int elements = 0;
    for (auto _ : state) {
        draft::DrawingFrame frame(session, draftState);
        frame.run(draft::ScaleMode::List, draft::GeneratorStore::Drawing,
                  [&](draft::Drafter& d) { draft::drawGirderList(session, d); });
        dxf::DxfExtents extents;
        std::string dxfText = dxf::dxfBytes(session.store, session.texts, dxf::textOptions(session.settings), extents);
        bytes = dxfText.size();
        elements = session.store.count();
        frame.close();
    }
    state.counters["elements"] = elements;
    state.counters["texts"] = static_cast<double>(session.texts.count());
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_GirderListAndDxf)->Args({10, 50})->Args({100, 5})->Unit(benchmark::kMillisecond);

void generate(model::Session& session, draft::DrawingFrame& frame)
{
    frame.run(draft::ScaleMode::List, draft::GeneratorStore::Drawing,
              [&](draft::Drafter& d) { draft::drawGirderList(session, d); });
}

size_t fileSize(const std::string& path)
{
    size_t bytes = 0;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fseek(f, 0, SEEK_END);
        bytes = static_cast<size_t>(std::ftell(f));
        std::fclose(f);
    }
    return bytes;
}

// What `draw girder-list` does once the project is read: the drawing, then the file.
void BM_GirderListJob(benchmark::State& state)
{
    model::Session session(g_platform);
    fillGirderMarks(session, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    draft::DraftState draftState;
    const std::string path = bench::tempPath("girder_list_job.dxf");
    for (auto _ : state) {
        draft::DrawingFrame frame(session, draftState);
        generate(session, frame);
        dxf::DxfExtents extents;
        const auto r = dxf::WriteDxf(path, session, extents);
        if (!r.ok) state.SkipWithError(r.message.c_str());
    }
    const size_t bytes = fileSize(path);
    std::remove(path.c_str());
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_GirderListJob)->Args({10, 50})->Args({100, 5})->Unit(benchmark::kMillisecond);

// The generator alone, to see how the job divides.
void BM_GirderListGenerateOnly(benchmark::State& state)
{
    model::Session session(g_platform);
    fillGirderMarks(session, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    draft::DraftState draftState;
    for (auto _ : state) {
        draft::DrawingFrame frame(session, draftState);
        generate(session, frame);
        benchmark::DoNotOptimize(session.store.count());
    }
}
BENCHMARK(BM_GirderListGenerateOnly)->Args({10, 50})->Args({100, 5})->Unit(benchmark::kMillisecond);

// ---- the baseline ----

void putNumber(std::string& out, double v)
{
    char buf[64];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed).ptr);
}

void putGroup(std::string& out, const char* code, double v)
{
    out += code;
    putNumber(out, v);
    out += "\r\n";
}

void putHead(std::string& out, const char* entity, const char* lineType, int colour, std::string_view layer,
             uint32_t handle)
{
    char buf[32];
    out += "  0\r\n";
    out += entity;
    out += "\r\n  8\r\n";
    out += layer;
    out += "\r\n  6\r\n";
    out += lineType;
    out += "\r\n 62\r\n     ";
    out.append(buf, std::to_chars(buf, buf + sizeof buf, dxf::dxfColour(colour)).ptr);
    out += "\r\n  5\r\n";
    auto r = std::to_chars(buf, buf + sizeof buf, handle, 16);
    for (char* p = buf; p < r.ptr; ++p)
        if (*p >= 'a') *p = static_cast<char>(*p - 'a' + 'A');
    out.append(buf, r.ptr);
    out += "\r\n";
}

// The drawing's file with everything known in advance written as literals; texts are placed by
// the default alignment (DXFnBASE 7, MojiRatio 0.5) the way the writer places them.
std::string plainBytes(const model::Session& s, const std::string& preamble)
{
    std::string out;
    out.reserve(preamble.size() + static_cast<size_t>(s.store.count()) * 192 + s.texts.count() * 256);
    out += preamble;
    uint32_t handle = dxf::kFirstHandle;
    char layer[16];
    for (int c = -1; s.store.nextLive(c);) {
        const model::Element& e = s.store.at(c);
        const char* lineType = dxf::dxfLineType(e.kind);
        if (!lineType) continue;
        const std::string_view ly(layer, static_cast<size_t>(std::to_chars(layer, layer + 16, e.LY).ptr - layer));
        const bool round = e.kind == model::kind::CIRCLE || e.kind == model::kind::ARC;
        putHead(out, round ? (e.kind == model::kind::CIRCLE ? "CIRCLE" : "ARC") : "LINE", lineType, e.CL, ly, handle++);
        putGroup(out, " 10\r\n", e.X1);
        putGroup(out, " 20\r\n", e.Y1);
        out += " 30\r\n0.0\r\n";
        if (round) {
            putGroup(out, " 40\r\n", e.X2);
            if (e.kind == model::kind::ARC) {
                putGroup(out, " 50\r\n", e.Z1);
                putGroup(out, " 51\r\n", e.Z2);
            }
            continue;
        }
        putGroup(out, " 11\r\n", e.X2);
        putGroup(out, " 21\r\n", e.Y2);
        out += " 31\r\n0.0\r\n";
    }
    for (const model::Moji& m : s.texts.entries()) {
        const double length = m.height * 0.5 * static_cast<double>(model::cp932Length(m.text));
        const double dx = -((m.nBase - 1) % 3) * length / 2;
        const double dy = (1 - (3 - (m.nBase - 1) / 3)) * m.height / 2;
        const double q = m.angle / 90;
        const bool quarter = q == std::trunc(q);
        const int k = quarter ? static_cast<int>(((static_cast<long long>(q) % 4) + 4) % 4) : 0;
        const double sn = quarter ? (k == 1 ? 1 : k == 3 ? -1 : 0) : std::sin(m.angle * M_PI / 180);
        const double cs = quarter ? (k == 0 ? 1 : k == 2 ? -1 : 0) : std::cos(m.angle * M_PI / 180);
        const double px = dx == 0 && dy == 0 ? m.x : m.x + dx * cs - dy * sn;
        const double py = dx == 0 && dy == 0 ? m.y : m.y + dx * sn + dy * cs;
        putHead(out, "TEXT", "CONTINUOUS", m.colour, m.layer, handle++);
        putGroup(out, " 10\r\n", px);
        putGroup(out, " 20\r\n", py);
        out += " 30\r\n0.0\r\n";
        putGroup(out, " 11\r\n", px);
        putGroup(out, " 21\r\n", py);
        out += " 31\r\n0.0\r\n";
        putGroup(out, " 40\r\n", m.height);
        out += " 41\r\n0.5\r\n  7\r\nSTANDARD\r\n";
        putGroup(out, " 50\r\n", m.angle);
        out += "  1\r\n";
        out += model::utf8ToCp932Escaped(m.text);
        out += "\r\n";
    }
    out += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    return out;
}

// The same job with the file formed by plainBytes and written with one fwrite.
void BM_GirderListPlainToCharsFwrite(benchmark::State& state)
{
    model::Session session(g_platform);
    fillGirderMarks(session, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    draft::DraftState draftState;
    std::string preamble;
    {
        draft::DrawingFrame frame(session, draftState);
        generate(session, frame);
        dxf::DxfExtents extents;
        dxf::updateExtents(session.store, extents);
        const model::ElementStore empty;
        const model::TextBuffer none;
        preamble = dxf::dxfBytes(empty, none, {}, extents);
        preamble.resize(preamble.size() - std::string("  0\r\nENDSEC\r\n  0\r\nEOF\r\n").size());
        // Only a fair comparison when both produce the very same file.
        dxf::DxfExtents again;
        if (plainBytes(session, preamble) !=
            dxf::dxfBytes(session.store, session.texts, dxf::textOptions(session.settings), again)) {
            state.SkipWithError("baseline bytes differ from the writer's");
            return;
        }
    }
    const std::string path = bench::tempPath("girder_list_plain.dxf");
    size_t bytes = 0;
    for (auto _ : state) {
        draft::DrawingFrame frame(session, draftState);
        generate(session, frame);
        const std::string out = plainBytes(session, preamble);
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size()) state.SkipWithError("write failed");
        if (f) std::fclose(f);
        bytes = out.size();
    }
    std::remove(path.c_str());
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_GirderListPlainToCharsFwrite)->Args({10, 50})->Args({100, 5})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
