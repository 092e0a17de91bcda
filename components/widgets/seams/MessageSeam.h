#pragma once

#include <functional>
#include <string>

#include "support/TSeam.h"

class QWidget;

// Every message box of the widgets goes through here, so tests (and a headless run) can
// answer it. Without an answer of the seam a real QMessageBox is shown.

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

// Answers a message box with the button pressed.
using TMessageSeam = TSeam<struct TMessageSeamTag, EMessageResult(const TMessageRequest&)>;

// Shows the message (or hands it to the seam's answer) and returns the button pressed.
EMessageResult ShowMessage(const TMessageRequest& request);

// Shorthand for an information box with one OK button.
void ShowInformation(const std::string& text, QWidget* parent = nullptr);

// Runs the work of a command; a failure is shown in an information box over `parent` (its
// message meant for the user) and stops only the command. True when the work ran to its end.
bool RunCommand(QWidget* parent, const std::function<void()>& work);
