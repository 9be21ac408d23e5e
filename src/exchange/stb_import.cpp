// SPDX-License-Identifier: GPL-3.0-or-later
// The mapping of an ST-Bridge file's records to a new project.
#include "exchange/stb_import.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>

#include "exchange/stb_reader.h"
#include "model/member_offsets.h"
#include "model/sorted_search.h"
#include "session/session.h"

namespace exchange::stb {

namespace {

namespace kind = model::kind;

// Members made from lines are black, as member designation makes them.
constexpr int kMemberColour = 0x000000;
constexpr double kOnLine = 0.5;  // mm: a node this close to a grid line lies on it

const char* memberElement(MemberKind k)
{
    return k == MemberKind::Column ? "StbColumn" : k == MemberKind::Girder ? "StbGirder" : "StbBeam";
}
char letterOf(MemberKind k)
{
    return k == MemberKind::Column ? model::kColumnLetter : k == MemberKind::Girder ? model::kGirderLetter : model::kBeamLetter;
}
int elementKind(MemberKind k)
{
    return k == MemberKind::Column ? kind::COLUMN : k == MemberKind::Girder ? kind::GIRDER : kind::BEAM;
}

std::string describe(const Member& m)
{
    return std::string(memberElement(m.kind)) + " " + m.name + " (id " + m.id + ", " + std::to_string(m.line) + "行目)";
}

// Index of the grid line at a coordinate, -1 when none lies there.
class LineIndex {
public:
    explicit LineIndex(const std::vector<int>& positions) : positions_(positions) {}
    int at(double v) const
    {
        const double from = v - kOnLine;
        const int i = static_cast<int>(model::prefixCount(positions_.data(), positions_.size(), [from](int p) { return p < from; }));
        if (i == static_cast<int>(positions_.size()) || std::abs(positions_[static_cast<size_t>(i)] - v) > kOnLine) return -1;
        return i;
    }
    // The highest line not above v (the story a point stands in); -1 below the first.
    int floor(double v) const
    {
        const double to = v + kOnLine;
        return static_cast<int>(model::prefixCount(positions_.data(), positions_.size(), [to](int p) { return !(to < p); })) - 1;
    }

private:
    const std::vector<int>& positions_;
};

struct Placed {
    const Member* member = nullptr;
    MemberKind kind = MemberKind::Girder;  // the member's, kept here: the records lie far apart
    Node a, b;              // ends after the shift
    int level = 0;          // 1-based level number of its section
    int sectionKey = -1;    // index into keys
    bool reversed = false;  // its start lies at the right (upper) end
};

struct Key {
    char letter;
    int level;
    std::string mark;
    bool operator<(const Key& o) const
    {
        if (letter != o.letter) return letter < o.letter;
        if (level != o.level) return level < o.level;
        return mark < o.mark;
    }
};

struct KeyedSection {
    Key key;
    int64_t stbId = 0;
    SectionSpec spec;
    int forward = 0, reversed = 0;
    int secID = -1;
};

class Mapper {
public:
    Mapper(const File& file, ImportResult& out) : file_(file), out_(out), report_(out.report) {}

    bool run(const std::array<model::GridNaming, 3>& currentNaming)
    {
        std::string why = gridFromFile(file_, grid_, report_);
        if (why.empty()) why = placeMembers();
        if (why.empty()) why = makeSections();
        if (!why.empty()) {
            out_.message = why;
            report_.clear();
            return false;
        }
        makeGrid(currentNaming);
        if (!makeElements()) {
            out_.message = "メモリが足りません";
            return false;
        }
        model::applyOffsets(out_.project.store, out_.project.grid, *out_.project.sections);
        summarise();
        return true;
    }

private:
    std::string placeMembers()
    {
        std::map<int64_t, const Section*> sections;
        for (const Section& s : file_.sections) sections.emplace(s.id, &s);
        const LineIndex levels(grid_.positions[2]);
        placed_.reserve(file_.members.size());
        for (const Member& m : file_.members) {
            if (m.structure != "RC") {
                ++leftOut_[std::string(memberElement(m.kind)) + " (" + (m.structure.empty() ? "?" : m.structure) + ")"];
                continue;
            }
            const auto n1 = file_.nodes.find(m.node1);
            const auto n2 = file_.nodes.find(m.node2);
            if (n1 == file_.nodes.end() || n2 == file_.nodes.end())
                return describe(m) + " の節点 " + std::to_string(n1 == file_.nodes.end() ? m.node1 : m.node2) + " がありません";
            Placed p;
            p.member = &m;
            p.kind = m.kind;
            p.a = shifted(n1->second);
            p.b = shifted(n2->second);
            const auto s = sections.find(m.section);
            const bool wantsColumn = m.kind == MemberKind::Column;
            if (s == sections.end() || (s->second->element == "StbSecColumn_RC") != wantsColumn) {
                noSection_.push_back(describe(m) + ": 断面 " + std::to_string(m.section) + " がないため断面なし");
                placed_.push_back(p);
                continue;
            }
            // A girder belongs to the level its ends lie on, a column to the storey of its foot.
            const double z = wantsColumn ? std::min(p.a.z, p.b.z) : p.a.z;
            const int line = levels.floor(z);
            p.level = std::max(line, 0) + 1;
            if (!wantsColumn) p.reversed = std::abs(p.a.y - p.b.y) < kOnLine ? p.a.x > p.b.x : p.a.y > p.b.y;
            const int key = keyOf(m, *s->second, p.level);
            if (key < 0) continue;
            p.sectionKey = key;
            KeyedSection& k = keyed_[static_cast<size_t>(p.sectionKey)];
            (p.reversed ? k.reversed : k.forward) += 1;
            placed_.push_back(p);
        }
        return "";
    }

