#include "InputFile.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ErrnoText(int error)
{
    return std::error_code(error, std::generic_category()).message();
}

// What a path holds that is not a plain file; empty for a plain file.
std::string KindText(mode_t mode)
{
    if (S_ISREG(mode)) {
        return {};
    }
    if (S_ISFIFO(mode)) {
        return "a FIFO";
    }
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "no file of a known kind";
}

[[noreturn]] void RefuseKind(const std::string& fileName, const std::string& kind)
{
    throw EInOutError("Cannot open file \"" + fileName + "\": it is " + kind
                      + ", not a plain file.");
}

class TDescriptor
{
public:
    explicit TDescriptor(int fd)
        : m_fd(fd)
    {}
    ~TDescriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

std::string NotPlainFileReason(const std::string& path)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0) {
        return errno == ENOENT ? "it does not exist" : ErrnoText(errno);
    }
    const std::string kind = KindText(info.st_mode);
    return kind.empty() ? std::string() : "it is " + kind + ", not a plain file";
}

TWordReader ReadInputFile(const std::string& fileName, std::size_t lines)
{
    struct stat info = {};
    if (::stat(fileName.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        RefuseKind(fileName, KindText(info.st_mode));
    }
    // Without waiting: a FIFO put at the path since opens at once and is refused below.
    const TDescriptor file(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0) {
        throw EInOutError("Cannot open file \"" + fileName + "\": " + ErrnoText(errno));
    }
    if (::fstat(file.Get(), &info) != 0) {
        throw EInOutError("Cannot read file \"" + fileName + "\": " + ErrnoText(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        RefuseKind(fileName, KindText(info.st_mode));
    }
    std::string content;
    if (lines == std::numeric_limits<std::size_t>::max() && info.st_size > 0
        && static_cast<std::uintmax_t>(info.st_size) <= TWordReader::kMaxFileSize) {
        content.reserve(static_cast<std::size_t>(info.st_size));
    }
    std::size_t lineEnds = 0;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw EInOutError("Cannot read file \"" + fileName + "\": " + ErrnoText(errno));
        }
        if (got == 0) {
            break;
        }
        const std::string_view piece(buffer, static_cast<std::size_t>(got));
        // Only the lines asked for are kept: the rest of the file is never read.
        std::size_t keep = piece.size();
        for (std::size_t i = 0; i < piece.size(); ++i) {
            if (piece[i] == '\n' && ++lineEnds == lines) {
                keep = i + 1;
                break;
            }
        }
        if (content.size() + keep > TWordReader::kMaxFileSize) {
            throw EInOutError("Cannot read file \"" + fileName + "\": it is larger than 64 MiB.");
        }
        content.append(piece.substr(0, keep));
        if (lineEnds == lines) {
            break;
        }
    }
    return TWordReader::FromText(content, fileName);
}
