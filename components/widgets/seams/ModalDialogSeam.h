#pragma once

#include <functional>

class QDialog;

// The component library's own dialogs are shown modally through here, so tests (and a
// headless run) can fill them in and close them. Without an installed runner the dialog's own
// exec() runs.

using TModalDialogRunner = std::function<int(QDialog& dialog)>;

// Shows the dialog modally and returns its result code.
int RunModalDialog(QDialog& dialog);

// Installs a runner for every later dialog; an empty one restores exec(). Returns the previous
// runner.
TModalDialogRunner SetModalDialogRunner(TModalDialogRunner runner);
