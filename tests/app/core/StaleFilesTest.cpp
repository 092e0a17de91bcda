// What killed runs and saves leave behind is removed at the next start, and nothing else:
// not a live process's files, not a user's copies, not the marker of a cut save.
#include "StaleFiles.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CutSave.h"
#include "EngineConsole.h"
#include "LockHolder.h"
#include "ProjectFile.h"
#include "ProjectLock.h"
#include "SafeFile.h"
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
        // The engine's temporaries where the file system makes no file without a name.
        {".P.qr7o." + live + ".0.tmp", false, false, true}, // no run holds the lock
        {".P.qr7p." + gone + ".12.tmp", false, false, true},
        {".Q.qr7o." + gone + ".0.tmp", false, false, true},  // another project's, its run gone
        {".Q.qr7p." + live + ".3.tmp", false, false, false}, // ... its run under way
        {".Q.qr7p." + live + ".4.tmp", false, true, true},   // ... a day old
        {".notes.txt.12.tmp", false, true, false},           // no process and attempt
        {".P.qr7o.x1.0.tmp", false, true, false},
        // A chart picture's, left where the file system makes no file without a name.
        {"Total.bmp.AZPawL", false, true, true},
        {"Total.png.q7Rz2k", false, true, true},
        {"Total.bmp.AZPaw2", false, false, false}, // fresh: its save may be under way
        {"Total.bmp.backup", false, true, false},  // a user's copy
        {"Total.bmp.BACKUP", false, true, false},
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

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A save killed after both its new files were whole on the disk (its marker stands) loses
// nothing: beside an older project file its new files are kept under a name the note gives,
// and the project stays as saved before; with no project file at its name it is completed.
TEST(StaleFiles, ACompleteSaveCutShortIsNeverLost)
{
    enum class EState
    {
        NeitherReplaced,
        CptReplaced,
        NoProjectFile,
    };
    struct TCase
    {
        const char* name;
        EState state;
        std::size_t length = 6; // of the project file's name
    };
    const TCase cases[] = {
        {"cut before the CPT side file was renamed", EState::NeitherReplaced},
        {"cut between the two renames", EState::CptReplaced},
        {"a Save As cut between its renames", EState::NoProjectFile},
        {"a Save As to a name near the longest", EState::NoProjectFile, 250},
        {"a name near the longest, cut between the renames", EState::CptReplaced, 250},
    };
    const std::string gone = GonePid();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TTestFolder folder("stale-cut");
        const std::string stem(c.length - 5, 'P');
        const fs::path project = folder / (stem + ".qr7d");
        const fs::path cpt = folder / (stem + ".cpt");
        if (c.state != EState::NoProjectFile) {
            std::ofstream(project, std::ios::binary) << "old project\r\n";
            std::ofstream(cpt, std::ios::binary) << "old cpt\r\n";
        }
        MakeCutSave(project,
                    "new project\r\n",
                    "new cpt\r\n",
                    c.state != EState::NeitherReplaced,
                    gone);
        const TStaleFiles result = RemoveStaleFiles({project.string()}, {});
        ASSERT_EQ(result.Notes.size(), 1u);
        const std::string& note = result.Notes[0];
        std::vector<std::string> names = Names(folder.Path());
        if (c.state == EState::NoProjectFile) {
            EXPECT_EQ(ReadText(project), "new project\r\n");
            EXPECT_EQ(ReadText(cpt), "new cpt\r\n");
            EXPECT_EQ(names, (std::vector<std::string>{stem + ".cpt", stem + ".qr7d"}));
            EXPECT_EQ(note,
                      "A save as " + project.string()
                          + " was cut short before its project file was put in place. The "
                            "project file and CPT side file it had written whole have been put "
                            "in place now.");
            continue;
        }
        EXPECT_EQ(ReadText(project), "old project\r\n");
        // Kept as "P (unfinished save <date> <time>).qr7d" with its CPT side file.
        fs::path kept;
        for (const std::string& name : names) {
            if (name.starts_with(stem.substr(0, 100)) && Contains(name, "unfinished save ")
                && name.ends_with(").qr7d")) {
                kept = folder / name;
            }
        }
        ASSERT_FALSE(kept.empty()) << note;
        EXPECT_EQ(ReadText(kept), "new project\r\n");
        EXPECT_EQ(ReadText(fs::path(kept).replace_extension(".cpt")), "new cpt\r\n");
        EXPECT_EQ(note,
                  "The last save of " + project.string()
                      + " did not finish: the project file it had written whole was not put "
                        "in place, so the project opens as saved before. That save is kept as "
                      + kept.string() + " with its CPT side file "
                      + fs::path(kept).replace_extension(".cpt").string()
                      + "; open it to go on from that save.");
        // The marker stays exactly while the CPT side file is of the later save, so every
        // open until the next save says so.
        const bool marker = fs::exists(UnfinishedSaveMarker(project.string()));
        EXPECT_EQ(marker, c.state == EState::CptReplaced);
        EXPECT_EQ(SaveCutBetweenItsFiles(project.string()), c.state == EState::CptReplaced);
        EXPECT_EQ(names.size(), marker ? 5u : 4u);
        // Nothing more happens at the next open.
        EXPECT_TRUE(RemoveStaleFiles({project.string()}, {}).Notes.empty());
        EXPECT_EQ(Names(folder.Path()), names);
    }
}

