#pragma once

// A folder of one test's own under the temporary folder. ctest runs every test as its own
// process, many at once, so a fixed name there is shared by whichever tests run together; the
// folder is made with mkdtemp from the running test's name, so no two tests (nor two runs of one
// test) ever meet in it. It is removed with everything in it when the object goes.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

class TTestFolder
{
public:
    // The folder's name starts with the prefix, then the test suite's and test's names.
    explicit TTestFolder(const std::string& prefix = "quarn-test")
    {
        std::string name = prefix;
        if (const ::testing::TestInfo* info =
                ::testing::UnitTest::GetInstance()->current_test_info()) {
            name += "-" + Sanitised(info->test_suite_name()) + "-" + Sanitised(info->name());
        }
        // Room for the process id and mkdtemp's letters within a file name's 255 bytes.
        name = name.substr(0, 180) + "-" + std::to_string(::getpid()) + "-XXXXXX";
        std::string pattern = (std::filesystem::temp_directory_path() / name).string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a test folder " + pattern + ": "
                                     + std::strerror(errno));
        }
        m_path = pattern;
    }
    ~TTestFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TTestFolder(const TTestFolder&) = delete;
    TTestFolder& operator=(const TTestFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    // Parameterised tests carry "/" in their names.
    static std::string Sanitised(std::string text)
    {
        for (char& c : text) {
            if (c == '/' || c == ' ') {
                c = '_';
            }
        }
        return text;
    }

    std::filesystem::path m_path;
};
