#pragma once

// Reads every member of a zip archive (such as an .xlsx workbook) into memory, so tests can
// look at what a writer produced. Stored and deflated members only; no zip64, no encryption.
// A damaged archive raises std::runtime_error; nothing is read past the file's end.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

#include <zlib.h>

namespace zipreader {

inline std::uint32_t Le(const std::string& data, std::size_t at, int bytes)
{
    if (at + static_cast<std::size_t>(bytes) > data.size()) {
        throw std::runtime_error("zip: field past the end of the archive");
    }
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(data[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

inline std::string Inflate(const std::string& packed, std::size_t expectedSize)
{
    std::string out(expectedSize, '\0');
    z_stream stream{};
    // Negative window bits: a raw deflate stream, as zip members hold it.
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        throw std::runtime_error("zip: inflateInit2 failed");
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&stream, Z_FINISH);
    const std::size_t produced = stream.total_out;
    inflateEnd(&stream);
    if (status != Z_STREAM_END || produced != expectedSize) {
        throw std::runtime_error("zip: a member does not inflate to its size");
    }
    return out;
}

// Member name -> contents.
inline std::map<std::string, std::string> ReadZip(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("zip: cannot open " + path);
    }
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    constexpr std::size_t kEndRecord = 22;
    constexpr std::size_t kMaxComment = 0xFFFF;
    if (data.size() < kEndRecord) {
        throw std::runtime_error("zip: too short: " + path);
    }
    // The end-of-central-directory record, searched back over a possible comment.
    std::size_t end = std::string::npos;
    const std::size_t lowest =
        data.size() > kEndRecord + kMaxComment ? data.size() - kEndRecord - kMaxComment : 0;
    for (std::size_t at = data.size() - kEndRecord + 1; at-- > lowest;) {
        if (Le(data, at, 4) == 0x06054b50u) {
            end = at;
            break;
        }
    }
    if (end == std::string::npos) {
        throw std::runtime_error("zip: no end record: " + path);
    }
    const std::uint32_t count = Le(data, end + 10, 2);
    std::size_t at = Le(data, end + 16, 4);
    std::map<std::string, std::string> members;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (Le(data, at, 4) != 0x02014b50u) {
            throw std::runtime_error("zip: bad central directory entry");
        }
        const std::uint32_t method = Le(data, at + 10, 2);
        const std::uint32_t packedSize = Le(data, at + 20, 4);
        const std::uint32_t size = Le(data, at + 24, 4);
        const std::uint32_t nameLength = Le(data, at + 28, 2);
        const std::uint32_t extraLength = Le(data, at + 30, 2);
        const std::uint32_t commentLength = Le(data, at + 32, 2);
        const std::uint32_t local = Le(data, at + 42, 4);
        if (at + 46 + nameLength > data.size()) {
            throw std::runtime_error("zip: name past the end");
        }
        const std::string name = data.substr(at + 46, nameLength);
        at += 46 + nameLength + extraLength + commentLength;

        if (Le(data, local, 4) != 0x04034b50u) {
            throw std::runtime_error("zip: bad local header of " + name);
        }
        const std::size_t start = local + 30 + Le(data, local + 26, 2) + Le(data, local + 28, 2);
        if (start + packedSize > data.size()) {
            throw std::runtime_error("zip: member past the end: " + name);
        }
        const std::string packed = data.substr(start, packedSize);
        if (method == 0) {
            members[name] = packed;
        } else if (method == 8) {
            members[name] = Inflate(packed, size);
        } else {
            throw std::runtime_error("zip: unsupported method of " + name);
        }
    }
    return members;
}

} // namespace zipreader
