#include "RecentFiles.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Listed(const TRecentFiles& recent)
{
    std::vector<std::string> listed;
    for (const std::string& entry : recent.Entries()) {
        if (!entry.empty()) {
            listed.push_back(entry);
        }
    }
    return listed;
}

TEST(RecentFiles, PutMovesAProjectToTheTopOnce)
{
    using V = std::vector<std::string>;
    const struct
    {
        const char* put;
        V expected;
    } steps[] = {
        {"/p/a.qr7d", V{"/p/a.qr7d"}},
        {"/p/b.qr7d", V{"/p/b.qr7d", "/p/a.qr7d"}},
        {"/p/b.qr7d", V{"/p/b.qr7d", "/p/a.qr7d"}},      // already first: nothing moves
        {"/p/a.qr7d", V{"/p/a.qr7d", "/p/b.qr7d"}},      // moves up from its place
        {"/p/x/../b.qr7d", V{"/p/b.qr7d", "/p/a.qr7d"}}, // one name per project
    };
    TRecentFiles recent;
    for (const auto& step : steps) {
        recent.Put(step.put);
        EXPECT_EQ(Listed(recent), step.expected) << step.put;
        EXPECT_EQ(recent.Count(), static_cast<int>(step.expected.size())) << step.put;
    }
}

TEST(RecentFiles, AnEleventhProjectDropsTheOldest)
{
    TRecentFiles recent;
    for (int i = 1; i <= 11; ++i) {
        recent.Put("/p/f" + std::to_string(i) + ".qr7d");
    }
    EXPECT_EQ(recent.Count(), kRecentFileCount);
    EXPECT_EQ(recent.Entry(0), "/p/f11.qr7d");
    EXPECT_EQ(recent.Entry(9), "/p/f2.qr7d");
    // A listed one from the middle goes to the top; the others close up behind it.
    recent.Put("/p/f5.qr7d");
    EXPECT_EQ(recent.Entry(0), "/p/f5.qr7d");
    EXPECT_EQ(recent.Entry(1), "/p/f11.qr7d");
    EXPECT_EQ(recent.Entry(7), "/p/f4.qr7d");
    EXPECT_EQ(recent.Entry(9), "/p/f2.qr7d");
    EXPECT_EQ(recent.Entry(-1), "");
    EXPECT_EQ(recent.Entry(10), "");
}

TEST(RecentFiles, StoredListKeepsEachProjectOnceInOrder)
{
    TRecentFiles::TEntries stored{};
    stored[0] = "/p/a.qr7d";
    stored[2] = "/p/x/../a.qr7d"; // the same project by another way
    stored[3] = "/p/b.qr7d";
    stored[5] = "/p/a.qr7d";
    TRecentFiles recent;
    recent.Assign(stored);
    EXPECT_EQ(Listed(recent), (std::vector<std::string>{"/p/a.qr7d", "/p/b.qr7d"}));
    EXPECT_EQ(recent.Entry(1), "/p/b.qr7d") << "empty entries close up";
}

TEST(RecentFiles, MenuShowsPathsBelowTheCurrentFolderShort)
{
    TRecentFiles recent;
    recent.Put("/other/c.qr7d");
    recent.Put("/work/sub/b.qr7d");
    recent.Put("/work/a.qr7d");
    const struct
    {
        int entry;
        const char* shown;
    } cases[] = {
        {0, "a.qr7d"},
        {1, "sub/b.qr7d"},
        {2, "/other/c.qr7d"},
        {3, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(recent.MenuPath(c.entry, "/work"), c.shown) << c.entry;
    }
    EXPECT_EQ(recent.MenuPath(0, "/wor"), "/work/a.qr7d") << "a folder whole, not a prefix";
}

} // namespace
