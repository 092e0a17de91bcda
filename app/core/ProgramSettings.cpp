#include "ProgramSettings.h"

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
