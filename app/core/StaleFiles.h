#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What a killed or crashed run or save leaves behind, found and removed when the program
// starts (the run folders), when it opens a project (that project's files) and when quarn-run
// starts (both):
// - run folders in the temporary folder, "quarn-run-<process id>-XXXXXX", whose process is
//   gone, and those of the older name "quarn-run-XXXXXX" older than a day; only real folders
//   of this user's own (never a link);
// - a save cut after both its new files were whole on the disk, as its marker
//   "<file>.unfinished~" names them: at a name with no project file (a Save As, a first save)
//   the save is completed; beside an older project file its project file (with its CPT side
//   file) is kept as "<name> (unfinished save <date and time>).qr7d". Either way a note says
//   so. This covers the project opened and every name in its folder that has a marker but no
//   project file; a marker that has nothing more to tell goes;
// - beside each project named: the temporary files of its saves ("<file>.saving~<process
//   id>-XXXXXX", the name shortened as BesideName does where it is near the longest, and the
//   older fixed "<file>.saving~") for the project file, its CPT side file and its GRLWEAP
//   file, and the engine's report and plot-data temporaries (".<file>.<process id>.<n>.tmp",
//   where the file system makes no file without a name). Saves and runs happen under the
//   project's lock, so these are removed while that lock can be taken (no save of the
//   project is under way anywhere), whatever their process, or when older than a day; a lock
//   left by a gone process goes with them. The older GRLWEAP temporaries "<name>.gwi.XXXXXX"
//   go when a day old and their suffix is one mkstemp makes (a capital and a digit), so a
//   user's "P.gwi.backup" stays; so do the chart pictures' "<name>.bmp.XXXXXX" and
//   "<name>.png.XXXXXX" (QSaveFile's, where the file system makes no file without a name),
//   when a day old and their suffix mixes capitals with other letters or digits;
// - beside each project, any other temporary file of a save or of the engine (a spreadsheet
//   export, results of another project) whose process is gone, or that is older than a day,
//   except the new files a marker names; and the lock files of other names of a project
//   (a Save As cut short) that no process holds.
// Links at these names are removed themselves, never followed.
struct TStaleFiles
{
    std::vector<std::filesystem::path> Removed;
    // What the user is told: a cut save completed or kept, and where.
    std::vector<std::string> Notes;
};

TStaleFiles RemoveStaleFiles(const std::vector<std::string>& projectFiles);

// The same with the temporary folder given (tests).
TStaleFiles RemoveStaleFiles(const std::vector<std::string>& projectFiles,
                             const std::filesystem::path& temporaryFolder);
