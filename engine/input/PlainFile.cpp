#include "input/PlainFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string NotPlainFileKind(mode_t mode)
{
    if (S_ISREG(mode)) {
        return {};
    }
    if (S_ISFIFO(mode)) {
        return "A FIFO";
    }
    if (S_ISDIR(mode)) {
        return "A FOLDER";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "A DEVICE";
    }
    if (S_ISSOCK(mode)) {
        return "A SOCKET";
    }
    return "NO FILE OF A KNOWN KIND";
}

TPlainFile OpenPlainFile(const std::string& path, int flags)
{
    TPlainFile result;
    struct stat st
    {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        result.notPlain = NotPlainFileKind(st.st_mode);
        return result;
    }
    // Without waiting: a FIFO put in its place since opens at once, or fails at once when it
    // is to be written and nobody reads it.
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        result.error = errno;
        if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
            result.notPlain = NotPlainFileKind(st.st_mode);
        }
        return result;
    }
    if (::fstat(fd, &st) != 0) {
        result.error = errno;
        ::close(fd);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.notPlain = NotPlainFileKind(st.st_mode);
        ::close(fd);
        return result;
    }
    // A plain file: reads and writes as ever.
    const int status = ::fcntl(fd, F_GETFL);
    if (status != -1) {
        ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
    }
    result.fd = fd;
    return result;
}
