#include "ProgramSettings.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::string RecentFileValueName(int i)
{
    return "File" + std::to_string(i + 1);
}

TStoredSettings
ReadProgramSettings(const std::function<std::string(const std::string& name)>& value)
{
    TStoredSettings stored;
    stored.EditorPath = value(kEditorValueName);
    for (int i = 0; i < kRecentFileCount; ++i) {
        stored.RecentFiles[static_cast<std::size_t>(i)] = value(RecentFileValueName(i));
    }
    return stored;
}

void ApplyProgramSettings(const TStoredSettings& stored,
                          bool failed,
                          std::string& editorPath,
                          TRecentFiles& recent)
{
    if (failed) {
        editorPath.clear();
        recent.Clear();
        return;
    }
    if (!stored.EditorPath.empty()) {
        editorPath = stored.EditorPath;
    }
    // One entry per project, by its one name, whatever older saves wrote.
    recent.Assign(stored.RecentFiles);
}

void WriteProgramSettings(
    const std::function<void(const std::string& name, const std::string& text)>& write,
    const std::string& editorPath,
    const TRecentFiles& recent)
{
    write(kEditorValueName, editorPath);
    for (int i = 0; i < kRecentFileCount; ++i) {
        write(RecentFileValueName(i), recent.Entry(i));
    }
}

std::string SettingsWriteProblem(const std::string& file)
{
    const fs::path path(file);
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        return ec.message();
    }
    // A save writes a new file beside the old one and renames it into place.
    std::string probe = (folder / ".settings-probe-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) {
        return std::strerror(errno);
    }
    ::close(fd);
    ::unlink(probe.c_str());
    if (fs::exists(fs::symlink_status(path, ec))) {
        // Without waiting for a reader, should the file be a pipe.
        const int existing = ::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (existing < 0) {
            return std::strerror(errno);
        }
        ::close(existing);
    }
    return {};
}

std::string SettingsNotSavedMessage(const std::string& file, const std::string& reason)
{
    return "The program's settings cannot be saved to " + file + ": " + reason
           + ". The recent files and the text editor chosen will not be kept for the next "
             "start.";
}
