#pragma once

// A private folder for the fuzz targets whose readers take a file name: made once per
// process, so parallel fuzzing jobs never share files, and removed at exit.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace fuzzsupport {

class TTempFolder
{
public:
    TTempFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quarn-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        m_path = pattern;
    }
    ~TTempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string File(const std::string& name) const { return (m_path / name).string(); }

    // Writes text as the named file; a folder that can't be written is a broken setup.
    std::string Write(const std::string& name, std::string_view text) const
    {
        const std::string path = File(name);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::abort();
        }
        return path;
    }

    void Remove(const std::string& name) const
    {
        std::error_code ec;
        std::filesystem::remove(File(name), ec);
    }

private:
    std::filesystem::path m_path;
};

// One folder for the whole process.
inline const TTempFolder& Folder()
{
    static const TTempFolder folder;
    return folder;
}

} // namespace fuzzsupport
