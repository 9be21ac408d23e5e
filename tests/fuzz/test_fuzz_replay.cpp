// SPDX-License-Identifier: GPL-3.0-or-later
// Every corpus file and every crash input of the fuzz targets, run through the same entry
// points, so a fault the fuzzer once found stays fixed in the normal test build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "fuzz_support.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> inputsOf(const std::string& target)
{
    std::vector<fs::path> files;
    for (const char* kind : {"corpus", "crashes"}) {
        const fs::path folder = fs::path(TESSMAR_SOURCE_DIR) / "tests" / "fuzz" / kind / target;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec))
            if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class FuzzReplay : public ::testing::TestWithParam<fuzz::Target> {};

}  // namespace

TEST_P(FuzzReplay, EveryCorpusAndCrashInputRunsClean)
{
    const fuzz::Target& target = GetParam();
    const std::vector<fs::path> files = inputsOf(target.name);
    ASSERT_FALSE(files.empty()) << "no corpus for " << target.name;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        const std::string bytes = testing_support::readBytes(file);
        // A broken rule aborts with the rule on stderr; the trace names the input.
        std::fprintf(stderr, "%s\n", file.filename().c_str());
        target.run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(fuzz::kTargets),
                         [](const auto& info) { return std::string(info.param.name); });
