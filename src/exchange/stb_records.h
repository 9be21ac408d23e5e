// SPDX-License-Identifier: GPL-3.0-or-later
// An ST-Bridge file as plain records: what the import needs and nothing of XML. Every record
// keeps the line of its element so the report and the refusals can name it.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace exchange::stb {

// Attributes of one element in file order (local names, UTF-8 values).
struct Attributes {
    std::vector<std::pair<std::string, std::string>> list;
    // The value, or nullptr when the element has no such attribute.
    const std::string* find(std::string_view name) const;
    std::string text(std::string_view name) const;
};

struct Story {
    std::string name;
    double height = 0;
    int line = 0;
};

struct AxisLine {
    std::string name;
    double distance = 0;
    int line = 0;
};

// StbParallelAxes, or another kind of axis group (StbArcAxes, StbRadialAxes) the import refuses.
struct AxisGroup {
    std::string element;
    std::string name;
    double x = 0, y = 0, angle = 0;
    int line = 0;
    std::vector<AxisLine> axes;
};

struct Node {
    double x = 0, y = 0, z = 0;
};

enum class MemberKind { Column, Girder, Beam };

// StbColumn (first node the foot, second the head), StbGirder and StbBeam (start, end).
struct Member {
    MemberKind kind = MemberKind::Girder;
    std::string id;
    std::string name;
    int64_t node1 = 0, node2 = 0;
    int64_t section = 0;
    std::string structure;  // kind_structure: RC, S, SRC, CFT, UNDEFINED
    int line = 0;
};

// An element inside a section definition, with its attributes.
struct SectionPart {
    std::string element;
    Attributes attributes;
    int line = 0;
};

// StbSecColumn_RC or StbSecBeam_RC with every element inside it.
struct Section {
    std::string element;
    int64_t id = 0;
    std::string name;
    std::string floor;
    std::string kind;  // kind_column or kind_beam
    int line = 0;
    std::vector<SectionPart> parts;
};

struct File {
    std::string version;
    std::vector<Story> stories;
    std::vector<AxisGroup> axisGroups;
    std::unordered_map<int64_t, Node> nodes;
    std::deque<Member> members;  // many; never moved once read
    std::vector<Section> sections;
    // Elements the import leaves out, by element name: other members, non-RC sections.
    std::map<std::string, int> skipped;
};

}  // namespace exchange::stb