// A Save As killed at its renames leaves the new name's lock, marker and files: the next open
// of any project in the folder completes that save and removes the lock; a marker of another
// project that has its file stays for that project's own open, with the files it names.
TEST(StaleFiles, ASaveAsCutShortIsCompletedAtTheNextOpen)
{
    const TTestFolder folder("stale-save-as");
    const fs::path project = folder / "Old.qr7d";
    std::ofstream(project) << "old\r\n";
    const fs::path saveAs = folder / "New.qr7d";
    const fs::path other = folder / "Other.qr7d";
    std::ofstream(other) << "other\r\n";
    const std::string gone = GonePid();
    MakeCutSave(saveAs, "new\r\n", "new cpt\r\n", true, gone);
    const std::string otherTemporary = MakeCutSave(other, "other new\r\n", "", false, gone);
    {
        TLockHolder killed(saveAs.string());
        ASSERT_TRUE(killed.Locked());
        killed.Kill();
    }
    ASSERT_TRUE(fs::exists(ProjectLockFileName(saveAs.string())));
    // A user's own lock files stay.
    std::ofstream(folder / "notes.txt.lock") << "not a lock of the program\n";
    std::ofstream(folder / "Empty.qr7d.lock");
    std::ofstream(folder / "Text.qr7d.lock") << "a user's words\n";

    const TStaleFiles result = RemoveStaleFiles({project.string()}, {});
    EXPECT_EQ(ReadText(saveAs), "new\r\n");
    EXPECT_EQ(ReadText(folder / "New.cpt"), "new cpt\r\n");
    EXPECT_FALSE(fs::exists(ProjectLockFileName(saveAs.string())));
    EXPECT_FALSE(fs::exists(UnfinishedSaveMarker(saveAs.string())));
    ASSERT_EQ(result.Notes.size(), 1u);
    EXPECT_TRUE(Contains(result.Notes[0], "A save as " + saveAs.string() + " was cut short"))
        << result.Notes[0];
    EXPECT_TRUE(fs::exists(otherTemporary));
    EXPECT_TRUE(fs::exists(UnfinishedSaveMarker(other.string())));
    EXPECT_TRUE(fs::exists(folder / "notes.txt.lock"));
    EXPECT_FALSE(fs::exists(folder / "Empty.qr7d.lock")); // killed before it wrote its holder
    EXPECT_TRUE(fs::exists(folder / "Text.qr7d.lock"));
}

// The temporary files and the lock of a project whose name is near the longest a file may
// have carry shortened names; a save killed there leaves them, and the next open knows them.
TEST(StaleFiles, ShortenedNamesOfAKilledSaveGo)
{
    const TTestFolder folder("stale-long");
    const fs::path project = folder / (std::string(246, 'n') + ".qr7d");
    std::ofstream(project) << "project\n";
    const std::vector<std::string> before = Names(folder.Path());
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        TProjectLock lock;
        const bool locked = lock.Acquire(project.string());
        TSafeFile projectFile(project.string());
        TSafeFile cptFile(fs::path(project).replace_extension(".cpt").string());
        const char answer = locked ? '1' : '0';
        [[maybe_unused]] const ssize_t n = ::write(ready[1], &answer, 1);
        for (;;) {
            ::pause();
        }
    }
    ::close(ready[1]);
    char answer = '0';
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_EQ(answer, '1');
    ASSERT_EQ(Names(folder.Path()).size(), before.size() + 3); // two temporary files, the lock
    for (const std::string& name : Names(folder.Path())) {
        EXPECT_LE(name.size(), 255u) << name;
    }
    RemoveStaleFiles({project.string()}, {});
    EXPECT_EQ(Names(folder.Path()), before);
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
