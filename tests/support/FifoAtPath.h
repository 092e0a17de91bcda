#pragma once

// A FIFO at a path, for the length of a scope, that can never hold a test for ever: while it
// stands, a helper thread keeps trying to open its writing end without waiting, which succeeds
// only once a reader has opened the FIFO and is waiting in its open or read, and then closes
// it again, so that reader meets the end of the data at once. Code that refuses a FIFO never
// opens it in a way that waits; Opened() says whether anything did.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class TFifoAtPath
{
public:
    explicit TFifoAtPath(std::string path)
        : m_path(std::move(path))
    {
        m_made = ::mkfifo(m_path.c_str(), 0600) == 0;
        m_thread = std::thread([this] {
            while (!m_stop) {
                const int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    ::close(fd);
                    m_opened = true;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    ~TFifoAtPath()
    {
        m_stop = true;
        m_thread.join();
        ::unlink(m_path.c_str());
    }
    TFifoAtPath(const TFifoAtPath&) = delete;
    TFifoAtPath& operator=(const TFifoAtPath&) = delete;

    bool Made() const { return m_made; }
    // A reader opened the FIFO and waited for a writer.
    bool Opened() const { return m_opened; }

private:
    std::string m_path;
    bool m_made = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_opened{false};
    std::thread m_thread;
};
