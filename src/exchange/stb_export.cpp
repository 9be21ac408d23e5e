// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/stb_export.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <unordered_map>

#include <libxml/entities.h>
#include <libxml/xmlwriter.h>

#include "exchange/stb_import.h"
#include "model/bars.h"
#include "model/helpers.h"
#include "model/safe_file.h"
#include "session/session.h"

namespace exchange::stb {

namespace {

namespace kind = model::kind;

const xmlChar* x(const char* s) { return reinterpret_cast<const xmlChar*>(s); }

// The text writer's small pieces gathered into blocks for the safe writer: the file is never
// held whole, and not written a few kilobytes at a time either.
class Blocks {
public:
    explicit Blocks(model::SafeFileWriter& file) : file_(file) { buffer_.reserve(kBlock); }
    static int sink(void* context, const char* bytes, int len)
    {
        auto* self = static_cast<Blocks*>(context);
        self->buffer_.append(bytes, static_cast<size_t>(len));
        return self->buffer_.size() < kBlock || self->flush() ? len : -1;
    }
    static int noClose(void*) { return 0; }
    bool flush()
    {
        const bool ok = file_.write(buffer_).ok;
        buffer_.clear();
        return ok;
    }

private:
    static constexpr size_t kBlock = 1 << 20;
    model::SafeFileWriter& file_;
    std::string buffer_;
};

class Xml {
public:
    explicit Xml(Blocks& blocks)
    {
        xmlOutputBufferPtr buffer = xmlOutputBufferCreateIO(Blocks::sink, Blocks::noClose, &blocks, nullptr);
        w_ = buffer ? xmlNewTextWriter(buffer) : nullptr;
        if (!w_) return;
        xmlTextWriterSetIndent(w_, 1);
        xmlTextWriterSetIndentString(w_, x("  "));
        ok_ = xmlTextWriterStartDocument(w_, "1.0", "UTF-8", nullptr) >= 0;
    }
    ~Xml()
    {
        if (w_) xmlFreeTextWriter(w_);
    }
    Xml(const Xml&) = delete;
    Xml& operator=(const Xml&) = delete;

    bool ok() const { return w_ && ok_; }
    void open(const char* name)
    {
        if (ok_) ok_ = xmlTextWriterStartElement(w_, x(name)) >= 0;
    }
    void close()
    {
        if (ok_) ok_ = xmlTextWriterEndElement(w_) >= 0;
    }
    void attr(const char* name, const std::string& value)
    {
        if (ok_) ok_ = xmlTextWriterWriteAttribute(w_, x(name), x(value.c_str())) >= 0;
    }
    void attr(const char* name, double value) { attr(name, numberText(value)); }
    // Whole elements already written out: the many nodes and members go without the writer's
    // bookkeeping of each element.
    void raw(const std::string& text)
    {
        if (ok_) ok_ = xmlTextWriterWriteRawLen(w_, x(text.c_str()), static_cast<int>(text.size())) >= 0;
    }
    void attr(const char* name, long long value) { attr(name, std::to_string(value)); }
    void attr(const char* name, int value) { attr(name, std::to_string(value)); }
    bool finish()
    {
        if (ok_) ok_ = xmlTextWriterEndDocument(w_) >= 0;
        if (ok_) ok_ = xmlTextWriterFlush(w_) >= 0;
        return ok_;
    }

private:
    xmlTextWriterPtr w_ = nullptr;
    bool ok_ = false;
};

struct Point3 {
    double x, y, z;
};

// One node per distinct member end (to a thousandth of a millimetre).
class Nodes {
public:
    int idOf(double px, double py, double pz, const char* kindText)
    {
        const Key k{std::llround(px * 1000), std::llround(py * 1000), std::llround(pz * 1000)};
        const auto [it, fresh] = ids_.emplace(k, static_cast<int>(points_.size()) + 1);
        if (fresh) {
            points_.push_back({px, py, pz});
            kinds_.push_back(kindText);
        }
        return it->second;
    }
    const std::vector<Point3>& points() const { return points_; }
    const char* kindOf(int id) const { return kinds_[static_cast<size_t>(id) - 1]; }

private:
    struct Key {
        long long x, y, z;
        bool operator==(const Key& o) const { return x == o.x && y == o.y && z == o.z; }
    };
    struct Hash {
        size_t operator()(const Key& k) const
        {
            // Coordinates are multiples of whole metres more often than not: mix every bit.
            uint64_t h = static_cast<uint64_t>(k.x) * 0x9E3779B97F4A7C15ull;
            h = (h ^ (h >> 29) ^ static_cast<uint64_t>(k.y)) * 0xBF58476D1CE4E5B9ull;
            h = (h ^ (h >> 31) ^ static_cast<uint64_t>(k.z)) * 0x94D049BB133111EBull;
            return static_cast<size_t>(h ^ (h >> 32));
        }
    };
    std::unordered_map<Key, int, Hash> ids_;
    std::vector<Point3> points_;
    std::vector<const char*> kinds_;
};

struct MemberOut {
    int kindCode;
    int id;
    int node1, node2;  // column: foot, head
    int secID;
};

const model::SectionEntry* entryOf(const std::map<int, const model::SectionEntry*>& sections, int secID)
{
    const auto it = sections.find(secID);
    return it == sections.end() ? nullptr : it->second;
}

std::string markOf(const model::SectionEntry& e) { return model::fieldAt(1, e.secName, ':'); }
char letterOf(const model::SectionEntry& e) { return e.secKey.empty() ? ' ' : e.secKey[0]; }

class Exporter {
public:
    Exporter(const model::Session& s, Xml& xml, std::vector<std::string>& report) : s_(s), xml_(xml), report_(report) {}

