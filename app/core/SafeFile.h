#pragma once

#include <optional>
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

// What a safe write does with a symbolic link at its path.
enum class ELinkRule
{
    // The file the link names is replaced and the link stays: a project and its CPT side file
    // kept behind links (a shared folder, a versioned copy).
    WriteThrough,
    // The link itself is replaced by the new file, and what it names never changes: the names
    // the program gives its own files beside a project (the save marker, results it copies).
    ReplaceLink,
};

// Replaces one file whole, so that no reader, kill or full disk ever meets it half written:
// the new content goes to a temporary file beside the target, is flushed to the disk, and
// is renamed over the target only when complete. A target that is a symbolic link is written
// through or replaced, as the link rule says. The permission bits of the file replaced are
// kept (its owner and group too, where the system allows); a new file gets the mode a newly
// created file gets under the umask.
//
// The temporary file is named "<target's name>.saving~<process id>-XXXXXX", unique per save,
// so that two saves never share one and a stale one (its process gone) can be told apart
// and removed (StaleFiles.h); a target's name too long for that is cut (BesideName). Failures
// raise ESafeFileError naming the target and the system's reason; the temporary file is
// removed when the object goes without Commit.
class TSafeFile
{
public:
    // Resolves the target and creates the temporary file beside it.
    explicit TSafeFile(const std::string& path, ELinkRule links = ELinkRule::WriteThrough);
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
    ELinkRule m_links = ELinkRule::WriteThrough;
    int m_fd = -1;
    bool m_flushed = false;
    bool m_committed = false;
};

// The file a path names, through any chain of symbolic links; the path itself when it names
// no link (or nothing yet).
std::string LinkTarget(const std::string& path);

// Marks the temporary files of TSafeFile: "<name>.saving~<pid>-XXXXXX".
inline constexpr std::string_view kSafeFileMarker = ".saving~";
// Room the part after the name takes at most in a temporary file's name: the marker, a
// process id of up to 10 digits, "-" and 6 letters.
inline constexpr std::size_t kTemporarySuffixRoom = 25;

// The whole text as the file at `path`, through a TSafeFile.
void WriteFileSafely(const std::string& path,
                     std::string_view text,
                     ELinkRule links = ELinkRule::WriteThrough);

// The longest file name the folder's file system takes (255 where it cannot say).
std::size_t LongestFileName(const std::string& folder);

// A file name and the `room` characters the program adds to it (a suffix), within `longest`:
// the name itself when both fit, else its first part (at most 200 bytes, cut between
// characters) and "-" with a hash of the whole name, so that a name near the longest still
// has a lock, a marker and temporary files, each name still its own.
std::string ShortenedName(const std::string& name, std::size_t room, std::size_t longest);

// The path beside `file` named by its name (shortened for `room`, by default the suffix's
// length) followed by `suffix`.
std::string BesideName(const std::string& file, std::string_view suffix, std::size_t room = 0);

// The start of the temporary files' names of a safe write to `target` (no folder): the name,
// shortened where it must be, and the marker.
std::string TemporaryNamePrefix(const std::string& target);

// The content of a plain file of one name (no link, no FIFO, no second hard link), of at most
// `largest` bytes; nothing when the path holds anything else. Never waits.
std::optional<std::string> ReadPlainFile(const std::string& path, std::size_t largest);
