#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/TWordReader.h"

class TProgramData;
class TProjectTables;
class TGraphPlot;

// The project file in its three layouts and the CPT side file beside it. Only the current
// layout is written; the engine reads the same file at every run.
enum class ProjectLayout
{
    Qr7d = 1, // current
    Qr6d = 2,
    Qrd = 3,
};

// The layout for a file name, by its extension without regard to case: ".qr6d" and ".qrd"
// name the older layouts, anything else the current one.
ProjectLayout LayoutForFileName(const std::string& fileName);

// The name to propose when saving: a name with an older layout's extension gets ".qr7d".
std::string ProposedSaveName(const std::string& fileName);

// The CPT side file of a project file: its path with the extension replaced by ".cpt".
std::string CptSideFileName(const std::string& projectFileName);

// What a project file was when this program last read or wrote it: which file it was (its
// device, inode, time of the last change and size) and what it held.
struct TProjectFileStamp
{
    std::string Path;   // empty: nothing known (a project never read or saved)
    bool Known = false; // a plain file stood at the path
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::uint64_t Size = 0;
    std::int64_t Modified = 0; // nanoseconds
    std::string Content;
};

// The project file at the path as it is now (links followed); read without waiting, and
// nothing known of a path that holds no plain file.
TProjectFileStamp StampProjectFile(const std::string& path);

// The file at the stamp's path is still the one stamped: the same file unchanged, another of
// the same content, or none at all (nothing is lost by writing it).
bool StillAsStamped(const TProjectFileStamp& stamp);

// A save refused because another program (a second window, quarn-run, an editor) changed the
// project file after this one read or wrote it; the message names the file.
class EProjectFileChanged : public EInOutError
{
public:
    using EInOutError::EInOutError;
};

// Writes data.FileName in the current layout and its CPT side file, under the project's lock
// (ProjectLock.h): a project another process saves or runs is refused with the lock's
// message. Every number is checked first as the readers will read it back: a value that is
// not finite, larger than 1E15 in size, or not 0 but smaller than 1E-307 in size
// (FileValues.h) stops the save with a message naming the field (for a table cell the
// table, row and column), and nothing is replaced, so a saved project can always be opened
// again. With a stamp of the same path that is no longer as stamped (StillAsStamped), the
// save is refused with EProjectFileChanged; after a save the stamp is of the file written.
// Both files go to temporary files (SafeFile.h) and are renamed into place only
// when both are on the disk, the CPT side file first, so a failed save leaves the previous
// files as they were; while the renames are under way the marker UnfinishedSaveMarker stands
// beside the project, so an open after a cut between them warns that the two files are of
// different saves. Symbolic links to the two files are written through and the files' modes
// kept; the marker is never written through a link.
// Before writing, the held values are brought in
// line with what is written: a print interval or increment of 0 becomes 1, a circular
// pile's tip area 0, and the user unit skin friction and end bearing of sand and clay rows
// 0 unless the user-specified method is chosen for capacity or load-settlement. Sets
// CptFileName and CptPointCount. Raises EInOutError with a message naming the file when
// the save fails.
void SaveProjectFile(TProgramData& data,
                     TProjectTables& tables,
                     const TGraphPlot* cptProfile,
                     TProjectFileStamp* stamp = nullptr);

// Stands beside a project while its save replaces the two files: "<project file>.unfinished~"
// (its name shortened as BesideName does where the project's is near the longest). It names
// the project file and, by their identity on the disk, the two new files, so that an open
// after a cut can tell whether the save stopped between them and find them.
std::string UnfinishedSaveMarker(const std::string& projectFileName);
inline constexpr const char* kUnfinishedSaveSuffix = ".unfinished~";

// What a marker says: the project file's name (empty when the marker does not name it) and
// the identities ("device:inode") of the two new files of its save. Nothing when no marker
// of the program's stands at the path (a link, a FIFO, a folder are none).
struct TUnfinishedSave
{
    std::string ProjectName;
    std::string CptIdentity;
    std::string ProjectIdentity;
};
std::optional<TUnfinishedSave> ReadUnfinishedSaveMarker(const std::string& markerPath);

// "device:inode" of the file at the path (links followed), or "none".
std::string FileIdentity(const std::string& path);

// The marker stands and says the CPT side file is the new one while the project file is
// not: a save was cut between its two renames.
bool SaveCutBetweenItsFiles(const std::string& projectFileName);

// The same, for the run's SaveProject callable: false and the message instead of raising.
bool TrySaveProjectFile(TProgramData& data,
                        TProjectTables& tables,
                        const TGraphPlot* cptProfile,
                        std::string& message);

// Reads a project file in the layout of its extension, and the CPT points from its CPT side
// file when that exists. The file is read completely before anything is replaced: on
// success data, tables and the CPT profile hold the project (FileName set, tables with at
// least their MinRows rows, changed flags cleared); on failure EInOutError is raised with
// the reader's message ("Error on Line n Item m..." and the like, and the file) and nothing
// is touched. A value the engine would refuse (1E309, more than 1E15 in size, a pile type
// or load-settlement method out of range, an odd soil-row count) is refused at its line and
// item. Answers the notes to show the user when the project opened but not quite as saved:
// no CPT side file, one holding more points than its count, a save cut between its renames.
std::vector<std::string> OpenProjectFile(const std::string& fileName,
                                         TProgramData& data,
                                         TProjectTables& tables,
                                         TGraphPlot* cptProfile);

// The same, with the layout given.
std::vector<std::string> OpenProjectFile(const std::string& fileName,
                                         ProjectLayout layout,
                                         TProgramData& data,
                                         TProjectTables& tables,
                                         TGraphPlot* cptProfile);
