#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

void check(bool holds, const char* rule) { check(holds, rule, {}); }

void check(bool holds, const char* rule, std::string_view detail)
{
    if (holds) return;
    std::fprintf(stderr, "fuzz rule broken: %s\n%.*s\n", rule, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

}  // namespace fuzz
