// The four paths of names.dat as a hostile or unlucky hand writes them: two that name one file,
// and paths that are no plain file (a FIFO, a folder, a device).
#include <csignal>
#include <functional>
#include <map>
#include <sstream>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "EngineTestSupport.h"

namespace {

using namespace enginetest;

// Ends the test process when a run waits for ever, so a run that hangs fails instead of holding
// the test run.
class TWatchdog
{
public:
    TWatchdog() { ::alarm(kSeconds); }
    ~TWatchdog() { ::alarm(0); }
    TWatchdog(const TWatchdog&) = delete;
    TWatchdog& operator=(const TWatchdog&) = delete;

private:
    static constexpr unsigned kSeconds = 30;
};

struct TRunFiles
{
    std::string project;
    std::string report;
    std::string plot;
    std::string cpt;
};

// The example as P.qr7d and P.cpt; the run's paths are those four beside them unless a case
// changes one.
TRunFiles WriteExample(const TTempDir& dir)
{
    WriteFile(dir.Path() / "P.qr7d", JoinCrLf(ExampleLines("english")));
    WriteFile(dir.Path() / "P.cpt", ExampleCpt("english"));
    return {dir.File("P.qr7d"), dir.File("P.qr7o"), dir.File("P.qr7p"), dir.File("P.cpt")};
}

void WriteNamesFile(const TTempDir& dir, const TRunFiles& f)
{
    WriteFile(dir.Path() / "names.dat",
              "2015.7.2\r\n" + f.project + "\r\n" + f.report + "\r\n" + f.plot + "\r\n" + f.cpt
                  + "\r\n");
}

// Every entry of the folder (links as links) with the bytes of its plain files.
std::map<std::string, std::string> FolderContent(const fs::path& folder)
{
    std::map<std::string, std::string> content;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const fs::path relative = fs::relative(entry.path(), folder);
        if (entry.is_symlink()) {
            content[relative.string()] = "-> " + fs::read_symlink(entry.path()).string();
        } else if (entry.is_regular_file()) {
            content[relative.string()] = ReadFile(entry.path());
        } else {
            content[relative.string()] = "(not a plain file)";
        }
    }
    return content;
}

std::string RelativeToHere(const std::string& path)
{
    return fs::relative(path, fs::current_path()).string();
}

struct TEqualCase
{
    const char* name;
    // Changes the paths (and makes links) before the run.
    std::function<void(const TTempDir&, TRunFiles&)> edit;
    // The message's two files: the later one in names.dat first.
    std::function<std::string(const TTempDir&, const TRunFiles&)> message;
};

std::string
Same(const char* what, const std::string& path, const char* earlier, const std::string& earlierPath)
{
    return std::string("ERROR - THE ") + what + " \"" + path + "\" IS THE SAME FILE AS THE "
           + earlier + " \"" + earlierPath + "\": NOTHING WAS WRITTEN.";
}

