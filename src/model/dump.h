// SPDX-License-Identifier: GPL-3.0-or-later
// Plain-text listings of the model for inspection: the model dump and the undo listing.
#pragma once

#include <string>
#include <vector>

namespace model {

class Model;

std::vector<std::string> modelDump(const Model& session);
std::vector<std::string> undoListing(const Model& session);

// Number formats of the listings.
std::string int3(long long value);
std::string real8(double value);
std::string colourText(int colour);  // "RR:GG:BB" in upper-case hexadecimal

}  // namespace model
