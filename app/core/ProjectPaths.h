#pragma once

#include <array>
#include <optional>
#include <string>

#include "ProjectFile.h"
#include "SafeFile.h"

// The names of a project's files, as the program finds, shows and opens them.

// Extensions of the current project file and of the files a run leaves beside it.
inline constexpr const char* kProjectExtension = ".qr7d";
inline constexpr const char* kReportExtension = ".qr7o";
inline constexpr const char* kPlotDataExtension = ".qr7p";
inline constexpr const char* kNotesExtension = ".qr7r";

// The file's extension, dot included, in lower case; empty when it has none.
std::string ExtensionOf(const std::string& path);
// The path with its extension replaced (or added).
std::string WithExtension(const std::string& path, const char* extension);
// A regular file stands at the path (an empty path is none).
bool FileExists(const std::string& path);

// One name per project file, however it was reached (relative, through "..", through a linked
// folder): the folder made canonical, the file keeping its own name.
std::string ProjectPath(const std::string& path);

// The file name for a caption: no folder; ".qr7" dropped (not ".qr7d"); first letter
// upper-cased when the name is longer than one character.
std::string DisplayName(const std::string& path);

// The layout a project named on the command line, dropped or picked from the recent list is
// opened in: the current one for ".qr7d", the older one for ".qr6d" (any case); none for any
// other name, which is not opened.
std::optional<ProjectLayout> LayoutOpenedByName(const std::string& path);
// The layout of the open dialog's filter: 1 the current, 2 ".qr6d", 3 and 4 ".qrd"; the
// current for anything else.
ProjectLayout LayoutOfFilter(int filterIndex);

// The result files of a run, by the project file's name: report, plot data, GRLWEAP file.
std::array<std::string, 3> ResultFilesOf(const std::string& projectFile);

// Copies a file beside the target and renames it into place, so the target is either the old
// file or the whole copy, with the old file's mode; a link at the target is written through
// or replaced as the rule says. Empty when done, else the system's reason.
std::string CopyWhole(const std::string& from,
                      const std::string& to,
                      ELinkRule links = ELinkRule::WriteThrough);
