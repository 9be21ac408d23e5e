// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/stb_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <deque>
#include <memory>
#include <stdexcept>
#include <string_view>

#include <libxml/xmlreader.h>

namespace exchange::stb {

const std::string* Attributes::find(std::string_view name) const
{
    for (const auto& [key, value] : list)
        if (key == name) return &value;
    return nullptr;
}

std::string Attributes::text(std::string_view name) const
{
    const std::string* v = find(name);
    return v ? *v : std::string();
}

namespace {

// A refusal raised while reading: the line and what was wrong there.
struct Refusal {
    int line;
    std::string what;
};

std::string_view view(const xmlChar* s) { return s ? std::string_view(reinterpret_cast<const char*>(s)) : std::string_view(); }

// The element and attribute names the reader looks for, interned in the reader's dictionary:
// every name it reports comes from there, so a name is recognised by its address instead of by
// comparing text (most of a large file is a few hundred thousand nodes and members).
struct Names {
    explicit Names(xmlTextReaderPtr r)
    {
        const auto in = [r](const char* text) { return xmlTextReaderConstString(r, reinterpret_cast<const xmlChar*>(text)); };
        root = in("ST_BRIDGE");
        nodes = in("StbNodes"), node = in("StbNode"), nodeIdList = in("StbNodeIdList");
        stories = in("StbStories"), story = in("StbStory");
        axes = in("StbAxes"), parallelAxes = in("StbParallelAxes"), arcAxes = in("StbArcAxes");
        radialAxes = in("StbRadialAxes"), parallelAxis = in("StbParallelAxis");
        columns = in("StbColumns"), column = in("StbColumn"), girders = in("StbGirders"), girder = in("StbGirder");
        beams = in("StbBeams"), beam = in("StbBeam"), members = in("StbMembers"), sections = in("StbSections");
        sectionColumn = in("StbSecColumn_RC"), sectionBeam = in("StbSecBeam_RC");
        for (size_t i = 0; i < otherMembers.size(); ++i) otherMembers[i] = in(kOtherMembers[i]);
        id = in("id"), x = in("X"), y = in("Y"), z = in("Z"), name = in("name"), structure = in("kind_structure");
        nodeBottom = in("id_node_bottom"), nodeTop = in("id_node_top"), nodeStart = in("id_node_start");
        nodeEnd = in("id_node_end"), section = in("id_section");
    }

    // Elements that belong to the members the import leaves out, counted by name.
    static constexpr std::array<const char*, 10> kOtherMembers{
        "StbPost", "StbBrace", "StbSlab", "StbWall", "StbFooting", "StbStripFooting",
        "StbPile", "StbFoundationColumn", "StbParapet", "StbOpen"};
    bool isOtherMember(const xmlChar* n) const { return std::find(otherMembers.begin(), otherMembers.end(), n) != otherMembers.end(); }
    bool isKeptSection(const xmlChar* n) const { return n == sectionColumn || n == sectionBeam; }

    const xmlChar *root, *nodes, *node, *nodeIdList, *stories, *story, *axes, *parallelAxes, *arcAxes, *radialAxes,
        *parallelAxis, *columns, *column, *girders, *girder, *beams, *beam, *members, *sections, *sectionColumn,
        *sectionBeam;
    std::array<const xmlChar*, kOtherMembers.size()> otherMembers{};
    const xmlChar *id, *x, *y, *z, *name, *structure, *nodeBottom, *nodeTop, *nodeStart, *nodeEnd, *section;
};

// Section definitions of other materials: StbSecColumn_S, StbSecBeam_SRC, StbSecSlab_RC, ...
bool isOtherSectionName(std::string_view name) { return name.substr(0, 6) == "StbSec"; }

// Whole numbers are read as integers: most numbers of a file are, and the integer parse is
// several times faster. Anything else, or a magnitude a double does not hold exactly, takes
// the general path.
bool wholeNumber(const char* first, const char* last, double& out)
{
    int64_t n = 0;
    const auto [end, ec] = std::from_chars(first, last, n);
    constexpr int64_t kExact = int64_t{1} << 53;
    if (ec != std::errc() || end != last || n >= kExact || n <= -kExact) return false;
    out = static_cast<double>(n);
    return true;
}

class Reader {
public:
    Reader(xmlTextReaderPtr reader, std::string name) : r_(reader), names_(reader), name_(std::move(name))
    {
        xmlTextReaderSetStructuredErrorHandler(r_, &Reader::onError, this);
    }

