// SPDX-License-Identifier: GPL-3.0-or-later
// A session, a recording canvas and platform, scripted dialogs and a dispatcher wired together,
// with helpers that act like a user: clicks and drags at world points, keys, menu codes.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editor/command_codes.h"
#include "editor/dispatcher.h"
#include "session/session.h"
#include "support/recording_canvas.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"

namespace testing_support {

class FakeHost : public editor::EditorHost {
public:
    void setCursor(editor::CursorKind kind) override { cursors.push_back(kind); }
    void showPopupMenu(editor::PixelPoint at, bool plan) override { popups.push_back({at, plan}); }
    void focusCanvas() override { ++focus; }
    void stateChanged() override { ++changes; }
    void closeMainWindow() override { ++closed; }

    std::vector<editor::CursorKind> cursors;
    std::vector<std::pair<editor::PixelPoint, bool>> popups;
    int focus = 0, changes = 0, closed = 0;
};

// Every dialog port, answering from queues; an empty queue answers "cancelled".
class ScriptedDialogs : public platform::FileDialogPort,
                        public platform::MemberDialogPort,
                        public platform::ParallelCopyDialogPort,
                        public platform::GridPitchDialogPort,
                        public platform::GridLineDialogPort,
                        public platform::View3DPort {
public:
    std::deque<std::optional<std::string>> openAnswers, saveAnswers;
    std::deque<std::optional<platform::MemberChoice>> marks;
    std::deque<std::optional<platform::ParallelCopy>> copies;
    std::deque<std::optional<double>> pitches;
    std::deque<std::optional<platform::GridLineRecord>> grids;

    std::vector<std::string> memberCaptions;
    std::vector<double> referenceDistances;
    std::vector<std::pair<platform::GridDialogMode, platform::GridLineRecord>> gridCalls;
    std::vector<std::string> saveInitialPaths;
    int openCalls = 0, saveCalls = 0, reloads = 0;
    std::vector<bool> visibility;

    template <typename T>
    static std::optional<T> next(std::deque<std::optional<T>>& q)
    {
        if (q.empty()) return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }

    std::optional<std::string> openFile(const std::string&, const std::string&) override
    {
        ++openCalls;
        return next(openAnswers);
    }
    std::optional<std::string> saveFile(const std::string&, const std::string& initial) override
    {
        ++saveCalls;
        saveInitialPaths.push_back(initial);
        return next(saveAnswers);
    }
    std::optional<platform::MemberChoice> chooseMark(const std::string& caption, int, const model::SectionTable&) override
    {
        memberCaptions.push_back(caption);
        return next(marks);
    }
    std::optional<platform::ParallelCopy> chooseParallelCopy(double reference) override
    {
        referenceDistances.push_back(reference);
        return next(copies);
    }
    std::optional<double> chooseGridPitch() override { return next(pitches); }
    std::optional<platform::GridLineRecord> editGridLines(platform::GridDialogMode mode,
                                                          const platform::GridLineRecord& record,
                                                          const model::GridModel&) override
    {
        gridCalls.push_back({mode, record});
        return next(grids);
    }
    void setVisible(bool v) override { visibility.push_back(v); }
    void reload() override { ++reloads; }
};

// Counts and pitches as the grid-line dialog returns them for a new grid.
inline platform::GridLineRecord gridRecord(std::array<int, 3> counts, std::array<int, 3> pitch)
{
    platform::GridLineRecord r;
    for (size_t a = 0; a < 3; ++a) {
        r.counts[a] = counts[a];
        for (int i = 1; i <= counts[a]; ++i) r.positions[a][static_cast<size_t>(i)] = i * pitch[a];
    }
    r.offsets.fill(model::BaseOffset{});
    return r;
}

class EditorTest : public ::testing::Test {
protected:
    EditorTest() : session(platform, tempDir()), canvas(1000, 1000), dispatcher(session, canvas, &host, ports())
    {
        // 10 world units per pixel; world 0..10000 fills the canvas.
        dispatcher.transform().SetView(10000, 10000, 5000, 5000);
    }

    std::string tempDir() const { return temp.path().string(); }

    editor::Ports ports()
    {
        editor::Ports p;
        p.files = &dialogs;
        p.member = &dialogs;
        p.parallelCopy = &dialogs;
        p.gridPitch = &dialogs;
        p.gridLines = &dialogs;
        p.view3D = &dialogs;
        return p;
    }

    editor::PixelPoint px(double x, double y)
    {
        editor::PixelPoint p;
        dispatcher.transform().ToPixel(x, y, p);
        return p;
    }
    void down(editor::MouseButton b, double x, double y, bool shift = false) { dispatcher.mouseDown({b, px(x, y), shift}); }
    void up(editor::MouseButton b, double x, double y, bool shift = false) { dispatcher.mouseUp({b, px(x, y), shift}); }
    void move(double x, double y, bool shift = false) { dispatcher.mouseMove({editor::MouseButton::None, px(x, y), shift}); }
    void click(editor::MouseButton b, double x, double y, bool shift = false)
    {
        move(x, y, shift);
        down(b, x, y, shift);
        up(b, x, y, shift);
    }
    void left(double x, double y) { click(editor::MouseButton::Left, x, y); }
    void right(double x, double y) { click(editor::MouseButton::Right, x, y); }
    // Press at one point, move to the other and release there.
    void drag(editor::MouseButton b, double x1, double y1, double x2, double y2)
    {
        move(x1, y1);
        down(b, x1, y1);
        move(x2, y2);
        up(b, x2, y2);
    }

    int addLine(double x1, double y1, double x2, double y2, double z1 = 0, double z2 = 0, int k = model::kind::LINE)
    {
        return session.store.addElem(k, 0, 1, -1, 0, 0, x1, y1, z1, x2, y2, z2, model::kNewLineColour);
    }
    // Live elements of a kind.
    std::vector<int> live(int k)
    {
        std::vector<int> out;
        for (int i = -1; session.store.nextLive(i);)
            if (session.store.at(i).kind == k) out.push_back(i);
        return out;
    }
    const model::Element& el(int i) { return session.store.at(i); }
    std::string lastStatus(int panel)
    {
        for (auto it = platform.statusTexts.rbegin(); it != platform.statusTexts.rend(); ++it)
            if (it->first == panel) return it->second;
        return "<none>";
    }
    // Every XOR stroke since the last clear drawn an even number of times: no mark is left.
    bool transientsErased()
    {
        std::map<std::tuple<int, int, int, int, int>, int> seen;
        for (const auto& l : canvasSinceClear())
            if (l.mode == editor::PenMode::Xor) {
                auto key = std::make_tuple(l.x1, l.y1, l.x2, l.y2, l.colour);
                ++seen[key];
            }
        for (const auto& [k, n] : seen)
            if (n % 2) return false;
        return true;
    }
    std::vector<RecordingCanvas::Line> canvasSinceClear()
    {
        // Lines are recorded in call order; find the ones after the last clear.
        size_t lineIndex = 0, start = 0;
        for (auto c : canvas.calls) {
            if (c == RecordingCanvas::Call::Clear) start = lineIndex;
            if (c == RecordingCanvas::Call::Line) ++lineIndex;
        }
        return {canvas.lines.begin() + static_cast<long>(start), canvas.lines.end()};
    }

    TempDir temp;  // the session's program folder: ini and default project go there
    RecordingPlatform platform;
    model::Session session;
    RecordingCanvas canvas;
    FakeHost host;
    ScriptedDialogs dialogs;
    editor::Dispatcher dispatcher;
};

}  // namespace testing_support