    void run(const std::string& projectName, const std::string& appVersion)
    {
        for (const model::SectionEntry& e : s_.sections)
            if (e.secID > 0) sections_.emplace(e.secID, &e);
        collectMembers();
        xml_.open("ST_BRIDGE");
        xml_.attr("xmlns", kStbNamespace);
        xml_.attr("version", std::string("2.0.2"));
        xml_.open("StbCommon");
        xml_.attr("project_name", projectName);
        xml_.attr("app_name", std::string("Tessmar"));
        xml_.attr("app_version", appVersion);
        xml_.close();
        xml_.open("StbModel");
        writeNodes();
        writeAxes();
        writeStories();
        writeMembers();
        writeSections();
        xml_.close();
        xml_.close();
    }

private:
    void collectMembers()
    {
        const auto& store = s_.store;
        std::map<int, int> withoutSection;
        for (int i = -1; store.nextLive(i);) {
            const model::Element& e = store.at(i);
            if (e.kind != kind::COLUMN && e.kind != kind::GIRDER && e.kind != kind::BEAM) continue;
            const model::SectionEntry* sec = entryOf(sections_, e.secID);
            if (!sec) {
                ++withoutSection[e.kind];
                continue;
            }
            const bool column = e.kind == kind::COLUMN;
            const char* nodeKind = column ? "ON_COLUMN" : e.kind == kind::GIRDER ? "ON_GIRDER" : "ON_BEAM";
            const bool flip = column && e.Z1 > e.Z2;
            const int a = nodes_.idOf(e.X1, e.Y1, e.Z1, nodeKind);
            const int b = nodes_.idOf(e.X2, e.Y2, e.Z2, nodeKind);
            members_.push_back({e.kind, 0, flip ? b : a, flip ? a : b, e.secID});
        }
        static const std::map<int, const char*> words = {{kind::COLUMN, "柱"}, {kind::GIRDER, "大梁"}, {kind::BEAM, "小梁"}};
        for (const auto& [k, n] : withoutSection)
            report_.push_back(std::string("断面のない") + words.at(k) + " " + std::to_string(n) + " は書きません");
    }

    void writeNodes()
    {
        if (nodes_.points().empty()) return;
        xml_.open("StbNodes");
        std::string text;
        int id = 0;
        for (const Point3& p : nodes_.points()) {
            ++id;
            text += "\n      <StbNode id=\"" + std::to_string(id) + "\" X=\"" + numberText(p.x) + "\" Y=\"" + numberText(p.y) +
                    "\" Z=\"" + numberText(p.z) + "\" kind=\"" + nodes_.kindOf(id) + "\"/>";
            flushBlock(text);
        }
        xml_.raw(text + "\n    ");
        xml_.close();
    }

    // Raw text handed on in blocks, so it is never the whole file.
    void flushBlock(std::string& text)
    {
        if (text.size() < (1u << 16)) return;
        xml_.raw(text);
        text.clear();
    }

    std::string lineName(int axis, int i) const
    {
        const std::string& n = s_.grid.name(axis, i);
        static const char* const letters[3] = {"X", "Y", "Z"};
        return n.empty() ? letters[axis] + std::to_string(i) : n;
    }

