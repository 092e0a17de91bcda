#include "grid/GridValueStream.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

std::uint64_t GetLE(const std::uint8_t* p, int byteCount)
{
    std::uint64_t v = 0;
    for (int i = byteCount - 1; i >= 0; --i) {
        v = (v << 8) | p[i];
    }
    return v;
}

void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

void EncodeExtended(long double value, std::uint8_t out[10])
{
    std::uint64_t mantissa = 0;
    std::uint32_t exponent = 0;
    const bool negative = std::signbit(value);
    if (std::isnan(value)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ULL;
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ULL;
    } else if (value != 0.0L) {
        int exp2 = 0;
        const long double fraction = std::frexp(std::fabs(value), &exp2); // [0.5, 1)
        const int biased = exp2 - 1 + 16383;
        if (biased >= 0x7FFF) {
            exponent = 0x7FFF;
            mantissa = 0x8000000000000000ULL;
        } else if (biased <= 0) {
            // Below the normal range: the denormal form with exponent field 0.
            mantissa = static_cast<std::uint64_t>(std::ldexp(std::fabs(value), 16382 + 63));
        } else {
            exponent = static_cast<std::uint32_t>(biased);
            mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
        }
    }
    for (int i = 0; i < 8; ++i) {
        out[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    }
    const std::uint32_t top = exponent | (negative ? 0x8000u : 0u);
    out[8] = static_cast<std::uint8_t>(top & 0xFF);
    out[9] = static_cast<std::uint8_t>(top >> 8);
}

long double DecodeExtended(const std::uint8_t in[10])
{
    const std::uint64_t mantissa = GetLE(in, 8);
    const std::uint32_t top = static_cast<std::uint32_t>(GetLE(in + 8, 2));
    const bool negative = (top & 0x8000u) != 0;
    const int exponent = static_cast<int>(top & 0x7FFFu);
    long double value;
    if (exponent == 0x7FFF) {
        value = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                     : std::numeric_limits<long double>::quiet_NaN();
    } else {
        const int scale = (exponent == 0 ? 1 : exponent) - 16383 - 63;
        value = std::ldexp(static_cast<long double>(mantissa), scale);
    }
    return negative ? -value : value;
}

TGridValueReader::TGridValueReader(const std::uint8_t* data, std::size_t size)
    : m_data(data)
    , m_size(data == nullptr ? 0 : size)
{}

TGridValueReader::TGridValueReader(const std::vector<std::uint8_t>& bytes)
    : TGridValueReader(bytes.data(), bytes.size())
{}

void TGridValueReader::Fail(const std::string& what) const
{
    throw EReadError("Stream read error at byte " + std::to_string(m_pos) + ": " + what);
}

const std::uint8_t* TGridValueReader::Take(std::size_t count)
{
    if (count > m_size - m_pos) {
        Fail("the stream ends early");
    }
    const std::uint8_t* p = m_data + m_pos;
    m_pos += count;
    return p;
}

TValueType TGridValueReader::NextValue() const
{
    if (m_pos >= m_size) {
        Fail("the stream ends early");
    }
    return static_cast<TValueType>(m_data[m_pos]);
}

TValueType TGridValueReader::ReadValueType()
{
    return static_cast<TValueType>(*Take(1));
}

std::uint32_t TGridValueReader::ReadLength()
{
    return static_cast<std::uint32_t>(GetLE(Take(4), 4));
}

std::int32_t TGridValueReader::ReadInteger()
{
    const std::size_t start = m_pos;
    switch (ReadValueType()) {
    case TValueType::vaInt8:
        return static_cast<std::int8_t>(*Take(1));
    case TValueType::vaInt16:
        return static_cast<std::int16_t>(GetLE(Take(2), 2));
    case TValueType::vaInt32:
        return static_cast<std::int32_t>(GetLE(Take(4), 4));
    default:
        m_pos = start;
        Fail("an integer value was expected");
    }
}

long double TGridValueReader::ReadFloat()
{
    long double value = 0;
    switch (NextValue()) {
    case TValueType::vaExtended:
        Take(1);
        value = DecodeExtended(Take(10));
        break;
    case TValueType::vaDouble: {
        Take(1);
        const std::uint64_t bits = GetLE(Take(8), 8);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        value = d;
        break;
    }
    case TValueType::vaSingle: {
        Take(1);
        const std::uint32_t bits = static_cast<std::uint32_t>(GetLE(Take(4), 4));
        float f;
        std::memcpy(&f, &bits, sizeof f);
        value = f;
        break;
    }
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
        return ReadInteger();
    default:
        Fail("a real value was expected");
    }
    if (!std::isfinite(value)) {
        m_pos -= 1; // report the value's own position
        Fail("the real value is not a finite number");
    }
    return value;
}

bool TGridValueReader::ReadBoolean()
{
    switch (NextValue()) {
    case TValueType::vaFalse:
        Take(1);
        return false;
    case TValueType::vaTrue:
        Take(1);
        return true;
    default:
        Fail("a Boolean value was expected");
    }
}

std::string TGridValueReader::ReadString()
{
    switch (NextValue()) {
    case TValueType::vaString: {
        Take(1);
        const std::size_t length = *Take(1);
        const auto* p = Take(length);
        return std::string(reinterpret_cast<const char*>(p), length);
    }
    case TValueType::vaLString:
    case TValueType::vaUTF8String: {
        Take(1);
        const std::size_t length = ReadLength();
        const auto* p = Take(length);
        return std::string(reinterpret_cast<const char*>(p), length);
    }
    case TValueType::vaWString: {
        Take(1);
        const std::size_t units = ReadLength();
        if (units > (m_size - m_pos) / 2) {
            Fail("the stream ends early");
        }
        const auto* p = Take(units * 2);
        std::string out;
        for (std::size_t i = 0; i < units; ++i) {
            std::uint32_t cp = static_cast<std::uint32_t>(GetLE(p + 2 * i, 2));
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units) {
                const auto low = static_cast<std::uint32_t>(GetLE(p + 2 * (i + 1), 2));
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
            if (cp >= 0xD800 && cp <= 0xDFFF) {
                cp = 0xFFFD; // a lone surrogate
            }
            AppendUtf8(out, cp);
        }
        return out;
    }
    default:
        Fail("a string value was expected");
    }
}

void TGridValueReader::ReadListBegin()
{
    if (NextValue() != TValueType::vaList) {
        Fail("a list was expected");
    }
    Take(1);
}

void TGridValueReader::ReadListEnd()
{
    if (NextValue() != TValueType::vaNull) {
        Fail("the end of a list was expected");
    }
    Take(1);
}

bool TGridValueReader::EndOfList() const
{
    return NextValue() == TValueType::vaNull;
}

void TGridValueWriter::Put(TValueType type)
{
    m_bytes.push_back(static_cast<std::uint8_t>(type));
}

void TGridValueWriter::PutLE(std::uint64_t value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i) {
        m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void TGridValueWriter::WriteInteger(std::int32_t value)
{
    if (value >= -128 && value <= 127) {
        Put(TValueType::vaInt8);
        PutLE(static_cast<std::uint8_t>(value), 1);
    } else if (value >= -32768 && value <= 32767) {
        Put(TValueType::vaInt16);
        PutLE(static_cast<std::uint16_t>(value), 2);
    } else {
        Put(TValueType::vaInt32);
        PutLE(static_cast<std::uint32_t>(value), 4);
    }
}

void TGridValueWriter::WriteFloat(long double value)
{
    Put(TValueType::vaExtended);
    std::uint8_t raw[10];
    EncodeExtended(value, raw);
    m_bytes.insert(m_bytes.end(), raw, raw + 10);
}

void TGridValueWriter::WriteBoolean(bool value)
{
    Put(value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TGridValueWriter::WriteString(const std::string& value)
{
    if (value.size() <= 255) {
        Put(TValueType::vaString);
        PutLE(value.size(), 1);
    } else {
        Put(TValueType::vaLString);
        PutLE(value.size(), 4);
    }
    m_bytes.insert(m_bytes.end(), value.begin(), value.end());
}

void TGridValueWriter::WriteListBegin()
{
    Put(TValueType::vaList);
}

void TGridValueWriter::WriteListEnd()
{
    Put(TValueType::vaNull);
}
