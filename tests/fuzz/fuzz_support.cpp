// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "dxf/dxf_writer.h"
#include "session/session.h"
#include "support/dxf_groups.h"

namespace fuzz {

void check(bool holds, const char* rule) { check(holds, rule, {}); }

void check(bool holds, const char* rule, std::string_view detail)
{
    if (holds) return;
    std::fprintf(stderr, "fuzz rule broken: %s\n%.*s\n", rule, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

void checkDrawingDxf(model::Session& session, const char* what)
{
    dxf::DxfExtents extents;
    const std::string file = dxf::dxfBytes(session.store, session.texts, dxf::textOptions(session.settings), extents);
    std::vector<testing_support::DxfGroup> groups;
    std::string why;
    check(testing_support::parseDxfGroups(file, groups, &why), "the DXF of a drawing is well formed", std::string(what) + ": " + why);
    check(!groups.empty() && groups.back().value == "EOF", "the DXF of a drawing ends with EOF", what);
}

}  // namespace fuzz