    ReadResult run()
    {
        ReadResult out;
        try {
            int status = xmlTextReaderRead(r_);
            while (status == 1) {
                const bool skip = xmlTextReaderNodeType(r_) == XML_READER_TYPE_ELEMENT && element(out.file);
                // A skipped subtree is still parsed, and refused when broken; its nodes are only
                // not handed to the import one by one.
                status = skip ? xmlTextReaderNext(r_) : xmlTextReaderRead(r_);
            }
            if (status < 0 || !xmlError_.empty())
                throw Refusal{xmlLine_ > 0 ? xmlLine_ : line(), "XMLとして読めません (" + xmlError_ + ")"};
            if (!sawRoot_) throw Refusal{1, "ST_BRIDGE 要素がありません"};
        } catch (const Refusal& refusal) {
            out.ok = false;
            out.message = name_ + " " + std::to_string(refusal.line) + "行目: " + refusal.what;
            out.file = File{};
            return out;
        }
        out.ok = true;
        return out;
    }

private:
    static void onError(void* self, xmlErrorPtr error)
    {
        auto* me = static_cast<Reader*>(self);
        if (!error || error->level < XML_ERR_ERROR || !me->xmlError_.empty()) return;
        std::string text = error->message ? error->message : "unknown error";
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
        me->xmlError_ = text;
        me->xmlLine_ = error->line;
    }

    // The line the current element starts on (the parser itself may have read further).
    int line() const
    {
        xmlNodePtr node = xmlTextReaderCurrentNode(r_);
        const long at = node ? xmlGetLineNo(node) : -1;
        return at > 0 ? static_cast<int>(at) : xmlTextReaderGetParserLineNumber(r_);
    }

    Attributes attributes()
    {
        Attributes a;
        if (xmlTextReaderMoveToFirstAttribute(r_) == 1) {
            do {
                a.list.emplace_back(std::string(view(xmlTextReaderConstLocalName(r_))),
                                    std::string(view(xmlTextReaderConstValue(r_))));
            } while (xmlTextReaderMoveToNextAttribute(r_) == 1);
            xmlTextReaderMoveToElement(r_);
        }
        return a;
    }

    // A number attribute the import cannot do without.
    double number(const Attributes& a, std::string_view element, const char* key)
    {
        const std::string* v = a.find(key);
        if (!v) throw Refusal{line(), std::string(element) + " に " + key + " がありません"};
        return number(std::string_view(*v), element, key);
    }

    int64_t identifier(const Attributes& a, std::string_view element, const char* key)
    {
        const std::string* v = a.find(key);
        if (!v) throw Refusal{line(), std::string(element) + " に " + key + " がありません"};
        return identifier(std::string_view(*v), element, key);
    }

    // True when the element's subtree holds nothing the import uses.
    bool element(File& file)
    {
        const Names& n = names_;
        const int depth = xmlTextReaderDepth(r_);
        const xmlChar* name = xmlTextReaderConstLocalName(r_);
        path_.resize(static_cast<size_t>(depth));
        const xmlChar* parent = depth > 0 ? path_.back() : nullptr;
        path_.push_back(name);
        if (depth == 0) {
            if (name != n.root) throw Refusal{line(), "ST-Bridge のファイルではありません (最上位が " + std::string(view(name)) + ")"};
            sawRoot_ = true;
            file.version = attributes().text("version");
            return false;
        }
        // Inside a kept section every element is part of it.
        if (sectionDepth_ >= 0 && depth > sectionDepth_) {
            file.sections.back().parts.push_back({std::string(view(name)), attributes(), line()});
            return false;
        }
        sectionDepth_ = -1;
        if (name == n.node && parent == n.nodes) return node(file), false;
        // The nodes of each story: a fifth of a large file, and nothing the import needs.
        if (name == n.nodeIdList) return true;
        if (name == n.story && parent == n.stories) return story(file), false;
        if (parent == n.axes && (name == n.parallelAxes || name == n.arcAxes || name == n.radialAxes))
            return axisGroup(file, view(name)), false;
        if (name == n.parallelAxis && parent == n.parallelAxes && !file.axisGroups.empty()) return axis(file), false;
        if ((name == n.column && parent == n.columns) || (name == n.girder && parent == n.girders) ||
            (name == n.beam && parent == n.beams))
            return member(file, name), false;
        if (depth >= 2 && path_[static_cast<size_t>(depth) - 2] == n.members && n.isOtherMember(name)) {
            ++file.skipped[std::string(view(name))];
            return false;
        }
        if (parent != n.sections) return false;
        if (n.isKeptSection(name)) return section(file, view(name), depth), false;
        if (isOtherSectionName(view(name))) ++file.skipped[std::string(view(name))];
        return false;
    }

