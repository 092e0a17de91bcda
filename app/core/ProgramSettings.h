#pragma once

#include <functional>
#include <string>

#include "RecentFiles.h"

// The program's settings: the user's registry key SOFTWARE\Tarvik\QUARN\2015.7.2 becomes the
// INI file Tarvik/QUARN.ini in the user's configuration folder, section [2015.7.2], with the
// same value names.
inline constexpr const char* kSettingsOrganization = "Tarvik";
inline constexpr const char* kSettingsApplication = "QUARN";
inline constexpr const char* kSettingsGroup = "2015.7.2";
inline constexpr const char* kEditorValueName = "Word Processor";

// The value name of recent file i (0-based): "File1" .. "File10".
std::string RecentFileValueName(int i);

// The values as they are stored.
struct TStoredSettings
{
    std::string EditorPath;
    TRecentFiles::TEntries RecentFiles{};
};

// Reads the editor and the recent files through `value` (a value's text by its name, empty
// when missing).
TStoredSettings
ReadProgramSettings(const std::function<std::string(const std::string& name)>& value);

// Takes what was read: a stored editor replaces the one given (an empty one leaves it), and the
// recent list keeps each project once. Settings that could not be read (`failed`) clear the
// editor and the list.
void ApplyProgramSettings(const TStoredSettings& stored,
                          bool failed,
                          std::string& editorPath,
                          TRecentFiles& recent);

// Why the settings file cannot be written, in the system's words ("Permission denied", "Not a
// directory", "Read-only file system"), found by trying what a save of it needs: its folder
// (made where missing) takes a new file, and the file itself, when there is one, opens for
// writing. Empty when nothing stands in the way. Leaves nothing behind but the folders a
// save would make.
std::string SettingsWriteProblem(const std::string& file);

// The message for settings that could not be saved to the file, for the reason given.
std::string SettingsNotSavedMessage(const std::string& file, const std::string& reason);

// Writes the editor and all ten recent-file values through `write`.
void WriteProgramSettings(
    const std::function<void(const std::string& name, const std::string& text)>& write,
    const std::string& editorPath,
    const TRecentFiles& recent);
