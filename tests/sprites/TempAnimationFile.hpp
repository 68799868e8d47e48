#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

// An animation file holding the given text, removed again when the test is over.
class TempAnimationFile
{
public:
    explicit TempAnimationFile(const std::string& text)
        : path(std::filesystem::temp_directory_path() /
               ("brindlewick-animations-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt"))
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    ~TempAnimationFile() { std::filesystem::remove(path); }

    TempAnimationFile(const TempAnimationFile&) = delete;
    TempAnimationFile& operator=(const TempAnimationFile&) = delete;

    std::string name() const { return path.string(); }

private:
    std::filesystem::path path;
};
