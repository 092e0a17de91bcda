#pragma once

#include <string>

// The lock on a project for the length of a save, or of a whole run (save, checks, engine,
// results): a lock file "<project file>.lock" beside the project, held with the system's
// file lock (flock) while open, so that a second program window or a quarn-run on the same
// project is refused with a message instead of truncating the files under the first. The
// system drops the lock of a process that ends in any way (a kill, a crash), so a lock file
// left behind is simply taken over; it names its holder (process, machine, program) for the
// message. Within one process the lock is shared: a run that holds it saves without
// waiting for itself. Links to the project are followed, so two names of one project share
// its lock; a link (or anything but a plain file) at the lock file's own name is never
// written through: the link is removed and a lock file made in its place.
class TProjectLock
{
public:
    TProjectLock() = default;
    ~TProjectLock();
    TProjectLock(const TProjectLock&) = delete;
    TProjectLock& operator=(const TProjectLock&) = delete;

    // Takes the lock (releasing one held on another project first); false, with Message()
    // naming the project and who holds it, when another process holds it or no lock file
    // can be made beside the project.
    bool Acquire(const std::string& projectFileName);
    void Release();
    bool Held() const { return !m_lockFile.empty(); }
    const std::string& Message() const { return m_message; }

private:
    std::string m_lockFile;
    std::string m_message;
};

// The lock file of a project: beside the file the project's name leads to.
std::string ProjectLockFileName(const std::string& projectFileName);

// Removes the lock file at the path when it is one (a plain file holding a holder's text, or
// nothing) and no process holds it; true when removed.
bool RemoveUnheldLockFile(const std::string& lockFilePath);

// Ends the name of a lock file.
inline constexpr const char* kLockSuffix = ".lock";
