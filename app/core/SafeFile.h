#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "support/TWordReader.h"

// A failed safe write: the message names the file; Reason() is the part after the name
// ("the data could not be written (No space left on device)").
class ESafeFileError : public EInOutError
{
public:
    ESafeFileError(const std::string& message, std::string reason)
        : EInOutError(message)
        , m_reason(std::move(reason))
    {}
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_reason;
};

// Replaces one file whole, so that no reader, kill or full disk ever meets it half written:
// the new content goes to a temporary file beside the target, is flushed to the disk, and
// is renamed over the target only when complete. A target that is a symbolic link is written
// through: the file it names is replaced and the link stays. The permission bits of the file
// replaced are kept (its owner and group too, where the system allows); a new file gets the
// mode a newly created file gets under the umask.
//
// The temporary file is named "<target's name>.saving~<process id>-XXXXXX", unique per save,
// so that two saves never share one and a stale one (its process gone) can be told apart
// and removed (StaleFiles.h). Failures raise ESafeFileError naming the target and the
// system's reason; the temporary file is removed when the object goes without Commit.
class TSafeFile
{
public:
    // Resolves the target and creates the temporary file beside it.
    explicit TSafeFile(const std::string& path);
    ~TSafeFile();
    TSafeFile(const TSafeFile&) = delete;
    TSafeFile& operator=(const TSafeFile&) = delete;

    // Writes the whole content to the temporary file.
    void Write(std::string_view text);
    // Gives the temporary file the target's mode and flushes it to the disk. Files replaced
    // together are all flushed before the first is renamed.
    void Flush();
    // Flushes when not done yet and renames the temporary file over the target; then flushes
    // the folder, so the rename survives a power cut as well. Files renamed together flush
    // the folder with the last one only, so the renames follow each other closely.
    void Commit(bool flushFolder = true);

    // The file really replaced (symbolic links followed).
    const std::string& Target() const { return m_target; }
    // Where the content goes until Commit; writers that need a file name (a workbook
    // library) may write it there themselves instead of calling Write.
    const std::string& TemporaryPath() const { return m_temporary; }

private:
    [[noreturn]] void Fail(const std::string& what, int error) const;

    std::string m_path;
    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    bool m_flushed = false;
    bool m_committed = false;
};

// The file a path names, through any chain of symbolic links; the path itself when it names
// no link (or nothing yet).
std::string LinkTarget(const std::string& path);

// Marks the temporary files of TSafeFile: "<name>.saving~<pid>-XXXXXX".
inline constexpr std::string_view kSafeFileMarker = ".saving~";

// The whole text as the file at `path`, through a TSafeFile.
void WriteFileSafely(const std::string& path, std::string_view text);
