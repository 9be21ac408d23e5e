// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces of the rebar arrangement drawing: the girder and column details of one member
// of an elevation, and the bar shapes and labelled leaders they share.
#pragma once

#include <string>

#include "draft/draft.h"
#include "draft/rebar_layout.h"
#include "model/helpers.h"

namespace draft::rebar {

// Pens of the details (the outlines use the framing drawings' pens).
inline constexpr int kPenBarLabel = 6;
inline constexpr int kPenText = 7;
inline constexpr int kPenGirderBar = 9;
inline constexpr int kPenColumnBar = 10;
inline constexpr int kPenHoop = 11;
inline constexpr int kPenStirrup = 12;
inline constexpr int kPenWebBar = 13;

inline constexpr double kDotRadius = 12;
inline constexpr double kHookRadius = 25;
// Faces with more bars than this are labelled but not drawn bar by bar.
inline constexpr int kMaxDrawnFaceBars = 10;

// What every detail of one drawing run needs. The model store is current; the elements go
// into the drawing store in its bank.
struct DetailContext {
    Drafter& d;
    model::ElementStore& store;
    const SpecCache& specs;
    Axis axis;       // the elevation's horizontal axis
    double s;        // draftScale: s mm of the building are 1 mm of the sheet
    double th;       // text height
    double lift;     // DrawMojiUki x s
    int stirStart;   // TessmarStirStart
};

// A level girder of the elevation: bars per third, stirrups, web bars, labels.
void drawGirderDetail(DetailContext& c, int girder);
// A column of the elevation: main bars with hooks at the top, hoops, labels.
void drawColumnDetail(DetailContext& c, int column);

// The drawing's primitives in elevation coordinates (u along the axis, z up).
void line(DetailContext& c, double u1, double z1, double u2, double z2);
void dot(DetailContext& c, double u, double z);
// Texts of the drawing. Once the text buffer is full the rest are left out (the buffer says
// so once and counts them).
void text(DetailContext& c, int nBase, const std::string& s, double u, double z);
void textOnLine(DetailContext& c, const std::string& s, int nBase, int where, double u1, double z1, double u2,
                double z2);
// A bar running from `from` to a corner where it bends through 90 degrees (radius r) into
// a straight tail of length `tail` in the direction (tu, tz) (one of them 0, the other +-1).
void bentBar(DetailContext& c, model::Point from, model::Point corner, int tu, int tz, double r, double tail);

}  // namespace draft::rebar
