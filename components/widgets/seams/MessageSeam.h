#pragma once

#include <functional>
#include <string>

class QWidget;

// Every message box of the widgets goes through here, so tests (and a headless run) can
// answer it. Without an installed answerer a real QMessageBox is shown.

enum class EMessageType
{
    Information,
    Warning,
    Error,
    Confirmation,
};

enum class EMessageButtons
{
    Ok,
    YesNo,
    YesNoCancel,
    OkCancel,
};

enum class EMessageResult
{
    Ok,
    Yes,
    No,
    Cancel,
};

struct TMessageRequest
{
    EMessageType type = EMessageType::Information;
    EMessageButtons buttons = EMessageButtons::Ok;
    std::string title;
    std::string text;
    QWidget* parent = nullptr;
};

using TMessageAnswerer = std::function<EMessageResult(const TMessageRequest&)>;

// Shows the message (or hands it to the installed answerer) and returns the button pressed.
EMessageResult ShowMessage(const TMessageRequest& request);

// Shorthand for an information box with one OK button.
void ShowInformation(const std::string& text, QWidget* parent = nullptr);

// Installs an answerer for every later message; an empty one restores the real boxes.
// Returns the previous answerer.
TMessageAnswerer SetMessageAnswerer(TMessageAnswerer answerer);
