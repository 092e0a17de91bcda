#pragma once

#include <ostream>
#include <string>
#include <string_view>

// Text gathered in memory and written whole at the end of the run: the plot data's parts.
class TTextBuffer
{
public:
    void Append(std::string_view text) { Reserve().append(text); }
    void Append(const char* data, std::size_t size) { Reserve().append(data, size); }
    TTextBuffer& operator<<(std::string_view text)
    {
        Reserve().append(text);
        return *this;
    }
    TTextBuffer& operator<<(const std::string& text)
    {
        Reserve().append(text);
        return *this;
    }
    TTextBuffer& operator<<(const char* text)
    {
        Reserve().append(text);
        return *this;
    }
    TTextBuffer& operator<<(char c)
    {
        Reserve().push_back(c);
        return *this;
    }
    const std::string& str() const { return m_text; }

private:
    // Room for the largest run's part at the first write, so the text never moves as it grows;
    // the system hands out the memory as it is written.
    std::string& Reserve()
    {
        if (m_text.capacity() < kInitialSize) {
            m_text.reserve(kInitialSize);
        }
        return m_text;
    }
    static constexpr std::size_t kInitialSize = 1024 * 1024;
    std::string m_text;
};

// The streams of one run. The report is written as the run goes. The plot data is gathered in
// memory and written whole at the end of the run: its header counts the capacity blocks that
// were really written, and a run that stops early leaves the file empty.
struct TRunIo
{
    std::ostream& report;
    std::ostream& console;
    TTextBuffer capacityRows; // plot data: the capacity blocks, in table order
    TTextBuffer plotTail;     // plot data after the capacity blocks (curves, solver)
    int capacityBlocks = 0;   // blocks in capacityRows
};