// Two paths that name one file stop the run before anything is written: no report, no plot
// data, every file beside them as it was, and the reason on the console.
TEST(EngineFilePaths, EqualPathsAreRefusedAndNothingIsWritten)
{
    const TEqualCase cases[] = {
        {"report = project",
         [](const TTempDir&, TRunFiles& f) { f.report = f.project; },
         [](const TTempDir&, const TRunFiles& f) {
             return Same("OUTPUT FILE", f.report, "INPUT FILE", f.project);
         }},
        {"report = plot data, neither made yet",
         [](const TTempDir&, TRunFiles& f) { f.plot = f.report; },
         [](const TTempDir&, const TRunFiles& f) {
             return Same("PLOT DATA FILE", f.plot, "OUTPUT FILE", f.report);
         }},
        {"report = plot data, both there from an earlier run",
         [](const TTempDir& dir, TRunFiles& f) {
             WriteFile(dir.Path() / "P.qr7o", "an earlier report\n");
             f.plot = f.report;
         },
         [](const TTempDir&, const TRunFiles& f) {
             return Same("PLOT DATA FILE", f.plot, "OUTPUT FILE", f.report);
         }},
        {"plot data = project",
         [](const TTempDir&, TRunFiles& f) { f.plot = f.project; },
         [](const TTempDir&, const TRunFiles& f) {
             return Same("PLOT DATA FILE", f.plot, "INPUT FILE", f.project);
         }},
        {"CPT = report",
         [](const TTempDir&, TRunFiles& f) { f.report = f.cpt; },
         [](const TTempDir&, const TRunFiles& f) {
             return Same("CPT FILE", f.cpt, "OUTPUT FILE", f.report);
         }},
        {"CPT = project",
         [](const TTempDir&, TRunFiles& f) { f.cpt = f.project; },
         [](const TTempDir&, const TRunFiles& f) {
             return Same("CPT FILE", f.cpt, "INPUT FILE", f.project);
         }},
        {"a link to the project as the report",
         [](const TTempDir& dir, TRunFiles& f) {
             fs::create_symlink("P.qr7d", dir.Path() / "L.qr7o");
             f.report = dir.File("L.qr7o");
         },
         [](const TTempDir&, const TRunFiles& f) {
             return Same("OUTPUT FILE", f.report, "INPUT FILE", f.project);
         }},
        {"a hard link to the CPT file as the plot data",
         [](const TTempDir& dir, TRunFiles& f) {
             fs::create_hard_link(dir.Path() / "P.cpt", dir.Path() / "H.qr7p");
             f.plot = dir.File("H.qr7p");
         },
         [](const TTempDir&, const TRunFiles& f) {
             return Same("CPT FILE", f.cpt, "PLOT DATA FILE", f.plot);
         }},
        {"a link to the plot data not made yet as the report",
         [](const TTempDir& dir, TRunFiles& f) {
             fs::create_symlink("P.qr7p", dir.Path() / "L.qr7o");
             f.report = dir.File("L.qr7o");
         },
         [](const TTempDir&, const TRunFiles& f) {
             return Same("PLOT DATA FILE", f.plot, "OUTPUT FILE", f.report);
         }},
        {"the project spelt relative as the report",
         [](const TTempDir&, TRunFiles& f) { f.report = RelativeToHere(f.project); },
         [](const TTempDir&, const TRunFiles& f) {
             return Same("OUTPUT FILE", f.report, "INPUT FILE", f.project);
         }},
        {"the report not made yet spelt relative as the plot data",
         [](const TTempDir&, TRunFiles& f) { f.plot = RelativeToHere(f.report); },
         [](const TTempDir&, const TRunFiles& f) {
             return Same("PLOT DATA FILE", f.plot, "OUTPUT FILE", f.report);
         }},
        {"the report not made yet through a linked folder as the plot data",
         [](const TTempDir& dir, TRunFiles& f) {
             fs::create_directory_symlink(dir.Path(), dir.Path() / "alias");
             f.plot = dir.File("alias/./P.qr7o");
         },
         [](const TTempDir&, const TRunFiles& f) {
             return Same("PLOT DATA FILE", f.plot, "OUTPUT FILE", f.report);
         }},
    };
    for (const TEqualCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTempDir dir;
        TRunFiles files = WriteExample(dir);
        c.edit(dir, files);
        WriteNamesFile(dir, files);
        const std::map<std::string, std::string> before = FolderContent(dir.Path());
        const TRunOutcome out = RunIn(dir);
        EXPECT_EQ(out.status, 1);
        EXPECT_TRUE(Contains(out.console, "\n\n          " + c.message(dir, files) + "\n"))
            << out.console;
        EXPECT_EQ(FolderContent(dir.Path()), before);
    }
}

// Paths that only look alike name two files, and the run goes on.
TEST(EngineFilePaths, LikePathsOfTwoFilesRun)
{
    TTempDir dir;
    TRunFiles files = WriteExample(dir);
    fs::create_directory(dir.Path() / "out");
    files.report = dir.File("out/P.qr7d"); // the project's name in another folder
    files.plot = dir.File("P.qr7d.qr7p");
    WriteNamesFile(dir, files);
    const TRunOutcome out = RunIn(dir);
    EXPECT_EQ(out.status, 0) << out.console;
    EXPECT_TRUE(Contains(ReadFile(files.report), "* COMPUTATION RESULT *"));
    EXPECT_FALSE(ReadFile(files.plot).empty());
}

enum class EKind
{
    kFifo,
    kFolder,
    kDevice,
    kLinkToFifo,
};

enum class ESlot
{
    kProject,
    kReport,
    kPlot,
    kCpt,
};

struct TNotPlainCase
{
    const char* name;
    ESlot slot;
    EKind kind;
    const char* message; // after the path
};

// Makes the path of the kind in dir; a device is the system's null device.
std::string MakeNotPlain(const TTempDir& dir, EKind kind)
{
    switch (kind) {
    case EKind::kFifo:
        EXPECT_EQ(::mkfifo(dir.File("F").c_str(), 0600), 0);
        return dir.File("F");
    case EKind::kFolder:
        fs::create_directory(dir.Path() / "F");
        return dir.File("F");
    case EKind::kDevice:
        return "/dev/null";
    case EKind::kLinkToFifo:
        EXPECT_EQ(::mkfifo(dir.File("F").c_str(), 0600), 0);
        fs::create_symlink("F", dir.Path() / "L");
        return dir.File("L");
    }
    return {};
}

