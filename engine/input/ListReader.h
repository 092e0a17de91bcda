#pragma once

#include <string>
#include <string_view>
#include <vector>

// The engine's one free-format reader over a whole text file. Each read is one statement:
// it starts at the next unread line, takes as many lines as its items need, and drops the
// rest of the last line it used. Items are separated by blanks, tabs or commas; lines may
// end in CR LF or LF. Every failure raises EEngineInputError with the file's name, the line
// and the item (its position on that line) that could not be read.
class TListReader
{
public:
    // Reads the whole file; a file that cannot be opened or read raises EEngineInputError.
    // what names the file in messages ("INPUT FILE"), path is the file itself.
    TListReader(const std::string& path, const std::string& what);
    // Reads from text already in memory (tests, and files read by other means).
    TListReader(std::string_view text, const std::string& path, const std::string& what);

    // One line as text, cut to maxChars (0 = whole); a missing line is an error.
    std::string ReadText(std::size_t maxChars, const char* itemName);
    // One line as text; false at the end of the file.
    bool TryReadText(std::string& line);

    // Where one item of a statement goes: an integer or a real.
    struct TTarget
    {
        TTarget(int* target)
            : integer(target)
        {}
        TTarget(double* target)
            : real(target)
        {}
        int* integer = nullptr;
        double* real = nullptr;
    };
    // One statement of items, in order; itemNames labels them in error messages.
    void Read(std::initializer_list<TTarget> targets, const char* itemNames);

    // Raises EEngineInputError for an item of the last statement read: a value that was read
    // but cannot be used (position counts the items of the statement from 1).
    [[noreturn]] void Refuse(int position, const std::string& detail) const;

    // Next line number to be read (1-based).
    int NextLine() const { return m_next + 1; }
    const std::string& Path() const { return m_path; }

private:
    struct TItem
    {
        std::string_view word;
        int line = 0;
        int position = 0;
    };
    void SplitLines(std::string_view text);
    // Takes count items for one statement into m_last (its room kept from one statement to
    // the next); drops the rest of the last line.
    void TakeItems(std::size_t count, const char* itemNames);
    [[noreturn]] void Fail(int line, int position, const std::string& detail) const;

    std::string m_path;
    std::string m_what;
    std::string m_text;
    std::vector<std::string_view> m_lines;
    int m_next = 0;
    std::vector<TItem> m_last; // items of the last statement
};

// Largest size of a real the reader takes; a larger one is refused with its line and item.
inline constexpr double kLargestInputValue = 1.0e15;

// Parses one free-format number; false when the word is not one.
bool ParseInteger(std::string_view word, int& value);
bool ParseReal(std::string_view word, double& value);
