#pragma once

// Reading the files a window test saved or ran, and comparing them line by line.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

inline std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<std::string> Lines(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The saved file holds the expected file's lines, no more and no fewer; the first difference
// is named by its line.
inline void ExpectSameLines(const std::filesystem::path& saved,
                            const std::filesystem::path& expectedFile)
{
    const std::vector<std::string> got = Lines(saved);
    const std::vector<std::string> expected = Lines(expectedFile);
    ASSERT_FALSE(expected.empty()) << expectedFile;
    for (std::size_t i = 0; i < std::max(got.size(), expected.size()); ++i) {
        ASSERT_LT(i, got.size()) << saved << " ends before line " << i + 1;
        ASSERT_LT(i, expected.size()) << saved << " goes on at line " << i + 1;
        ASSERT_EQ(got[i], expected[i]) << saved << ": first difference at line " << i + 1;
    }
}
