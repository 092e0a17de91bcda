// What killed runs and saves leave behind is removed at the next start, and nothing else:
// not a live process's files, not a user's copies, not the marker of a cut save.
#include "StaleFiles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "EngineConsole.h"
#include "LockHolder.h"
#include "ProjectFile.h"
#include "ProjectLock.h"
#include "TProgramData.h"
#include "TestFolder.h"

namespace {

namespace fs = std::filesystem;

// A process id that is certainly gone: a child that has ended and been waited for.
std::string GonePid()
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return std::to_string(child);
}

void Make(const fs::path& path, bool folder, bool dayOld)
{
    if (folder) {
        fs::create_directories(path);
        std::ofstream(path / "names.dat") << "x\n";
    } else {
        std::ofstream(path) << "x\n";
    }
    if (dayOld) {
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(25));
    }
}

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct TEntry
{
    std::string name;
    bool folder;
    bool dayOld;
    bool removed;
};

TEST(StaleFiles, RunFoldersOfGoneProcessesAndOldOnesGo)
{
    const TTestFolder temporary("stale-tmp");
    const std::string gone = GonePid();
    const std::string live = std::to_string(::getppid());
    const TEntry entries[] = {
        {"quarn-run-" + gone + "-Ab12Cd", true, false, true},
        {"quarn-run-" + live + "-Ab12Cd", true, false, false},
        {"quarn-run-" + live + "-Ef34Gh", true, true, false}, // long runs are not cut short
        {"quarn-run-Xy56Zw", true, true, true},               // the older name, a day old
        {"quarn-run-Xy78Zw", true, false, false},             // the older name, fresh
        {"quarn-run-test-Suite-Name-" + gone + "-Ab12Cd", true, false, false},
        {"quarn-run-" + gone + "-Ab12Cd.txt", false, false, false},
    };
    for (const TEntry& e : entries) {
        Make(temporary / e.name, e.folder, e.dayOld);
    }
    const TStaleFiles result = RemoveStaleFiles({}, temporary.Path());
    std::vector<std::string> expected;
    for (const TEntry& e : entries) {
        if (!e.removed) {
            expected.push_back(e.name);
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(temporary.Path()), expected);
    EXPECT_EQ(result.Removed.size(), std::size(entries) - expected.size());
}

TEST(StaleFiles, ProjectTemporariesGoWhileNoSaveIsUnderWay)
{
    const TTestFolder folder("stale-project");
    const std::string project = folder.File("P.qr7d");
    std::ofstream(project) << "project\n";
    const std::string gone = GonePid();
    const std::string live = std::to_string(::getppid());
    const TEntry entries[] = {
        {"P.qr7d", false, false, false},
        {"P.qr7d.saving~" + live + "-Ab12Cd", false, false, true}, // no save holds the lock
        {"P.cpt.saving~" + gone + "-Ab12Cd", false, false, true},
        {"P.gwi.saving~" + live + "-Ab12Cd", false, false, true},
        {"P.qr7d.saving~", false, false, true}, // the older fixed name
        {"P.gwi.aB3dE9", false, true, true},    // the older GRLWEAP name, a day old
        {"P.gwi.aB3dE7", false, false, false},  // ... fresh
        {"P.gwi.backup", false, true, false},   // a user's copy
        {"P.qr7d.unfinished~", false, false, false},
        {"Export.xlsx.saving~" + gone + "-Ab12Cd", false, false, true},
        {"Export.xlsx.saving~" + live + "-Ab12Cd", false, false, false},
        {"Q.qr7d.saving~" + live + "-Ab12Cd", false, false, false}, // another project's
        {"P.qr7d.saving~notes.txt", false, true, false},
    };
    for (const TEntry& e : entries) {
        if (e.name != "P.qr7d") {
            Make(folder / e.name, e.folder, e.dayOld);
        }
    }
    // A lock left by a killed save goes too.
    {
        TLockHolder killed(project);
        ASSERT_TRUE(killed.Locked());
        killed.Kill();
    }
    ASSERT_TRUE(fs::exists(ProjectLockFileName(project)));

    RemoveStaleFiles({project, "", kNewProjectFileName}, {});
    std::vector<std::string> expected;
    for (const TEntry& e : entries) {
        if (!e.removed) {
            expected.push_back(e.name);
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(folder.Path()), expected);
}

// While another process saves or runs the project, its temporary files are its own.
TEST(StaleFiles, ATemporaryOfASaveUnderWayStays)
{
    const TTestFolder folder("stale-locked");
    const std::string project = folder.File("P.qr7d");
    std::ofstream(project) << "project\n";
    const std::string temporary = project + ".saving~" + GonePid() + "-Ab12Cd";
    std::ofstream(temporary) << "half\n";
    TLockHolder saving(project);
    ASSERT_TRUE(saving.Locked());
    RemoveStaleFiles({project}, {});
    EXPECT_TRUE(fs::exists(temporary));
    EXPECT_TRUE(fs::exists(ProjectLockFileName(project)));
}

TEST(EngineConsole, CollectsWhatIsWrittenAndPassesItOn)
{
    std::string text;
    {
        TEngineConsole console;
        std::printf("progress\n");
        std::cout << "  ERROR - ONE.  \r\n";
        text = console.Finish();
    }
    EXPECT_EQ(text, "progress\n  ERROR - ONE.  \r\n");
}

TEST(EngineConsole, ErrorLines)
{
    const std::string console = "\n\n          COMPUTATION IS PROCEEDING........\n"
                                "\n\n          ERROR - THE OUTPUT FILE \"a\" COULD NOT BE "
                                "WRITTEN COMPLETELY: No space left on device.  \r\n"
                                " ERROR - NO DATA FOUND FOR PLASTIC INDEX.\n"
                                " ERROR - NO DATA FOUND FOR PLASTIC INDEX.\n"
                                " ERROR IN INPUT FILE \"p\", LINE 5, ITEM 3: THE OUTSIDE DIAMETER "
                                "-24.00 IS NEGATIVE.\n"
                                "ERRORS ARE NOT MESSAGES\n"
                                "   NOT AN ERROR - TEXT\n";
    EXPECT_EQ(EngineErrorLines(console),
              (std::vector<std::string>{"ERROR - THE OUTPUT FILE \"a\" COULD NOT BE WRITTEN "
                                        "COMPLETELY: No space left on device.",
                                        "ERROR - NO DATA FOUND FOR PLASTIC INDEX.",
                                        "ERROR IN INPUT FILE \"p\", LINE 5, ITEM 3: THE OUTSIDE "
                                        "DIAMETER -24.00 IS NEGATIVE."}));
    // A long list is cut after ten.
    std::string many;
    std::vector<std::string> first;
    for (int i = 0; i < 30; ++i) {
        many += "ERROR - " + std::to_string(i) + "\n";
        if (i < 10) {
            first.push_back("ERROR - " + std::to_string(i));
        }
    }
    EXPECT_EQ(EngineErrorLines(many), first);
}

} // namespace
