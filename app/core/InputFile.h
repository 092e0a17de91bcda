#pragma once

#include <cstddef>
#include <limits>
#include <string>

#include "support/TWordReader.h"

// The files the program reads beside a project or by a name typed in a window (the project
// file, the CPT side file, a CPT data file) are read only where the path names a plain file,
// links followed, and never waited for: a FIFO would hold the open until another program
// wrote to it, and a folder or a device holds no such file.

// Why the path holds no plain file to read ("it does not exist", "it is a FIFO, not a plain
// file"); empty when it names one. Looks at the path only, opens nothing.
std::string NotPlainFileReason(const std::string& path);

// A word reader over the file's content, as TWordReader(fileName) reads it and with its
// messages; a path that names no plain file raises EInOutError "Cannot open file "<path>": it
// is a FIFO, not a plain file." (a folder, a device). At most the first `lines` lines are
// read: a reader that needs no more never takes in the rest of a large file.
TWordReader ReadInputFile(const std::string& fileName,
                          std::size_t lines = std::numeric_limits<std::size_t>::max());
