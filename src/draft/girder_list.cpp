// SPDX-License-Identifier: GPL-3.0-or-later
// The table of the girder section list: header, floor blocks with their rows, cell texts
// and figures, and the table rules.
#include "draft/girder_list.h"

#include <string>
#include <vector>

#include "draft/list_common.h"
#include "model/helpers.h"
#include "model/sections.h"
#include "session/session.h"
#include "settings/settings.h"

namespace draft {

namespace {

enum RowKind : int {
    ROW_POSITION = 1,
    ROW_FIGURE = 2,
    ROW_SIZE = 3,
    ROW_TOP = 4,
    ROW_BOTTOM = 5,
    ROW_STIRRUP = 6,
    ROW_WEB = 7,
    ROW_REMARKS = 8,
    ROW_SIZE_ALT = 9,
    ROW_STIRRUP_ALT = 10,
};

bool hasSubColumns(int kind)
{
    return kind == ROW_POSITION || kind == ROW_SIZE || kind == ROW_TOP || kind == ROW_BOTTOM || kind == ROW_SIZE_ALT;
}

// What one end looks like, for telling the end groups apart.
std::string endSignature(std::string_view spec, const std::string& item0, int end)
{
    return model::sizeField(item0, 0, end) + ":" + model::sizeField(item0, 1, end) + ";" +
           model::specItem(spec, 1 + 2 * end) + ";" + model::specItem(spec, 2 + 2 * end);
}

ListLayout makeLayout(const settings::DraftEnv& env, int textHeight)
{
    const ListSizes sizes{env.GirderListW1, env.GirderListW2, env.GirderListW3, env.GirderListH, env.GirderListHD};
    const int lastKind = static_cast<int>(settings::girderTitles().size()) - 1;
    return makeListLayout(sizes, env.GTitle, lastKind, ROW_FIGURE, textHeight);
}

class ListWriter {
public:
    ListWriter(model::Session& session, Drafter& d)
        : session_(session),
          d_(d),
          env_(session.settings.draft),
          l_(makeLayout(env_, d.draftTextHeight())),
          sections_(session.sections, model::kGirderLetter),
          marks_(model::markList(model::kGirderLetter, session.sections, 100))
    {
    }

    void draw()
    {
        const int floors = session_.grid.spanCount[2] + 1;
        drawListHeader(d_, l_, marks_);
        for (int a = 0; a < floors; ++a) floorBlock(a, floors);
        drawListOuterRules(d_, l_, static_cast<int>(marks_.size()), floors);
    }

private:
    void text(const std::string& s, double x, double y, int nBase = BASE_MIDDLE_CENTRE)
    {
        listText(d_, s, x, y, nBase);
    }

    void floorBlock(int a, int floors)
    {
        const int floor = floors - a;
        const double top = l_.blockTop(a);
        // The name stored with the first mark's section; a floor whose first mark has no
        // section takes another mark's, and one without any the level's usual name.
        const std::string fallback = floor == floors ? std::string("R") : std::to_string(floor);
        d_.SetPen(kListPenText);
        // Centred in the floor column whatever its width (one unit at the usual width of 2).
        text(sections_.levelName(floor, marks_, fallback), l_.levelX(), top - l_.block * l_.uY / 2.0);

        std::vector<const model::SectionEntry*> cells(marks_.size());
        std::vector<EndGroup> groups(marks_.size());
        for (size_t i = 0; i < marks_.size(); ++i) {
            cells[i] = sections_.find(floor, marks_[i]);
            if (cells[i]) groups[i] = girderEndGroup(cells[i]->secSpec);
        }
        double rowTop = top;
        for (int kind : l_.rows) {
            const double height = l_.rowHeight(kind);
            row(kind, rowTop, height, a, floors, cells, groups);
            rowTop -= height;
        }
    }

    void row(int kind, double top, double height, int a, int floors,
             const std::vector<const model::SectionEntry*>& cells, const std::vector<EndGroup>& groups)
    {
        const double bottom = top - height, middle = top - height / 2;
        d_.SetPen(kListPenText);
        text(settings::girderTitles()[static_cast<size_t>(kind)], l_.titleX(), middle);
        if (kind == ROW_REMARKS) return;
        d_.SetPen(kListPenInner);
        d_.DraftLine(l_.size.W1 * l_.uX, bottom, l_.columnLeft(0), bottom);
        for (size_t i = 0; i < cells.size(); ++i) {
            const double xc = l_.columnLeft(static_cast<int>(i));
            if (cells[i]) {
                const FigurePlace place{a == 0 && i == 0, a == floors - 1};
                cell(kind, xc, top, middle, cells[i]->secSpec, groups[i], place);
            }
            d_.SetPen(kListPenInner);
            d_.DraftLine(xc, bottom, xc + l_.columnWidth(), bottom);
            if (cells[i] && hasSubColumns(kind))
                for (int j = 1; j < groups[i].count; ++j) {
                    const double x = xc + j * l_.columnWidth() / groups[i].count;
                    d_.DraftLine(x, top, x, bottom);
                }
        }
    }

