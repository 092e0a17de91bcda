#pragma once

#include <string>

#include <sys/types.h>

// Opening the files of a run (names.dat, the project, the CPT side file, a report or plot data
// written through a link): only a plain file is opened, and never waited for. A FIFO would hold
// the run in its open until someone wrote to it or read from it; a device or a folder holds no
// file of the run.

// What a file that is not a plain file is, for a message ("A FIFO"); empty for a plain file.
std::string NotPlainFileKind(mode_t mode);

struct TPlainFile
{
    int fd = -1;          // the open file, or -1
    int error = 0;        // the system's error when the open failed
    std::string notPlain; // what the path is when it is not a plain file ("A FIFO")
};

// Opens path with flags (O_RDONLY, or O_WRONLY | O_CREAT for a file that may be made) when it
// is, or becomes, a plain file. Anything else is looked at, not opened; one put there in between
// is opened without waiting and closed again at once. The caller closes fd.
TPlainFile OpenPlainFile(const std::string& path, int flags);
