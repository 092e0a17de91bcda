#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "support/Exception.h"

// The component-stream value encoding in which the grid tables keep their column
// definitions (the stored property "Col" of the window resources). Each value starts with
// one type byte; multi-byte numbers are little-endian.
enum class TValueType : std::uint8_t
{
    vaNull = 0, // list end
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5, // 80-bit x87 extended: 64-bit mantissa, then sign and 15-bit exponent
    vaString = 6,   // one length byte, then the bytes
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12, // 32-bit length, then the bytes
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18, // 32-bit count of UTF-16 code units, then the units
    vaInt64 = 19,
    vaUTF8String = 20, // 32-bit length, then UTF-8 bytes
    vaDouble = 21,
};

// A stream that does not hold the value asked for, or ends early.
class EReadError : public Exception
{
public:
    using Exception::Exception;
};

// Reads values from a byte buffer that it does not own. Every read checks the bytes left,
// so a damaged stream raises EReadError and never reads past its end.
class TGridValueReader
{
public:
    TGridValueReader(const std::uint8_t* data, std::size_t size);
    explicit TGridValueReader(const std::vector<std::uint8_t>& bytes);
    explicit TGridValueReader(std::vector<std::uint8_t>&&) = delete; // would dangle

    TValueType NextValue() const; // the type of the next value, without taking it
    std::int32_t ReadInteger();   // vaInt8, vaInt16 or vaInt32
    long double ReadFloat();      // vaExtended (also vaDouble, vaSingle and integers)
    bool ReadBoolean();           // vaFalse or vaTrue
    std::string ReadString();     // vaString, vaLString, vaUTF8String, vaWString (as UTF-8)
    void ReadListBegin();
    void ReadListEnd();
    bool EndOfList() const; // the next value is the list end

    std::size_t Position() const { return m_pos; }
    std::size_t Size() const { return m_size; }
    bool AtEnd() const { return m_pos >= m_size; }

private:
    TValueType ReadValueType();
    const std::uint8_t* Take(std::size_t count);
    std::uint32_t ReadLength();
    [[noreturn]] void Fail(const std::string& what) const;

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Appends values to a byte buffer in the same encoding, always in the shortest form the
// encoding's own writers use (smallest integer type, vaString up to 255 bytes).
class TGridValueWriter
{
public:
    void WriteInteger(std::int32_t value);
    void WriteFloat(long double value); // vaExtended
    void WriteBoolean(bool value);
    void WriteString(const std::string& value);
    void WriteListBegin();
    void WriteListEnd();

    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

private:
    void Put(TValueType type);
    void PutLE(std::uint64_t value, int byteCount);

    std::vector<std::uint8_t> m_bytes;
};

// The 80-bit extended layout of vaExtended, independent of the host's long double.
void EncodeExtended(long double value, std::uint8_t out[10]);
long double DecodeExtended(const std::uint8_t in[10]);
