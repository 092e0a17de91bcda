#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

// An output file of the run (the report, the plot data), gathered in memory and written
// through the system's own calls in one write when it is flushed or closed, so that a failed
// write keeps the system's reason (a full disk, a quota, an I/O error) for the run's message.
// A regular file is written beside its place and then put there, never truncated in place.
// The first failure is kept; later writes are dropped. Not copyable; closes itself when it goes.
class TOutputFile : public std::ostream
{
public:
    TOutputFile();
    ~TOutputFile() override;
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;

    // Makes the file to write (beside a regular file, which keeps its old content until the
    // close); false with Reason() set when it cannot be made.
    bool Open(const std::string& path);
    bool IsOpen() const;
    // A part to write after what is gathered, from the caller's memory, which must stay as it
    // is until the file is closed.
    void Attach(std::string_view text);
    // Writes what is gathered, closes the file and puts it in place; false when a write, the
    // close or the replacing failed. A file that was never opened, or could not be, closes
    // without a failure (Open said so).
    bool Close();

    // After a failed write: empties the closed file, so that no reader takes what was cut
    // short for a whole file.
    void Discard();

    bool Failed() const;
    // The system's text of the first failure ("No space left on device").
    std::string Reason() const;
    const std::string& Path() const { return m_path; }

private:
    class TBuffer;
    std::unique_ptr<TBuffer> m_buffer;
    std::string m_path;
};
