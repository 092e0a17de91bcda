#include "ProjectLock.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "SafeFile.h"

namespace fs = std::filesystem;

namespace {

struct THeldLock
{
    int fd = -1;
    int users = 0;
};

// The locks this process holds, by lock file: the one GUI thread (or quarn-run) takes each
// lock once and counts who shares it.
std::map<std::string, THeldLock>& HeldLocks()
{
    static std::map<std::string, THeldLock> locks;
    return locks;
}

std::string ErrnoText(int error)
{
    return std::error_code(error, std::generic_category()).message();
}

std::string HostName()
{
    char name[256] = {};
    return ::gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string();
}

std::string ProgramName()
{
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).filename().string();
}

// Who holds the lock, as its file says: "quarn-run (process 123 on host)".
std::string Holder(const std::string& text)
{
    char pid[32] = {};
    char host[256] = {};
    char program[256] = {};
    const int read = std::sscanf(text.c_str(), "%31s %255s %255s", pid, host, program);
    if (read < 1) {
        return "another program";
    }
    std::string who = read >= 3 ? std::string(program) : std::string("a program");
    who += " (process " + std::string(pid);
    if (read >= 2) {
        who += " on " + std::string(host);
    }
    return who + ")";
}

// Longest text a lock file of the program holds: a process id, a host and a program name.
constexpr std::size_t kLongestHolderText = 600;

std::string FileText(int fd)
{
    std::string text(kLongestHolderText, '\0');
    const ssize_t n = ::pread(fd, text.data(), text.size(), 0);
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

// What the program writes into a lock file (or nothing yet, when its writer was killed
// before it wrote): the holder's process id on the first line.
bool HolderText(const std::string& text)
{
    if (text.empty()) {
        return true;
    }
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        ++digits;
    }
    return digits > 0 && (digits == text.size() || text[digits] == '\n');
}

struct TLockOpen
{
    int fd = -1;
    int error = 0;
    std::string holder; // who holds it, when another process does
};

// Opens and locks the lock file; fd -1 with error EWOULDBLOCK and the holder when another
// process holds it. Only a plain file of one name is a lock file: a link, a second name of
// another file, a FIFO or a device at the path is not the program's, and never opened or
// written: its name is removed (what it names stays as it is) and a lock file made in its
// place. A plain file that does not read as a lock file (a user's own) is refused. The file
// must still be the one at the path once locked: a holder that was releasing it may have
// removed it meanwhile, and a lock on a removed file guards nothing.
TLockOpen LockFile(const std::string& path)
{
    TLockOpen result;
    for (int attempt = 0; attempt < 10; ++attempt) {
        struct stat named = {};
        if (::lstat(path.c_str(), &named) == 0
            && !(S_ISREG(named.st_mode) && named.st_nlink == 1)) {
            if (S_ISDIR(named.st_mode)) {
                result.error = EISDIR;
                return result;
            }
            if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
                result.error = errno;
                return result;
            }
            continue;
        }
        const int fd = ::open(path.c_str(),
                              O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                              0666);
        if (fd < 0) {
            if (errno == ELOOP || errno == ENXIO) {
                continue; // replaced by a link or a socket meanwhile: looked at again
            }
            result.error = errno;
            return result;
        }
        struct stat held = {};
        if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode) || held.st_nlink != 1) {
            ::close(fd);
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            result.error = errno;
            if (result.error == EWOULDBLOCK) {
                result.holder = Holder(FileText(fd));
            }
            ::close(fd);
            return result;
        }
        if (::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev
            && held.st_ino == named.st_ino) {
            if (!HolderText(FileText(fd))) {
                ::close(fd);
                result.error = EEXIST;
                return result;
            }
            result.fd = fd;
            return result;
        }
        ::close(fd);
    }
    result.error = EAGAIN;
    return result;
}

void WriteHolder(int fd)
{
    const std::string text =
        std::to_string(::getpid()) + "\n" + HostName() + "\n" + ProgramName() + "\n";
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(fd, text.data(), text.size(), 0);
    }
}

// Removes the file while still holding it, so that no one locks a file on its way out.
void UnlockAndRemove(const std::string& path, int fd)
{
    ::unlink(path.c_str());
    ::close(fd);
}

} // namespace

std::string ProjectLockFileName(const std::string& projectFileName)
{
    std::error_code ec;
    fs::path path = fs::absolute(fs::path(projectFileName), ec);
    if (ec) {
        path = projectFileName;
    }
    // A project whose name is near the longest a file may have still gets a lock file: its
    // name is cut and made unique again by a hash of the whole name.
    return BesideName(LinkTarget(path.lexically_normal().string()), kLockSuffix);
}

bool RemoveUnheldLockFile(const std::string& lockFilePath)
{
    const TLockOpen lock = LockFile(lockFilePath);
    if (lock.fd < 0) {
        return false;
    }
    UnlockAndRemove(lockFilePath, lock.fd);
    return true;
}

TProjectLock::~TProjectLock()
{
    Release();
}

bool TProjectLock::Acquire(const std::string& projectFileName)
{
    const std::string path = ProjectLockFileName(projectFileName);
    if (path == m_lockFile) {
        return true;
    }
    Release();
    m_message.clear();
    auto& locks = HeldLocks();
    auto held = locks.find(path);
    if (held == locks.end()) {
        const TLockOpen opened = LockFile(path);
        const int fd = opened.fd;
        if (fd < 0) {
            const int error = opened.error;
            if (error == EWOULDBLOCK || error == EAGAIN) {
                m_message =
                    "The project " + projectFileName + " is being saved or run by "
                    + (opened.holder.empty() ? std::string("another program") : opened.holder)
                    + ".\nNothing was saved or run; try again when it has finished.";
            } else if (error == EEXIST) {
                m_message = "The project " + projectFileName
                            + " cannot be locked for saving: the file " + path
                            + " is in the way and is not a lock file of this program. Please "
                              "move it away.";
            } else {
                m_message = "The project " + projectFileName
                            + " cannot be locked for saving: the lock file " + path
                            + " cannot be made (" + ErrnoText(error) + ").";
            }
            return false;
        }
        WriteHolder(fd);
        held = locks.emplace(path, THeldLock{fd, 0}).first;
    }
    ++held->second.users;
    m_lockFile = path;
    return true;
}

void TProjectLock::Release()
{
    if (m_lockFile.empty()) {
        return;
    }
    auto& locks = HeldLocks();
    const auto held = locks.find(m_lockFile);
    if (held != locks.end() && --held->second.users == 0) {
        UnlockAndRemove(m_lockFile, held->second.fd);
        locks.erase(held);
    }
    m_lockFile.clear();
}
