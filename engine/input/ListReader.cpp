#include "input/ListReader.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "input/PlainFile.h"
#include "state/EngineErrors.h"

namespace {

// No project, CPT or hand-over file comes near this; a larger file is refused before it is
// read into memory.
constexpr off_t kMaxFileBytes = 64LL * 1024 * 1024;

struct TFdCloser
{
    explicit TFdCloser(int file)
        : fd(file)
    {}
    int fd;
    ~TFdCloser() { ::close(fd); }
    TFdCloser(const TFdCloser&) = delete;
    TFdCloser& operator=(const TFdCloser&) = delete;
};

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',';
}

std::string Quote(std::string_view word)
{
    constexpr std::size_t kShown = 40;
    std::string shown;
    for (char c : word.substr(0, kShown)) {
        const auto u = static_cast<unsigned char>(c);
        shown += (u < 32 || u > 126) ? '?' : c;
    }
    if (word.size() > kShown) {
        shown += "...";
    }
    return "\"" + shown + "\"";
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// 10^0 to 10^22, each exact in a double.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;

// The numbers of the project and CPT files: at most 15 significant digits and a power of ten of
// at most 22 in size. Both are exact in a double, so one multiplication or division rounds the
// number as the full conversion does (Clinger, "How to read floating point numbers
// accurately", 1990). False for any other word, which the full conversion then reads. The word
// comes without its leading "+"; the conversion's own minus sign may follow.
bool ReadShortReal(std::string_view word, double& value)
{
    constexpr int kMaxDigits = 15; // below 2^53
    std::size_t i = 0;
    const std::size_t n = word.size();
    const bool negative = n > 0 && word[0] == '-';
    i += negative ? 1 : 0;
    std::uint64_t mantissa = 0;
    int significant = 0;
    int digits = 0;
    int scale = 0;
    const auto take = [&](char c) {
        ++digits;
        if (mantissa != 0 || c != '0') {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            ++significant;
        }
    };
    for (; i < n && IsDigit(word[i]) && significant < kMaxDigits; ++i) {
        take(word[i]);
    }
    if (i < n && word[i] == '.') {
        for (++i; i < n && IsDigit(word[i]) && significant < kMaxDigits; ++i) {
            take(word[i]);
            --scale;
        }
    }
    if (digits == 0 || (i < n && IsDigit(word[i]))) {
        return false;
    }
    int exponent = 0;
    if (i < n && (word[i] == 'e' || word[i] == 'E' || word[i] == 'd' || word[i] == 'D')) {
        ++i;
        const bool negativeExponent = i < n && word[i] == '-';
        if (i < n && (word[i] == '+' || word[i] == '-')) {
            ++i;
        }
        int exponentDigits = 0;
        for (; i < n && IsDigit(word[i]) && exponentDigits < 4; ++i, ++exponentDigits) {
            exponent = exponent * 10 + (word[i] - '0');
        }
        if (exponentDigits == 0 || exponentDigits == 4) {
            return false;
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    const int power = scale + exponent;
    if (i != n || power < -kMaxExactPower || power > kMaxExactPower) {
        return false;
    }
    const auto digitsValue = static_cast<double>(mantissa);
    const double magnitude =
        power >= 0 ? digitsValue * kExactPowers[power] : digitsValue / kExactPowers[-power];
    value = negative ? -magnitude : magnitude;
    return true;
}

} // namespace

bool ParseInteger(std::string_view word, int& value)
{
    if (!word.empty() && word.front() == '+') {
        word.remove_prefix(1);
    }
    if (word.empty()) {
        return false;
    }
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool ParseReal(std::string_view word, double& value)
{
    if (!word.empty() && word.front() == '+') {
        word.remove_prefix(1);
    }
    if (word.empty() || word.size() > 64) {
        return false;
    }
    if (ReadShortReal(word, value)) {
        return true;
    }
    // Fortran writes double-precision exponents with D; from_chars takes no letters for
    // infinity or NaN as numbers here.
    char text[64];
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = word[i];
        if (c == 'i' || c == 'I' || c == 'n' || c == 'N') {
            return false;
        }
        text[i] = (c == 'D' || c == 'd') ? 'E' : c;
    }
    const char* end = text + word.size();
    auto [ptr, ec] = std::from_chars(text, end, value, std::chars_format::general);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

TListReader::TListReader(const std::string& path, const std::string& what)
    : m_path(path)
    , m_what(what)
{
    const TPlainFile file = OpenPlainFile(path, O_RDONLY);
    if (!file.notPlain.empty()) {
        throw EEngineInputError("ERROR - THE " + m_what + " \"" + path + "\" CANNOT BE READ: IT IS "
                                + file.notPlain + ", NOT A PLAIN FILE.");
    }
    if (file.fd < 0) {
        throw EEngineInputError("ERROR - THE " + m_what + " \"" + path + "\" CANNOT BE OPENED.");
    }
    const TFdCloser closer{file.fd};
    const auto unusable = [&] {
        return EEngineInputError("ERROR - THE " + m_what + " \"" + path
                                 + "\" CANNOT BE READ (NOT A TEXT FILE OF A USABLE SIZE).");
    };
    struct stat st
    {};
    if (::fstat(file.fd, &st) != 0) {
        throw EEngineInputError("ERROR - THE " + m_what + " \"" + path + "\" CANNOT BE READ.");
    }
    if (st.st_size < 0 || st.st_size > kMaxFileBytes) {
        throw unusable();
    }
    // Read to its end, which a file that grows meanwhile may put past the limit.
    m_text.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == m_text.size()) {
            if (m_text.size() > static_cast<std::size_t>(kMaxFileBytes)) {
                throw unusable();
            }
            m_text.resize(m_text.size() * 2);
        }
        const ssize_t got = ::read(file.fd, m_text.data() + filled, m_text.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw EEngineInputError("ERROR - THE " + m_what + " \"" + path + "\" CANNOT BE READ.");
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    if (filled > static_cast<std::size_t>(kMaxFileBytes)) {
        throw unusable();
    }
    m_text.resize(filled);
    SplitLines(m_text);
}

TListReader::TListReader(std::string_view text, const std::string& path, const std::string& what)
    : m_path(path)
    , m_what(what)
    , m_text(text)
{
    SplitLines(m_text);
}

void TListReader::SplitLines(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        m_lines.push_back(line);
        start = end + 1;
    }
}

void TListReader::Fail(int line, int position, const std::string& detail) const
{
    std::string where = "ERROR IN " + m_what + " \"" + m_path + "\", LINE " + std::to_string(line);
    if (position > 0) {
        where += ", ITEM " + std::to_string(position);
    }
    throw EEngineInputError(where + ": " + detail);
}

std::string TListReader::ReadText(std::size_t maxChars, const char* itemName)
{
    std::string line;
    if (!TryReadText(line)) {
        Fail(NextLine(), 0, std::string("THE FILE ENDS BEFORE ") + itemName + ".");
    }
    if (maxChars > 0 && line.size() > maxChars) {
        line.resize(maxChars);
    }
    return line;
}

bool TListReader::TryReadText(std::string& line)
{
    if (m_next >= static_cast<int>(m_lines.size())) {
        return false;
    }
    line = std::string(m_lines[static_cast<std::size_t>(m_next)]);
    ++m_next;
    return true;
}

void TListReader::TakeItems(std::size_t count, const char* itemNames)
{
    std::vector<TItem>& items = m_last;
    items.clear();
    while (items.size() < count) {
        if (m_next >= static_cast<int>(m_lines.size())) {
            Fail(NextLine(),
                 static_cast<int>(items.size()) + 1,
                 std::string("THE FILE ENDS BEFORE ALL OF ") + itemNames + " WERE READ.");
        }
        const std::string_view line = m_lines[static_cast<std::size_t>(m_next)];
        const int lineNo = m_next + 1;
        ++m_next;
        std::size_t pos = 0;
        int position = 0;
        while (items.size() < count) {
            while (pos < line.size() && IsSeparator(line[pos])) {
                ++pos;
            }
            if (pos >= line.size()) {
                break;
            }
            std::size_t end = pos;
            while (end < line.size() && !IsSeparator(line[end])) {
                ++end;
            }
            ++position;
            items.push_back({line.substr(pos, end - pos), lineNo, position});
            pos = end;
        }
        // The rest of this line, if any, is dropped: the next statement starts a new line.
    }
}

void TListReader::Refuse(int position, const std::string& detail) const
{
    if (position >= 1 && position <= static_cast<int>(m_last.size())) {
        const TItem& item = m_last[static_cast<std::size_t>(position - 1)];
        Fail(item.line, item.position, detail);
    }
    Fail(m_next, 0, detail);
}

void TListReader::Read(std::initializer_list<TTarget> targets, const char* itemNames)
{
    TakeItems(targets.size(), itemNames);
    const std::vector<TItem>& items = m_last;
    std::size_t k = 0;
    for (const TTarget& target : targets) {
        const TItem& item = items[k++];
        if (target.integer != nullptr && !ParseInteger(item.word, *target.integer)) {
            Fail(item.line,
                 item.position,
                 Quote(item.word) + " IS NOT AN INTEGER (" + itemNames + ").");
        }
        if (target.real != nullptr && !ParseReal(item.word, *target.real)) {
            Fail(item.line,
                 item.position,
                 Quote(item.word) + " IS NOT A NUMBER (" + itemNames + ").");
        }
        // No quantity of a pile or its soil comes near this; beyond it the formulas overflow
        // to infinity and NaN and print them as results.
        if (target.real != nullptr && std::abs(*target.real) > kLargestInputValue) {
            Fail(item.line,
                 item.position,
                 Quote(item.word) + " IS LARGER THAN 1.0E+15 IN SIZE (" + itemNames + ").");
        }
    }
}
