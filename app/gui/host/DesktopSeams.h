#pragma once

#include <string>

#include "support/TSeam.h"

class QWidget;

// The open dialog, the text editor and the desktop's open action of the windows go through
// here, so tests (and a headless run) can answer them. Without an answer of its seam the real
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

TOpenFileAnswer AskOpenFileName(const TOpenFileRequest& request);
using TOpenFileSeam = TSeam<struct TOpenFileSeamTag, TOpenFileAnswer(const TOpenFileRequest&)>;

// What the user is told when the editor did not start, before the reason.
inline constexpr const char* kEditorFailedText = "An error occurred in running the Word Processor";

// Starts the editor on the file without waiting; an empty editor path means the desktop's
// default handler for the file. False when nothing could be started.
bool LaunchEditor(const std::string& editor, const std::string& file);
// The same; when nothing was started, `reason` says why in words for the user.
bool LaunchEditor(const std::string& editor, const std::string& file, std::string& reason);
// Answers whether the editor started.
using TEditorSeam =
    TSeam<struct TEditorSeamTag, bool(const std::string& editor, const std::string& file)>;

// Opens a document (help, manual) with the desktop's default handler. False when it could not.
bool ShellOpen(const std::string& file);
// The same for an address (mailto:, https:); the seam's answer is given the address.
bool ShellOpenUrl(const std::string& url);
using TShellOpenSeam = TSeam<struct TShellOpenSeamTag, bool(const std::string& file)>;