    void writeAxes()
    {
        const auto& g = s_.grid;
        if (!g.isUsed(model::AXIS_X, 0) && !g.isUsed(model::AXIS_Y, 0)) return;
        xml_.open("StbAxes");
        int id = 0;
        // X lines run along Y (90°), Y lines along X (0°); distances from the origin.
        for (int axis : {model::AXIS_X, model::AXIS_Y}) {
            if (g.spans(axis) < 0 || !g.isUsed(axis, 0)) continue;
            xml_.open("StbParallelAxes");
            xml_.attr("group_name", std::string(axis == model::AXIS_X ? "X" : "Y"));
            xml_.attr("X", 0);
            xml_.attr("Y", 0);
            xml_.attr("angle", axis == model::AXIS_X ? 90 : 0);
            for (int i = 0; i <= g.spans(axis); ++i) {
                if (!g.isUsed(axis, i)) continue;
                xml_.open("StbParallelAxis");
                xml_.attr("id", ++id);
                xml_.attr("name", lineName(axis, i));
                xml_.attr("distance", g.position(axis, i));
                xml_.close();
            }
            xml_.close();
        }
        xml_.close();
    }

    void writeStories()
    {
        const auto& g = s_.grid;
        std::vector<int> levels;
        for (int i = 0; i <= g.spans(model::AXIS_Z); ++i)
            if (g.isUsed(model::AXIS_Z, i)) levels.push_back(i);
        if (levels.empty()) return;
        // The nodes of each level, in one pass over the nodes.
        std::unordered_map<long long, std::vector<int>> byHeight;
        int id = 0;
        for (const Point3& p : nodes_.points()) {
            ++id;
            if (p.z == std::round(p.z)) byHeight[std::llround(p.z)].push_back(id);
        }
        xml_.open("StbStories");
        int storyId = 0;
        for (int i : levels) {
            xml_.open("StbStory");
            xml_.attr("id", ++storyId);
            xml_.attr("name", lineName(model::AXIS_Z, i));
            xml_.attr("height", g.position(model::AXIS_Z, i));
            xml_.attr("kind", std::string("GENERAL"));
            const auto at = byHeight.find(g.position(model::AXIS_Z, i));
            if (at != byHeight.end()) {
                xml_.open("StbNodeIdList");
                std::string text;
                for (int node : at->second) {
                    text += "\n          <StbNodeId id=\"" + std::to_string(node) + "\"/>";
                    flushBlock(text);
                }
                xml_.raw(text + "\n        ");
                xml_.close();
            }
            xml_.close();
        }
        xml_.close();
    }

    void writeMembers()
    {
        if (members_.empty()) return;
        xml_.open("StbMembers");
        writeMemberGroup(kind::COLUMN, "StbColumns", "StbColumn");
        writeMemberGroup(kind::GIRDER, "StbGirders", "StbGirder");
        writeMemberGroup(kind::BEAM, "StbBeams", "StbBeam");
        xml_.close();
    }

    void writeMemberGroup(int kindCode, const char* group, const char* element)
    {
        const bool column = kindCode == kind::COLUMN;
        const std::string head = std::string("\n        <") + element + " id=\"";
        const std::string nodes = column ? "\" id_node_bottom=\"" : "\" id_node_start=\"";
        const std::string nodes2 = column ? "\" id_node_top=\"" : "\" id_node_end=\"";
        const std::string tail = column ? "\" kind_structure=\"RC\"/>" : "\" kind_structure=\"RC\" isFoundation=\"false\"/>";
        std::string text;
        int id = 0;
        for (const MemberOut& m : members_) {
            if (m.kindCode != kindCode) continue;
            if (id == 0) xml_.open(group);
            text += head + std::to_string(++id) + "\" name=\"" + escapedMark(m.secID) + nodes + std::to_string(m.node1) + nodes2 +
                    std::to_string(m.node2) + "\" id_section=\"" + std::to_string(m.secID) + tail;
            flushBlock(text);
        }
        if (id == 0) return;
        xml_.raw(text + "\n      ");
        xml_.close();
    }

    // The mark of a section as an attribute value, escaped by libxml2 once per section.
    const std::string& escapedMark(int secID)
    {
        auto [it, fresh] = escaped_.emplace(secID, std::string());
        if (fresh) {
            xmlChar* e = xmlEncodeSpecialChars(nullptr, x(markOf(*entryOf(sections_, secID)).c_str()));
            if (e) it->second = reinterpret_cast<const char*>(e);
            xmlFree(e);
        }
        return it->second;
    }

