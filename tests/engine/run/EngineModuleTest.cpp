// The built engine module as its callers load it: by file name through TDynamicLibrary, with
// names.dat in the current folder.
#include <cstdint>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "support/TDynamicLibrary.h"

namespace {

using namespace enginetest;

using EngineEntry = std::int32_t (*)(std::int32_t);

// Makes a folder the current one for the life of the object.
class TCurrentFolder
{
public:
    explicit TCurrentFolder(const fs::path& folder)
        : m_previous(fs::current_path())
    {
        fs::current_path(folder);
    }
    ~TCurrentFolder()
    {
        std::error_code ec;
        fs::current_path(m_previous, ec);
    }
    TCurrentFolder(const TCurrentFolder&) = delete;
    TCurrentFolder& operator=(const TCurrentFolder&) = delete;

private:
    fs::path m_previous;
};

std::string WithoutDateLine(const std::string& report)
{
    std::string out;
    for (const std::string& line : SplitLines(report)) {
        if (line.find("Date:  ") == std::string::npos) {
            out += line + "\n";
        }
    }
    return out;
}

TEST(EngineModule, CallsWithOneAndTwoThroughTheLoader)
{
    TTempDir dir;
    TCurrentFolder current(dir.Path());
    TDynamicLibrary library;
    library.SetLibraryName(QUARN_ENGINE_MODULE);
    library.Open();
    ASSERT_TRUE(library.IsOpen());
    auto entry = reinterpret_cast<EngineEntry>(library.GetProcAddress("_IQUARN"));
    auto alias = reinterpret_cast<EngineEntry>(library.GetProcAddress("IQUARN"));
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(alias, nullptr);

    // Anything but 2 returns 1 and creates no file, even with names.dat in place.
    WriteNames(dir, "P");
    EXPECT_EQ(entry(1), 1);
    EXPECT_EQ(alias(1), 1);
    EXPECT_EQ(entry(0), 1);
    EXPECT_EQ(entry(3), 1);
    int files = 0;
    for ([[maybe_unused]] const auto& item : fs::directory_iterator(dir.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 1); // names.dat only

    WriteFile(dir.Path() / "P.qr7d", JoinCrLf(ExampleLines("english")));
    WriteFile(dir.Path() / "P.cpt", ExampleCpt("english"));
    EXPECT_EQ(entry(2), 0);
    const std::string first = ReadFile(dir.Path() / "P.qr7o");
    EXPECT_TRUE(Contains(first, "* COMPUTATION RESULT *"));
    // Header: curves written, 16 printed rows, English units, load-settlement method 4.
    const std::string plot = ReadFile(dir.Path() / "P.qr7p");
    const std::string header = plot.substr(0, plot.find('\n') + 1);
    EXPECT_NE(header.find(" 16 1 4\n"), std::string::npos) << header;
    EXPECT_NE(header, " 0 16 1 4\n"); // the always-computed methods write curves

    // A second call in the same loaded module starts from a fresh run state.
    EXPECT_EQ(alias(2), 0);
    EXPECT_EQ(WithoutDateLine(ReadFile(dir.Path() / "P.qr7o")), WithoutDateLine(first));

    // And so does a call after unloading and loading again.
    library.Close();
    library.Open();
    entry = reinterpret_cast<EngineEntry>(library.GetProcAddress("_IQUARN"));
    EXPECT_EQ(entry(2), 0);
    EXPECT_EQ(WithoutDateLine(ReadFile(dir.Path() / "P.qr7o")), WithoutDateLine(first));
}

} // namespace
