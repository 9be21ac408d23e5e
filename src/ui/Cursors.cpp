// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Cursors.h"

#include <array>

#include <QImage>
#include <QPixmap>

namespace ui {

namespace {

// 16 x 16 pictures: '#' outline, '.' white fill, anything else transparent.
constexpr std::array<const char*, 16> kHand = {
    "       ##       ",
    "   ## #..###    ",
    "  #..##..#..#   ",
    "  #..##..#..# # ",
    "   #..#..#..##.#",
    "   #..#..#..#..#",
    " ## #.......#..#",
    "#..##..........#",
    "#...#.........# ",
    " #............# ",
    "  #...........# ",
    "  #..........#  ",
    "   #.........#  ",
    "    #.......#   ",
    "     #......#   ",
    "     #......#   ",
};

constexpr std::array<const char*, 16> kGrip = {
    "                ",
    "                ",
    "                ",
    "                ",
    "    ## ## ##    ",
    "   #..#..#..##  ",
    "   #........#.# ",
    "    #.........# ",
    "   ##.........# ",
    "  #...........# ",
    "  #...........# ",
    "   #.........#  ",
    "    #........#  ",
    "     #......#   ",
    "     #......#   ",
    "                ",
};

QCursor fromPicture(const std::array<const char*, 16>& rows)
{
    // Drawn twice as large: a 16-pixel hand is hard to see on today's screens.
    constexpr int scale = 2;
    QImage image(16 * scale, 16 * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const char c = rows[static_cast<size_t>(y)][x];
            if (c != '#' && c != '.') continue;
            const QRgb colour = c == '#' ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx) image.setPixel(x * scale + dx, y * scale + dy, colour);
        }
    }
    return QCursor(QPixmap::fromImage(image), 8 * scale, 8 * scale);
}

}  // namespace

QCursor handCursor()
{
    static const QCursor cursor = fromPicture(kHand);
    return cursor;
}

QCursor gripCursor()
{
    static const QCursor cursor = fromPicture(kGrip);
    return cursor;
}

QCursor cursorFor(editor::CursorKind kind)
{
    switch (kind) {
    case editor::CursorKind::CrossHair:
    case editor::CursorKind::Cross: return QCursor(Qt::CrossCursor);
    case editor::CursorKind::Hand: return handCursor();
    case editor::CursorKind::Grip: return gripCursor();
    case editor::CursorKind::Arrow: break;
    }
    return QCursor(Qt::ArrowCursor);
}

}  // namespace ui
