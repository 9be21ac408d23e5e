// SPDX-License-Identifier: GPL-3.0-or-later
// TrueType fonts cut down to the glyphs a PDF page uses, so that a Japanese font of several
// megabytes can be embedded as a CIDFontType2 (CIDToGIDMap /Identity) of a few kilobytes.
// Everything read from the font is bounds-checked: a damaged file gives an error string.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace pdf {

// A TrueType font's tables by their four-letter tag ("glyf", "loca", "cvt ", ...).
using FontTables = std::map<std::string, std::string>;

// Splits a TrueType font file (sfnt version 0x00010000 or 'true'; a TrueType collection is
// refused) into its tables. Empty error on success.
std::string readFontTables(const std::string& fileBytes, FontTables& out);

// The glyph of a Unicode code point through the font's cmap (format 4 and 12 subtables of
// platform 3 / encoding 1 or 10, and platform 0); 0 when the font has none.
uint16_t glyphForCodePoint(const FontTables& tables, char32_t codePoint);

// The font's PostScript name (name table, name 6), in the characters a PDF name may hold;
// empty when the font has none.
std::string postScriptName(const FontTables& tables);

struct FontSubset {
    std::string ttf;               // a TrueType file with only the glyphs asked for (and the
                                   // components of composite glyphs); glyph 0 (.notdef) first
    std::vector<uint16_t> newId;   // newId[i]: the subset's glyph id of the i-th glyph asked for
    std::vector<uint16_t> advance; // advance width of each subset glyph (by subset id), font units
    int unitsPerEm = 1000;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0; // head's bounding box, font units
    int ascent = 0, descent = 0;                // hhea (descent negative as in the font)
};

// The subset of `tables` holding `glyphs` (original ids, any order, repeats allowed).
// Glyph ids are renumbered densely: 0 stays .notdef, then the asked glyphs in order of first
// appearance, then the components of composite glyphs (whose records are rewritten to the new
// ids). The file holds head, hhea, maxp, hmtx, loca, glyf and, when present, cvt / fpgm / prep,
// which hinted glyphs need. Empty error on success; on failure `out` is left untouched.
std::string subsetTrueType(const FontTables& tables, const std::vector<uint16_t>& glyphs,
                           FontSubset& out);

} // namespace pdf