// A path that is no plain file is refused at once, never waited for: with its name and kind on
// the console, and in the report when the report is not that path. No input changes.
TEST(EngineFilePaths, NoPlainFileIsWaitedFor)
{
    const char* const kRead = "\" CANNOT BE READ: IT IS ";
    const char* const kWritten = "\" CANNOT BE WRITTEN: IT IS ";
    const TNotPlainCase cases[] = {
        {"project FIFO", ESlot::kProject, EKind::kFifo, "A FIFO, NOT A PLAIN FILE."},
        {"CPT FIFO", ESlot::kCpt, EKind::kFifo, "A FIFO, NOT A PLAIN FILE."},
        {"report FIFO", ESlot::kReport, EKind::kFifo, "A FIFO, NOT A PLAIN FILE."},
        {"plot data FIFO", ESlot::kPlot, EKind::kFifo, "A FIFO, NOT A PLAIN FILE."},
        {"report link to a FIFO", ESlot::kReport, EKind::kLinkToFifo, "A FIFO, NOT A PLAIN FILE."},
        {"CPT link to a FIFO", ESlot::kCpt, EKind::kLinkToFifo, "A FIFO, NOT A PLAIN FILE."},
        {"CPT folder", ESlot::kCpt, EKind::kFolder, "A FOLDER, NOT A PLAIN FILE."},
        {"report folder", ESlot::kReport, EKind::kFolder, "A FOLDER, NOT A PLAIN FILE."},
        {"project device", ESlot::kProject, EKind::kDevice, "A DEVICE, NOT A PLAIN FILE."},
        {"report device", ESlot::kReport, EKind::kDevice, "A DEVICE, NOT A PLAIN FILE."},
        {"plot data device", ESlot::kPlot, EKind::kDevice, "A DEVICE, NOT A PLAIN FILE."},
    };
    for (const TNotPlainCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTempDir dir;
        TRunFiles files = WriteExample(dir);
        const std::string path = MakeNotPlain(dir, c.kind);
        std::string what;
        bool read = false;
        switch (c.slot) {
        case ESlot::kProject:
            files.project = path;
            what = "INPUT FILE";
            read = true;
            break;
        case ESlot::kReport:
            files.report = path;
            what = "OUTPUT FILE";
            break;
        case ESlot::kPlot:
            files.plot = path;
            what = "PLOT DATA FILE";
            break;
        case ESlot::kCpt:
            files.cpt = path;
            what = "CPT FILE";
            read = true;
            break;
        }
        WriteNamesFile(dir, files);
        const std::string project = ReadFile(dir.Path() / "P.qr7d");
        const std::string cpt = ReadFile(dir.Path() / "P.cpt");
        TRunOutcome out;
        {
            const TWatchdog watchdog;
            out = RunIn(dir);
        }
        const std::string message =
            "ERROR - THE " + what + " \"" + path + (read ? kRead : kWritten) + c.message;
        EXPECT_EQ(out.status, 1);
        EXPECT_TRUE(Contains(out.console, "\n\n          " + message + "\n")) << out.console;
        if (c.slot == ESlot::kReport) {
            EXPECT_FALSE(out.reportExists);
        } else {
            EXPECT_TRUE(Contains(out.report, "\n\n          " + message + "\n")) << out.report;
        }
        EXPECT_EQ(out.plot, "");
        EXPECT_EQ(ReadFile(dir.Path() / "P.qr7d"), project);
        EXPECT_EQ(ReadFile(dir.Path() / "P.cpt"), cpt);
    }
}

TEST(EngineFilePaths, NamesFileThatIsAFifoIsNotWaitedFor)
{
    TTempDir dir;
    WriteExample(dir);
    ASSERT_EQ(::mkfifo(dir.File("names.dat").c_str(), 0600), 0);
    TRunOutcome out;
    {
        const TWatchdog watchdog;
        out = RunIn(dir);
    }
    EXPECT_EQ(out.status, 1);
    EXPECT_TRUE(Contains(out.console,
                         "ERROR - THE HAND-OVER FILE \"" + dir.File("names.dat")
                             + "\" CANNOT BE READ: IT IS A FIFO, NOT A PLAIN FILE."))
        << out.console;
    EXPECT_FALSE(out.reportExists);
}

} // namespace
