#pragma once

// Holds a project's lock in a child process until killed, as a second program window or
// quarn-run would while it saves or runs the project.
#include <csignal>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "ProjectLock.h"

// Holds a project's lock in a child process until killed, as a second program would.
class TLockHolder
{
public:
    explicit TLockHolder(const std::string& project)
    {
        int ready[2];
        if (::pipe(ready) != 0) {
            return;
        }
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            TProjectLock lock;
            const char answer = lock.Acquire(project) ? '1' : '0';
            [[maybe_unused]] const ssize_t n = ::write(ready[1], &answer, 1);
            for (;;) {
                ::pause();
            }
        }
        ::close(ready[1]);
        char answer = '0';
        m_locked = ::read(ready[0], &answer, 1) == 1 && answer == '1';
        ::close(ready[0]);
    }
    ~TLockHolder() { Kill(); }
    TLockHolder(const TLockHolder&) = delete;
    TLockHolder& operator=(const TLockHolder&) = delete;

    bool Locked() const { return m_locked; }
    pid_t Pid() const { return m_pid; }
    // As a kill would end it: the lock file stays behind.
    void Kill()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

private:
    pid_t m_pid = -1;
    bool m_locked = false;
};
