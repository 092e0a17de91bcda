#include "ProjectPaths.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "TestFolder.h"

namespace fs = std::filesystem;

namespace {

TEST(ProjectPaths, ExtensionsAndNames)
{
    const struct
    {
        const char* path;
        const char* extension;
        const char* display;
    } cases[] = {
        {"/work/beam.qr7d", ".qr7d", "Beam.qr7d"}, // only ".qr7" itself is dropped
        {"/work/BEAM.QR7", ".qr7", "BEAM"},
        {"/work/old.Qr6D", ".qr6d", "Old.Qr6D"},
        {"/work.d/pile", "", "Pile"}, // a folder's point is not the file's
        {"a", "", "a"},               // one character is not upper-cased
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtensionOf(c.path), c.extension) << c.path;
        EXPECT_EQ(DisplayName(c.path), c.display) << c.path;
    }
    EXPECT_EQ(WithExtension("/work/beam.qr7d", kReportExtension), "/work/beam.qr7o");
    EXPECT_EQ(WithExtension("/work/beam", kPlotDataExtension), "/work/beam.qr7p");
    EXPECT_EQ(ResultFilesOf("/work/beam.qr7d"),
              (std::array<std::string, 3>{"/work/beam.qr7o", "/work/beam.qr7p", "/work/beam.gwi"}));
}

TEST(ProjectPaths, LayoutByNameAndByFilter)
{
    const struct
    {
        const char* path;
        std::optional<ProjectLayout> layout;
    } byName[] = {
        {"p.qr7d", ProjectLayout::Qr7d},
        {"p.QR7D", ProjectLayout::Qr7d},
        {"p.qr6d", ProjectLayout::Qr6d},
        {"p.Qr6d", ProjectLayout::Qr6d},
        {"p.qrd", std::nullopt}, // the oldest layout opens only through the dialog
        {"p.txt", std::nullopt},
        {"p", std::nullopt},
    };
    for (const auto& c : byName) {
        EXPECT_EQ(LayoutOpenedByName(c.path), c.layout) << c.path;
    }
    const struct
    {
        int filter;
        ProjectLayout layout;
    } byFilter[] = {
        {1, ProjectLayout::Qr7d},
        {2, ProjectLayout::Qr6d},
        {3, ProjectLayout::Qrd},
        {4, ProjectLayout::Qrd}, // "All Files" reads the oldest layout
        {0, ProjectLayout::Qr7d},
        {5, ProjectLayout::Qr7d},
    };
    for (const auto& c : byFilter) {
        EXPECT_EQ(LayoutOfFilter(c.filter), c.layout) << c.filter;
    }
}

// However a project file is reached, it has one name: its folder made canonical.
TEST(ProjectPaths, OneNamePerProjectFile)
{
    const TTestFolder folder("project-paths");
    const fs::path real = fs::canonical(folder.Path()) / "real";
    fs::create_directories(real / "sub");
    fs::create_directory_symlink(real, folder / "linked");
    const std::string canonical = (real / "p.qr7d").string();
    for (const fs::path& reached : {real / "p.qr7d",
                                    real / "sub" / ".." / "p.qr7d",
                                    folder / "linked" / "p.qr7d",
                                    folder / "linked" / "sub" / ".." / "p.qr7d"}) {
        EXPECT_EQ(ProjectPath(reached.string()), canonical) << reached;
    }
    // The file keeps its own name, linked or not, there or not.
    EXPECT_EQ(ProjectPath((real / "missing.qr7d").string()), (real / "missing.qr7d").string());
    EXPECT_EQ(ProjectPath(""), "");
}

TEST(ProjectPaths, FilesExistAndAreCopiedWhole)
{
    const TTestFolder folder("project-paths");
    const std::string from = folder.File("p.qr7o");
    std::ofstream(from) << "report\n";
    EXPECT_TRUE(FileExists(from));
    EXPECT_FALSE(FileExists(folder.File("none.qr7o")));
    EXPECT_FALSE(FileExists(folder.Path().string())) << "a folder is no file";
    EXPECT_FALSE(FileExists(""));

    const std::string to = folder.File("q.qr7o");
    std::ofstream(to) << "old\n";
    EXPECT_EQ(CopyWhole(from, to), "");
    std::ifstream in(to);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "report");

    // A copy that cannot be made says why and leaves no partial file.
    const std::string reason = CopyWhole(folder.File("none.qr7o"), to);
    EXPECT_FALSE(reason.empty());
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
        EXPECT_EQ(entry.path().string().find(".saving~"), std::string::npos) << entry.path();
    }
}

// Save As copies the results as every save writes: a linked result stays a link, the file
// replaced keeps its mode.
TEST(ProjectPaths, CopyWholeWritesThroughLinksAndKeepsTheMode)
{
    const TTestFolder folder("project-paths");
    const std::string from = folder.File("p.qr7o");
    std::ofstream(from) << "report\n";
    const std::string real = folder.File("kept.qr7o");
    std::ofstream(real) << "old\n";
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    const std::string link = folder.File("q.qr7o");
    fs::create_symlink(real, link);

    EXPECT_EQ(CopyWhole(from, link), "");
    EXPECT_TRUE(fs::is_symlink(link));
    std::ifstream in(real);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "report");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

} // namespace
