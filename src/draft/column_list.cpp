// SPDX-License-Identifier: GPL-3.0-or-later
// The table and the section figures of the column section list.
#include "draft/column_list.h"

#include <algorithm>
#include <string>
#include <vector>

#include "draft/list_common.h"
#include "model/helpers.h"
#include "model/sections.h"
#include "session/session.h"
#include "settings/settings.h"

namespace draft {

namespace {

constexpr int kPenOutline = 2;
constexpr int kPenHoop = 11;
constexpr int kPenMainBars = 10;
constexpr double kCover = 40;  // face to hoop, and hoop to bar surface
// A bar count is typed by hand; beyond this many per face a figure means nothing, and an
// absurd count must not flood the drawing store.
constexpr int kMaxBarsPerFace = 100;
// The figure's centre lies this many units below the top of its row.
constexpr double kFigureDrop = 7;

double radiusOf(int symbolSize) { return symbolSize > 0 ? symbolSize / 2.0 : 0.0; }

// Position k (0-based) of n spread evenly from a to b.
double spread(double a, double b, int n, int k) { return a + k * (b - a) / (n - 1); }

void dimensions(Drafter& d, const settings::DraftEnv& env, const ColumnFigure& f, int figureIndex, double left,
                double right, double bottom, double top)
{
    const int mode = env.ColumnListMark;
    const bool letters = mode == 0 || (mode == 1 && figureIndex == 0);
    const bool numbers = mode == 2 || (mode == 3 && figureIndex == 0);
    if (!letters && !numbers) return;
    d.SetPen(kListPenDimension);
    const double th = d.draftTextHeight();
    const double lift = env.DrawMojiUki * d.draftScale();
    drawDimensionLine(d, letters ? "Dx" : dimensionNumber(f.Dx), left, bottom, right, bottom, 0, -1, 3 * th, th,
                      lift);
    drawDimensionLine(d, letters ? "Dy" : dimensionNumber(f.Dy), right, bottom, right, top, 1, 0, 3 * th, th, lift);
}

void mainBarsAndHoop(Drafter& d, const ColumnFigure& f, double left, double right, double bottom, double top)
{
    const int n1 = std::min(f.n1, kMaxBarsPerFace);
    const int n2 = std::min(f.n2, kMaxBarsPerFace);
    const double r = radiusOf(f.barSymbolSize);
    const double xL = left + kCover + r, xR = right - kCover - r;
    const double yB = bottom + kCover + r, yT = top - kCover - r;

    if (f.hoopSymbolSize > 0) {
        d.SetPen(kPenHoop);
        d.DraftRoundRect(left + kCover, bottom + kCover, right - kCover, top - kCover, r, r);
    }

    d.SetPen(kPenMainBars);
    d.DraftBarMark(f.barMark, xL, yB);
    d.DraftBarMark(f.barMark, xL, yT);
    d.DraftBarMark(f.barMark, xR, yT);
    d.DraftBarMark(f.barMark, xR, yB);
    for (int k = 1; k < n2 - 1; ++k) d.DraftBarMark(f.barMark, spread(xL, xR, n2, k), yB);
    for (int k = 1; k < n2 - 1; ++k) d.DraftBarMark(f.barMark, spread(xL, xR, n2, k), yT);
    for (int k = 1; k < n1 - 1; ++k) d.DraftBarMark(f.barMark, xL, spread(yB, yT, n1, k));
    for (int k = 1; k < n1 - 1; ++k) d.DraftBarMark(f.barMark, xR, spread(yB, yT, n1, k));
}

ListLayout columnLayout(const settings::DraftEnv& env, int textHeight)
{
    return makeListLayout({env.ColumnListW1, env.ColumnListW2, env.ColumnListW3, env.ColumnListH, env.ColumnListHD},
                          env.CTitle, static_cast<int>(settings::columnTitles().size()) - 1, COLUMN_ROW_FIGURE,
                          textHeight);
}

int storeyCount(const model::Session& session) { return std::clamp(session.grid.spanCount[2], 0, model::kMaxSpans); }

class ColumnListWriter {
public:
    ColumnListWriter(model::Session& session, Drafter& d)
        : d_(d),
          env_(session.settings.draft),
          l_(columnLayout(env_, d.draftTextHeight())),
          sections_(session.sections, model::kColumnLetter),
          marks_(model::markList(model::kColumnLetter, session.sections, 100)),
          storeys_(storeyCount(session))
    {
    }

    bool draw()
    {
        // A table without a mark column or without a storey row shows nothing.
        if (marks_.empty() || storeys_ == 0) return false;
        drawListHeader(d_, l_, marks_);
        for (int a = 0; a < storeys_; ++a) storeyBlock(a);
        drawListOuterRules(d_, l_, static_cast<int>(marks_.size()), storeys_);
        return true;
    }

private:
    void storeyBlock(int a)
    {
        const int storey = storeys_ - a;
        const double top = l_.blockTop(a);
        d_.SetPen(kListPenText);
        // A storey whose first mark has no section takes another mark's name, and one without
        // any section its number, which is what the section dialog would have stored.
        listText(d_, sections_.levelName(storey, marks_, std::to_string(storey)), l_.levelX(),
                 top - l_.block * l_.uY / 2.0);

        std::vector<const model::SectionEntry*> cells(marks_.size());
        for (size_t i = 0; i < marks_.size(); ++i) cells[i] = sections_.find(storey, marks_[i]);
        double rowTop = top;
        for (int kind : l_.rows) {
            const double height = l_.rowHeight(kind);
            row(kind, rowTop, height, cells);
            rowTop -= height;
        }
    }

