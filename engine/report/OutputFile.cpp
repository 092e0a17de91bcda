#include "report/OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <streambuf>
#include <string>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include "input/PlainFile.h"
#include "report/TextRoom.h"

namespace {

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

// A regular file (or one that does not exist yet) is written without a name, or under a name of
// its own beside it, and then put in place of the old one, never truncated and rewritten where
// it lies: a reader never meets it half written, and the file system has no truncated file to
// flush. Its text goes out whenever a piece of kPiece characters is gathered, so a large report
// passes through one small buffer that stays in the cache. A link to a plain file is written
// through, whole at the close, as it always was; anything else (a FIFO, a device, a folder) is
// refused.
class TOutputFile::TBuffer : public std::streambuf
{
public:
    TBuffer() = default;
    ~TBuffer() override { Close(); }
    TBuffer(const TBuffer&) = delete;
    TBuffer& operator=(const TBuffer&) = delete;

    bool Open(const std::string& path)
    {
        m_path = path;
        m_error = 0;
        m_text.Clear();
        m_text.Reserve(kPiece);
        struct stat st
        {};
        const bool exists = ::lstat(path.c_str(), &st) == 0;
        m_replace = !exists || S_ISREG(st.st_mode);
        m_refusal.clear();
        if (!m_replace) {
            // A link is written through to the plain file it names; anything else there (a
            // FIFO, a device, a folder) is refused without waiting for it.
            const TPlainFile file = OpenPlainFile(path, O_WRONLY | O_CREAT);
            m_fd = file.fd;
            errno = file.error;
            if (!file.notPlain.empty()) {
                m_refusal = "IT IS " + file.notPlain + ", NOT A PLAIN FILE";
                m_error = EINVAL;
                return false;
            }
            if (m_fd >= 0 && ::ftruncate(m_fd, 0) != 0) {
                m_error = errno;
                ::close(m_fd);
                m_fd = -1;
                return false;
            }
        } else {
            // Created with the mode a new file gets; a file it replaces keeps its own. A file
            // without a name, where the file system makes one, leaves nothing behind a run
            // that is killed; else a name of its own beside the file, where the process id
            // keeps two processes apart and a name left by a run that never ended takes the
            // next one.
            const std::string folder = FolderOf(path).empty() ? std::string(".") : FolderOf(path);
            m_fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            m_unnamed = m_fd >= 0;
            const bool noUnnamed =
                !m_unnamed && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL);
            for (int attempt = 0; noUnnamed && attempt < 100; ++attempt) {
                m_temporary = FolderOf(path) + "." + NameOf(path) + "." + std::to_string(::getpid())
                              + "." + std::to_string(attempt) + ".tmp";
                m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
                if (m_fd >= 0 || errno != EEXIST) {
                    break;
                }
            }
            if (m_fd >= 0 && exists) {
                ::fchmod(m_fd, st.st_mode & 07777);
            }
        }
        if (m_fd < 0) {
            m_error = errno;
            return false;
        }
        return true;
    }
    bool IsOpen() const { return m_fd >= 0; }

    bool Close()
    {
        if (m_fd < 0) {
            return true; // never opened: its caller has reported that
        }
        Drain();
        if (m_unnamed) {
            return CloseUnnamed();
        }
        if (::close(m_fd) != 0 && m_error == 0) {
            m_error = errno;
        }
        m_fd = -1;
        if (m_replace) {
            // The old file goes first, so the new one takes its name without the file system
            // flushing a replaced file; the name is absent for that moment, never half written.
            // A file whose write failed takes its place too: the old one's results must not
            // stand beside the message of this run, which names the file and the reason.
            bool placed = false;
            if (::unlink(m_path.c_str()) == 0 || errno == ENOENT) {
                placed = ::rename(m_temporary.c_str(), m_path.c_str()) == 0;
            }
            if (!placed) {
                if (m_error == 0) {
                    m_error = errno;
                }
                ::unlink(m_temporary.c_str());
            }
        }
        return m_error == 0;
    }

    int Error() const { return m_error; }
    // Why a path that is no plain file was not opened; empty otherwise.
    const std::string& Refusal() const { return m_refusal; }