    // The key a member's section goes under, made on first use; -1 when the section is left out
    // (a round column).
    int keyOf(const Member& m, const Section& sec, int level)
    {
        const char letter = letterOf(m.kind);
        // Members come floor by floor and section by section: the previous member's key mostly
        // fits, and looking it up by its mark was a good part of the mapping's time.
        if (&sec == lastKey_.section && level == lastKey_.level && letter == lastKey_.letter) return lastKey_.index;
        const std::string& mark = sec.name.empty() ? m.name : sec.name;
        const Key key{letter, level, mark};
        // Looked up before it is added: emplace would make and drop a map node for a key that
        // is there.
        auto it = keyIndex_.lower_bound(key);
        const bool fresh = it == keyIndex_.end() || key < it->first;
        if (fresh) it = keyIndex_.emplace_hint(it, key, static_cast<int>(keyed_.size()));
        if (fresh) {
            keyed_.push_back({key, sec.id, sectionSpec(sec)});
            if (keyed_.back().spec.circular) {
                keyIndex_.erase(it);
                keyed_.pop_back();
                leftOutSections_.insert(sec.id);
                ++leftOut_["円形の柱"];
                return -1;
            }
        } else if (keyed_[static_cast<size_t>(it->second)].stbId != sec.id) {
            const KeyedSection& first = keyed_[static_cast<size_t>(it->second)];
            if (first.spec.spec != sectionSpec(sec).spec)
                report_.push_back("符号 " + mark + " の断面が同じ階に二つあります: 断面 " + std::to_string(sec.id) + " (" +
                                  std::to_string(sec.line) + "行目) の部材も断面 " + std::to_string(first.stbId) +
                                  " にしました");
            return it->second;  // not remembered: every such member is reported
        }
        // A section without a name takes each member's own: nothing to remember then.
        if (!sec.name.empty()) lastKey_ = {&sec, level, letter, it->second};
        return it->second;
    }

    Node shifted(const Node& n) const
    {
        return {n.x + grid_.shift[0], n.y + grid_.shift[1], n.z + grid_.shift[2]};
    }

    std::string makeSections()
    {
        // Sections no member uses are kept when their floor names a story.
        std::map<std::string, int> storyLevel;
        for (size_t i = 0; i < grid_.names[2].size(); ++i) storyLevel.emplace(grid_.names[2][i], static_cast<int>(i) + 1);
        std::set<int64_t> used = leftOutSections_;
        for (const KeyedSection& k : keyed_) used.insert(k.stbId);
        for (const Section& s : file_.sections) {
            if (used.count(s.id)) continue;
            const auto level = storyLevel.find(s.floor);
            if (level == storyLevel.end()) {
                ++unusedSections_;
                continue;
            }
            const bool column = s.element == "StbSecColumn_RC";
            const char letter = column ? model::kColumnLetter : s.kind == "BEAM" ? model::kBeamLetter : model::kGirderLetter;
            SectionSpec spec = sectionSpec(s);
            if (spec.circular) continue;
            const Key key{letter, level->second, s.name};
            if (keyIndex_.emplace(key, static_cast<int>(keyed_.size())).second) keyed_.push_back({key, s.id, spec});
        }
        const size_t limit = static_cast<size_t>(model::kSectionStoreCount);
        if (keyed_.size() > limit)
            return "断面が " + std::to_string(keyed_.size()) + " あります (読み込めるのは " + std::to_string(limit) + " まで)";
        return "";
    }

