#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

// An output file of the run (the report, the plot data), written through the system's own
// calls, so that a failed write keeps the system's reason (a full disk, a quota, an I/O error)
// for the run's message. A regular file is written beside its place (without a name where the
// file system can) and put there at the close, never truncated in place: its text goes out in
// large pieces as the run writes it, from one buffer of the file's own, and no reader meets it
// half written. A link to a plain file is gathered whole and written through it at the close;
// anything else (a FIFO, a device, a folder) is refused without waiting. The first failure is kept; later writes are dropped. Not copyable; closes itself when
// it goes.
class TOutputFile : public std::ostream
{
public:
    TOutputFile();
    ~TOutputFile() override;
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;

    // Makes the file to write (beside a regular file, which keeps its old content until the
    // close); false with Reason() set when it cannot be made or the path is no plain file.
    bool Open(const std::string& path);
    bool IsOpen() const;
    // Text to write after what the file has taken so far, as a stream write does; the caller's
    // memory is not kept.
    void Put(std::string_view text);
    // Room for n characters after what the file has taken, to write a line in place; Commit
    // takes what was written there, up to upTo.
    char* Room(std::size_t n);
    void Commit(const char* upTo);
    // The run did not reach its end: what was written is dropped, so that the file is put in
    // place empty at the close.
    void Abandon();
    // Writes what is left, closes the file and puts it in place; false when a write, the close
    // or the replacing failed. A file that was never opened, or could not be, closes without a
    // failure (Open said so).
    bool Close();

    // After a failed write: empties the closed file, so that no reader takes what was cut
    // short for a whole file.
    void Discard();

    bool Failed() const;
    // The system's text of the first failure ("No space left on device").
    std::string Reason() const;
    const std::string& Path() const { return m_path; }

    // The output file behind a stream, when it is one, so its lines can be written in place.
    static TOutputFile* Of(std::ostream& out) { return dynamic_cast<TOutputFile*>(&out); }

private:
    class TBuffer;
    std::unique_ptr<TBuffer> m_buffer;
    std::string m_path;
};
