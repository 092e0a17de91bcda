#pragma once

#include <string>

#include "support/TSeam.h"

class QWidget;

// Every file dialog of the widgets goes through here, so tests (and a headless run) can answer
// it. Without an answer of the seam a real QFileDialog is shown.

struct TSaveFileRequest
{
    std::string title;
    // Filter in Qt's form, e.g. "Bitmap (*.bmp)".
    std::string filter;
    // Appended (with a dot) to a chosen name that has no extension.
    std::string defaultSuffix;
    std::string initialPath;
    QWidget* parent = nullptr;
};

// Answers with the chosen path, or an empty text when the user cancelled.
using TSaveFileSeam = TSeam<struct TSaveFileSeamTag, std::string(const TSaveFileRequest&)>;

// Asks for the name of a file to write. The real dialog asks before an existing file is
// replaced. A chosen name without an extension gets the default suffix.
std::string AskSaveFileName(const TSaveFileRequest& request);
