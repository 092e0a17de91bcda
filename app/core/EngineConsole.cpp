#include "EngineConsole.h"

#include <cstdio>
#include <iostream>
#include <sstream>

#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr std::size_t kMaxErrorLines = 10;

void FlushStandardOutput()
{
    std::cout.flush();
    std::fflush(stdout);
}

void WriteAll(int fd, const std::string& text)
{
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n <= 0) {
            return;
        }
        written += static_cast<std::size_t>(n);
    }
}

} // namespace

TEngineConsole::TEngineConsole()
{
    FlushStandardOutput();
    m_capture = ::memfd_create("quarn-engine-console", MFD_CLOEXEC);
    if (m_capture < 0) {
        return;
    }
    m_saved = ::dup(STDOUT_FILENO);
    if (m_saved < 0 || ::dup2(m_capture, STDOUT_FILENO) < 0) {
        if (m_saved >= 0) {
            ::close(m_saved);
            m_saved = -1;
        }
        ::close(m_capture);
        m_capture = -1;
    }
}

TEngineConsole::~TEngineConsole()
{
    Finish();
}

std::string TEngineConsole::Finish()
{
    if (m_capture < 0) {
        return {};
    }
    FlushStandardOutput();
    ::dup2(m_saved, STDOUT_FILENO);
    ::close(m_saved);
    m_saved = -1;
    std::string text;
    char buffer[8192];
    ::lseek(m_capture, 0, SEEK_SET);
    for (;;) {
        const ssize_t n = ::read(m_capture, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(m_capture);
    m_capture = -1;
    WriteAll(STDOUT_FILENO, text);
    return text;
}

std::vector<std::string> EngineErrorLines(const std::string& console)
{
    std::vector<std::string> lines;
    std::istringstream in(console);
    std::string line;
    while (std::getline(in, line)) {
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos) {
            continue;
        }
        std::string text = line.substr(first);
        while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) {
            text.pop_back();
        }
        // A message repeated line after line is said once; a long list is cut.
        const bool error = text.rfind("ERROR - ", 0) == 0 || text.rfind("ERROR IN ", 0) == 0;
        if (error && (lines.empty() || lines.back() != text) && lines.size() < kMaxErrorLines) {
            lines.push_back(text);
        }
    }
    return lines;
}