    std::string floorOf(const model::SectionEntry& e) const
    {
        const int level = model::specInt(model::fieldAt(1, e.secKey, ':'));
        return level >= 1 ? lineName(model::AXIS_Z, level - 1) : std::string();
    }

    void writeSections()
    {
        bool opened = false;
        auto open = [&] {
            if (!opened) xml_.open("StbSections");
            opened = true;
        };
        // The schema wants every column section before the beam sections.
        for (const auto& [id, e] : sections_)
            if (letterOf(*e) == model::kColumnLetter) open(), columnSection(*e);
        for (const auto& [id, e] : sections_)
            if (letterOf(*e) == model::kGirderLetter || letterOf(*e) == model::kBeamLetter) open(), beamSection(*e);
        if (opened) xml_.close();
    }

    void sectionHead(const char* element, const model::SectionEntry& e, const char* kindKey, const char* kindValue)
    {
        xml_.open(element);
        xml_.attr("id", e.secID);
        xml_.attr("name", markOf(e));
        const std::string floor = floorOf(e);
        if (!floor.empty()) xml_.attr("floor", floor);
        xml_.attr(kindKey, std::string(kindValue));
    }

    static bool positive(const std::string& v) { return model::strToFloatOr0(v) > 0; }

    void columnSection(const model::SectionEntry& e)
    {
        sectionHead("StbSecColumn_RC", e, "kind_column", "COLUMN");
        const model::SectionSize size = model::sectionSizeOfSpec(e.secSpec, 0);
        if (positive(size.width) && positive(size.depth)) {
            xml_.open("StbSecFigureColumn_RC");
            xml_.open("StbSecColumn_RC_Rect");
            xml_.attr("width_X", size.width);
            xml_.attr("width_Y", size.depth);
            xml_.close();
            xml_.close();
        } else {
            report_.push_back("断面 " + e.secName + " は柱の大きさがないため形状を書きません");
        }
        const model::ColumnItem main = model::columnItem(e.secSpec, 1);
        const model::ColumnItem hoop = model::columnItem(e.secSpec, 2);
        if (main.nx > 0 && main.ny > 0 && !main.size.empty() && hoop.nx > 0 && hoop.ny > 0 && !hoop.size.empty() &&
            hoop.pitch > 0) {
            xml_.open("StbSecBarArrangementColumn_RC");
            xml_.open("StbSecBarColumn_RC_RectSame");
            xml_.attr("D_main", main.size);
            xml_.attr("D_band", hoop.size);
            xml_.attr("N_main_X_1st", main.nx);
            xml_.attr("N_main_Y_1st", main.ny);
            xml_.attr("N_main_total", std::max(2 * main.nx + 2 * main.ny - 4, 1));
            xml_.attr("pitch_band", hoop.pitch);
            xml_.attr("N_band_direction_X", hoop.nx);
            xml_.attr("N_band_direction_Y", hoop.ny);
            xml_.close();
            xml_.close();
        } else if (!model::specItem(e.secSpec, 1).empty() || !model::specItem(e.secSpec, 2).empty()) {
            report_.push_back("断面 " + e.secName + " は主筋かフープが欠けているため配筋を書きません");
        }
        xml_.close();
    }

    void beamSection(const model::SectionEntry& e)
    {
        sectionHead("StbSecBeam_RC", e, "kind_beam", letterOf(e) == model::kBeamLetter ? "BEAM" : "GIRDER");
        std::array<model::SectionSize, 3> size;
        for (int p = 0; p < 3; ++p) size[static_cast<size_t>(p)] = model::sectionSizeOfSpec(e.secSpec, p);
        const bool sized = std::all_of(size.begin(), size.end(), [](const model::SectionSize& z) {
            return positive(z.width) && positive(z.depth);
        });
        if (sized) {
            xml_.open("StbSecFigureBeam_RC");
            const bool straight = std::all_of(size.begin(), size.end(), [&](const model::SectionSize& z) {
                return z.width == size[0].width && z.depth == size[0].depth;
            });
            static const char* const pos[3] = {"START", "CENTER", "END"};
            for (int p = 0; p < (straight ? 1 : 3); ++p) {
                xml_.open(straight ? "StbSecBeam_RC_Straight" : "StbSecBeam_RC_Haunch");
                if (!straight) xml_.attr("pos", std::string(pos[p]));
                xml_.attr("width", size[static_cast<size_t>(p)].width);
                xml_.attr("depth", size[static_cast<size_t>(p)].depth);
                xml_.close();
            }
            xml_.close();
        } else {
            report_.push_back("断面 " + e.secName + " は梁の大きさがないため形状を書きません");
        }
        beamBars(e);
        xml_.close();
    }