    void makeGrid(const std::array<model::GridNaming, 3>& currentNaming)
    {
        ImportedProject& p = out_.project;
        p.grid.clear();
        for (int a = 0; a < 3; ++a) {
            const auto& pos = grid_.positions[a];
            for (size_t i = 0; i < pos.size(); ++i) p.grid.line[a][i] = pos[i];
            p.grid.spanCount[a] = pos.empty() ? 0 : static_cast<int>(pos.size()) - 1;
            if (pos.empty()) p.grid.line[a][0] = 0;
        }
        model::calcGridMax(p.grid);
        nameAxes(currentNaming);
        fillSectionTable();
    }

    void nameAxes(const std::array<model::GridNaming, 3>& currentNaming)
    {
        static const char* const axisText[3] = {"X通り", "Y通り", "階"};
        ImportedProject& p = out_.project;
        for (int a = 0; a < 3; ++a) {
            const auto& names = grid_.names[a];
            model::GridNaming found;
            p.naming[a] = currentNaming[a];
            if (names.empty()) continue;
            if (findNamingScheme(names, found)) {
                model::GridNaming& n = p.naming[a];
                n.mode = found.mode;
                if (found.mode == 1) n.moji1 = found.moji1;
                if (found.mode == 2) n.moji2 = found.moji2, n.num2 = found.num2;
                if (found.mode == 3) n.moji3 = found.moji3, n.num3 = found.num3;
                p.namingFound[a] = true;
                if (names.size() > static_cast<size_t>(model::kGridNamedLines))
                    report_.push_back(std::string(axisText[a]) + "の 101 本目の名前は表示されません");
                continue;
            }
            model::GridModel shown;
            model::makeGridNames(shown, p.naming);
            std::string lost;
            for (size_t i = 0; i < names.size(); ++i) {
                const std::string& ours = i < static_cast<size_t>(model::kGridNamedLines) ? shown.names[a][i] : std::string();
                if (ours != names[i]) lost += (lost.empty() ? "" : ", ") + names[i] + "→" + (ours.empty() ? "(なし)" : ours);
            }
            report_.push_back(std::string(axisText[a]) + "の名前は名前の付け方に合わないため、作図設定の名前になります: " + lost);
        }
    }

