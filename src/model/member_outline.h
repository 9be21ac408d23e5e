// SPDX-License-Identifier: GPL-3.0-or-later
// The outline of a girder, small beam or column in a view, as world geometry of the slice:
// what the plan shows and what the framing drawings draw. It depends only on the element,
// the sections, the connection table and the view.
#pragma once

#include <array>
#include <string>
#include <unordered_map>

#include "model/element.h"
#include "model/sections.h"
#include "model/view_slice.h"

namespace model {

class ElementStore;

// The sizes of a section at its left end and its mark name.
struct MemberSection {
    double width = 0;  // b of a girder, Dx of a column
    double depth = 0;  // D of a girder, Dy of a column
    std::string markName;
};

// Sections looked up once per identifier; clear it when the section table changes.
class SectionSizes {
public:
    const MemberSection& of(const SectionTable& table, int secID);
    void clear() { cache_.clear(); }

private:
    std::unordered_map<int, MemberSection> cache_;
};

struct MemberOutline {
    enum class Shape {
        None,        // not a member, or nothing to outline
        CentreLine,  // a girder along neither axis in plan: sides[0] is its centre line
        Sides,       // a girder's two side lines, or a column's two sides in a frame
        Rectangle,   // a column in plan: sides are its bottom and top, ends its right and left
    };
    Shape shape = Shape::None;
    std::array<Segment, 2> sides{};
    // Lines that close a girder's outline where nothing else does: at an end no column meets,
    // and where a column is narrower than the girder framing into it. Neighbouring members may
    // share them. A column has none in a frame; in plan they are its right and left edges.
    std::array<Segment, 4> ends{};
    int endCount = 0;
    // The segment the member's name is written along (its first side line).
    bool labelled = false;
    Segment label{};
    std::string markName;  // of the member's section; empty without one

    int sideCount() const { return shape == Shape::None ? 0 : shape == Shape::CentreLine ? 1 : 2; }
};

class MemberGeometry {
public:
    // Connections are read from the store as outlines need them (computed there on demand).
    MemberGeometry(ElementStore& store, const SectionTable& sections, ViewMode mode, SectionSizes& sizes);

    // The outline of the element at index in the view: GIRDER and BEAM as girders, COLUMN as a
    // column; Shape::None for every other kind.
    MemberOutline outline(int index);
    const MemberSection& section(int secID) { return sizes_.of(sections_, secID); }
    // A connection entry pointed outside the store; the outline went on as if no member met.
    bool sawBadConnection() const { return badConnection_; }

private:
    MemberOutline girder(int index);
    MemberOutline column(int index);
    int checkedEntry(int entry);

    ElementStore& store_;
    const SectionTable& sections_;
    ViewMode mode_;
    SectionSizes& sizes_;
    bool badConnection_ = false;
};

// One outline with a section cache of its own.
MemberOutline memberOutline(ElementStore& store, const SectionTable& sections, ViewMode mode, int index);

}  // namespace model
