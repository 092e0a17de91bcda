#include "report/OutputFile.h"

#include <cerrno>
#include <streambuf>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

class TOutputFile::TBuffer : public std::streambuf
{
public:
    TBuffer()
        : m_data(kSize)
    {
        setp(m_data.data(), m_data.data() + m_data.size());
    }
    ~TBuffer() override { Close(); }
    TBuffer(const TBuffer&) = delete;
    TBuffer& operator=(const TBuffer&) = delete;

    bool Open(const std::string& path)
    {
        m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (m_fd < 0) {
            m_error = errno;
            return false;
        }
        m_error = 0;
        return true;
    }
    bool IsOpen() const { return m_fd >= 0; }

    bool Close()
    {
        if (m_fd < 0) {
            return true; // never opened: its caller has reported that
        }
        Drain();
        if (::close(m_fd) != 0 && m_error == 0) {
            m_error = errno;
        }
        m_fd = -1;
        return m_error == 0;
    }

    int Error() const { return m_error; }

protected:
    int_type overflow(int_type c) override
    {
        if (!Drain()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return Drain() ? 0 : -1; }

private:
    static constexpr std::size_t kSize = 64 * 1024;

    // Writes the buffered bytes; the first failure is kept and the rest is dropped.
    bool Drain()
    {
        const char* from = pbase();
        const char* const to = pptr();
        setp(m_data.data(), m_data.data() + m_data.size());
        if (m_error != 0 || m_fd < 0) {
            if (m_error == 0) {
                m_error = EBADF;
            }
            return false;
        }
        while (from < to) {
            const ssize_t written = ::write(m_fd, from, static_cast<std::size_t>(to - from));
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                m_error = errno;
                return false;
            }
            from += written;
        }
        return true;
    }

    std::vector<char> m_data;
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
    const int error = m_buffer->Error();
    return error != 0 ? std::error_code(error, std::generic_category()).message() : std::string();
}