    void beamBars(const model::SectionEntry& e)
    {
        const model::GirderItem stirrup = model::girderItem(e.secSpec, 7);
        const model::GirderItem web = model::girderItem(e.secSpec, 8);
        std::array<std::string, 3> items;
        bool complete = stirrup.n > 0 && !stirrup.size.empty() && stirrup.pitch > 0;
        for (int p = 0; p < 3; ++p) {
            const model::GirderItem top = model::girderItem(e.secSpec, 1 + 2 * p);
            const model::GirderItem bottom = model::girderItem(e.secSpec, 2 + 2 * p);
            complete = complete && top.n > 0 && bottom.n > 0 && !top.size.empty();
            items[static_cast<size_t>(p)] = model::specItem(e.secSpec, 1 + 2 * p) + ";" + model::specItem(e.secSpec, 2 + 2 * p);
        }
        if (!complete) {
            if (model::normaliseSpec(e.secSpec.substr(std::min(e.secSpec.find(';'), e.secSpec.size()))).empty()) return;
            report_.push_back("断面 " + e.secName + " は上端筋・下端筋かあばら筋が欠けているため配筋を書きません");
            return;
        }
        const bool same = items[0] == items[1] && items[1] == items[2];
        static const char* const pos[3] = {"START", "CENTER", "END"};
        xml_.open("StbSecBarArrangementBeam_RC");
        for (int p = 0; p < (same ? 1 : 3); ++p) {
            const model::GirderItem top = model::girderItem(e.secSpec, 1 + 2 * p);
            const model::GirderItem bottom = model::girderItem(e.secSpec, 2 + 2 * p);
            xml_.open(same ? "StbSecBarBeam_RC_Same" : "StbSecBarBeam_RC_ThreeTypes");
            if (!same) xml_.attr("pos", std::string(pos[p]));
            xml_.attr("D_main", top.size);
            xml_.attr("D_stirrup", stirrup.size);
            if (web.n > 0 && !web.size.empty()) xml_.attr("D_web", web.size);
            xml_.attr("N_main_top_1st", top.n);
            if (top.n2 > 0) xml_.attr("N_main_top_2nd", top.n2);
            xml_.attr("N_main_bottom_1st", bottom.n);
            if (bottom.n2 > 0) xml_.attr("N_main_bottom_2nd", bottom.n2);
            xml_.attr("N_stirrup", stirrup.n);
            xml_.attr("pitch_stirrup", stirrup.pitch);
            if (web.n > 0 && !web.size.empty()) xml_.attr("N_web", web.n);
            xml_.close();
            if (!bottom.size.empty() && bottom.size != top.size)
                report_.push_back("断面 " + e.secName + " の下端筋 " + bottom.size + " は ST-Bridge では上端筋と同じ " + top.size +
                                  " になります (一つの位置に主筋の径は一つ)");
        }
        xml_.close();
    }

    const model::Session& s_;
    Xml& xml_;
    std::vector<std::string>& report_;
    std::map<int, const model::SectionEntry*> sections_;  // by identifier
    std::unordered_map<int, std::string> escaped_;
    Nodes nodes_;
    std::vector<MemberOut> members_;
};

}  // namespace

std::string projectNameOf(const std::string& projectPath)
{
    const auto u8 = std::filesystem::u8path(projectPath).stem().u8string();
    const std::string stem(u8.begin(), u8.end());
    return stem.empty() ? std::string("untitled") : stem;
}

std::string withStbExtension(const std::string& name)
{
    std::string tail = name.size() >= 4 ? name.substr(name.size() - 4) : std::string();
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == ".stb" ? name : name + ".stb";
}

ExportResult exportStb(const model::Session& session, const std::string& path, const std::string& projectName,
                       const std::string& appVersion)
{
    ExportResult out;
    model::SafeFileWriter file;
    out.status = file.open(path);
    if (!out.status.ok) return out;
    {
        Blocks blocks(file);
        Xml xml(blocks);
        if (xml.ok()) Exporter(session, xml, out.report).run(projectName, appVersion);
        if (!xml.finish() || !blocks.flush()) {
            // A failed write has its own reason; the target stays as it was either way.
            const model::FileResult failed = file.write("");
            out.status = failed.ok ? model::FileResult{false, path + ": 書き込めません"} : failed;
            file.discard();
            return out;
        }
    }
    out.status = file.commit();
    return out;
}

}  // namespace exchange::stb
