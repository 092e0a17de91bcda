#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What a killed or crashed run or save leaves behind, found and removed when the program
// starts (the run folders), when it opens a project (that project's files) and when quarn-run
// starts (both):
// - run folders in the temporary folder, "quarn-run-<process id>-XXXXXX", whose process is
//   gone, and those of the older name "quarn-run-XXXXXX" older than a day;
// - beside each project named: the temporary files of its saves ("<file>.saving~<process
//   id>-XXXXXX", and the older fixed "<file>.saving~") for the project file, its CPT side
//   file and its GRLWEAP file. Saves happen under the project's lock, so these are removed
//   while that lock can be taken (no save of the project is under way anywhere), whatever
//   their process, or when older than a day; a lock left by a gone process goes with them.
//   The older GRLWEAP temporaries "<name>.gwi.XXXXXX" go when a day old and their suffix is
//   one mkstemp makes (a capital and a digit), so a user's "P.gwi.backup" stays;
// - beside each project, any other temporary file of a save ("*.saving~<id>-XXXXXX", a
//   spreadsheet export) whose process is gone, or that is older than a day.
// The marker of a save cut between its renames is never removed here: the next open shows it.
struct TStaleFiles
{
    std::vector<std::filesystem::path> Removed;
};

TStaleFiles RemoveStaleFiles(const std::vector<std::string>& projectFiles);

// The same with the temporary folder given (tests).
TStaleFiles RemoveStaleFiles(const std::vector<std::string>& projectFiles,
                             const std::filesystem::path& temporaryFolder);
