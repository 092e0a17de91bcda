#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/Exception.h"

// Every failure of the word reader: a file that can't be opened or read, the end of the data,
// a word of the wrong kind. Callers catch this one class and show its message.
class EInOutError : public Exception
{
public:
    using Exception::Exception;
};

// Reads a whole text file at once and hands it out word by word, as typed values, in file
// order; there is no way back. Lines end with LF or CR LF. Words are runs of characters other
// than blank and tab; control characters at the ends of a line or before a word are dropped.
//
// A line is left lazily: after its last word has been read the reader still stands on it
// (WordCount and ReadLine still see it); the next read moves on to the following line, at
// most one line per read, so line grouping in a file is kept: a read that lands on a line
// without words fails with the line and item instead of skipping it.
//
// Numbers are read with "." as the decimal point whatever the process locale is.
//
// Messages (n = 1-based line of the word, m = 1-based position of the word on its line):
//   "This file either invalid or incomplete."                      past the end of the data
//   "Error on Line n Item m\rA floating point number was expected but not found."
//   "Error on Line n Item m\rAn integer was expected but not found."
//   "Error on Line n Item 1\rAn item was expected but the line is empty."
// The message text holds no file name; callers that show it may add one (FileName()).
class TWordReader
{
public:
    // Files larger than this are refused (the program's files are some thousands of lines).
    static constexpr std::size_t kMaxFileSize = 64u * 1024u * 1024u;
    // The message of a read past the end of the data.
    static constexpr const char* kIncompleteText = "This file either invalid or incomplete.";

    // Reads the whole file. Raises EInOutError naming the file when it can't be opened or
    // read, or is larger than kMaxFileSize. An empty file holds one empty line.
    explicit TWordReader(const std::string& fileName);

    // A reader over text already in memory; `name` is kept for FileName().
    static TWordReader FromText(std::string_view text, std::string name = {});

    // True when the reader stands past the last line.
    bool Eof() const;

    // Number of words on the line the reader stands on (0 past the end).
    int WordCount() const;

    // The next word (see the class comment for how lines are left).
    std::string ReadWord();

    // The next word as a decimal number: optional sign, digits with at most one ".", optional
    // exponent. A value beyond the extended range is refused; one too small becomes 0.
    long double ReadFloat();

    // The next word as a whole number within -2147483648..2147483647; the word is read as a
    // decimal number ("7", "-3", "1E3", "4.0" are accepted; "2.5" is not).
    std::int32_t ReadInteger();

    // The raw text of the current line (without its line end); the reader then stands on the
    // following line, word 0. Past the end it raises "This file either invalid or incomplete.".
    std::string ReadLine();

    // 1-based number of the line the reader stands on, and the number of lines.
    int LineNumber() const { return static_cast<int>(m_lineIndex) + 1; }
    // 1-based position on that line of the word read last (0 before the first).
    int ItemNumber() const { return static_cast<int>(m_wordIndex); }
    int LineCount() const { return static_cast<int>(m_lineCount); }

    const std::string& FileName() const { return m_fileName; }

private:
    TWordReader(std::string content, std::string name);

    void LoadLine();
    // The next word as ReadWord takes it, in place in the text.
    std::string_view NextWord();
    [[noreturn]] void FailItem(std::string_view what) const;

    std::string m_fileName;
    std::string m_content;
    std::size_t m_lineCount = 0;
    // The current line: its index, its place in m_content (line end excluded, a CR before the
    // LF removed), where its words begin and end (control characters at both ends excluded).
    std::size_t m_lineIndex = 0;
    std::size_t m_lineBegin = 0;
    std::size_t m_lineEnd = 0;
    std::size_t m_nextLineBegin = 0;
    std::size_t m_wordsBegin = 0;
    std::size_t m_wordsEnd = 0;
    // The next word: its 0-based index on the line and where the search for it starts.
    std::size_t m_wordIndex = 0;
    std::size_t m_cursor = 0;
};
