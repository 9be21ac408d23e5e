// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh folder for one test, removed with everything in it afterwards. Named after the
// process and the test, so test cases run in parallel never share one.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace testing_support {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

// The fixture of tests that read and write files.
class TempDirTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return temp_.file(name); }
    static std::string readBytes(const std::filesystem::path& file) { return testing_support::readBytes(file); }
    static void writeBytes(const std::filesystem::path& file, const std::string& bytes)
    {
        testing_support::writeBytes(file, bytes);
    }

private:
    TempDir temp_;

protected:
    const std::filesystem::path dir = temp_.path();
};

}  // namespace testing_support