    // Nodes and members are most of a file: their attributes are walked on the element itself
    // rather than through the reader's cursor (four calls an attribute), and taken as they are.
    template <typename Take>
    void eachAttribute(Take take)
    {
        const xmlNode* node = xmlTextReaderCurrentNode(r_);
        if (!node || node->type != XML_ELEMENT_NODE) return;
        spare_.clear();
        for (const xmlAttr* a = node->properties; a; a = a->next) {
            const xmlNode* text = a->children;
            // A value of one text node is the text as written; any other (an entity reference
            // in it, or nothing) is put together as the reader's own value would be.
            if (text && text->type == XML_TEXT_NODE && !text->next && text->content) {
                take(a->name, text->content);
                continue;
            }
            xmlChar* joined = xmlNodeListGetString(node->doc, a->children, 1);
            spare_.emplace_back(joined ? reinterpret_cast<const char*>(joined) : "");
            xmlFree(joined);
            take(a->name, reinterpret_cast<const xmlChar*>(spare_.back().c_str()));
        }
    }

    double number(std::string_view value, std::string_view element, const char* key)
    {
        double d = 0;
        const char* first = value.data();
        const char* last = first + value.size();
        while (first < last && *first == ' ') ++first;
        if (first < last && *first == '+') ++first;
        if (wholeNumber(first, last, d)) return d;
        const auto [end, ec] = std::from_chars(first, last, d);
        // Infinities and NaN are no lengths: they would break every comparison after them.
        if (ec != std::errc() || end == first || !std::isfinite(d))
            throw Refusal{line(), std::string(element) + " の " + key + " '" + std::string(value) + "' が数値ではありません"};
        return d;
    }

    int64_t identifier(std::string_view value, std::string_view element, const char* key)
    {
        const double d = number(value, element, key);
        // Outside ±2^53 a double is no exact identifier, and beyond int64 the cast is undefined.
        if (!(std::fabs(d) <= 9007199254740992.0) || d != std::trunc(d))
            throw Refusal{line(), std::string(element) + " の " + key + " '" + std::string(value) + "' が整数ではありません"};
        return static_cast<int64_t>(d);
    }

    // The attributes of `keys` in that order; missing ones refused.
    template <size_t N>
    std::array<std::string_view, N> required(std::string_view element, const std::array<const char*, N>& keys,
                                             std::array<std::string_view, N> found)
    {
        for (size_t i = 0; i < N; ++i)
            if (found[i].data() == nullptr) throw Refusal{line(), std::string(element) + " に " + keys[i] + " がありません"};
        return found;
    }

    void node(File& file)
    {
        static constexpr std::array<const char*, 4> keys{"id", "X", "Y", "Z"};
        const std::array<const xmlChar*, 4> wanted{names_.id, names_.x, names_.y, names_.z};
        std::array<std::string_view, 4> v{};
        eachAttribute([&](const xmlChar* k, const xmlChar* value) {
            for (size_t i = 0; i < wanted.size(); ++i)
                if (k == wanted[i]) v[i] = view(value);
        });
        required("StbNode", keys, v);
        file.nodes[identifier(v[0], "StbNode", "id")] =
            Node{number(v[1], "StbNode", "X"), number(v[2], "StbNode", "Y"), number(v[3], "StbNode", "Z")};
    }

