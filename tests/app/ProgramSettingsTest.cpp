#include "ProgramSettings.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

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

} // namespace