    // The file without a name takes the path: the old file goes first, as above, then the new
    // one is linked in its place.
    bool CloseUnnamed()
    {
        bool placed = false;
        if (::unlink(m_path.c_str()) == 0 || errno == ENOENT) {
            const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
            placed =
                ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, m_path.c_str(), AT_SYMLINK_FOLLOW) == 0
                || ::linkat(m_fd, "", AT_FDCWD, m_path.c_str(), AT_EMPTY_PATH) == 0;
        }
        if (!placed && m_error == 0) {
            m_error = errno;
        }
        if (::close(m_fd) != 0 && m_error == 0) {
            m_error = errno;
        }
        m_fd = -1;
        return m_error == 0;
    }

    // Gathers the text, or writes it now together with what is gathered when a piece is full;
    // a file that goes out whole gathers everything.
    void Put(std::string_view text)
    {
        if (m_fd < 0 && m_error == 0) {
            m_error = EBADF;
        }
        if (m_error != 0) {
            return;
        }
        if (m_replace && m_text.Size() + text.size() >= kPiece) {
            Write(m_text.View(), text);
            m_text.Clear();
        } else {
            m_text.Append(text);
        }
    }

    // Room for n characters in place, after what is gathered; a full piece goes out first.
    char* Room(std::size_t n)
    {
        if (m_fd < 0 && m_error == 0) {
            m_error = EBADF;
        }
        if (m_error == 0 && m_replace && m_text.Size() + n > kPiece) {
            Write(m_text.View(), {});
            m_text.Clear();
        }
        return m_text.Room(n);
    }
    void Commit(const char* end)
    {
        if (m_error == 0) {
            m_text.Commit(end);
        }
    }

    // Drops what was written: the file without a name, or of a temporary name, is emptied
    // before it takes its place. A file written where it is has had nothing written yet.
    void Abandon()
    {
        m_text.Clear();
        if (m_fd >= 0 && m_replace && m_error == 0
            && (::ftruncate(m_fd, 0) != 0 || ::lseek(m_fd, 0, SEEK_SET) != 0)) {
            m_error = errno;
        }
    }

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        Put({s, static_cast<std::size_t>(n)});
        return m_error == 0 ? n : 0;
    }
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof())) {
            return traits_type::not_eof(c);
        }
        const char ch = traits_type::to_char_type(c);
        return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
    }
    int sync() override { return Drain() ? 0 : -1; }

private:
    // The text gathered before it goes out: large enough that a run makes few writes, small
    // enough to stay in the cache.
    static constexpr std::size_t kPiece = 128 * 1024;

    // Writes what is gathered; the first failure is kept and the rest is dropped.
    bool Drain()
    {
        if (m_error != 0 || m_fd < 0) {
            if (m_error == 0) {
                m_error = EBADF;
            }
            m_text.Clear();
            return false;
        }
        Write(m_text.View(), {});
        m_text.Clear();
        return m_error == 0;
    }

    // first, then second, in one call as far as the system takes them.
    void Write(std::string_view first, std::string_view second)
    {
        iovec pieces[2] = {{const_cast<char*>(first.data()), first.size()},
                           {const_cast<char*>(second.data()), second.size()}};
        std::size_t next = 0;
        while (next < 2 && m_error == 0) {
            if (pieces[next].iov_len == 0) {
                ++next;
                continue;
            }
            const ssize_t written = ::writev(m_fd, pieces + next, static_cast<int>(2 - next));
            if (written < 0) {
                if (errno != EINTR) {
                    m_error = errno;
                }
                continue;
            }
            // Step over what went out, into a piece the system took part of.
            auto left = static_cast<std::size_t>(written);
            while (next < 2 && left >= pieces[next].iov_len) {
                left -= pieces[next].iov_len;
                ++next;
            }
            if (next < 2) {
                pieces[next].iov_base = static_cast<char*>(pieces[next].iov_base) + left;
                pieces[next].iov_len -= left;
            }
        }
    }

    TTextRoom m_text;
    std::string m_path;
    std::string m_temporary;
    std::string m_refusal;
    bool m_replace = false;
    bool m_unnamed = false; // made with O_TMPFILE: linked in place at the close
    int m_fd = -1;
    int m_error = 0;
};

TOutputFile::TOutputFile()
    : std::ostream(nullptr)
    , m_buffer(std::make_unique<TBuffer>())
{
    rdbuf(m_buffer.get());
}

TOutputFile::~TOutputFile()
{
    m_buffer->Close();
}

bool TOutputFile::Open(const std::string& path)
{
    m_path = path;
    if (!m_buffer->Open(path)) {
        setstate(std::ios::badbit);
        return false;
    }
    clear();
    return true;
}

void TOutputFile::Put(std::string_view text)
{
    m_buffer->Put(text);
}

char* TOutputFile::Room(std::size_t n)
{
    return m_buffer->Room(n);
}

void TOutputFile::Commit(const char* upTo)
{
    m_buffer->Commit(upTo);
}

void TOutputFile::Abandon()
{
    m_buffer->Abandon();
}

bool TOutputFile::IsOpen() const
{
    return m_buffer->IsOpen();
}

bool TOutputFile::Close()
{
    if (!m_buffer->Close()) {
        setstate(std::ios::badbit);
        return false;
    }
    return true;
}

void TOutputFile::Discard()
{
    if (!m_path.empty()) {
        // A device (or a file that went away) cannot be emptied; nothing more to do then.
        [[maybe_unused]] const int emptied = ::truncate(m_path.c_str(), 0);
    }
}

bool TOutputFile::Failed() const
{
    return m_buffer->Error() != 0;
}

std::string TOutputFile::Reason() const
{
    if (!m_buffer->Refusal().empty()) {
        return m_buffer->Refusal();
    }
    const int error = m_buffer->Error();
    return error != 0 ? std::error_code(error, std::generic_category()).message() : std::string();
}
