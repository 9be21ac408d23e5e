// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/temp_dir.h"

#include <fstream>
#include <iterator>
#include <unistd.h>

namespace testing_support {

TempDir::TempDir()
{
    static int counter = 0;
    std::string name = "tessmar-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
        name += std::string("-") + test->name();
    // A parameterised test's name holds a "/": it must not become a folder of its own that
    // removing the temporary folder leaves behind.
    for (char& c : name)
        if (c == '/') c = '_';
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Tests make files read-only or swap them for links; removal must still succeed.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace testing_support