    void row(int kind, double top, double height, const std::vector<const model::SectionEntry*>& cells)
    {
        const double bottom = top - height, middle = top - height / 2;
        d_.SetPen(kListPenText);
        listText(d_, settings::columnTitles()[static_cast<size_t>(kind)], l_.titleX(), middle);
        if (kind == COLUMN_ROW_REMARKS) return;
        d_.SetPen(kListPenInner);
        d_.DraftLine(l_.size.W1 * l_.uX, bottom, l_.columnLeft(0), bottom);
        for (size_t i = 0; i < cells.size(); ++i) {
            const double xc = l_.columnLeft(static_cast<int>(i));
            if (cells[i]) cell(kind, xc, top, middle, cells[i]->secSpec);
            d_.SetPen(kListPenInner);
            d_.DraftLine(xc, bottom, xc + l_.columnWidth(), bottom);
        }
    }

    void cell(int kind, double xc, double top, double middle, const std::string& spec)
    {
        const double centre = xc + l_.columnWidth() / 2;
        d_.SetPen(kListPenText);
        switch (kind) {
        case COLUMN_ROW_FIGURE: {
            const ColumnFigure f = columnFigure(spec, env_.RodMark);
            if (!(f.Dx > 0 && f.Dy > 0)) break;
            drawColumnSection(d_, env_, f, figureIndex_++, centre, top - kFigureDrop * l_.uY);
            break;
        }
        case COLUMN_ROW_SIZE:
            listText(d_, model::fmtSizeForDrawing(spec, 0), centre, middle);
            break;
        case COLUMN_ROW_MAIN:
            listText(d_, model::fmtColumnMain(model::specItem(spec, 1)), centre, middle);
            break;
        case COLUMN_ROW_HOOP:
        case COLUMN_ROW_HOOP_ALT:
            hoopText(model::fmtHoop(model::specItem(spec, 2)), xc, centre, middle);
            break;
        default:
            break;
        }
    }

    // "2-2-D13-@100": the two leading counts become the legs symbol, the rest is written.
    void hoopText(const std::string& s, double xc, double centre, double middle)
    {
        const size_t first = s.find('-');
        if (first == std::string::npos) {
            listText(d_, s, centre, middle);
            return;
        }
        const size_t second = s.find('-', first + 1);
        const int nX = model::specInt(s.substr(0, first));
        const int nY = second == std::string::npos ? 0 : model::specInt(s.substr(first + 1, second - first - 1));
        const std::string rest = s.substr(second == std::string::npos ? first : second);
        drawLegsText(d_, l_, env_.MojiRatio, rest, nX, nY, xc, middle);
    }

    Drafter& d_;
    const settings::DraftEnv& env_;
    ListLayout l_;
    ListSections sections_;
    std::vector<std::string> marks_;
    int storeys_;
    int figureIndex_ = 0;
};

}  // namespace

ColumnFigure columnFigure(std::string_view secSpec, const model::RodMarks& marks)
{
    ColumnFigure f;
    const model::SectionSize size = model::sectionSizeOfSpec(secSpec, 0);
    f.Dx = model::strToFloatOr0(size.width);
    f.Dy = model::strToFloatOr0(size.depth);
    if (!model::specItem(secSpec, 1).empty()) {
        const model::ColumnItem main = model::columnItem(secSpec, 1);
        f.n1 = main.nx;
        f.n2 = main.ny;
        f.barMark = model::barMark(main.size, marks);
        f.barSymbolSize = model::barSymbolSize(main.size);
    }
    const model::ColumnItem hoop = model::columnItem(secSpec, 2);
    if (!hoop.size.empty()) f.hoopSymbolSize = model::barSymbolSize(hoop.size);
    return f;
}

void drawColumnSection(Drafter& d, const settings::DraftEnv& env, const ColumnFigure& f, int figureIndex, double x0,
                       double y0)
{
    if (!(f.Dx > 0) || !(f.Dy > 0)) return;
    const double left = x0 - f.Dx / 2, right = x0 + f.Dx / 2;
    const double bottom = y0 - f.Dy / 2, top = y0 + f.Dy / 2;

    d.SetPen(kPenOutline);
    d.DraftLine(left, bottom, left, top);
    d.DraftLine(left, top, right, top);
    d.DraftLine(right, top, right, bottom);
    d.DraftLine(right, bottom, left, bottom);

    dimensions(d, env, f, figureIndex, left, right, bottom, top);

    // Without at least the corner bars on every face there is no cage to draw.
    if (f.n1 > 1 && f.n2 > 1) mainBarsAndHoop(d, f, left, right, bottom, top);
}

SplitGuide columnListSplit(const model::Session& session, int textHeight)
{
    const auto marks = model::markList(model::kColumnLetter, session.sections, 100);
    return listSplitGuide(columnLayout(session.settings.draft, textHeight), static_cast<int>(marks.size()),
                          storeyCount(session));
}

bool drawColumnList(model::Session& session, Drafter& d)
{
    ColumnListWriter writer(session, d);
    return writer.draw();
}

}  // namespace draft
