// Any file content: the reader hands out words, numbers and lines or raises EInOutError;
// anything else (another exception, a crash, a sanitizer report, a hang) is a fault.
//
// The first byte picks the order of the typed reads, so the fuzzer explores the mix of
// ReadWord, ReadFloat, ReadInteger and ReadLine that the program's file readers use.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "support/TWordReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::uint8_t plan = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    TWordReader reader = TWordReader::FromText(text, "fuzz");
    // Every read either moves on or fails, so a file of n bytes needs fewer than 2n + 4 reads.
    const std::size_t maxReads = 2 * size + 4;
    for (std::size_t i = 0; i < maxReads; ++i) {
        const int lineBefore = reader.LineNumber();
        const bool eofBefore = reader.Eof();
        if (reader.WordCount() < 0 || reader.LineNumber() < 1) {
            std::abort();
        }
        try {
            switch ((plan >> (2 * (i % 4))) & 3) {
            case 0:
                reader.ReadWord();
                break;
            case 1:
                if (!std::isfinite(reader.ReadFloat())) {
                    std::abort();
                }
                break;
            case 2:
                reader.ReadInteger();
                break;
            default:
                reader.ReadLine();
                break;
            }
        } catch (const EInOutError&) {
            if (eofBefore) {
                return 0;
            }
            // After a failed read the reader stands on the same line or the next one.
            if (reader.LineNumber() > lineBefore + 1) {
                std::abort();
            }
        }
        if (reader.Eof() && eofBefore) {
            return 0;
        }
    }
    return 0;
}
