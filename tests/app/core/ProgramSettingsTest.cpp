#include "ProgramSettings.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestFolder.h"

namespace {

TEST(ProgramSettings, ValueNamesAndWhatIsWritten)
{
    EXPECT_EQ(RecentFileValueName(0), "File1");
    EXPECT_EQ(RecentFileValueName(9), "File10");
    TRecentFiles recent;
    recent.Put("/p/b.qr7d");
    recent.Put("/p/a.qr7d");
    std::vector<std::pair<std::string, std::string>> written;
    WriteProgramSettings(
        [&](const std::string& name, const std::string& text) { written.emplace_back(name, text); },
        "/usr/bin/editor",
        recent);
    ASSERT_EQ(written.size(), 11u);
    EXPECT_EQ(written[0],
              (std::pair<std::string, std::string>{"Word Processor", "/usr/bin/editor"}));
    EXPECT_EQ(written[1], (std::pair<std::string, std::string>{"File1", "/p/a.qr7d"}));
    EXPECT_EQ(written[2], (std::pair<std::string, std::string>{"File2", "/p/b.qr7d"}));
    EXPECT_EQ(written[10], (std::pair<std::string, std::string>{"File10", ""}));
}

TEST(ProgramSettings, ReadValuesReplaceOrKeepTheEditorAndFailureClearsBoth)
{
    const struct
    {
        const char* name;
        const char* storedEditor;
        bool failed;
        const char* editor;
        int recentCount;
    } cases[] = {
        {"stored editor", "/usr/bin/vi", false, "/usr/bin/vi", 2},
        {"no stored editor", "", false, "/usr/bin/given", 2},
        {"unreadable settings", "/usr/bin/vi", true, "", 0},
    };
    for (const auto& c : cases) {
        const auto value = [&](const std::string& name) -> std::string {
            if (name == "Word Processor") {
                return c.storedEditor;
            }
            if (name == "File1" || name == "File3") {
                return "/p/" + name + ".qr7d";
            }
            return name == "File2" ? "/p/File1.qr7d" : "";
        };
        const TStoredSettings stored = ReadProgramSettings(value);
        EXPECT_EQ(stored.RecentFiles[1], "/p/File1.qr7d") << c.name;
        std::string editor = "/usr/bin/given";
        TRecentFiles recent;
        recent.Put("/p/before.qr7d");
        ApplyProgramSettings(stored, c.failed, editor, recent);
        EXPECT_EQ(editor, c.editor) << c.name;
        EXPECT_EQ(recent.Count(), c.recentCount) << c.name;
        if (c.recentCount == 2) {
            EXPECT_EQ(recent.Entry(0), "/p/File1.qr7d") << c.name;
            EXPECT_EQ(recent.Entry(1), "/p/File3.qr7d") << c.name;
        }
    }
}

// What stands in the way of saving the settings is said in the system's words; a folder that
// takes them is made as a save would make it, and nothing else is left behind.
TEST(ProgramSettings, WriteProblemIsTheSystemsReason)
{
    namespace fs = std::filesystem;
    TTestFolder folder;
    {
        std::ofstream blocker(folder / "blocker");
        blocker << "a file where a folder should be";
    }
    fs::create_directories(folder / "taken" / "QUARN.ini");
    fs::create_directories(folder / "piped");
    ASSERT_EQ(::mkfifo((folder / "piped" / "QUARN.ini").c_str(), 0600), 0);
    {
        fs::create_directories(folder / "existing");
        std::ofstream existing(folder / "existing" / "QUARN.ini");
        existing << "[2015.7.2]\n";
    }
    struct TCase
    {
        const char* what;
        std::string file;
        std::string reason;
    };
    const TCase cases[] = {
        {"a new folder", folder.File("config/Tarvik/QUARN.ini"), ""},
        {"an existing file", folder.File("existing/QUARN.ini"), ""},
        {"a file on the way", folder.File("blocker/Tarvik/QUARN.ini"), "Not a directory"},
        {"a folder in the file's place", folder.File("taken/QUARN.ini"), "Is a directory"},
        // Opened without waiting for a reader.
        {"a pipe in the file's place", folder.File("piped/QUARN.ini"), "No such device or address"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(SettingsWriteProblem(c.file), c.reason) << c.what;
    }
    EXPECT_TRUE(fs::is_directory(folder / "config" / "Tarvik"));
    // Only the folders and the files made here are there.
    std::set<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder.Path())) {
        found.insert(fs::relative(entry.path(), folder.Path()).string());
    }
    const std::set<std::string> expected = {"blocker",
                                            "config",
                                            "config/Tarvik",
                                            "existing",
                                            "existing/QUARN.ini",
                                            "piped",
                                            "piped/QUARN.ini",
                                            "taken",
                                            "taken/QUARN.ini"};
    EXPECT_EQ(found, expected);
    EXPECT_EQ(SettingsNotSavedMessage("/h/.config/Tarvik/QUARN.ini", "Read-only file system"),
              "The program's settings cannot be saved to /h/.config/Tarvik/QUARN.ini: Read-only "
              "file system. The recent files and the text editor chosen will not be kept for the "
              "next start.");
}

} // namespace
