#include "support/TWordReader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <memory>
#include <system_error>
#include <utility>

#include <sys/stat.h>

#include "entry/TExpressionNumber.h"

namespace {

constexpr std::string_view kMessageIncomplete = TWordReader::kIncompleteText;
constexpr std::string_view kMessageFloat = "A floating point number was expected but not found.";
constexpr std::string_view kMessageInteger = "An integer was expected but not found.";
constexpr std::string_view kMessageEmptyLine = "An item was expected but the line is empty.";

// Blanks, tabs and the other control characters, as trimming sees them.
bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t';
}

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string ErrnoText(int error)
{
    return std::error_code(error, std::generic_category()).message();
}

std::string ReadWholeFile(const std::string& fileName)
{
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        throw EInOutError("Cannot open file \"" + fileName + "\": " + ErrnoText(errno));
    }
    std::string content;
    // Room for the whole file at once where its size is known, so the text is not moved as
    // it grows; the reading below stays the judge of the size and of errors.
    struct stat st
    {};
    if (::fstat(::fileno(file.get()), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0
        && static_cast<std::uintmax_t>(st.st_size) <= TWordReader::kMaxFileSize) {
        content.reserve(static_cast<std::size_t>(st.st_size));
    }
    char buffer[65536];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        if (got > 0) {
            if (content.size() + got > TWordReader::kMaxFileSize) {
                throw EInOutError("Cannot read file \"" + fileName
                                  + "\": it is larger than 64 MiB.");
            }
            content.append(buffer, got);
        }
        if (got < sizeof buffer) {
            if (std::ferror(file.get())) {
                throw EInOutError("Cannot read file \"" + fileName + "\": " + ErrnoText(errno));
            }
            break;
        }
    }
    return content;
}

} // namespace

TWordReader::TWordReader(const std::string& fileName)
    : TWordReader(ReadWholeFile(fileName), fileName)
{}

TWordReader TWordReader::FromText(std::string_view text, std::string name)
{
    return TWordReader(std::string(text), std::move(name));
}

TWordReader::TWordReader(std::string content, std::string name)
    : m_fileName(std::move(name))
    , m_content(std::move(content))
{
    // The file is read line by line, each line stored before the end is tested: an empty file
    // holds one empty line, and a last line without its LF still counts.
    if (m_content.empty()) {
        m_lineCount = 1;
    } else {
        m_lineCount =
            static_cast<std::size_t>(std::count(m_content.begin(), m_content.end(), '\n'));
        if (m_content.back() != '\n') {
            ++m_lineCount;
        }
    }
    LoadLine();
}

void TWordReader::LoadLine()
{
    m_wordIndex = 0;
    if (m_lineIndex >= m_lineCount) {
        m_lineEnd = m_wordsBegin = m_wordsEnd = m_cursor = m_nextLineBegin = m_lineBegin;
        return;
    }
    const std::size_t lineFeed = m_content.find('\n', m_lineBegin);
    const std::size_t end = lineFeed == std::string::npos ? m_content.size() : lineFeed;
    m_nextLineBegin = lineFeed == std::string::npos ? m_content.size() : lineFeed + 1;
    m_lineEnd = end;
    if (m_lineEnd > m_lineBegin && m_content[m_lineEnd - 1] == '\r') {
        --m_lineEnd;
    }

    std::size_t begin = m_lineBegin;
    std::size_t wordsEnd = m_lineEnd;
    while (begin < wordsEnd && IsTrimmed(m_content[begin])) {
        ++begin;
    }
    while (wordsEnd > begin && IsTrimmed(m_content[wordsEnd - 1])) {
        --wordsEnd;
    }
    // Each word ends at the first blank or tab; after the separator the rest is trimmed at
    // its left, so the cursor always stands on a word or at the end: the line is used up
    // exactly when the cursor reaches the end of its words.
    m_wordsBegin = m_cursor = begin;
    m_wordsEnd = wordsEnd;
}

bool TWordReader::Eof() const
{
    return m_lineIndex >= m_lineCount;
}

int TWordReader::WordCount() const
{
    // Counted when asked: most readers never ask, and the words are found again as they are
    // read.
    int count = 0;
    for (std::size_t pos = m_wordsBegin; pos < m_wordsEnd;) {
        ++count;
        while (pos < m_wordsEnd && !IsSeparator(m_content[pos])) {
            ++pos;
        }
        while (pos < m_wordsEnd && IsTrimmed(m_content[pos])) {
            ++pos;
        }
    }
    return count;
}

std::string TWordReader::ReadWord()
{
    return std::string(NextWord());
}

std::string_view TWordReader::NextWord()
{
    if (m_lineIndex < m_lineCount && m_cursor == m_wordsEnd) {
        ++m_lineIndex;
        m_lineBegin = m_nextLineBegin;
        LoadLine();
    }
    if (m_lineIndex >= m_lineCount) {
        throw EInOutError(std::string(kMessageIncomplete));
    }
    if (m_cursor == m_wordsEnd) {
        // A line without words inside the data: report it where it is rather than skip it,
        // since the files' line grouping carries meaning.
        std::string message = "Error on Line " + std::to_string(m_lineIndex + 1) + " Item 1\r";
        message += kMessageEmptyLine;
        throw EInOutError(message);
    }
    const std::size_t begin = m_cursor;
    std::size_t end = begin;
    while (end < m_wordsEnd && !IsSeparator(m_content[end])) {
        ++end;
    }
    std::size_t next = end;
    while (next < m_wordsEnd && IsTrimmed(m_content[next])) {
        ++next;
    }
    m_cursor = next;
    ++m_wordIndex;
    return std::string_view(m_content).substr(begin, end - begin);
}

void TWordReader::FailItem(std::string_view what) const
{
    std::string message = "Error on Line " + std::to_string(m_lineIndex + 1) + " Item "
                          + std::to_string(m_wordIndex) + "\r";
    message += what;
    throw EInOutError(message);
}

long double TWordReader::ReadFloat()
{
    const std::string_view word = NextWord();
    long double value = 0;
    if (!DecimalText::ReadShort(word, value)
        && DecimalText::Read(word, value) != DecimalText::TReadResult::Ok) {
        FailItem(kMessageFloat);
    }
    return value;
}

std::int32_t TWordReader::ReadInteger()
{
    const std::string_view word = NextWord();
    long double value = 0;
    if (DecimalText::Read(word, value) != DecimalText::TReadResult::Ok || value != std::trunc(value)
        || value < -2147483648.0L || value > 2147483647.0L) {
        FailItem(kMessageInteger);
    }
    return static_cast<std::int32_t>(value);
}

std::string TWordReader::ReadLine()
{
    if (m_lineIndex >= m_lineCount) {
        throw EInOutError(std::string(kMessageIncomplete));
    }
    std::string text = m_content.substr(m_lineBegin, m_lineEnd - m_lineBegin);
    ++m_lineIndex;
    m_lineBegin = m_nextLineBegin;
    LoadLine();
    return text;
}
