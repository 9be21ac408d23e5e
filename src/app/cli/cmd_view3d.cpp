// SPDX-License-Identifier: GPL-3.0-or-later
// view3d: the lines the 3-D view draws for a project, one per line of output, so scripts and
// tests see the same picture as the window.
#include <charconv>
#include <cstdio>
#include <string>

#include "cli_commands.h"
#include "cli_common.h"
#include "editor/view3d.h"
#include "platform/console_platform.h"
#include "session/session.h"

namespace cli {

namespace {

constexpr int kWidth = 800, kHeight = 600;

bool number(const char* text, double& out)
{
    const std::string s = text;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// Prints every line: "x1 y1 x2 y2 colour style" with the colour as 0x00BBGGRR.
class PrintingCanvas : public editor::Canvas {
public:
    int width() const override { return kWidth; }
    int height() const override { return kHeight; }
    void clear() override {}
    void line(int x1, int y1, int x2, int y2, int colour, editor::PenStyle style, editor::PenMode) override
    {
        std::printf("%d %d %d %d 0x%06X %s\n", x1, y1, x2, y2, static_cast<unsigned>(colour),
                    style == editor::PenStyle::Dot ? "dot" : "solid");
    }
    void circle(int, int, int, int, editor::PenMode) override {}
    void arc(int, int, int, double, double, int, editor::PenMode) override {}
    void text(int, int, const std::string&, int, double, int, const std::string&) override {}
};

}  // namespace

int runView3D(int argc, char** argv)
{
    if (argc != 1 && argc != 4) return usage("view3d takes FILE.kel [ANGLE_A ANGLE_B ZOOM]");
    editor::View3D view;
    if (argc == 4 && (!number(argv[1], view.angleA) || !number(argv[2], view.angleB) || !number(argv[3], view.zoom)))
        return usage("view3d: the angles and the zoom must be numbers");
    if (view.zoom < editor::kView3DMinZoom) return usage("view3d: the zoom is at least 10");
    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!loadProject(session, argv[0])) return kExitFailure;
    view.load(session.store, session.view);
    PrintingCanvas canvas;
    view.show(canvas);
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}

}  // namespace cli
