#include "SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// As many links as the system follows itself.
constexpr int kMaxLinks = 40;

std::string ErrnoText(int error)
{
    return std::error_code(error, std::generic_category()).message();
}

} // namespace

std::string LinkTarget(const std::string& path)
{
    fs::path current(path);
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code ec;
        if (!fs::is_symlink(current, ec) || ec) {
            return current.string();
        }
        const fs::path next = fs::read_symlink(current, ec);
        if (ec) {
            return current.string();
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return current.string();
}

namespace {

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes the rename itself durable. Best effort: the file is in place already, and some file
// systems cannot flush a folder.
void SyncFolder(const std::string& file)
{
    const std::string folder = fs::path(file).parent_path().string();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::size_t LongestFileName(const std::string& folder)
{
    const long longest = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return longest > 0 ? static_cast<std::size_t>(longest) : 255;
}

std::string ShortenedName(const std::string& name, std::size_t room, std::size_t longest)
{
    if (name.size() + room <= longest) {
        return name;
    }
    constexpr std::size_t kHashRoom = 17; // "-" and 16 hexadecimal digits
    constexpr std::size_t kLongestKept = 200;
    std::size_t keep =
        longest > room + kHashRoom ? std::min(kLongestKept, longest - room - kHashRoom) : 1;
    // Never inside a character of several bytes: the cut name is still a name to show.
    while (keep > 0 && keep < name.size()
           && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016zx", std::hash<std::string>{}(name));
    return name.substr(0, keep) + "-" + hex;
}

std::string BesideName(const std::string& file, std::string_view suffix, std::size_t room)
{
    const fs::path path(file);
    const fs::path folder = path.parent_path();
    const std::string name = ShortenedName(path.filename().string(),
                                           room != 0 ? room : suffix.size(),
                                           LongestFileName(folder.string()));
    return (folder / (name + std::string(suffix))).string();
}

std::string TemporaryNamePrefix(const std::string& target)
{
    const fs::path path(target);
    return ShortenedName(path.filename().string(),
                         kTemporarySuffixRoom,
                         LongestFileName(path.parent_path().string()))
           + std::string(kSafeFileMarker);
}

std::optional<std::string> ReadPlainFile(const std::string& path, std::size_t largest)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info = {};
    std::optional<std::string> text;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1
        && static_cast<std::size_t>(info.st_size) <= largest) {
        text.emplace();
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0 || text->size() + static_cast<std::size_t>(n) > largest) {
                if (n != 0) {
                    text.reset();
                }
                break;
            }
            text->append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return text;
}

TSafeFile::TSafeFile(const std::string& path, ELinkRule links)
    : m_path(path)
    , m_target(links == ELinkRule::WriteThrough ? LinkTarget(path) : path)
    , m_links(links)
{
    const fs::path folder = fs::path(m_target).parent_path();
    std::string pattern =
        (folder / TemporaryNamePrefix(m_target)).string() + std::to_string(::getpid()) + "-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0) {
        Fail("no temporary file could be made beside it", errno);
    }
    m_temporary = name.data();
}

TSafeFile::~TSafeFile()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    if (!m_committed && !m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
    }
}

void TSafeFile::Fail(const std::string& what, int error) const
{
    std::string reason = what;
    if (error != 0) {
        reason += " (" + ErrnoText(error) + ")";
    }
    std::string message = "Cannot write file " + m_path;
    if (m_target != m_path) {
        message += " (" + m_target + ")";
    }
    throw ESafeFileError(message + ": " + reason, reason);
}

void TSafeFile::Write(std::string_view text)
{
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(m_fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail("the data could not be written", errno);
        }
        written += static_cast<std::size_t>(n);
    }
}

void TSafeFile::Flush()
{
    if (m_flushed) {
        return;
    }
    // A writer that wrote the temporary file by its name may have replaced it: flush what
    // the name holds now.
    const int fd = ::open(m_temporary.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        Fail("the data could not be written", errno);
    }
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    m_fd = fd;
    // A link replaced gives nothing: the file it names is not the one replaced.
    struct stat old = {};
    const int found = m_links == ELinkRule::WriteThrough ? ::stat(m_target.c_str(), &old)
                                                         : ::lstat(m_target.c_str(), &old);
    if (found == 0 && S_ISREG(old.st_mode)) {
        // Keeps a shared project's owner and group where allowed; the mode in any case.
        [[maybe_unused]] const int owned = ::fchown(m_fd, old.st_uid, old.st_gid);
        ::fchmod(m_fd, old.st_mode & 07777);
    } else {
        ::fchmod(m_fd, NewFileMode());
    }
    if (::fsync(m_fd) != 0) {
        Fail("the data could not be written to the disk", errno);
    }
    const int closed = ::close(m_fd) == 0 ? 0 : errno;
    m_fd = -1;
    if (closed != 0) {
        Fail("the data could not be written to the disk", closed);
    }
    m_flushed = true;
}

void TSafeFile::Commit(bool flushFolder)
{
    if (m_committed) {
        return;
    }
    Flush();
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        Fail("the file could not be replaced", errno);
    }
    m_committed = true;
    if (flushFolder) {
        SyncFolder(m_target);
    }
}

void WriteFileSafely(const std::string& path, std::string_view text, ELinkRule links)
{
    TSafeFile file(path, links);
    file.Write(text);
    file.Commit();
}