    void story(File& file)
    {
        const Attributes a = attributes();
        file.stories.push_back({a.text("name"), number(a, "StbStory", "height"), line()});
    }

    void axisGroup(File& file, std::string_view element)
    {
        const Attributes a = attributes();
        AxisGroup g;
        g.element = element;
        g.name = a.text("group_name");
        g.line = line();
        if (element == "StbParallelAxes") {
            g.x = number(a, element, "X");
            g.y = number(a, element, "Y");
            g.angle = number(a, element, "angle");
        }
        file.axisGroups.push_back(std::move(g));
    }

    void axis(File& file)
    {
        const Attributes a = attributes();
        file.axisGroups.back().axes.push_back({a.text("name"), number(a, "StbParallelAxis", "distance"), line()});
    }

    void member(File& file, const xmlChar* elementName)
    {
        const Names& n = names_;
        const std::string_view element = view(elementName);
        const bool column = elementName == n.column;
        const std::array<const char*, 3> keys{column ? "id_node_bottom" : "id_node_start",
                                              column ? "id_node_top" : "id_node_end", "id_section"};
        const std::array<const xmlChar*, 3> wanted{column ? n.nodeBottom : n.nodeStart, column ? n.nodeTop : n.nodeEnd,
                                                   n.section};
        std::array<std::string_view, 3> v{};
        Member& m = file.members.emplace_back();
        m.kind = column ? MemberKind::Column : elementName == n.girder ? MemberKind::Girder : MemberKind::Beam;
        eachAttribute([&](const xmlChar* k, const xmlChar* value) {
            if (k == n.id) m.id = view(value);
            else if (k == n.name) m.name = view(value);
            else if (k == n.structure) m.structure = view(value);
            for (size_t i = 0; i < wanted.size(); ++i)
                if (k == wanted[i]) v[i] = view(value);
        });
        required(element, keys, v);
        m.node1 = identifier(v[0], element, keys[0]);
        m.node2 = identifier(v[1], element, keys[1]);
        m.section = identifier(v[2], element, keys[2]);
        m.line = line();
    }

    void section(File& file, std::string_view element, int depth)
    {
        const Attributes a = attributes();
        Section s;
        s.element = element;
        s.id = identifier(a, element, "id");
        s.name = a.text("name");
        s.floor = a.text("floor");
        s.kind = a.text(element == "StbSecColumn_RC" ? "kind_column" : "kind_beam");
        s.line = line();
        file.sections.push_back(std::move(s));
        sectionDepth_ = xmlTextReaderIsEmptyElement(r_) ? -1 : depth;
    }

    xmlTextReaderPtr r_;
    const Names names_;
    std::string name_;
    // Names of the open elements; the reader's dictionary keeps them for its whole life.
    std::vector<const xmlChar*> path_;
    std::deque<std::string> spare_;  // values eachAttribute had to put together, for one element
    int sectionDepth_ = -1;
    bool sawRoot_ = false;
    std::string xmlError_;
    int xmlLine_ = 0;
};

struct ReaderFree {
    void operator()(xmlTextReaderPtr r) const { xmlFreeTextReader(r); }
};

// No network, no external entities: a file is read as it stands. libxml2's limits stay on (no
// XML_PARSE_HUGE): they refuse entities that blow a small file up to gigabytes.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_BIG_LINES | XML_PARSE_NOBLANKS | XML_PARSE_COMPACT;

ReadResult run(xmlTextReaderPtr raw, const std::string& name)
{
    if (!raw) {
        ReadResult out;
        out.message = name + ": 開けません";
        return out;
    }
    std::unique_ptr<xmlTextReader, ReaderFree> reader(raw);
    return Reader(reader.get(), name).run();
}

}  // namespace

ReadResult readStbFile(const std::string& path)
{
    return run(xmlReaderForFile(path.c_str(), nullptr, kParseOptions), path);
}

ReadResult readStbBytes(const std::string& bytes, const std::string& name)
{
    return run(xmlReaderForMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr, kParseOptions), name);
}

}  // namespace exchange::stb
