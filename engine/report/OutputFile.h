#pragma once

#include <memory>
#include <ostream>
#include <string>

// An output file of the run (the report, the plot data), written through the system's own
// calls so that a failed write keeps the system's reason (a full disk, a quota, an I/O error)
// for the run's message. The first failure sets the stream's badbit; later writes are
// dropped. Not copyable; closes itself when it goes.
class TOutputFile : public std::ostream
{
public:
    TOutputFile();
    ~TOutputFile() override;
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;

    // Creates the file or empties it; false with Reason() set when it cannot be opened.
    bool Open(const std::string& path);
    bool IsOpen() const;
    // Writes what is buffered and closes the file; false when a write or the close failed. A
    // file that was never opened, or could not be, closes without a failure (Open said so).
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
