#include "ProjectLock.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
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
std::string Holder(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        return "another program";
    }
    char pid[32] = {};
    char host[256] = {};
    char program[256] = {};
    const int read = std::fscanf(file, "%31s %255s %255s", pid, host, program);
    std::fclose(file);
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

// Opens and locks the lock file; -1 with errno EWOULDBLOCK when another process holds it.
// The file must still be the one at the path once locked: a holder that was releasing it
// may have removed it meanwhile, and a lock on a removed file guards nothing.
int LockFile(const std::string& path)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            return -1;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return -1;
        }
        struct stat held = {};
        struct stat named = {};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0
            && held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            return fd;
        }
        ::close(fd);
    }
    errno = EAGAIN;
    return -1;
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
    const fs::path target(LinkTarget(path.lexically_normal().string()));
    std::string name = target.filename().string() + ".lock";
    // A project whose name is near the longest a file may have still gets a lock file: its
    // name is cut and made unique again by a hash of the whole name.
    constexpr std::size_t kLongestName = 255;
    if (name.size() > kLongestName) {
        const std::size_t hash = std::hash<std::string>{}(target.filename().string());
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016zx", hash);
        name = target.filename().string().substr(0, 200) + "-" + hex + ".lock";
    }
    return (target.parent_path() / name).string();
}

void RemoveStaleProjectLock(const std::string& projectFileName)
{
    const std::string path = ProjectLockFileName(projectFileName);
    std::error_code ec;
    if (HeldLocks().count(path) > 0 || !fs::exists(path, ec)) {
        return;
    }
    const int fd = LockFile(path);
    if (fd >= 0) {
        UnlockAndRemove(path, fd);
    }
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
        const int fd = LockFile(path);
        if (fd < 0) {
            const int error = errno;
            if (error == EWOULDBLOCK || error == EAGAIN) {
                m_message = "The project " + projectFileName + " is being saved or run by "
                            + Holder(path)
                            + ".\nNothing was saved or run; try again when it has finished.";
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
