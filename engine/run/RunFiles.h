#pragma once

#include "state/RunState.h"

// The four files of a run must be four files: a report or plot data written over the project,
// the CPT file or each other would destroy an input or a result and still end with status 0.
// Paths are compared as the file system resolves them: an existing file by its device and
// inode (a link or a hard link to it, a relative or an absolute spelling all name it), a file
// not made yet by its resolved folder and name. An empty path names no file and is left to
// its open. Raises EEngineInputError naming both paths when two are one file.
void CheckRunFilesApart(const TFileNames& files);