    void fillSectionTable()
    {
        // Mark numbers follow the marks' order; entries go in the section CSV's order.
        std::map<char, std::vector<std::string>> marks;
        for (const KeyedSection& k : keyed_) marks[k.key.letter].push_back(k.key.mark);
        for (auto& [letter, names] : marks) {
            std::sort(names.begin(), names.end(), markNameBefore);
            names.erase(std::unique(names.begin(), names.end()), names.end());
        }
        auto markNumber = [&](const Key& k) {
            const auto& names = marks[k.letter];
            return static_cast<int>(std::lower_bound(names.begin(), names.end(), k.mark, markNameBefore) - names.begin()) + 1;
        };
        auto rank = [](char letter) { return letter == model::kGirderLetter ? 0 : letter == model::kBeamLetter ? 1 : 2; };
        std::vector<size_t> order(keyed_.size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::sort(order.begin(), order.end(), [&](size_t x, size_t y) {
            const Key& a = keyed_[x].key;
            const Key& b = keyed_[y].key;
            if (rank(a.letter) != rank(b.letter)) return rank(a.letter) < rank(b.letter);
            const int ma = markNumber(a), mb = markNumber(b);
            if (ma != mb) return ma < mb;
            return a.level > b.level;
        });
        model::SectionTable& table = *out_.project.sections;
        model::clearSections(table);
        const int spansZ = out_.project.grid.spanCount[2];
        int id = 0;
        for (size_t i : order) {
            KeyedSection& k = keyed_[i];
            std::string spec = k.spec.spec;
            // One spec serves every member of the key; its left end is where most of them start.
            if (k.spec.endsDiffer && k.reversed > k.forward) spec = swapGirderEnds(spec);
            model::SectionEntry& e = table[static_cast<size_t>(id)];
            k.secID = ++id;
            e.secID = k.secID;
            e.secKey = model::makeSecKey(k.key.letter, k.key.level, markNumber(k.key));
            e.secName = model::makeSecName(model::levelText(k.key.letter, k.key.level, spansZ), k.key.mark);
            e.secSpec = model::normaliseSpec(spec);
            for (const std::string& size : k.spec.unknownSizes) unknownSizes_[size].insert(e.secName);
        }
        table[static_cast<size_t>(id)].secID = -1;
    }

    // Wire frame and axis lines as the grid command makes them, then the members on them.
    bool makeElements()
    {
        ImportedProject& p = out_.project;
        model::ElementStore& store = p.store;
        store.clear();
        // Room for the frame and the axis lines at once: made one after the other, the axis
        // lines would find the store full and copy the whole frame to a larger one.
        if (!store.growStore(model::gridFrameCount(p.grid) + model::gridAxesCount(p.grid))) return false;
        if (model::makeGridFrame(p.grid, store, 1, model::kNewLineColour) < 0) return false;
        if (model::makeGridAxes(p.grid, store) < 0) return false;
        const std::array<LineIndex, 3> lines{LineIndex(grid_.positions[0]), LineIndex(grid_.positions[1]),
                                             LineIndex(grid_.positions[2])};
        const std::array<int, 3> n{static_cast<int>(grid_.positions[0].size()), static_cast<int>(grid_.positions[1].size()),
                                   static_cast<int>(grid_.positions[2].size())};
        // The frame is made level by level in a fixed order (along X per Y line, along Y per X
        // line, then up per point), so a segment's record follows from its lines.
        const int first = store.count() - model::gridFrameCount(p.grid) - model::gridAxesCount(p.grid);
        const int alongX = n[1] * std::max(n[0] - 1, 0), alongY = n[0] * std::max(n[1] - 1, 0);
        const int perLevel = alongX + alongY + n[0] * n[1];
        auto segment = [&](int dir, int i, int j, int k) {
            const int at = first + k * perLevel +
                           (dir == 0 ? j * (n[0] - 1) + i : dir == 1 ? alongX + i * (n[1] - 1) + j : alongX + alongY + j * n[0] + i);
            if (at < 0 || at >= store.count()) return -1;
            const model::Element& r = store.at(at);
            const bool there = r.kind == kind::LINE && r.X1 == grid_.positions[0][static_cast<size_t>(i)] &&
                               r.Y1 == grid_.positions[1][static_cast<size_t>(j)] &&
                               r.Z1 == grid_.positions[2][static_cast<size_t>(k)];
            return there ? at : -1;
        };
        int uid = 0;  // for members off the grid; one walk of the store when the first comes
        std::vector<int> under;  // the frame's segments under a member; none when a line is missing
        for (const Placed& m : placed_) {
            const int secID = m.sectionKey >= 0 ? keyed_[static_cast<size_t>(m.sectionKey)].secID : -1;
            noteEnds(m);
            const std::array<double, 3> pa{m.a.x, m.a.y, m.a.z}, pb{m.b.x, m.b.y, m.b.z};
            std::array<int, 3> ia{}, ib{};
            for (size_t d = 0; d < 3; ++d) {
                ia[d] = lines[d].at(pa[d]);
                // A member runs along one axis: its ends share the other two lines.
                ib[d] = pb[d] == pa[d] ? ia[d] : lines[d].at(pb[d]);
            }
            int dir = -1;
            const bool onGrid = std::find(ia.begin(), ia.end(), -1) == ia.end() && std::find(ib.begin(), ib.end(), -1) == ib.end();
            if (onGrid) {
                int differing = 0;
                for (int a = 0; a < 3; ++a)
                    if (ia[static_cast<size_t>(a)] != ib[static_cast<size_t>(a)]) ++differing, dir = a;
                if (differing != 1 || (m.kind == MemberKind::Column) != (dir == 2)) dir = -1;
            }
            under.clear();
            if (dir >= 0) {
                const size_t d = static_cast<size_t>(dir);
                std::array<int, 3> at = ia;
                for (int s = std::min(ia[d], ib[d]); s < std::max(ia[d], ib[d]) && dir >= 0; ++s) {
                    at[d] = s;
                    under.push_back(segment(dir, at[0], at[1], at[2]));
                    if (under.back() < 0) dir = -1;
                }
            }
            if (dir < 0) {
                offGrid_.push_back(describe(*m.member));
                if (uid == 0) uid = store.newUID();
                if (store.addElem(elementKind(m.kind), 0, 1, uid++, secID, 0, m.a.x, m.a.y, m.a.z, m.b.x, m.b.y,
                                  m.b.z, kMemberColour) < 0)
                    return false;
                continue;
            }
            for (int seg : under) {
                model::Element& r = store.at(seg);
                r.kind = elementKind(m.kind);
                r.SID = 0;
                r.LY = 1;
                r.secID = secID;
                r.CL = kMemberColour;
            }
        }
        return true;
    }

    void noteEnds(const Placed& m)
    {
        if (m.sectionKey < 0) return;
        const KeyedSection& k = keyed_[static_cast<size_t>(m.sectionKey)];
        const bool minority = k.reversed > k.forward ? !m.reversed : m.reversed;
        if (k.spec.endsDiffer && k.forward > 0 && k.reversed > 0 && minority) endsSwapped_.push_back(describe(*m.member));
    }

    void summarise()
    {
        std::array<int, 3> counts{};
        for (const Placed& p : placed_) ++counts[static_cast<size_t>(p.kind)];
        int sections = 0;
        for (const model::SectionEntry& e : *out_.project.sections)
            if (e.secID > 0) ++sections;
        std::vector<std::string> head;
        head.push_back("ST-Bridge " + (file_.version.empty() ? std::string("(版なし)") : file_.version) + " を読み込みました: X通り " +
                       std::to_string(grid_.positions[0].size()) + " 本, Y通り " + std::to_string(grid_.positions[1].size()) +
                       " 本, 階 " + std::to_string(grid_.positions[2].size()) + ", 柱 " + std::to_string(counts[static_cast<size_t>(MemberKind::Column)]) +
                       ", 大梁 " + std::to_string(counts[static_cast<size_t>(MemberKind::Girder)]) + ", 小梁 " + std::to_string(counts[static_cast<size_t>(MemberKind::Beam)]) +
                       ", 断面 " + std::to_string(sections));
        static const char* const axisText[3] = {"X通り", "Y通り", "階"};
        for (int a = 0; a < 3; ++a)
            if (out_.project.namingFound[a]) head.push_back(std::string(axisText[a]) + "の名前の付け方を作図設定にしました (" + grid_.names[a].front() + ", ...)");
        report_.insert(report_.begin(), head.begin(), head.end());
        for (const auto& [what, n] : leftOut_) report_.push_back("読み込まない部材: " + what + " " + std::to_string(n));
        for (const auto& [element, n] : file_.skipped) report_.push_back("読み込まない要素: " + element + " " + std::to_string(n));
        if (unusedSections_ > 0)
            report_.push_back("どの部材も使わず階も分からない断面 " + std::to_string(unusedSections_) + " は読み込みません");
        for (const auto& [size, names] : unknownSizes_) {
            std::string list;
            for (const std::string& n : names) list += (list.empty() ? "" : ", ") + n;
            report_.push_back("鉄筋径 " + size + " は表にないため書かれたまま残しました (重量は数えません): " + list);
        }
        for (const std::string& s : noSection_) report_.push_back(s);
        for (const std::string& s : offGrid_) report_.push_back("通り心の交点にない部材をそのままの位置に置きました: " + s);
        for (const std::string& s : endsSwapped_)
            report_.push_back("左右の端で断面が違いますが、同じ符号の他の部材と向きが逆です (左端と右端が入れ替わります): " + s);
    }

    const File& file_;
    ImportResult& out_;
    std::vector<std::string>& report_;
    GridLines grid_;
    std::vector<Placed> placed_;
    std::vector<KeyedSection> keyed_;
    std::map<Key, int> keyIndex_;
    struct {
        const Section* section = nullptr;
        int level = 0;
        char letter = 0;
        int index = -1;
    } lastKey_;
    std::set<int64_t> leftOutSections_;  // sections of members left out (round columns)
    std::map<std::string, int> leftOut_;
    std::map<std::string, std::set<std::string>> unknownSizes_;
    std::vector<std::string> noSection_, offGrid_, endsSwapped_;
    int unusedSections_ = 0;
};

}  // namespace

ImportResult mapStb(const File& file, const std::array<model::GridNaming, 3>& currentNaming)
{
    ImportResult out;
    out.ok = Mapper(file, out).run(currentNaming);
    return out;
}

ImportResult importStbFile(const std::string& path, const std::array<model::GridNaming, 3>& currentNaming)
{
    ImportResult out;
    {
        ReadResult read = readStbFile(path);
        if (!read.ok) {
            out.message = read.message;
            return out;
        }
        out = mapStb(read.file, currentNaming);
    }
    if (!out.ok) out.message = path + ": " + out.message;
    return out;
}

void installImport(model::Session& session, ImportedProject&& project)
{
    model::resetProject(session);
    session.grid = std::move(project.grid);
    session.sections = *project.sections;
    session.store = std::move(project.store);
    session.store.invalidateConnections();
    for (int a = 0; a < 3; ++a)
        if (project.namingFound[a]) session.settings.draft.gridNaming[a] = project.naming[a];
    model::makeGridNames(session.grid, session.settings.draft.gridNaming);
    session.project.modified = true;
}

}  // namespace exchange::stb
