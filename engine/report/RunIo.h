#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "report/OutputFile.h"
#include "report/TextRoom.h"

// Text of the plot data: gathered in memory until it is sent to its file, and from then on
// passed to the file as it is written, so that it never gathers more than the file's buffer.
class TTextBuffer
{
public:
    void Append(std::string_view text)
    {
        if (m_file != nullptr) {
            m_file->Put(text);
        } else {
            m_text.Append(text);
        }
    }
    void Append(const char* data, std::size_t size) { Append(std::string_view(data, size)); }
    TTextBuffer& operator<<(std::string_view text)
    {
        Append(text);
        return *this;
    }
    TTextBuffer& operator<<(const std::string& text)
    {
        Append(text);
        return *this;
    }
    TTextBuffer& operator<<(const char* text)
    {
        Append(std::string_view(text));
        return *this;
    }
    TTextBuffer& operator<<(char c)
    {
        Append(std::string_view(&c, 1));
        return *this;
    }
    // Room for n characters, to write a line in place; Commit keeps what was written up to end.
    char* Room(std::size_t n) { return m_file != nullptr ? m_file->Room(n) : m_text.Room(n); }
    void Commit(const char* end)
    {
        if (m_file != nullptr) {
            m_file->Commit(end);
        } else {
            m_text.Commit(end);
        }
    }

    // What is gathered, all of the text until it is sent.
    std::string_view View() const { return m_text.View(); }
    // Room for this many characters in all, before they are gathered.
    void Reserve(std::size_t size) { m_text.Reserve(size); }

    // What is gathered goes to the file, and so does every later append.
    void SendTo(TOutputFile& file)
    {
        file.Put(m_text.View());
        m_text.Release();
        m_file = &file;
    }

private:
    TTextRoom m_text;
    TOutputFile* m_file = nullptr;
};

// The streams of one run. The report is written as the run goes. The plot data's capacity
// blocks are gathered until the last table is written, because its header counts the blocks
// that were really written; then the header and the blocks go to the file, and the rest of the
// plot data follows as it is written. A run that stops early leaves the file empty.
struct TRunIo
{
    std::ostream& report;
    std::ostream& console;
    TTextBuffer capacityRows; // plot data: the capacity blocks, in table order
    TTextBuffer plotTail;     // plot data after the capacity blocks (curves, solver), sent on
    int capacityBlocks = 0;   // blocks in capacityRows
};
