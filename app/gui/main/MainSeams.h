#pragma once

#include <functional>
#include <string>

class QWidget;

// The open dialog, the text editor and the desktop's open action of the main window go through
// here, so tests (and a headless run) can answer them. Without an installed answerer the real
// dialog, process or desktop handler is used.

struct TOpenFileRequest
{
    std::string title;
    // Filters in Qt's form, one per entry; the answer names the one chosen (1-based).
    std::string filter;
    std::string initialPath;
    QWidget* parent = nullptr;
};

struct TOpenFileAnswer
{
    std::string path; // empty when the user cancelled
    int filterIndex = 1;
};

using TOpenFileAnswerer = std::function<TOpenFileAnswer(const TOpenFileRequest&)>;
TOpenFileAnswer AskOpenFileName(const TOpenFileRequest& request);
TOpenFileAnswerer SetOpenFileAnswerer(TOpenFileAnswerer answerer);

// Starts the editor on the file without waiting; an empty editor path means the desktop's
// default handler for the file. False when nothing could be started.
using TEditorLauncher = std::function<bool(const std::string& editor, const std::string& file)>;
bool LaunchEditor(const std::string& editor, const std::string& file);
// The same; when nothing was started, `reason` says why in words for the user.
bool LaunchEditor(const std::string& editor, const std::string& file, std::string& reason);
TEditorLauncher SetEditorLauncher(TEditorLauncher launcher);

// Opens a document (help, manual) with the desktop's default handler. False when it could not.
using TShellOpener = std::function<bool(const std::string& file)>;
bool ShellOpen(const std::string& file);
// The same for an address (mailto:, https:); the installed opener is given the address.
bool ShellOpenUrl(const std::string& url);
TShellOpener SetShellOpener(TShellOpener opener);