    double subColumnCentre(double xc, const EndGroup& g, int j) const
    {
        return xc + (j + 0.5) * l_.columnWidth() / g.count;
    }

    void cell(int kind, double xc, double top, double middle, const std::string& spec, const EndGroup& g,
              FigurePlace place)
    {
        d_.SetPen(kListPenText);
        switch (kind) {
        case ROW_POSITION:
            for (int j = 0; j < g.count; ++j) text(g.labels[static_cast<size_t>(j)], subColumnCentre(xc, g, j), middle);
            break;
        case ROW_FIGURE:
            for (int j = 0; j < g.count; ++j) {
                const GirderFigure f = girderFigure(spec, g.ends[static_cast<size_t>(j)], env_.RodMark);
                drawGirderSection(d_, env_, f, place, subColumnCentre(xc, g, j), top - 2 * l_.uY);
            }
            break;
        case ROW_SIZE:
        case ROW_SIZE_ALT:
            for (int j = 0; j < g.count; ++j)
                text(model::fmtSizeForDrawing(spec, g.ends[static_cast<size_t>(j)]), subColumnCentre(xc, g, j), middle);
            break;
        case ROW_TOP:
        case ROW_BOTTOM:
            for (int j = 0; j < g.count; ++j) {
                const int item = (kind == ROW_TOP ? 1 : 2) + 2 * g.ends[static_cast<size_t>(j)];
                text(model::fmtBarGroup(model::specItem(spec, item)), subColumnCentre(xc, g, j), middle);
            }
            break;
        case ROW_WEB:
            text(model::fmtBars(model::specItem(spec, 8)), xc + l_.columnWidth() / 2, middle);
            break;
        case ROW_STIRRUP:
        case ROW_STIRRUP_ALT:
            stirrupText(model::fmtStirrup(model::specItem(spec, 7)), xc, middle);
            break;
        default:
            break;
        }
    }

    void stirrupText(const std::string& s, double xc, double middle)
    {
        const size_t dash = s.find('-');
        if (dash == std::string::npos) {
            text(s, xc + l_.columnWidth() / 2, middle);
            return;
        }
        // The leg count becomes a symbol of one stroke per leg before the rest of the text.
        const int legs = model::specInt(s.substr(0, dash));
        drawLegsText(d_, l_, env_.MojiRatio, s.substr(dash), legs, 2, xc, middle);
    }

    model::Session& session_;
    Drafter& d_;
    const settings::DraftEnv& env_;
    ListLayout l_;
    ListSections sections_;
    std::vector<std::string> marks_;
};

}  // namespace

EndGroup girderEndGroup(std::string_view secSpec)
{
    const std::string item0 = model::specItem(secSpec, 0);
    const std::string left = endSignature(secSpec, item0, 0);
    const std::string centre = endSignature(secSpec, item0, 1);
    const std::string right = endSignature(secSpec, item0, 2);
    EndGroup g;
    if (left == centre && centre == right) {
        g = {5, 1, {0, 0, 0}, {"全断面", "", ""}};
    } else if (left == centre) {
        g = {3, 2, {0, 2, 0}, {"左端・中央", "右端", ""}};
    } else if (centre == right) {
        g = {2, 2, {0, 1, 0}, {"左端", "中央・右端", ""}};
    } else if (left == right) {
        g = {4, 2, {0, 1, 0}, {"端部", "中央", ""}};
    } else {
        g = {1, 3, {0, 1, 2}, {"左端", "中央", "右端"}};
    }
    return g;
}

SplitGuide girderListSplit(const model::Session& session, int textHeight)
{
    const ListLayout l = makeLayout(session.settings.draft, textHeight);
    const auto marks = model::markList(model::kGirderLetter, session.sections, 100);
    return listSplitGuide(l, static_cast<int>(marks.size()), session.grid.spanCount[2] + 1);
}

void drawGirderList(model::Session& session, Drafter& d)
{
    ListWriter writer(session, d);
    writer.draw();
}

}  // namespace draft
